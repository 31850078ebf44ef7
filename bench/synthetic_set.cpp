#include "synthetic_set.h"

#include "checkout.h"
#include "create.h"
#include "data_files.h"
#include "ddl.h"
#include "goods.h"
#include "registration.h"
#include "session.h"
#include "table.h"
#include "transaction.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace bench {

namespace {

using mc::db::exec;
using mc::db::scalar;

constexpr int batchSize = 1000;  // service calls per transaction on the bulk path
constexpr int sampleSize = 300;  // service calls each in its own transaction, to show the rate
constexpr int journalDays = 180;

mc::Session administrator(const QDateTime& at)
{
    return {QStringLiteral("735146"), QStringLiteral("系统管理员"), QStringLiteral("管理员"), {}, {}, at};
}

[[noreturn]] void refusedAt(const QString& what, const QString& message)
{
    throw mc::db::DbError(what + QStringLiteral("：") + message, QStringLiteral("0"));
}

// Copies every row of the SQLite set `from` into `to`, leaving the keys to the target's sequences.
void copyRows(const QSqlDatabase& from, const QSqlDatabase& to)
{
    mc::db::Transaction t(to);
    for (const schema::Table& table : schema::accountSetTables()) {
        const QString name = QString::fromStdString(schema::quoteName(table.name));
        QStringList columns, marks;
        for (const schema::Column& c : table.columns)
            if (c.type != schema::ColumnType::AutoKey) {
                columns << QString::fromStdString(schema::quoteName(c.name));
                marks << QStringLiteral("?");
            }
        QSqlQuery rows = exec(from, QStringLiteral("select %1 from %2").arg(columns.join(u','), name));
        const QString insert =
            QStringLiteral("insert into %1(%2) values(%3)").arg(name, columns.join(u','), marks.join(u','));
        while (rows.next()) {
            QVariantList values;
            int n = 0;
            for (const schema::Column& c : table.columns) {
                if (c.type == schema::ColumnType::AutoKey)
                    continue;
                const QVariant v = rows.value(n++);
                values << (c.type == schema::ColumnType::Boolean && !v.isNull() ? QVariant(v.toBool()) : v);
            }
            exec(to, insert, values);
        }
    }
    t.commit();
}

// The demonstration set's classes, staff, accounts and goods, without its members.
void buildBase(const QString& folder, const QString& file)
{
    const QString templatePath = folder + QStringLiteral("modal.cdd");
    if (!QFileInfo::exists(templatePath))
        mc::buildTemplate(templatePath);
    mc::buildDemoSet(templatePath, file);
}

QSqlDatabase openSqliteSet(const Options& o, const QString& connection)
{
    const QString folder = QDir::cleanPath(QDir(o.data).absolutePath()) + u'/';
    QDir().mkpath(folder);
    const QString file = folder + QStringLiteral("bench-%1-%2.mdb").arg(o.members).arg(o.journal);
    if (!QFileInfo::exists(file)) {
        progress(QStringLiteral("新建 ") + file);
        buildBase(folder, file);
    }
    return mc::db::openSqlite(connection, file);
}

QSqlDatabase openServerSet(const Options& o, const QString& connection)
{
    mc::db::ServerSettings server = *o.pg;
    const QString database = QStringLiteral("mcbench_%1_%2").arg(o.members).arg(o.journal);
    bool exists = false;
    {
        const QSqlDatabase admin = mc::db::openServer(QStringLiteral("bench-admin"), server);
        exists = scalar(admin, QStringLiteral("select count(*) from pg_database where datname = ?"), {database}).toInt() > 0;
        if (!exists)
            exec(admin, QStringLiteral("create database ") + database);
    }
    mc::db::closeConnection(QStringLiteral("bench-admin"));
    server.database = database;
    QSqlDatabase db = mc::db::openServer(connection, server);
    if (!exists) {
        progress(QStringLiteral("新建数据库 ") + database);
        const QString error = schema::createTables(db, schema::accountSetTables());
        if (!error.isEmpty())
            throw mc::db::DbError(error, QStringLiteral("0"));
    }
    // The same base rows as on SQLite, taken from a set built the same way; again after a copy
    // that failed, which left no rows (it is one transaction).
    if (scalar(db, QStringLiteral("select count(*) from cardclass")).toInt() == 0) {
        const QString folder = QDir::cleanPath(QDir(o.data).absolutePath()) + u'/';
        QDir().mkpath(folder);
        const QString base = folder + QStringLiteral("pg-base.mdb");
        QFile::remove(base);
        buildBase(folder, base);
        {
            const QSqlDatabase from = mc::db::openSqlite(QStringLiteral("bench-base"), base);
            copyRows(from, db);
        }
        mc::db::closeConnection(QStringLiteral("bench-base"));
        QFile::remove(base);
    }
    return db;
}

void addGoods(const QSqlDatabase& db)
{
    if (scalar(db, QStringLiteral("select count(*) from xssp where spno = ?"), {goodsNo(goodsCount())}).toInt() > 0)
        return;
    const mc::Session s = administrator(joinedAt());
    for (int g = 1; g <= goodsCount(); ++g) {
        if (scalar(db, QStringLiteral("select count(*) from xssp where spno = ?"), {goodsNo(g)}).toInt() > 0)
            continue;
        mc::sales::Goods goods;
        goods.spclass = QStringLiteral("001");
        goods.spno = goodsNo(g);
        goods.spname = QStringLiteral("测试商品%1").arg(g);
        goods.xsjg = mc::Money::fromDouble(1 + g % 10);
        goods.jhdj = mc::Money::fromDouble(0.5 + g % 10 / 2.0);
        goods.kcsl = 10000000;
        goods.zdzk = 8;
        const mc::Done saved = mc::sales::saveGoods(db, s, goods, mc::sales::GoodsSave::Close);
        if (!saved)
            refusedAt(QStringLiteral("商品 ") + goods.spno, saved.message);
    }
}

// The members registered so far (the cash customer and the timed registrations left out).
int membersBuilt(const QSqlDatabase& db)
{
    return scalar(db, QStringLiteral("select count(*) from membercurlist where memberno <> '0000' and memberno < '90000000'"))
        .toInt();
}

int vouchersBuilt(const QSqlDatabase& db)
{
    return scalar(db, QStringLiteral("select count(*) from memberxx where zmfs = ? and bcdate < ?"),
                  {QStringLiteral("消费"), joinedAt().addDays(journalDays + 1)})
        .toInt();
}

void registerOne(const QSqlDatabase& db, int i)
{
    mc::members::RegistrationInput in;
    in.memberno = memberNo(i);
    in.truecard = cardNo(i);
    in.membername = QStringLiteral("会员%1").arg(i);
    in.sex = i % 2 ? QStringLiteral("男") : QStringLiteral("女");
    in.cardno = QStringList{QStringLiteral("0003"), QStringLiteral("0001"), QStringLiteral("0002")}[i % 3];
    in.deposit = i % 3 == 1 ? QStringLiteral("5000") : QString();
    in.khjkfs = QStringLiteral("现金");
    in.movetel = QStringLiteral("139%1").arg(i, 8, 10, QLatin1Char('0'));
    const auto done = mc::members::registerMember(db, administrator(joinedAt()), {8, 2}, in);
    if (!done)
        refusedAt(QStringLiteral("会员注册 ") + in.memberno, done.message);
}

// Voucher `j`: stored-value and discount members in turn, one to five lines.
void sellOne(const QSqlDatabase& db, int j, int members, int journal)
{
    const int kinds = std::max(1, members / 3);
    const int k = j / 2 % kinds;
    const int member = j % 2 == 0 ? 3 * k + 1 : 3 * k + 2;
    mc::sales::CheckoutInput in;
    in.memberno = memberNo(std::min(member, members));
    for (int l = 0; l <= j % 5; ++l) {
        mc::sales::CheckoutLine line;
        line.spno = goodsNo((j * 7 + l * 13) % goodsCount() + 1);
        line.spnum = 1 + l % 2;
        in.lines.append(line);
    }
    // Spread evenly over the days after the members joined.
    const QDateTime at = joinedAt().addSecs(qint64(j) * journalDays * 86400 / journal);
    const auto done = mc::sales::checkout(db, in, administrator(at));
    if (!done)
        refusedAt(QStringLiteral("消费 %1").arg(j), done.message);
}

// Runs `step` for `from`..`to`: a sample each in its own transaction, the rest in batches.
// Returns rows per second of the batched part.
void build(const QSqlDatabase& db, const QString& what, int from, int to, const std::function<void(int)>& step)
{
    if (from > to)
        return;
    QElapsedTimer timer;
    timer.start();
    const int sampleEnd = std::min(to, from + sampleSize - 1);
    for (int i = from; i <= sampleEnd; ++i)
        step(i);
    const double sampleRate = (sampleEnd - from + 1) * 1000.0 / std::max<qint64>(1, timer.elapsed());
    say(QStringLiteral("build %1: %2 through the service, one transaction each: %3 rows/s")
            .arg(what).arg(sampleEnd - from + 1).arg(sampleRate, 0, 'f', 0));
    if (sampleEnd == to)
        return;
    timer.restart();
    for (int start = sampleEnd + 1; start <= to; start += batchSize) {
        mc::db::Transaction t(db);
        const int end = std::min(to, start + batchSize - 1);
        for (int i = start; i <= end; ++i)
            step(i);
        t.commit();
        progress(QStringLiteral("%1 %2/%3").arg(what).arg(end).arg(to));
    }
    const double rate = (to - sampleEnd) * 1000.0 / std::max<qint64>(1, timer.elapsed());
    say(QStringLiteral("build %1: %2 through the same service, %3 per transaction: %4 rows/s")
            .arg(what).arg(to - sampleEnd).arg(batchSize).arg(rate, 0, 'f', 0));
}

}  // namespace

