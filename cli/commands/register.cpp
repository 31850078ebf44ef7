// register: member registration. The keys are the member columns the registration window edits,
// custom fields by their column names, `deposit` (实存金额) and `password`. The card follows this
// workstation's card mode as the window does: mode 1 takes `truecard`, modes 2 and 3 the member
// number, and mode 2 writes the IC card on the reader as the last step of the save.

#include "command.h"
#include "ic_card_io.h"
#include "registration.h"
#include "settings_cache.h"
#include "start_state.h"

#include <algorithm>

namespace mc::cli {

namespace {

using members::RegistrationInput;

// The text columns, each into its field of the input.
const std::pair<const char*, QString RegistrationInput::*> textColumns[] = {
    {"memberno", &RegistrationInput::memberno},   {"truecard", &RegistrationInput::truecard},
    {"membername", &RegistrationInput::membername}, {"sex", &RegistrationInput::sex},
    {"cardno", &RegistrationInput::cardno},       {"khjkfs", &RegistrationInput::khjkfs},
    {"rhjsr", &RegistrationInput::rhjsr},         {"sfzh", &RegistrationInput::sfzh},
    {"gzdw", &RegistrationInput::gzdw},           {"txdz", &RegistrationInput::txdz},
    {"yzbm", &RegistrationInput::yzbm},           {"movetel", &RegistrationInput::movetel},
    {"jttel", &RegistrationInput::jttel},         {"worktel", &RegistrationInput::worktel},
    {"workcz", &RegistrationInput::workcz},       {"memberphoto", &RegistrationInput::memberphoto},
    {"password", &RegistrationInput::password},
};

QList<Key> registerKeys()
{
    QList<Key> keys;
    for (const auto& [column, field] : textColumns)
        keys.append({QLatin1String(column), KeyType::Text});
    keys.append({QStringLiteral("khyhje"), KeyType::Number});
    keys.append({QStringLiteral("deposit"), KeyType::Number});
    keys.append({QStringLiteral("birthday"), KeyType::Date});
    return keys;
}

bool isCommandKey(const QString& key)
{
    static const QList<Key> keys = registerKeys();
    return std::any_of(keys.cbegin(), keys.cend(), [&](const Key& k) { return k.name == key; });
}

Output registerCommand(const Input& input, const Session& session, const QSqlDatabase& db)
{
    loadSettingsCache(db);
    RegistrationInput in;
    in.cardMode = loadStartState(db, session.operatorClass).cardMode;
    for (const auto& [column, field] : textColumns)
        in.*field = input.text(QLatin1String(column));
    in.khyhje = input.money(QStringLiteral("khyhje"));
    if (input.has(QStringLiteral("deposit")))
        in.deposit = input.money(QStringLiteral("deposit")).text(4);
    in.birthday = input.date(QStringLiteral("birthday")).date();
    // Custom fields as the window hands them over: the text typed, read by the field's type.
    for (const QString& key : input.keys())
        if (!isCommandKey(key))
            in.custom.insert(key, input.value(key).toVariant().toString());

    const members::IcCardWrite writeCard = [&db](const devices::IcCardData& card) { return writeIcCard(db, card, true); };
    const auto done = members::registerMember(db, session, {settings.memberws, settings.jeblxs}, in, writeCard);
    if (!done)
        return Output::failure(done);
    const members::RegistrationDone& m = done.value;
    return Output::success({{QStringLiteral("memberno"), m.memberno},
                            {QStringLiteral("truecard"), m.truecard},
                            {QStringLiteral("pid"), m.pid},
                            {QStringLiteral("curmoney"), m.curmoney.toDouble()},
                            {QStringLiteral("curcs"), m.curcs},
                            {QStringLiteral("khhjys"), m.khhjys.toDouble()},
                            {QStringLiteral("khssje"), m.khssje.toDouble()},
                            {QStringLiteral("dqdate"), m.dqdate.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))},
                            {QStringLiteral("xfjf"), m.xfjf}},
                           done.message);
}

const Registration registration{{
    QStringLiteral("register"),
    QStringLiteral("N8"),  // 会员注册
    registerKeys(),
    {},
    registerCommand,
    true,
}};

}  // namespace

}  // namespace mc::cli
