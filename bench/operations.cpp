#include "operations.h"

#include "checkout.h"
#include "member_lookup.h"
#include "registration.h"
#include "session.h"
#include "synthetic_set.h"

#include <QRandomGenerator>
#include <QSqlQuery>

#include <sys/resource.h>

namespace bench {

namespace {

using mc::db::scalar;

mc::Session cashier()
{
    return {QStringLiteral("735146"), QStringLiteral("系统管理员"), QStringLiteral("管理员"), {}, {},
            QDateTime::currentDateTime()};
}

struct Figures {
    double p50 = 0, p99 = 0;
};

Figures report(const QString& label, const std::vector<qint64>& ns)
{
    const Figures f{quantileMs(ns, 0.5), quantileMs(ns, 0.99)};
    say(QStringLiteral("%1: p50 %2 ms, p99 %3 ms over %4 calls")
            .arg(label, -44)
            .arg(f.p50, 0, 'f', 3)
            .arg(f.p99, 0, 'f', 3)
            .arg(ns.size()));
    return f;
}

// A member of the kind: 1 stored value, 2 discount (see memberNo).
int randomMember(int kind, int members)
{
    const int groups = std::max(1, members / 3);
    return std::min(members, 3 * int(QRandomGenerator::global()->bounded(groups)) + kind);
}

QList<mc::sales::CheckoutLine> fiveLines()
{
    QList<mc::sales::CheckoutLine> lines;
    for (int l = 0; l < 5; ++l) {
        mc::sales::CheckoutLine line;
        line.spno = goodsNo(int(QRandomGenerator::global()->bounded(goodsCount())) + 1);
        lines.append(line);
    }
    return lines;
}

void mustSucceed(bool ok, const QString& what, const QString& message)
{
    if (!ok)
        throw mc::db::DbError(what + QStringLiteral("：") + message, QStringLiteral("0"));
}

std::vector<qint64> timeCheckouts(const QSqlDatabase& db, const Options& o, int kind, const QString& jkfs)
{
    return timeEach(o.ops, [&](int) {
        mc::sales::CheckoutInput in;
        in.memberno = memberNo(randomMember(kind, o.members));
        in.lines = fiveLines();
        if (!jkfs.isEmpty())
            in.jkfs = jkfs;
        const auto done = mc::sales::checkout(db, in, cashier());
        mustSucceed(done.ok, QStringLiteral("消费 ") + in.memberno, done.message);
    });
}

// The rows a five-line stored-value checkout writes, as prepared statements in one transaction:
// the document number, per line the stock, its movement and the line, the member's totals in
// one update, and the voucher. What the service adds on top is its reading and checking.
std::vector<qint64> timeRawCheckouts(const QSqlDatabase& db, const Options& o)
{
    QSqlDatabase conn = db;  // transactions are begun on a non-const handle
    QSqlQuery number(db), stock(db), movement(db), line(db), member(db), voucher(db);
    number.prepare(QStringLiteral("insert into ysydjno(djcode, djclass) values(?, '消费单')"));
    stock.prepare(QStringLiteral("update xssp set kcsl = kcsl - ? where spno = ?"));
    movement.prepare(QStringLiteral("insert into kccl(czsm, jthdate, dj, cbdj, spno, spname, xssl, curkc, xfdh, actor) "
                                    "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    line.prepare(QStringLiteral(
        "insert into xfsp(xfno, memberid, memberno, spno, spname, spdj, ydzkl, spzkl, spnum, zkjg, spjsjg, "
        "spzj, cbdj, actor, lrdate, jsdate, jsr, isfwxsp, istjsp, xfjf, ygid, ygname, dep_id, fwclass, ygtc, "
        "fdh, scip, issc) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    member.prepare(QStringLiteral("update membercurlist set xfze = xfze + ?, xfcs = xfcs + 1, xfjf = xfjf + ?, "
                                  "curmoney = curmoney - ?, syyhje = syyhje + ?, xgdate = ? where pid = ?"));
    voucher.prepare(QStringLiteral(
        "insert into memberxx(memberid, memberno, membername, zmfs, jkfs, ckje, xfje, curye, sjxfje, "
        "zkhje, bcdkje, dkhje, mrzkl, sjzkl, zkfs, otyh, otsk, sjkye, knye, bcxfjf, actor, xfdh, "
        "issk, skdate, bcdate, bcactor, ygid, ygname, dep_id, iszf, fdh, scip, issc) "
        "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const auto run = [](QSqlQuery& q, const QVariantList& values) {
        for (int n = 0; n < values.size(); ++n)
            q.bindValue(n, values[n]);
        if (!q.exec())
            throw mc::db::DbError(q.lastError());
    };
    const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
    return timeEach(o.ops, [&](int i) {
        const QString memberno = memberNo(randomMember(1, o.members));
        const int pid = scalar(db, QStringLiteral("select pid from membercurlist where memberno = ?"), {memberno}).toInt();
        const QString now = mc::db::canonical(QDateTime::currentDateTime());
        const QString xfdh = QStringLiteral("raw%1-%2").arg(stamp).arg(i);
        if (!conn.transaction())
            throw mc::db::DbError(conn.lastError());
        run(number, {xfdh});
        for (int l = 0; l < 5; ++l) {
            const QString spno = goodsNo(int(QRandomGenerator::global()->bounded(goodsCount())) + 1);
            run(stock, {0, spno});  // no quantity: the books of the set stay as they are
            run(movement, {QStringLiteral("销售"), now, 3.0, 1.5, spno, spno, 0, 0.0, xfdh, QStringLiteral("735146")});
            run(line, {xfdh, pid, memberno, spno, spno, 3.0, 10.0, 10.0, 1, 3.0, 3.0, 3.0, 1.5,
                       QStringLiteral("735146"), now, now, QStringLiteral("735146"), false, false, 0,
                       QString(), QString(), QString(), QString(), 0.0, QString(), QString(), false});
        }
        run(member, {0.0, 0, 0.0, 0.0, now, pid});
        run(voucher, {pid, memberno, memberno, QStringLiteral("消费"), QStringLiteral("卡内扣除"), 0.0, 0.0, 0.0, 0.0,
                      0.0, 0.0, 0.0, 10.0, 10.0, QString(), 0.0, 0.0, 0.0, 0.0, 0, QStringLiteral("系统管理员"), xfdh,
                      true, now, now, QStringLiteral("系统管理员"), QString(), QString(), QString(), false, QString(),
                      QString(), false});
        if (!conn.commit())
            throw mc::db::DbError(conn.lastError());
    });
}

// Removes what the raw writes added, so the books of the set still balance.
void removeRawRows(const QSqlDatabase& db)
{
    for (const char* table : {"xfsp", "kccl", "memberxx"}) {
        const char* column = QByteArrayView(table) == "xfsp" ? "xfno" : "xfdh";
        mc::db::exec(db, QStringLiteral("delete from %1 where %2 like 'raw%'").arg(QLatin1String(table), QLatin1String(column)));
    }
    mc::db::exec(db, QStringLiteral("delete from ysydjno where djcode like 'raw%'"));
}

}  // namespace

void measureOperations(const QSqlDatabase& db, const Options& o)
{
    const QDate today = QDate::currentDate();
    const Figures lookup = report(QStringLiteral("card lookup"), timeEach(o.ops, [&](int) {
        const QString card = cardNo(randomMember(1 + int(QRandomGenerator::global()->bounded(2)), o.members));
        const auto found = mc::sales::lookupForCheckout(db, mc::sales::LookupBy::Card, card, today);
        mustSucceed(found.ok, QStringLiteral("查找 ") + card, found.message);
    }));
    const Figures storedValue =
        report(QStringLiteral("checkout save, 5 lines, stored-value card"), timeCheckouts(db, o, 1, {}));
    report(QStringLiteral("checkout save, 5 lines, discount card to 银行卡"), timeCheckouts(db, o, 2, QStringLiteral("银行卡")));

    const int firstNew = 90000000 + scalar(db, QStringLiteral("select count(*) from membercurlist where memberno >= '90000000'")).toInt();
    const Figures registration = report(QStringLiteral("registration, stored-value card"), timeEach(o.ops, [&](int i) {
        mc::members::RegistrationInput in;
        in.memberno = memberNo(firstNew + i);
        in.truecard = cardNo(firstNew + i);
        in.membername = QStringLiteral("新会员%1").arg(i);
        in.cardno = QStringLiteral("0001");
        in.deposit = QStringLiteral("100");
        in.khjkfs = QStringLiteral("现金");
        const auto done = mc::members::registerMember(db, cashier(), {8, 2}, in);
        mustSucceed(done.ok, QStringLiteral("会员注册 ") + in.memberno, done.message);
    }));

    const Figures raw = report(QStringLiteral("the same rows as raw SQL, one transaction"), timeRawCheckouts(db, o));
    removeRawRows(db);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    say(QStringLiteral("peak memory: %1 MB").arg(usage.ru_maxrss / 1024.0, 0, 'f', 1));
    say(QStringLiteral("checkout_save_p50_ms=%1 lookup_p50_ms=%2 register_p50_ms=%3 raw_ratio=%4")
            .arg(storedValue.p50, 0, 'f', 3)
            .arg(lookup.p50, 0, 'f', 3)
            .arg(registration.p50, 0, 'f', 3)
            .arg(raw.p50 > 0 ? storedValue.p50 / raw.p50 : 0, 0, 'f', 2));
}

}  // namespace bench
