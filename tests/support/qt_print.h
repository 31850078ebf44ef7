#pragma once
// Lets GoogleTest print Qt texts readably in failure messages.

#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (const QString& s : list)
        *os << " \"" << s.toStdString() << '"';
    *os << " }";
}

#include "engine.h"

namespace schema {
inline void PrintTo(Engine e, std::ostream* os)
{
    *os << (e == Engine::Sqlite ? "SQLite" : "PostgreSQL");
}
}  // namespace schema
