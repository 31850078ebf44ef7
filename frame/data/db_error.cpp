#include "db_error.h"

namespace mc::db {

DbError::DbError(QString text, QString number)
    : std::runtime_error(text.toStdString()), text_(std::move(text)), number_(std::move(number))
{
}

DbError::DbError(const QSqlError& error)
    : DbError(error.text().trimmed(), error.nativeErrorCode())
{
}

QString DbError::message() const
{
    return text_ + QStringLiteral("\n错误:") + number_;
}

QString DbError::saveMessage() const
{
    return QStringLiteral("出现错误，无法保存\n") + message();
}

bool DbError::isUniqueViolation() const
{
    // SQLite: extended code 2067 (SQLITE_CONSTRAINT_UNIQUE) or plain 19 with its text;
    // PostgreSQL: SQLSTATE 23505.
    return number_ == QLatin1String("23505") || number_ == QLatin1String("2067") ||
           number_ == QLatin1String("1555") ||
           (number_ == QLatin1String("19") && text_.contains(QLatin1String("UNIQUE")));
}

}  // namespace mc::db
