#include "registration.h"

#include "card_classes.h"
#include "counters.h"
#include "custom_fields.h"
#include "database.h"
#include "services.h"
#include "transaction.h"
#include "utils/password.h"
#include "utils/pinyin.h"

#include <cmath>
#include <optional>

namespace mc::members {

using db::exec;
using db::scalar;

namespace {

using Refusal = mc::Result<RegistrationDone>;

const QString dayFormat = QStringLiteral("yyyy-MM-dd");

// Points from money or points: whole numbers, halves to the even neighbour (10.5 → 10).
int halfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// The payment into its account and the operator ledger: the one place registration meets the
// ledger's amount type.
void postLedger(const QSqlDatabase& db, const Session& s, const QString& memberno, const QString& account,
                Money amount)
{
    db::LedgerEntry e;
    e.actorId = s.operatorCode;
    e.actorName = s.operatorName;
    e.memberNo = memberno;
    e.when = s.now;
    e.account = account;
    e.item = QStringLiteral("会员注册");
    e.received = amount;
    e.due = amount;
    db::appendLedgerRow(db, e);
}

// A custom field's value in its column's type: a null value for an empty one, an invalid one
// for a value that does not read as the type. The window hands texts; the command may hand dates.
QVariant customValue(const CustomField& f, const QVariant& given)
{
    if (!given.isValid())
        return QVariant();
    if (given.typeId() == QMetaType::QDateTime || given.typeId() == QMetaType::QDate)
        return f.type == QStringLiteral("日期") ? QVariant(given.toDate().startOfDay()) : QVariant();
    return typedValue(f, given.toString());
}

struct PointsRule {
    bool onDeposit = false;  // jfzt and jffs "存款时积分"
    Money mxfje;             // deposit per point
    bool usetjjf = false;
    int tjjf = 0;
    bool usejsr = false;
    double jsrjf = 0;
};

std::optional<PointsRule> pointsRule(const QSqlDatabase& db)
{
    QSqlQuery q = exec(db, QStringLiteral("select jfzt, jffs, mxfje, usetjjf, tjjf, usejsr, jsrjf from xfjf order by pid"));
    if (!q.next() || !q.value(0).toBool())
        return std::nullopt;
    PointsRule r;
    r.mxfje = Money::fromDouble(q.value(2).toDouble());
    r.onDeposit = q.value(1).toString() == QStringLiteral("存款时积分");
    r.usetjjf = q.value(3).toBool();
    r.tjjf = q.value(4).toInt();
    r.usejsr = q.value(5).toBool();
    r.jsrjf = q.value(6).toDouble();
    return r;
}

void appendPoints(const QSqlDatabase& db, const Session& s, const QString& memberno, const QString& jffs, int hdjf,
                  int curjf)
{
    exec(db,
         QStringLiteral("insert into memberjf(memberno, pdatetime, jffs, hdjf, curjf, actor, fdh, scip, issc) "
                        "values(?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {memberno, s.now, jffs, hdjf, curjf, s.operatorName, s.branch, s.address, false});
}

// Credits the introducer's points and logs them.
void creditIntroducer(const QSqlDatabase& db, const Session& s, const QString& introducer, const QString& jffs,
                      int points)
{
    const double now = db::addTo(db, QStringLiteral("membercurlist"), QStringLiteral("xfjf"), points,
                                 QStringLiteral("memberno"), introducer);
    appendPoints(db, s, introducer, jffs, points, halfEven(now));
}

// The registration points of the new member (not for count cards), crediting the introducer,
// when one exists, on the way. Returns the member's points.
int registrationPoints(const QSqlDatabase& db, const Session& s, const RegistrationDone& m, const QString& introducer,
                       bool introducerExists)
{
    const auto rule = pointsRule(db);
    if (!rule)
        return 0;
    int points = 0;
    // A ratio of whole units, so an exact half stays a half: 1.15 / 0.10 is 11.5, not 11.499999999999998.
    if (rule->onDeposit && rule->mxfje > Money())
        points = halfEven(double(m.khcksj.units()) / double(rule->mxfje.units()));
    if (introducerExists && rule->usetjjf)
        creditIntroducer(db, s, introducer, QStringLiteral("推荐积分"), rule->tjjf);
    if (introducerExists && rule->usejsr && rule->jsrjf != 0)
        creditIntroducer(db, s, introducer, QStringLiteral("介绍人积分"), halfEven(points / rule->jsrjf));
    if (points != 0)
        appendPoints(db, s, m.memberno, QStringLiteral("存款积分"), points, points);
    return points;
}

devices::IcCardData cardData(const RegistrationDone& m, int usemonth, int useday, const QString& cardno)
{
    devices::IcCardData d;
    d.newCard = true;
    d.writeClassAndExpiry = true;
    d.cardNumber = m.truecard;
    d.kindText = m.classname;
    d.classCode = cardno;
    d.value = m.classname == countKind ? m.curcs : m.curmoney.toDouble();
    d.expiryText = (usemonth == 0 && useday == 0 ? QStringLiteral("a") : QStringLiteral("b")) +
                   m.dqdate.toString(dayFormat);
    return d;
}

}  // namespace

namespace {

// The custom columns of the member row, each value in its column's type.
struct CustomColumns {
    QStringList names;
    QVariantList values;
};

mc::Result<CustomColumns> customColumns(const QSqlDatabase& db, QHash<QString, QVariant> given)
{
    CustomColumns out;
    for (const CustomField& f : customFields(db)) {
        const QVariant v = customValue(f, given.contains(f.name) ? given.take(f.name) : QVariant(f.defaultValue));
        if (!v.isValid())
            return mc::Result<CustomColumns>::failure(
                QStringLiteral("自定义字段") + f.caption() + QStringLiteral("的内容不正确"), f.name);
        if (v.isNull() && f.mustFill)
            return mc::Result<CustomColumns>::failure(
                QStringLiteral("自定义字段") + f.caption() + QStringLiteral("不能为空"), f.name);
        out.names << f.name;
        out.values << v;
    }
    if (!given.isEmpty())
        return mc::Result<CustomColumns>::failure(QStringLiteral("自定义字段") + given.constBegin().key() +
                                                  QStringLiteral("不存在"));
    return mc::Result<CustomColumns>::success(out);
}

// The name of the member with this number; nothing when there is none.
std::optional<QString> memberName(const QSqlDatabase& db, const QString& memberno)
{
    if (memberno.isEmpty())
        return std::nullopt;
    QSqlQuery q = exec(db, QStringLiteral("select membername from membercurlist where memberno = ?"), {memberno});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

bool exists(const QSqlDatabase& db, const QString& table, const QString& column, const QString& value)
{
    return scalar(db, QStringLiteral("select count(*) from %1 where %2 = ?").arg(table, column), {value}).toInt() > 0;
}

// Appends the member row and returns its pid.
int insertMember(const QSqlDatabase& db, const Session& s, const RegistrationDone& m, const RegistrationInput& in,
                 const ClassAmounts& cls, const QDate& birthday, const QString& jsrname, const CustomColumns& custom)
{
    QStringList columns = {
        "memberno", "truecard", "membername", "memberpym", "cardno", "cardstatus", "khdate", "dqdate",
        "lastnfdate", "usemonth", "useday", "curmoney", "curcs", "xfjf", "xfze", "xfcs", "sjckje", "ljczje",
        "syyhje", "khkjg", "khyj", "khcksj", "khhjys", "khyhje", "khssje", "khjkfs", "sfzh", "birthday", "sex",
        "gzdw", "txdz", "yzbm", "movetel", "jttel", "worktel", "workcz", "memberphoto", "memberpwd", "rhjsr",
        "jsrname", "xgdate", "xgdh", "bcdate"};
    QVariantList values = {
        m.memberno, m.truecard, m.membername, getpy(m.membername, PinyinWhole, 255), in.cardno,
        QStringLiteral("正常"), m.khdate, m.dqdate, m.khdate, cls.usemonth, cls.useday, m.curmoney.toDouble(),
        m.curcs, m.xfjf, 0, 0, m.khcksj.toDouble(), m.curmoney.toDouble(), 0, m.khkjg.toDouble(),
        m.khyj.toDouble(), m.khcksj.toDouble(), m.khhjys.toDouble(), m.khyhje.toDouble(), m.khssje.toDouble(),
        m.khjkfs, in.sfzh, birthday.isValid() ? QVariant(birthday.startOfDay()) : QVariant(QMetaType(QMetaType::QDateTime)),
        in.sex, in.gzdw, in.txdz, in.yzbm, in.movetel, in.jttel, in.worktel, in.workcz, in.memberphoto,
        in.password.isEmpty() ? QString() : encodepwd(in.password), in.rhjsr, jsrname, s.now, s.branch, s.now};
    columns += custom.names;
    values += custom.values;
    QStringList marks;
    marks.fill(QStringLiteral("?"), columns.size());
    exec(db, QStringLiteral("insert into membercurlist(%1) values(%2)").arg(columns.join(u','), marks.join(u',')),
         values);
    return scalar(db, QStringLiteral("select pid from membercurlist where memberno = ?"), {m.memberno}).toInt();
}

// The opening row of the account journal: uses for count cards, money otherwise.
void appendOpening(const QSqlDatabase& db, const Session& s, const RegistrationDone& m)
{
    const bool count = m.classname == countKind;
    const double opening = count ? m.curcs : m.curmoney.toDouble();
    exec(db,
         QStringLiteral("insert into memberxx(memberid, memberno, membername, zmfs, jkfs, ckje, curye, sjkye, knye, "
                        "sjjkje, sjxfje, zkhje, otyh, xfje, bcxfjf, actor, issk, skdate, bcdate, iszf, fdh, scip, "
                        "issc) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, 0, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {m.pid, m.memberno, m.membername, count ? QStringLiteral("计次开户") : QStringLiteral("开户"), m.khjkfs,
          opening, opening, opening, opening, count ? QVariant(QMetaType(QMetaType::Double)) : m.khcksj.toDouble(),
          m.xfjf, s.operatorName, true, s.now, s.now, false, QString(), s.address, false});
}

}  // namespace

mc::Result<RegistrationDone> registerMember(const QSqlDatabase& db, const Session& session,
                                            const RegistrationSettings& settings, RegistrationInput in,
                                            const IcCardWrite& writeCard)
{
    // Field rules, as the window applies them on leaving each field.
    in.memberno = paddedMemberNo(in.memberno, settings.memberws);
    if (in.cardMode == 2 || in.cardMode == 3)
        in.truecard = in.memberno;
    in.truecard = in.truecard.trimmed();
    in.sfzh = in.sfzh.trimmed();
    std::optional<QDate> identityBirthday;
    if (!in.sfzh.isEmpty()) {
        identityBirthday = birthdayFromIdentity(in.sfzh);
        if (!identityBirthday)
            return Refusal::failure(QStringLiteral("身份证号输入错误"), QStringLiteral("sfzh"));
    }
    Money deposit;
    if (!in.deposit.trimmed().isEmpty()) {
        const auto typed = Money::parse(in.deposit.trimmed());
        if (!typed || *typed < Money())
            return Refusal::failure(QStringLiteral("实存金额录入错误"), QStringLiteral("deposit"));
        deposit = *typed;
    }

    // The checks on save, in their order.
    if (in.memberno.isEmpty())
        return Refusal::failure(QStringLiteral("会员编号必须录入"), QStringLiteral("memberno"));
    if (in.truecard.isEmpty())
        return Refusal::failure(QStringLiteral("卡号必须录入"), QStringLiteral("truecard"));
    if (in.membername.trimmed().isEmpty())
        return Refusal::failure(QStringLiteral("姓名必须录入"), QStringLiteral("membername"));
    if (in.cardno.trimmed().isEmpty())
        return Refusal::failure(QStringLiteral("卡类型必须录入"), QStringLiteral("cardno"));
    if (in.khjkfs.trimmed().isEmpty())
        return Refusal::failure(QStringLiteral("收款方式必须录入"), QStringLiteral("khjkfs"));

    try {
        db::Transaction t(db);

        // Checks that read the database, inside the transaction so nothing changes before the writes.
        const auto custom = customColumns(db, in.custom);
        if (!custom)
            return Refusal::failure(custom);
        if (exists(db, QStringLiteral("membercurlist"), QStringLiteral("memberno"), in.memberno))
            return Refusal::failure(QStringLiteral("错误，会员编号重复,可能存在同号注销人员"), QStringLiteral("memberno"));
        if (exists(db, QStringLiteral("membercurlist"), QStringLiteral("truecard"), in.truecard))
            return Refusal::failure(QStringLiteral("错误，会员卡号重复,可能存在同号注销人员"), QStringLiteral("truecard"));
        const auto cls = classAmounts(db, in.cardno);
        if (!cls)
            return Refusal::failure(QStringLiteral("卡类型不存在"), QStringLiteral("cardno"));
        if (!exists(db, QStringLiteral("gszh"), QStringLiteral("zhname"), in.khjkfs))
            return Refusal::failure(QStringLiteral("收款帐号不存在"), QStringLiteral("khjkfs"));
        const std::optional<QString> introducer = memberName(db, in.rhjsr);

        RegistrationDone m;
        m.memberno = in.memberno;
        m.truecard = in.truecard;
        m.membername = in.membername;
        m.cardname = cls->cardname;
        m.classname = cls->classname;
        m.khjkfs = in.khjkfs;
        m.khdate = in.khdate.isValid() ? in.khdate : session.now;
        m.dqdate = expiryDate(m.khdate, cls->usemonth, cls->useday);
        const Totals totals = registrationTotals(*cls, deposit, in.khyhje, settings.jeblxs);
        m.curmoney = totals.curmoney;
        m.curcs = totals.curcs;
        m.khkjg = cls->khkjg;
        m.khyj = cls->khyj;
        m.khcksj = totals.khcksj;
        m.khhjys = totals.khhjys;
        m.khyhje = in.khyhje;
        m.khssje = totals.khssje;
        const devices::IcCardData card = cardData(m, cls->usemonth, cls->useday, in.cardno);
        if (in.cardMode == 2) {
            if (const Done checked = devices::checkIcData(card); !checked.ok)
                return Refusal::failure(checked.message, QStringLiteral("memberno"));
        }

        // The writes: payment and ledger, points, member, journal, log, counted items. The member
        // row goes in before its journal row so the journal carries the member's pid from the start.
        postLedger(db, session, m.memberno, m.khjkfs, m.khssje);
        m.xfjf = m.classname == countKind ? 0 : registrationPoints(db, session, m, in.rhjsr, introducer.has_value());
        const QDate birthday = in.birthday.isValid() ? in.birthday : identityBirthday.value_or(QDate());
        m.pid = insertMember(db, session, m, in, *cls, birthday, introducer.value_or(QString()), custom.value);
        appendOpening(db, session, m);
        czgc(db, session, m.memberno + m.membername + QStringLiteral("会员注册"));
        exec(db,
             QStringLiteral("insert into memberfj(memberno, xmclass, xmno, xfcs, cscs, bdate, dqdate, isgq) "
                            "select ?, xmclass, xmno, xfcs, xfcs, ?, ?, ? from cardfj where cardno = ?"),
             {m.memberno, m.khdate, m.dqdate, false, in.cardno});

        // The card last: a card that was not written takes the whole registration back.
        if (in.cardMode == 2 && !(writeCard && writeCard(card)))
            return Refusal::failure(QStringLiteral("未完成写卡，无法保存"));

        t.commit();
        return mc::Result<RegistrationDone>::success(m, QStringLiteral("保存完成"));
    } catch (const db::DbError& e) {
        return Refusal::failure(e.saveMessage());
    }
}

}  // namespace mc::members
