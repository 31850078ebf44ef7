#pragma once
// The [bracketed] expressions of report texts:
//   [frxprint."membername"]        a field of a data source
//   [SUM(frxother."spzj")]         sum of a field over the group, or over all rows elsewhere
//   [COUNT(frxprint)]              number of rows, counted the same way
//   [DATE] [TIME] [NOW] [PAGE] [TOTALPAGES]
//   [公司名称]                      the shop's name, which every receipt and list carries
// Each may end in "|format", such as [frxprint."xfje"|0.00]; without one the object's format
// applies.

#include <QList>
#include <QString>

namespace mc::reports {

enum class ExprKind { Field, Sum, Count, Date, Time, Now, Page, TotalPages, Company, Invalid };

struct Expression {
    ExprKind kind = ExprKind::Invalid;
    QString source;   // Field, Sum, Count
    QString column;   // Field, Sum
    QString format;   // own format, empty when none
    QString text;     // as written, for error messages
};

Expression parseExpression(const QString& text);

// A text split into literal pieces and expressions, in order.
struct TextPiece {
    QString literal;          // used when !isExpression
    Expression expression;
    bool isExpression = false;
};
QList<TextPiece> splitText(const QString& text);

}  // namespace mc::reports
