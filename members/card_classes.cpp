#include "card_classes.h"

#include "database.h"
#include "transaction.h"
#include "utils/decimaltext.h"
#include "utils/editcheck.h"
#include "utils/money.h"
#include "utils/namecode.h"

namespace mc::members {

using db::exec;
using db::scalar;

namespace {

constexpr double moneyMax = 10000000;

// `checkfloat` / `checkint` on a field text: an empty text takes the default, a rejected one
// fills `r` with the message and the field to focus.
bool checked(const EditCheck& c, QString& text, const QString& defaultText, Done& r, const char* field)
{
    if (c.outcome == EditCheck::Outcome::UseDefault)
        text = defaultText;
    if (c.accepted())
        return true;
    r = Done::failure(c.message, QLatin1String(field));
    return false;
}

bool floatField(QString& text, const QString& defaultText, const QString& caption, double max, Done& r,
                const char* field)
{
    return checked(checkFloatText(text, caption, 0, max), text, defaultText, r, field);
}

bool intField(QString& text, const QString& caption, int max, Done& r, const char* field)
{
    return checked(checkIntText(text, caption, 0, max), text, QStringLiteral("0"), r, field);
}

Done refuse(const QString& message, const char* field = "")
{
    return Done::failure(message, QLatin1String(field));
}

// Rates and multipliers as typed; empty stays empty.
QVariant number(const QString& text)
{
    return text.trimmed().isEmpty() ? QVariant() : QVariant(text.trimmed().toDouble());
}

// An amount as the exact decimal of the nearest ten-thousandth; empty stays empty.
QVariant money(const QString& text)
{
    return text.trimmed().isEmpty() ? QVariant() : QVariant(Money::fromDouble(text.trimmed().toDouble()).toDouble());
}

// A stored amount, rate or multiplier as the window shows it: "0.00".
QString shown(const QVariant& v)
{
    return v.isNull() ? QString() : fixedText(v.toDouble(), 2);
}

QString amount(const QVariant& v)
{
    return v.isNull() ? QString() : Money::fromDouble(v.toDouble()).text(2);
}

}  // namespace

QStringList cardKinds()
{
    return {countKind, storedValueKind, discountKind};
}

const QList<Validity>& validityChoices()
{
    static const QList<Validity> choices{
        {QStringLiteral("无限期"), 0},       {QStringLiteral("1个月"), 1},  {QStringLiteral("1季度"), 3},
        {QStringLiteral("半年"), 6},         {QStringLiteral("1年"), 12, false, true},
        {QStringLiteral("2年"), 24},         {QStringLiteral("3年"), 36},
        {QStringLiteral("其他"), 0, true},
    };
    return choices;
}

const Validity* findValidity(const QString& text)
{
    for (const Validity& v : validityChoices())
        if (v.text == text)
            return &v;
    return nullptr;
}

void chooseValidity(CardClassForm& form, const QString& text)
{
    const Validity* v = findValidity(text);
    form.timelong = text;
    form.cardyf = QString::number(v ? v->months : 0);
    form.cardts = QStringLiteral("0");
    form.stored.membernf = QStringLiteral("0");
    form.discount.membernf = QStringLiteral("0");
}

// ---- items -------------------------------------------------------------------------------

void describeItem(const QSqlDatabase& db, CardItem& item)
{
    item.className = scalar(db, QStringLiteral("select classname from spclass where classno = ?"), {item.xmclass}).toString();
    item.goodsName = scalar(db, QStringLiteral("select spname from xssp where spno = ?"), {item.xmno}).toString();
}

Done checkCardItem(const QSqlDatabase& db, const CardItem& item, bool countMode)
{
    if (item.xmno.isEmpty() && item.xmclass.isEmpty())
        return refuse(QStringLiteral("商品代码和分类必须选择一项"), "xmno");
    if (item.xmno.isEmpty())
        return Done::success();
    QSqlQuery q = exec(db,
                       QStringLiteral("select c.isfwxsp from xssp g left join spclass c on c.classno = g.spclass "
                                      "where g.spno = ?"),
                       {item.xmno});
    if (!q.next())
        return refuse(QStringLiteral("目前录入的商品代码不存在"), "xmno");
    if (countMode && !q.value(0).toBool())
        return refuse(QStringLiteral("计次卡不能设置非服务性商品"), "xmno");
    return Done::success();
}

void CardItemSet::load(const QSqlDatabase& db, const QString& cardno)
{
    clear();
    QSqlQuery q = exec(db, QStringLiteral("select pid, xmclass, xmno, xfcs, xfzk from cardfj where cardno = ? order by pid"),
                       {cardno});
    while (q.next()) {
        CardItem item{q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(), q.value(3).toInt(),
                      q.value(4).toDouble(), {}, {}};
        rows_.append(item);
    }
    for (CardItem& item : rows_)
        describeItem(db, item);
}

void CardItemSet::clear()
{
    rows_.clear();
    deleted_.clear();
}

void CardItemSet::remove(int row)
{
    if (rows_[row].pid != 0)
        deleted_.append(rows_[row].pid);
    rows_.removeAt(row);
}

void CardItemSet::apply(const QSqlDatabase& db, const QString& cardno) const
{
    for (int pid : deleted_)
        exec(db, QStringLiteral("delete from cardfj where pid = ?"), {pid});
    for (const CardItem& item : rows_) {
        if (item.pid == 0)
            exec(db, QStringLiteral("insert into cardfj(cardno, xmclass, xmno, xfcs, xfzk) values(?, ?, ?, ?, ?)"),
                 {cardno, item.xmclass, item.xmno, item.xfcs, item.xfzk});
        else
            exec(db, QStringLiteral("update cardfj set cardno = ?, xmclass = ?, xmno = ?, xfcs = ?, xfzk = ? where pid = ?"),
                 {cardno, item.xmclass, item.xmno, item.xfcs, item.xfzk, item.pid});
    }
}

// ---- classes -----------------------------------------------------------------------------

Done checkCardClass(CardClassForm& f, EditMode mode)
{
    Done r = Done::success();
    f.cardno = f.cardno.trimmed();
    if (f.cardno.isEmpty())
        return refuse(QStringLiteral("错误,必须录入卡类型代码"), "cardno");
    f.cardno = padzero(f.cardno, 4);
    if (f.cardname.isEmpty())
        return refuse(QStringLiteral("错误,必须录入卡类型名称"), "cardname");
    if (f.cardname.contains(u'[') || f.cardname.contains(u']'))
        return refuse(QStringLiteral("卡类型名称中不能有\"[\"和\"]\"的符号"), "cardname");
    if (!cardKinds().contains(f.classname))
        return refuse(QStringLiteral("错误,必须选择会员卡大类"), "classname");
    const QString zero = QStringLiteral("0");
    if (!floatField(f.cardmoney, zero, QStringLiteral("会员卡价格"), moneyMax, r, "cardmoney") ||
        !floatField(f.cardyajin, zero, QStringLiteral("会员卡押金"), moneyMax, r, "cardyajin") ||
        !floatField(f.hkje, zero, QStringLiteral("换卡费用"), moneyMax, r, "hkje"))
        return r;
    if (!findValidity(f.timelong))
        chooseValidity(f, validityChoices().first().text);
    // The yearly fee belongs to the one-year validity only.
    if (!findValidity(f.timelong)->yearlyFee) {
        f.stored.membernf = zero;
        f.discount.membernf = zero;
    }
    if (!intField(f.cardyf, QStringLiteral("使用期限月份"), 120, r, "cardyf") ||
        !intField(f.cardts, QStringLiteral("使用期限天数"), 4000, r, "cardts"))
        return r;
    if (f.classname == countKind && !intField(f.cardcs, QStringLiteral("消费次数合计"), 1000000, r, "cardcs"))
        return r;
    if (f.classname == storedValueKind) {
        if (!floatField(f.ckqs, {}, QStringLiteral("储值卡设置中储值金额"), moneyMax, r, "ckqs") ||
            !floatField(f.czqs, {}, QStringLiteral("储值卡设置中存入卡内金额"), moneyMax, r, "czqs"))
            return r;
        // A multiplier of 0 would take the money of a top-up and credit nothing.
        if (f.czqs.trimmed().toDouble() <= 0)
            return refuse(QStringLiteral("储值卡设置中存入卡内金额必须大于0"), "czqs");
        if (!floatField(f.stored.zkbl, QStringLiteral("10"), QStringLiteral("储值卡设置中折扣"), 10, r, "svZkbl") ||
            !floatField(f.stored.membernf, zero, QStringLiteral("储值卡设置中每年扣除会费"), moneyMax, r, "svMembernf"))
            return r;
    }
    if (f.classname == discountKind &&
        (!floatField(f.discount.membernf, zero, QStringLiteral("储值卡设置中每年扣除会费"), moneyMax, r, "dMembernf") ||
         !floatField(f.discount.zkbl, QStringLiteral("10"), QStringLiteral("折扣卡设置中折扣"), 10, r, "dZkbl")))
        return r;
    if (mode == EditMode::Viewing)
        return refuse(QStringLiteral("状态出现错误，请关闭窗口，重新打开编辑"));
    return r;
}

Done saveCardClass(const QSqlDatabase& db, CardClassForm& f, EditMode mode, const CardItemSet& items)
{
    if (const Done r = checkCardClass(f, mode); !r)
        return r;
    try {
        db::Transaction t(db);
        const bool stored =
            scalar(db, QStringLiteral("select count(*) from cardclass where cardno = ?"), {f.cardno}).toInt() > 0;
        if (mode == EditMode::Adding && stored)
            return refuse(QStringLiteral("错误，卡类型编码不能重复"), "cardno");
        if (mode == EditMode::Editing && !stored)
            return refuse(QStringLiteral("出现错误，无法找到要编辑的卡类型代码"));
        if (mode == EditMode::Adding)
            exec(db, QStringLiteral("insert into cardclass(cardno) values(?)"), {f.cardno});

        exec(db,
             QStringLiteral("update cardclass set cardname = ?, classname = ?, cardmoney = ?, cardyajin = ?, "
                            "timelong = ?, cardyf = ?, cardts = ?, hkje = ? where cardno = ?"),
             {f.cardname, f.classname, money(f.cardmoney), money(f.cardyajin), f.timelong, f.cardyf.toInt(),
              f.cardts.toInt(), money(f.hkje), f.cardno});
        // Only the fields of the class's own kind are written; the others stay as they are.
        if (f.classname == countKind) {
            exec(db, QStringLiteral("update cardclass set cardcs = ? where cardno = ?"), {f.cardcs.toInt(), f.cardno});
        } else if (f.classname == storedValueKind) {
            exec(db,
                 QStringLiteral("update cardclass set ckqs = ?, czqs = ?, zkbl = ?, membernf = ?, yxgbzk = ?, "
                                "yxxgscje = ?, zkxffs = ? where cardno = ?"),
                 {number(f.ckqs), number(f.czqs), number(f.stored.zkbl), money(f.stored.membernf), f.stored.yxgbzk,
                  f.yxxgscje, f.stored.zkxffs, f.cardno});
        } else {
            exec(db,
                 QStringLiteral("update cardclass set zkbl = ?, membernf = ?, yxgbzk = ?, zkxffs = ? where cardno = ?"),
                 {number(f.discount.zkbl), money(f.discount.membernf), f.discount.yxgbzk, f.discount.zkxffs, f.cardno});
        }
        items.apply(db, f.cardno);
        t.commit();
    } catch (const db::DbError& e) {
        // Another workstation added the same code since the check.
        if (mode == EditMode::Adding && e.isUniqueViolation())
            return refuse(QStringLiteral("错误，卡类型编码不能重复"), "cardno");
        return refuse(e.saveMessage());
    }
    return Done::success();
}

std::optional<CardClassForm> loadCardClass(const QSqlDatabase& db, const QString& cardno)
{
    QSqlQuery q = exec(db,
                       QStringLiteral("select cardno, cardname, classname, cardmoney, cardyajin, hkje, timelong, cardyf, "
                                      "cardts, cardcs, ckqs, czqs, zkbl, membernf, yxgbzk, yxxgscje, zkxffs "
                                      "from cardclass where cardno = ?"),
                       {cardno});
    if (!q.next())
        return std::nullopt;
    CardClassForm f;
    f.cardno = q.value(0).toString();
    f.cardname = q.value(1).toString();
    f.classname = q.value(2).toString();
    f.cardmoney = amount(q.value(3));
    f.cardyajin = amount(q.value(4));
    f.hkje = amount(q.value(5));
    f.timelong = q.value(6).toString();
    f.cardyf = QString::number(q.value(7).toInt());
    f.cardts = QString::number(q.value(8).toInt());
    f.cardcs = QString::number(q.value(9).toInt());
    f.ckqs = shown(q.value(10));
    f.czqs = shown(q.value(11));
    f.yxxgscje = q.value(15).toBool();
    // Both groups show the stored discount, yearly fee and mode; only the kind's group is saved.
    const DiscountGroup g{shown(q.value(12)), amount(q.value(13)), q.value(14).toBool(), q.value(16).toInt()};
    f.stored = g;
    f.discount = g;
    return f;
}

Done deleteCardClass(const QSqlDatabase& db, const QString& cardno)
{
    try {
        db::Transaction t(db);
        const int members = scalar(db, QStringLiteral("select count(*) from membercurlist where cardno = ?"), {cardno}).toInt();
        if (members > 0)
            return Done::failure(QStringLiteral("该种会员卡存在%1个注册会员，无法删除").arg(members));
        exec(db, QStringLiteral("delete from cardfj where cardno = ?"), {cardno});
        exec(db, QStringLiteral("delete from cardclass where cardno = ?"), {cardno});
        t.commit();
    } catch (const db::DbError& e) {
        return Done::failure(e.saveMessage());
    }
    return Done::success();
}

QList<CardClassEntry> listCardClasses(const QSqlDatabase& db)
{
    QList<CardClassEntry> list;
    QSqlQuery q = exec(db, QStringLiteral("select cardno, cardname, classname from cardclass where cardno <> '0000' order by cardno"));
    while (q.next())
        list.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
    return list;
}

}  // namespace mc::members