QString memberNo(int i)
{
    return QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0'));
}

QString cardNo(int i)
{
    return QStringLiteral("C%1").arg(i, 8, 10, QLatin1Char('0'));
}

int goodsCount()
{
    return 200;
}

QString goodsNo(int g)
{
    return QStringLiteral("B%1").arg(g, 4, 10, QLatin1Char('0'));
}

QDateTime joinedAt()
{
    return QDateTime(QDate::currentDate().addDays(-200), QTime(8, 0));
}

QSqlDatabase openSyntheticSet(const Options& o, const QString& connection)
{
    const QSqlDatabase db = o.pg ? openServerSet(o, connection) : openSqliteSet(o, connection);
    const int members = membersBuilt(db);
    const int vouchers = vouchersBuilt(db);
    if (members >= o.members && vouchers >= o.journal) {
        say(QStringLiteral("reusing the account set: %1 members, %2 vouchers").arg(members).arg(vouchers));
        return db;
    }
    addGoods(db);
    build(db, QStringLiteral("members"), members + 1, o.members, [&](int i) { registerOne(db, i); });
    build(db, QStringLiteral("vouchers"), vouchers, o.journal - 1, [&](int j) { sellOne(db, j, o.members, o.journal); });
    return db;
}

}  // namespace bench
