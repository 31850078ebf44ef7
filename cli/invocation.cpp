#include "invocation.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <cstdio>

namespace mc::cli {

namespace {

const QString usage = QStringLiteral(
    "用法: membercard-cli [--data DIR] [--set NAME] --operator CODE --password PW "
    "[--now \"yyyy-MM-dd hh:mm:ss\"] COMMAND [INPUT]");

Result<Invocation> bad(const QString& message)
{
    return Result<Invocation>::failure(message + u'\n' + usage);
}

}  // namespace

Result<Invocation> parseInvocation(const QStringList& arguments)
{
    Invocation inv;
    QString now;
    QStringList given;
    const QList<std::pair<QString, QString*>> options = {{QStringLiteral("--data"), &inv.data},
                                                         {QStringLiteral("--set"), &inv.set},
                                                         {QStringLiteral("--operator"), &inv.operatorCode},
                                                         {QStringLiteral("--password"), &inv.password},
                                                         {QStringLiteral("--now"), &now}};
    int i = 0;
    for (; i < arguments.size() && arguments[i].startsWith(QLatin1String("--")); ++i) {
        QString name = arguments[i];
        std::optional<QString> value;
        if (const qsizetype eq = name.indexOf(u'='); eq > 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        }
        const auto option = std::find_if(options.cbegin(), options.cend(), [&](const auto& o) { return o.first == name; });
        if (option == options.cend())
            return bad(QStringLiteral("未知的选项 %1").arg(name));
        if (!value) {
            if (++i >= arguments.size())
                return bad(QStringLiteral("选项 %1 缺少值").arg(name));
            value = arguments[i];
        }
        *option->second = *value;
        given << name;
    }
    if (i < arguments.size())
        inv.command = arguments[i++];
    if (i < arguments.size())
        inv.input = arguments[i++];
    if (i < arguments.size())
        return bad(QStringLiteral("多余的参数 %1").arg(arguments[i]));
    if (inv.command.isEmpty())
        return bad(QStringLiteral("缺少命令"));
    // An empty password is one a staff member may have; an empty staff code the login refuses.
    for (const QString& needed : {QStringLiteral("--operator"), QStringLiteral("--password")})
        if (!given.contains(needed))
            return bad(QStringLiteral("缺少选项 %1").arg(needed));
    if (given.contains(QStringLiteral("--now"))) {
        const QDateTime dt = QDateTime::fromString(now, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (!dt.isValid())
            return bad(QStringLiteral("选项 --now 的时间应为 \"yyyy-MM-dd hh:mm:ss\""));
        inv.now = dt;
    }
    return Result<Invocation>::success(inv);
}

Result<QJsonObject> readInput(const QString& input)
{
    QByteArray text;
    if (input.isEmpty()) {
        return Result<QJsonObject>::success({});
    } else if (input == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return Result<QJsonObject>::failure(QStringLiteral("无法读取标准输入"));
        text = in.readAll();
    } else if (input.startsWith(u'@')) {
        QFile file(input.mid(1));
        if (!file.open(QIODevice::ReadOnly))
            return Result<QJsonObject>::failure(QStringLiteral("无法读取输入文件 %1").arg(input.mid(1)));
        text = file.readAll();
    } else {
        text = input.toUtf8();
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        return Result<QJsonObject>::failure(
            QStringLiteral("输入不是正确的 JSON（第 %1 个字符）：%2").arg(error.offset).arg(error.errorString()));
    if (!doc.isObject())
        return Result<QJsonObject>::failure(QStringLiteral("输入应为一个 JSON 对象"));
    return Result<QJsonObject>::success(doc.object());
}

}  // namespace mc::cli
