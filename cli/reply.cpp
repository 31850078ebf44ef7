#include "reply.h"

#include <QJsonDocument>

namespace mc::cli {

namespace {

const QString saveFailed = QStringLiteral("出现错误，无法保存");

Reply failure(int exit, const QString& message, QJsonObject values = {})
{
    values.insert(QStringLiteral("ok"), false);
    values.insert(QStringLiteral("message"), message);
    return {exit, values};
}

}  // namespace

Reply usageError(const QString& message)
{
    return failure(ExitUsage, message);
}

Reply refused(const QString& message)
{
    return failure(ExitRefused, message);
}

Reply databaseFailed(const QString& text)
{
    return failure(ExitDatabase, text.startsWith(saveFailed) ? text : saveFailed + u'\n' + text);
}

Reply fromOutput(const Output& output)
{
    if (!output.ok)
        return failure(output.message.startsWith(saveFailed) ? ExitDatabase : ExitRefused, output.message, output.value);
    QJsonObject json = output.value;
    json.insert(QStringLiteral("ok"), true);
    if (!output.message.isEmpty())
        json.insert(QStringLiteral("message"), output.message);
    return {ExitDone, json};
}

QByteArray render(const Reply& reply)
{
    return QJsonDocument(reply.json).toJson(QJsonDocument::Compact) + '\n';
}

}  // namespace mc::cli
