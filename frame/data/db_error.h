#pragma once

#include <QSqlError>
#include <QString>

#include <stdexcept>

namespace mc::db {

// A failed database statement: the engine's text and its error number.
class DbError : public std::runtime_error {
public:
    DbError(QString text, QString number);
    explicit DbError(const QSqlError& error);

    const QString& text() const { return text_; }
    const QString& number() const { return number_; }
    // The message a window shows when a save fails.
    QString saveMessage() const;
    // True when the failure is a unique-index violation.
    bool isUniqueViolation() const;

private:
    QString text_;
    QString number_;
};

}  // namespace mc::db
