#pragma once
// The command line of membercard-cli:
//   membercard-cli [--data DIR] [--set NAME] --operator CODE --password PW [--now TIME] COMMAND [INPUT]

#include "result.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace mc::cli {

struct Invocation {
    QString data;  // empty: the program's own rule
    QString set;   // empty: the demonstration set
    QString operatorCode;
    QString password;
    std::optional<QDateTime> now;
    QString command;
    QString input;  // as given: inline JSON, @FILE or -; empty when none
};

// The options and arguments after the program name; a refusal carries the usage message.
Result<Invocation> parseInvocation(const QStringList& arguments);

// The input object: inline, from @FILE or from standard input ("-"); none gives {}.
Result<QJsonObject> readInput(const QString& input);

}  // namespace mc::cli
