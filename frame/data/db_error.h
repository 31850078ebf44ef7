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
    // The engine's text and number as a window shows them: text + "\n错误:" + number.
    QString message() const;
    // The message a window shows when a save fails: "出现错误，无法保存\n" + message().
    QString saveMessage() const;
    // True when the failure is a unique-index violation.
    bool isUniqueViolation() const;

private:
    QString text_;
    QString number_;
};

}  // namespace mc::db
