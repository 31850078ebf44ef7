#pragma once
// The one JSON object membercard-cli prints, and its exit status.

#include "command.h"

#include <QJsonObject>
#include <QString>

namespace mc::cli {

enum Exit {
    ExitDone = 0,
    ExitRefused = 1,   // a rule of the operation refused it; nothing changed
    ExitUsage = 2,     // unknown command or key, bad JSON, wrong type, bad option
    ExitDatabase = 3,  // the database failed; rolled back
};

struct Reply {
    int exit = ExitDone;
    QJsonObject json;
};

Reply usageError(const QString& message);
Reply refused(const QString& message);
// `text` is the engine's message; the output carries it as a window shows a failed save.
Reply databaseFailed(const QString& text);
// A command's result: done, refused, or — when a service has turned a database failure into
// its standard message — a database failure.
Reply fromOutput(const Output& output);

// Compact UTF-8 JSON and a line break.
QByteArray render(const Reply& reply);

}  // namespace mc::cli
