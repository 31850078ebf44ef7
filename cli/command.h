#pragma once
// A command of membercard-cli: its name, the menu item whose permission it needs, its input keys
// and the function that runs it. Each command is one file under commands/ holding one
// `Registration`; adding a command is writing that file and listing it in CMakeLists.txt.

#include "utils/money.h"
#include "result.h"
#include "session.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace mc::cli {

enum class KeyType {
    Text,     // JSON string
    Number,   // JSON number: money, rates, quantities
    Integer,  // JSON number without a fraction: counts, points
    Bool,     // true or false
    Date,     // "yyyy-MM-dd" or "yyyy-MM-dd hh:mm:ss"
    List,     // JSON array, such as the lines of a voucher
};

struct Key {
    QString name;  // the column name where the window edits a column, otherwise a plain word
    KeyType type = KeyType::Text;
    bool required = false;
    QList<Key> itemKeys = {};  // List only: each element is an object with these keys
};

// The parsed input, read through the types its keys were checked against.
class Input {
public:
    explicit Input(QJsonObject object) : object_(std::move(object)) {}
    bool has(const QString& key) const { return object_.contains(key); }
    QStringList keys() const { return object_.keys(); }
    QJsonValue value(const QString& key) const { return object_.value(key); }
    QString text(const QString& key) const { return object_.value(key).toString(); }
    Money money(const QString& key) const { return Money::fromDouble(object_.value(key).toDouble()); }
    double number(const QString& key) const { return object_.value(key).toDouble(); }
    qint64 integer(const QString& key) const { return qint64(object_.value(key).toDouble()); }
    bool flag(const QString& key) const { return object_.value(key).toBool(); }
    QDateTime date(const QString& key) const;
    QJsonArray list(const QString& key) const { return object_.value(key).toArray(); }

private:
    QJsonObject object_;
};

// What a command gives back: on success the values of the output object, on refusal the exact
// message (and any values worth showing beside it).
using Output = Result<QJsonObject>;

struct Command {
    QString name;
    QString menuItem;  // main-menu item name (access/main_menu.cpp) whose permission applies
    QList<Key> keys;
    QList<QStringList> oneOf;  // groups of keys of which exactly one must be given
    std::function<Output(const Input&, const Session&, const QSqlDatabase& accountDb)> run;
    // Keys beyond `keys`, as text or number, are custom member fields by column name; the
    // service names one that does not exist.
    bool customFields = false;
};

// Registers a command while the program starts.
struct Registration {
    explicit Registration(Command command);
};

const Command* findCommand(const QString& name);
QStringList commandNames();

// The usage message for input the command does not take (unknown key, wrong type, missing key),
// or an empty text when the input fits.
QString checkInput(const Command& command, const QJsonObject& input);

}  // namespace mc::cli
