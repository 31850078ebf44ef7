#include "expression.h"

namespace mc::reports {

namespace {

const QString companyWord = QStringLiteral("公司名称");

// `source."column"` or `source.column`.
bool parseField(QString text, Expression& e)
{
    text = text.trimmed();
    const qsizetype dot = text.indexOf(u'.');
    if (dot <= 0)
        return false;
    e.source = text.left(dot).trimmed();
    QString column = text.mid(dot + 1).trimmed();
    if (column.size() >= 2 && column.startsWith(u'"') && column.endsWith(u'"'))
        column = column.mid(1, column.size() - 2);
    e.column = column;
    return !e.column.isEmpty() && !e.column.contains(u'"');
}

// The argument of NAME(…), or a null string when `text` is no call of NAME.
QString argumentOf(const QString& text, const char* name)
{
    const QString prefix = QLatin1String(name) + u'(';
    if (text.startsWith(prefix, Qt::CaseInsensitive) && text.endsWith(u')'))
        return text.mid(prefix.size(), text.size() - prefix.size() - 1).trimmed();
    return {};
}

// The last "|" outside a quoted column name.
qsizetype formatBar(const QString& text)
{
    bool quoted = false;
    qsizetype bar = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'"') quoted = !quoted;
        else if (text[i] == u'|' && !quoted) bar = i;
    }
    return bar;
}

}  // namespace

Expression parseExpression(const QString& source)
{
    Expression e;
    e.text = source;
    QString body = source.trimmed();
    const qsizetype bar = formatBar(body);
    if (bar >= 0) {
        e.format = body.mid(bar + 1).trimmed();
        body = body.left(bar).trimmed();
    }
    struct Word {
        const char* name;
        ExprKind kind;
    };
    static constexpr Word words[] = {{"DATE", ExprKind::Date},   {"TIME", ExprKind::Time},
                                     {"NOW", ExprKind::Now},     {"PAGE", ExprKind::Page},
                                     {"PAGE#", ExprKind::Page},  {"TOTALPAGES", ExprKind::TotalPages},
                                     {"TOTALPAGES#", ExprKind::TotalPages}};
    for (const Word& w : words) {
        if (body.compare(QLatin1String(w.name), Qt::CaseInsensitive) == 0) {
            e.kind = w.kind;
            return e;
        }
    }
    if (body == companyWord) {
        e.kind = ExprKind::Company;
        return e;
    }
    if (const QString arg = argumentOf(body, "SUM"); !arg.isNull()) {
        if (parseField(arg, e))
            e.kind = ExprKind::Sum;
        return e;
    }
    if (const QString arg = argumentOf(body, "COUNT"); !arg.isNull()) {
        Expression field;
        e.source = parseField(arg, field) ? field.source : arg;
        if (!e.source.isEmpty() && !e.source.contains(u'"'))
            e.kind = ExprKind::Count;
        return e;
    }
    if (parseField(body, e))
        e.kind = ExprKind::Field;
    return e;
}

QList<TextPiece> splitText(const QString& text)
{
    QList<TextPiece> pieces;
    QString literal;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(u'[', i);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u']', open + 1);
        if (open < 0 || close < 0) {
            literal += text.mid(i);
            break;
        }
        literal += text.mid(i, open - i);
        if (!literal.isEmpty()) {
            pieces.append({literal, {}, false});
            literal.clear();
        }
        pieces.append({{}, parseExpression(text.mid(open + 1, close - open - 1)), true});
        i = close + 1;
    }
    if (!literal.isEmpty())
        pieces.append({literal, {}, false});
    return pieces;
}

}  // namespace mc::reports
