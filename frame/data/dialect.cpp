#include "dialect.h"

namespace mc::db {

using schema::Engine;

QString Dialect::dayText(const QString& column) const
{
    return engine_ == Engine::Postgres ? QStringLiteral("to_char(%1, 'YYYY-MM-DD')").arg(column)
                                       : QStringLiteral("substr(%1, 1, 10)").arg(column);
}

QString Dialect::monthDayText(const QString& column) const
{
    return engine_ == Engine::Postgres ? QStringLiteral("to_char(%1, 'MM-DD')").arg(column)
                                       : QStringLiteral("substr(%1, 6, 5)").arg(column);
}

QString Dialect::yearOf(const QString& column) const
{
    return engine_ == Engine::Postgres
               ? QStringLiteral("cast(extract(year from %1) as integer)").arg(column)
               : QStringLiteral("cast(substr(%1, 1, 4) as integer)").arg(column);
}

QString Dialect::monthOf(const QString& column) const
{
    return engine_ == Engine::Postgres
               ? QStringLiteral("cast(extract(month from %1) as integer)").arg(column)
               : QStringLiteral("cast(substr(%1, 6, 2) as integer)").arg(column);
}

QString Dialect::limit(int rows) const
{
    return QStringLiteral(" limit %1").arg(rows);
}

QString Dialect::boolean(bool value) const
{
    // Both engines read true/false; SQLite stores them as 1/0.
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString Dialect::containsCondition(const QString& column) const
{
    // SQLite's like ignores case for ASCII only; lower() on both sides covers the rest alike.
    return engine_ == Engine::Postgres
               ? QStringLiteral("%1 ilike ? escape '\\'").arg(column)
               : QStringLiteral("lower(%1) like lower(?) escape '\\'").arg(column);
}

QString Dialect::likePattern(const QString& text)
{
    QString escaped;
    for (QChar c : text) {
        if (c == u'%' || c == u'_' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    return u'%' + escaped + u'%';
}

}  // namespace mc::db
