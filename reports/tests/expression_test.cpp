// Parsing the bracketed expressions of report texts.

#include "expression.h"

#include "qt_print.h"

#include <gtest/gtest.h>

using namespace mc::reports;

TEST(Expression, KindsSourcesColumnsAndFormats)
{
    const struct {
        const char* text;
        ExprKind kind;
        const char* source;
        const char* column;
        const char* format;
    } cases[] = {
        {"frxprint.\"membername\"", ExprKind::Field, "frxprint", "membername", ""},
        {" frxother.spzj ", ExprKind::Field, "frxother", "spzj", ""},
        {"frxprint.\"xfje\"|0.00", ExprKind::Field, "frxprint", "xfje", "0.00"},
        {"frxprint.\"a|b\"", ExprKind::Field, "frxprint", "a|b", ""},
        {"SUM(frxother.\"spzj\")|0.00", ExprKind::Sum, "frxother", "spzj", "0.00"},
        {"sum(frxprint.\"ckje\")", ExprKind::Sum, "frxprint", "ckje", ""},
        {"COUNT(frxprint)", ExprKind::Count, "frxprint", "", ""},
        {"COUNT(frxprint.\"memberno\")", ExprKind::Count, "frxprint", "", ""},
        {"DATE", ExprKind::Date, "", "", ""},
        {"NOW|yyyy-mm-dd hh:nn", ExprKind::Now, "", "", "yyyy-mm-dd hh:nn"},
        {"TIME", ExprKind::Time, "", "", ""},
        {"Page#", ExprKind::Page, "", "", ""},
        {"TOTALPAGES", ExprKind::TotalPages, "", "", ""},
        {"membername", ExprKind::Invalid, "", "", ""},
        {"SUM(frxprint)", ExprKind::Invalid, "frxprint", "", ""},
        {"frxprint.\"\"", ExprKind::Invalid, "frxprint", "", ""},
    };
    for (const auto& c : cases) {
        const Expression e = parseExpression(c.text);
        EXPECT_EQ(e.kind, c.kind) << c.text;
        if (c.kind == ExprKind::Invalid)
            continue;
        EXPECT_EQ(e.source, c.source) << c.text;
        EXPECT_EQ(e.column, c.column) << c.text;
        EXPECT_EQ(e.format, c.format) << c.text;
    }
}

TEST(Expression, TextSplitsIntoLiteralsAndExpressions)
{
    const QList<TextPiece> pieces = splitText(QStringLiteral("合计:[SUM(frxprint.\"xfje\")] 元 [PAGE]/[TOTALPAGES] [unclosed"));
    ASSERT_EQ(pieces.size(), 7);
    EXPECT_EQ(pieces[0].literal, QStringLiteral("合计:"));
    EXPECT_EQ(pieces[1].expression.kind, ExprKind::Sum);
    EXPECT_EQ(pieces[2].literal, QStringLiteral(" 元 "));
    EXPECT_EQ(pieces[3].expression.kind, ExprKind::Page);
    EXPECT_EQ(pieces[4].literal, "/");
    EXPECT_EQ(pieces[5].expression.kind, ExprKind::TotalPages);
    EXPECT_EQ(pieces[6].literal, " [unclosed");
    EXPECT_FALSE(pieces[6].isExpression);
}
