// membercard-cli: the counter operations as commands, JSON in and out. Every command calls the
// same service as its window; see the project README for the commands and their keys.

#include "command.h"
#include "database.h"
#include "demo_data.h"
#include "invocation.h"
#include "reply.h"
#include "session_start.h"

#include <QCoreApplication>
#include <QSqlDatabase>

#include <cstdio>

namespace {

using namespace mc::cli;

Reply run(const QStringList& arguments)
{
    const mc::Result<Invocation> inv = parseInvocation(arguments);
    if (!inv)
        return usageError(inv.message);
    const Command* command = findCommand(inv.value.command);
    if (!command)
        return usageError(QStringLiteral("未知的命令 %1；可用的命令：%2")
                              .arg(inv.value.command, commandNames().join(QStringLiteral("、"))));
    const mc::Result<QJsonObject> input = readInput(inv.value.input);
    if (!input)
        return usageError(input.message);
    if (const QString problem = checkInput(*command, input.value); !problem.isEmpty())
        return usageError(problem);
    try {
        mc::Session session;
        if (std::optional<Reply> stopped = startSession(inv.value, *command, session))
            return *stopped;
        return fromOutput(command->run(Input(input.value), session, QSqlDatabase::database(mc::db::accountConnection)));
    } catch (const mc::db::DbError& e) {
        return databaseFailed(e.message());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("membercard-cli"));
    mc::demo::installDemoFiller();
    const Reply reply = run(QCoreApplication::arguments().mid(1));
    const QByteArray out = render(reply);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fflush(stdout);
    return reply.exit;
}
