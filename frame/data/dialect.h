#pragma once
// The few expressions that differ between SQLite and PostgreSQL. Nothing engine-specific
// is written anywhere else.

#include "engine.h"

#include <QString>

namespace mc::db {

class Dialect {
public:
    explicit Dialect(schema::Engine engine) : engine_(engine) {}

    // "yyyy-MM-dd" text of a date-time column.
    QString dayText(const QString& column) const;
    // "MM-dd" text, for birthdays.
    QString monthDayText(const QString& column) const;
    // Year and month as whole numbers.
    QString yearOf(const QString& column) const;
    QString monthOf(const QString& column) const;
    // " limit n" appended to a select.
    QString limit(int rows) const;
    QString boolean(bool value) const;
    // Case-insensitive "column like ?"; bind likePattern(...) as its value.
    QString containsCondition(const QString& column) const;
    // A pattern that matches `text` anywhere, with % _ and the escape character taken literally.
    static QString likePattern(const QString& text);

private:
    schema::Engine engine_;
};

}  // namespace mc::db
