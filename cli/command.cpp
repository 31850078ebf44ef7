#include "command.h"

#include <QMap>

#include <algorithm>
#include <cmath>
#include <optional>

namespace mc::cli {

namespace {

QMap<QString, Command>& registry()
{
    static QMap<QString, Command> commands;
    return commands;
}

std::optional<QDateTime> parseDate(const QString& text)
{
    for (const char* format : {"yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(text, QLatin1String(format));
        if (dt.isValid())
            return dt;
    }
    return std::nullopt;
}

bool fits(KeyType type, const QJsonValue& v)
{
    switch (type) {
    case KeyType::Text:
        return v.isString();
    case KeyType::Number:
        return v.isDouble();
    case KeyType::Integer:
        return v.isDouble() && std::trunc(v.toDouble()) == v.toDouble() && std::abs(v.toDouble()) < 1e15;
    case KeyType::Bool:
        return v.isBool();
    case KeyType::Date:
        return v.isString() && parseDate(v.toString()).has_value();
    case KeyType::List:
        return v.isArray();
    }
    return false;
}

QString typeWords(KeyType type)
{
    switch (type) {
    case KeyType::Text:
        return QStringLiteral("文本");
    case KeyType::Number:
        return QStringLiteral("数值");
    case KeyType::Integer:
        return QStringLiteral("整数");
    case KeyType::Bool:
        return QStringLiteral("true 或 false");
    case KeyType::Date:
        return QStringLiteral("日期 \"yyyy-MM-dd\" 或 \"yyyy-MM-dd hh:mm:ss\"");
    case KeyType::List:
        return QStringLiteral("数组");
    }
    return {};
}

}  // namespace

QDateTime Input::date(const QString& key) const
{
    return parseDate(text(key)).value_or(QDateTime());
}

Registration::Registration(Command command)
{
    const QString name = command.name;
    registry().insert(name, std::move(command));
}

const Command* findCommand(const QString& name)
{
    const auto it = registry().constFind(name);
    return it == registry().constEnd() ? nullptr : &*it;
}

QStringList commandNames()
{
    return registry().keys();
}

namespace {

// The usage message for an object that does not fit `keys`; `otherKeys` lets any text or number
// key through (custom member fields).
QString checkKeys(const QString& where, const QList<Key>& keys, const QJsonObject& input, bool otherKeys);

QString checkItems(const Key& key, const QJsonArray& items)
{
    for (qsizetype n = 0; n < items.size(); ++n) {
        const QString where = QStringLiteral("%1 的第 %2 项").arg(key.name).arg(n + 1);
        if (!items[n].isObject())
            return where + QStringLiteral("应为对象");
        if (QString problem = checkKeys(where, key.itemKeys, items[n].toObject(), false); !problem.isEmpty())
            return problem;
    }
    return {};
}

QString checkKeys(const QString& where, const QList<Key>& keys, const QJsonObject& input, bool otherKeys)
{
    for (auto it = input.begin(); it != input.end(); ++it) {
        const auto key = std::find_if(keys.cbegin(), keys.cend(), [&](const Key& k) { return k.name == it.key(); });
        if (key == keys.cend() && otherKeys) {
            if (!it.value().isString() && !it.value().isDouble())
                return QStringLiteral("键 %1 的值应为%2").arg(it.key(), typeWords(KeyType::Text));
            continue;
        }
        if (key == keys.cend())
            return QStringLiteral("%1 没有键 %2").arg(where, it.key());
        if (!fits(key->type, it.value()))
            return QStringLiteral("键 %1 的值应为%2").arg(it.key(), typeWords(key->type));
        if (key->type == KeyType::List && !key->itemKeys.isEmpty())
            if (QString problem = checkItems(*key, it.value().toArray()); !problem.isEmpty())
                return problem;
    }
    for (const Key& key : keys)
        if (key.required && !input.contains(key.name))
            return QStringLiteral("%1 缺少键 %2").arg(where, key.name);
    return {};
}

}  // namespace

QString checkInput(const Command& command, const QJsonObject& input)
{
    if (QString problem = checkKeys(QStringLiteral("命令 ") + command.name, command.keys, input, command.customFields);
        !problem.isEmpty())
        return problem;
    for (const QStringList& group : command.oneOf) {
        const auto given = std::count_if(group.cbegin(), group.cend(), [&](const QString& k) { return input.contains(k); });
        if (given != 1)
            return QStringLiteral("命令 %1 需要且只需要 %2 中的一个键").arg(command.name, group.join(QStringLiteral("、")));
    }
    return {};
}

}  // namespace mc::cli
