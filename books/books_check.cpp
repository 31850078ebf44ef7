#include "books_check.h"

#include "books_rules.h"
#include "database.h"

#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <utility>

namespace mc::books {

namespace {

Money money(const QSqlQuery& q, int column)
{
    return Money::fromDouble(q.value(column).toDouble());
}

// Two decimals as the program shows money, more only where the figure has them, so two figures
// that differ never read alike.
QString figure(Money m)
{
    for (int places = 2; places < 4; ++places)
        if (m.rounded(places) == m)
            return m.text(places);
    return m.text(4);
}

// Whole numbers (uses, points) without decimals unless a row holds a fraction.
QString count(Money m)
{
    return m.rounded(0) == m ? m.text(0) : figure(m);
}

// Rows left over after the check, in a stable order for the report.
template <typename K, typename V>
QList<K> sortedKeys(const QHash<K, V>& hash)
{
    QList<K> keys = hash.keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}

// Reads rows of a statement one after the other, reporting progress as it goes.
class Reader {
public:
    Reader(const QSqlDatabase& db, const Progress& progress, qint64 total)
        : db_(db), progress_(progress), total_(total)
    {
        report();
    }

    template <typename Row>
    void each(const QString& sql, Row row)
    {
        QSqlQuery q = db::exec(db_, sql);
        while (q.next()) {
            row(q);
            if (++done_ % 4096 == 0)
                report();
        }
    }
    void finish()
    {
        done_ = total_;
        report();
    }
    qint64 done() const { return done_; }

private:
    void report()
    {
        if (progress_)
            progress_(done_, total_);
    }
    QSqlDatabase db_;
    const Progress& progress_;
    qint64 total_;
    qint64 done_ = 0;
};

const QString settledJournal = QStringLiteral("from memberxx where issk = true and iszf = false");

qint64 rowsToRead(const QSqlDatabase& db)
{
    qint64 total = 0;
    for (const QString& from :
         {settledJournal, QStringLiteral("from membercurlist"), QStringLiteral("from memberjf"),
          QStringLiteral("from gszh"), QStringLiteral("from actormoney"), QStringLiteral("from xssp"),
          QStringLiteral("from kccl")})
        total += db::scalar(db, QStringLiteral("select count(*) ") + from).toLongLong();
    return total;
}

struct MemberJournal {
    MemberFigures figures;
    QString memberno;  // as the journal names it, for rows whose member is gone
    int rows = 0;
};

void checkMembers(Reader& reader, BooksReport& report)
{
    QHash<qint64, MemberJournal> journals;
    QMap<QString, int> unknownKinds;
    reader.each(QStringLiteral("select memberid, memberno, zmfs, jkfs, zkfs, ckje, xfje, zkhje, bcdkje ")
                    + settledJournal + QStringLiteral(" order by memberid, pid"),
                [&](const QSqlQuery& q) {
                    MemberJournal& j = journals[q.value(0).toLongLong()];
                    j.memberno = q.value(1).toString();
                    ++j.rows;
                    const JournalRow row{q.value(2).toString(), q.value(3).toString(), q.value(4).toString(),
                                         money(q, 5),           money(q, 6),           money(q, 7),
                                         money(q, 8)};
                    if (!applyJournalRow(j.figures, row))
                        ++unknownKinds[row.zmfs];
                });
    for (auto it = unknownKinds.cbegin(); it != unknownKinds.cend(); ++it)
        report.broken << QStringLiteral("会员帐目中有 %1 行的操作类别“%2”没有核对规则").arg(it.value()).arg(it.key());

    QHash<QString, Money> points;
    reader.each(QStringLiteral("select memberno, hdjf, kcjf from memberjf"), [&](const QSqlQuery& q) {
        points[q.value(0).toString()] += pointsMoved(money(q, 1), money(q, 2));
    });

    reader.each(QStringLiteral("select pid, memberno, membername, curmoney, curcs, xfjf, syyhje "
                               "from membercurlist order by pid"),
                [&](const QSqlQuery& q) {
                    ++report.checked.members;
                    const QString who = QStringLiteral("会员 %1 %2").arg(q.value(1).toString(), q.value(2).toString());
                    const MemberFigures expected = journals.take(q.value(0).toLongLong()).figures;
                    const Money curmoney = money(q, 3), curcs = money(q, 4), xfjf = money(q, 5),
                                syyhje = money(q, 6);
                    const Money logged = points.take(q.value(1).toString());
                    if (curmoney != expected.money)
                        report.broken << QStringLiteral("%1：余额为 %2，帐目流水合计为 %3")
                                             .arg(who, figure(curmoney), figure(expected.money));
                    if (curcs != expected.uses)
                        report.broken << QStringLiteral("%1：剩余次数为 %2，帐目流水合计为 %3")
                                             .arg(who, count(curcs), count(expected.uses));
                    if (xfjf != logged)
                        report.broken << QStringLiteral("%1：积分为 %2，积分记录合计为 %3")
                                             .arg(who, count(xfjf), count(logged));
                    if (syyhje != expected.credit)
                        report.broken << QStringLiteral("%1：可抵扣金额为 %2，消费单据推算为 %3")
                                             .arg(who, figure(syyhje), figure(expected.credit));
                });

    // Journal rows left over belong to no member row.
    for (const qint64 memberid : sortedKeys(journals)) {
        const MemberJournal& j = journals[memberid];
        report.broken << QStringLiteral("会员帐目中有 %1 行属于不存在的会员（memberid %2，会员编号 %3）")
                             .arg(j.rows)
                             .arg(memberid)
                             .arg(j.memberno);
    }
    for (const QString& memberno : sortedKeys(points))
        report.broken << QStringLiteral("积分记录中有会员编号 %1 的积分合计 %2，但没有这个会员")
                             .arg(memberno, count(points[memberno]));
}

void checkAccounts(Reader& reader, BooksReport& report)
{
    QHash<QString, Money> ledger;
    QHash<QString, int> ledgerRows;
    reader.each(QStringLiteral("select zhname, skje, zcje from actormoney"), [&](const QSqlQuery& q) {
        const QString account = q.value(0).toString();
        ledger[account] += accountMoved(money(q, 1), money(q, 2));
        ++ledgerRows[account];
    });
    reader.each(QStringLiteral("select zhname, curye from gszh order by pid"), [&](const QSqlQuery& q) {
        ++report.checked.accounts;
        const QString account = q.value(0).toString();
        const Money curye = money(q, 1);
        const Money expected = ledger.take(account);
        ledgerRows.remove(account);
        if (curye != expected)
            report.broken << QStringLiteral("帐户 %1：当前余额为 %2，操作员账目合计为 %3")
                                 .arg(account, figure(curye), figure(expected));
    });
    for (const QString& account : sortedKeys(ledgerRows))
        report.broken << QStringLiteral("操作员账目中有 %1 行的帐户“%2”不存在").arg(ledgerRows[account]).arg(account);
}

void checkStock(Reader& reader, BooksReport& report)
{
    QHash<QString, Money> movements;
    reader.each(QStringLiteral("select spno, jhsl, thsl, xssl from kccl"), [&](const QSqlQuery& q) {
        movements[q.value(0).toString()] += stockMoved(money(q, 1), money(q, 2), money(q, 3));
    });
    // Service goods keep no stock; movements of deleted goods stay behind by design.
    reader.each(QStringLiteral("select g.spno, g.spname, g.kcsl, c.isfwxsp from xssp g "
                               "left join spclass c on c.classno = g.spclass order by g.spno"),
                [&](const QSqlQuery& q) {
                    if (q.value(3).toBool())
                        return;
                    ++report.checked.goods;
                    const Money kcsl = money(q, 2);
                    const Money expected = movements.value(q.value(0).toString());
                    if (kcsl != expected)
                        report.broken << QStringLiteral("商品 %1 %2：库存数量为 %3，库存出入合计为 %4")
                                             .arg(q.value(0).toString(), q.value(1).toString(), count(kcsl),
                                                  count(expected));
                });
}

void checkDocumentNumbers(const QSqlDatabase& db, BooksReport& report)
{
    // Consumption vouchers and points-exchange documents.
    for (const auto& [table, column] : {std::pair{"memberxx", "xfdh"}, std::pair{"jfdhmain", "jfdhdh"}}) {
        const QString where = QStringLiteral(" from %1 where %2 is not null and %2 <> ''")
                                  .arg(QLatin1String(table), QLatin1String(column));
        report.checked.documents +=
            db::scalar(db, QStringLiteral("select count(distinct %1)").arg(QLatin1String(column)) + where).toInt();
        QSqlQuery q = db::exec(db, QStringLiteral("select %1, count(*)").arg(QLatin1String(column)) + where
                                       + QStringLiteral(" group by %1 having count(*) > 1 order by %1")
                                             .arg(QLatin1String(column)));
        while (q.next())
            report.broken << QStringLiteral("单据号 %1 出现了 %2 次").arg(q.value(0).toString()).arg(q.value(1).toInt());
    }
}

}  // namespace

BooksReport checkBooks(const QSqlDatabase& db, const Progress& progress)
{
    BooksReport report;
    Reader reader(db, progress, rowsToRead(db));
    checkMembers(reader, report);
    checkAccounts(reader, report);
    checkStock(reader, report);
    checkDocumentNumbers(db, report);
    report.checked.rowsRead = int(reader.done());
    reader.finish();
    return report;
}

}  // namespace mc::books
