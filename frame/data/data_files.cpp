#include "data_files.h"

#include "create.h"
#include "database.h"
#include "password_hash.h"
#include "sqlite_file.h"
#include "table.h"
#include "transaction.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUuid>

namespace mc {

namespace {

// A connection of its own for building one file, removed on every path.
class BuildConnection {
public:
    explicit BuildConnection(const QString& file, bool create)
        : name_(QStringLiteral("build-") + QUuid::createUuid().toString(QUuid::Id128))
    {
        QDir().mkpath(QFileInfo(file).absolutePath());
        db_ = create ? db::createSqlite(name_, file) : db::openSqlite(name_, file);
    }
    ~BuildConnection()
    {
        db_ = QSqlDatabase();
        db::closeConnection(name_);
    }
    BuildConnection(const BuildConnection&) = delete;
    BuildConnection& operator=(const BuildConnection&) = delete;

    QSqlDatabase& db() { return db_; }

private:
    QString name_;
    QSqlDatabase db_;
};

void createAll(QSqlDatabase& db, const std::vector<schema::Table>& tables)
{
    const QString error = schema::createTables(db, tables);
    if (!error.isEmpty())
        throw db::DbError(error, QStringLiteral("0"));
}

void insert(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    db::exec(db, sql, values);
}

void addTemplateRows(const QSqlDatabase& db)
{
    const QDateTime now = QDateTime::currentDateTime();
    insert(db, QStringLiteral("insert into sysset(memberws) values(?)"), {8});
    insert(db, QStringLiteral("insert into xfjf(jfzt) values(?)"), {false});
    insert(db, QStringLiteral("insert into ygclass(yglbcode, yglb) values(?, ?)"),
           {QStringLiteral("01"), QStringLiteral("管理员")});
    insert(db, QStringLiteral("insert into gsyg(ygid, ygname, yglb, pwd) values(?, ?, ?, ?)"),
           {QStringLiteral("735146"), QStringLiteral("系统管理员"), QStringLiteral("管理员"),
            hashPassword(initialAdminPassword)});
    insert(db, QStringLiteral("insert into gszh(zhname, khr, curye) values(?, ?, ?)"),
           {QStringLiteral("现金"), QString(), 0.0});
    // The reserved class and member "0000" stand for sales without a card: full price, never
    // expiring (dqdate equal to lastnfdate).
    insert(db, QStringLiteral("insert into cardclass(cardno, cardname, classname, timelong, zkbl, "
                              "zkxffs, ckqs, czqs) values(?, ?, ?, ?, ?, ?, ?, ?)"),
           {QStringLiteral("0000"), QStringLiteral("散客"), QStringLiteral("折扣卡"),
            QStringLiteral("无限期"), 10.0, 1, 1.0, 1.0});
    insert(db, QStringLiteral("insert into membercurlist(memberno, truecard, membername, memberpym, "
                              "cardno, cardstatus, khdate, dqdate, lastnfdate, bcdate) "
                              "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
           {QStringLiteral("0000"), QStringLiteral("0000"), QStringLiteral("散客"),
            QStringLiteral("SANKE"), QStringLiteral("0000"), QStringLiteral("正常"), now, now, now,
            now});
}

DemoFiller& demoFiller()
{
    static DemoFiller filler;
    return filler;
}

// A small shop to try the windows on. Members, vouchers and money are left out: they come in
// only through the services that keep journals and ledgers in step.
void addDemoRows(const QSqlDatabase& db)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QString classSql = QStringLiteral(
        "insert into cardclass(cardno, cardname, classname, cardcs, cardmoney, cardyajin, timelong, "
        "cardyf, cardts, membernf, ckqs, czqs, zkbl, yxxgscje, hkje, zkxffs) "
        "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert(db, classSql, {QStringLiteral("0001"), QStringLiteral("金卡"), QStringLiteral("储值卡"), 0,
                          20.0, 0.0, QStringLiteral("1年"), 12, 0, 10.0, 1.0, 1.1, 9.0, false, 5.0, 1});
    insert(db, classSql, {QStringLiteral("0002"), QStringLiteral("银卡"), QStringLiteral("折扣卡"), 0,
                          10.0, 0.0, QStringLiteral("无限期"), 0, 0, 0.0, 1.0, 1.0, 9.5, false, 5.0, 3});
    insert(db, classSql, {QStringLiteral("0003"), QStringLiteral("洗车十次卡"), QStringLiteral("计次卡"),
                          10, 200.0, 0.0, QStringLiteral("半年"), 6, 0, 0.0, 1.0, 1.0, 10.0, false,
                          5.0, 1});

    const QString goodsClassSql =
        QStringLiteral("insert into spclass(classno, classname, isfwxsp) values(?, ?, ?)");
    insert(db, goodsClassSql, {QStringLiteral("001"), QStringLiteral("饮料"), false});
    insert(db, goodsClassSql, {QStringLiteral("002"), QStringLiteral("洗车服务"), true});

    const QString goodsSql = QStringLiteral(
        "insert into xssp(spclass, spno, spname, xsjg, jhdj, pjjhdj, kcsl, zdzk, pyzjf) "
        "values(?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert(db, goodsSql, {QStringLiteral("001"), QStringLiteral("001001"), QStringLiteral("矿泉水"),
                          2.0, 1.0, 1.0, 100.0, 8.0, QStringLiteral("KUANGQUANSHUI")});
    insert(db, goodsSql, {QStringLiteral("001"), QStringLiteral("001002"), QStringLiteral("绿茶"),
                          3.5, 2.0, 2.0, 50.0, 8.0, QStringLiteral("LUCHA")});
    insert(db, goodsSql, {QStringLiteral("002"), QStringLiteral("002001"), QStringLiteral("普通洗车"),
                          30.0, 0.0, 0.0, 0.0, 5.0, QStringLiteral("PUTONGXICHE")});
    insert(db, goodsSql, {QStringLiteral("002"), QStringLiteral("002002"), QStringLiteral("精洗"),
                          80.0, 0.0, 0.0, 0.0, 5.0, QStringLiteral("JINGXI")});
    // The starting stock is a movement like any other, so the movements add up to kcsl.
    const QString stockSql = QStringLiteral(
        "insert into kccl(jthdate, spno, spname, czsm, dj, jhsl, curkc, actor) "
        "values(?, ?, ?, ?, ?, ?, ?, ?)");
    insert(db, stockSql, {now, QStringLiteral("001001"), QStringLiteral("矿泉水"),
                          QStringLiteral("初始"), 1.0, 100.0, 100.0, QStringLiteral("735146")});
    insert(db, stockSql, {now, QStringLiteral("001002"), QStringLiteral("绿茶"),
                          QStringLiteral("初始"), 2.0, 50.0, 50.0, QStringLiteral("735146")});

    insert(db, QStringLiteral("insert into cardfj(cardno, xmclass, xmno, xfcs, xfzk) values(?, ?, ?, ?, ?)"),
           {QStringLiteral("0003"), QString(), QStringLiteral("002001"), 10, 10.0});
    insert(db, QStringLiteral("insert into cardfj(cardno, xmclass, xmno, xfcs, xfzk) values(?, ?, ?, ?, ?)"),
           {QStringLiteral("0001"), QStringLiteral("002"), QString(), 0, 8.0});

    insert(db, QStringLiteral("insert into xfclass(xfclass, jsgzuse) values(?, ?)"),
           {QStringLiteral("普通服务"), QStringLiteral("员工提成1")});
    insert(db, QStringLiteral("insert into zl_dep(dep_id, dep_name, dep_sid) values(?, ?, ?)"),
           {QStringLiteral("01"), QStringLiteral("营业部"), QString()});
    insert(db, QStringLiteral("insert into ygclass(yglbcode, yglb, xstc, tcdx) values(?, ?, ?, ?)"),
           {QStringLiteral("02"), QStringLiteral("收银员"), 0.0, QStringLiteral("按个人提成")});
    insert(db, QStringLiteral("insert into gsyg(ygid, ygname, dep_id, yglb, pwd, sex, pym) "
                              "values(?, ?, ?, ?, ?, ?, ?)"),
           {QStringLiteral("00000001"), QStringLiteral("张三"), QStringLiteral("01"),
            QStringLiteral("收银员"), hashPassword(QStringLiteral("1")), QStringLiteral("男"),
            QStringLiteral("ZHANGSAN")});
    insert(db, QStringLiteral("insert into gszh(zhname, khr, curye) values(?, ?, ?)"),
           {QStringLiteral("银行卡"), QStringLiteral("澄岚"), 0.0});
}

}  // namespace

QString catalogueFile(const QString& appPath)
{
    return appPath + QStringLiteral("dbconnect.cdd");
}

QString templateFile(const QString& appPath)
{
    return appPath + QStringLiteral("modal/modal.cdd");
}

QString accountSetFile(const QString& appPath, const QString& set)
{
    return appPath + set + u'/' + set + QStringLiteral(".mdb");
}

QString chooseAppPath(const QString& programFolder)
{
    QString folder = programFolder;
    // Probe by writing: permission bits say nothing about read-only mounts.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("probe-XXXXXX")));
    if (!probe.open()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(folder);
    }
    folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

void buildTemplate(const QString& file)
{
    BuildConnection c(file, true);
    createAll(c.db(), schema::accountSetTables());
    db::Transaction t(c.db());
    addTemplateRows(c.db());
    t.commit();
}

void buildCatalogue(const QString& file)
{
    BuildConnection c(file, true);
    createAll(c.db(), schema::catalogueTables());
}

void buildDemoSet(const QString& templatePath, const QString& file)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    const QString error = db::backupSqliteFile(templatePath, file);
    if (!error.isEmpty())
        throw db::DbError(error, QStringLiteral("0"));
    try {
        BuildConnection c(file, false);
        db::Transaction t(c.db());
        addDemoRows(c.db());
        t.commit();
        if (demoFiller())
            demoFiller()(c.db());
    } catch (const db::DbError&) {
        // Half a demonstration set is worse than none: the next start builds it again.
        QFile::remove(file);
        throw;
    }
}

void setDemoFiller(DemoFiller filler)
{
    demoFiller() = std::move(filler);
}

QStringList populateDataFolder(const QString& appPath)
{
    QStringList created;
    if (!QFileInfo::exists(templateFile(appPath))) {
        buildTemplate(templateFile(appPath));
        created << templateFile(appPath);
    }
    // The demonstration set comes with a new catalogue only: once the shop has deleted it in
    // 帐套管理 it stays deleted.
    if (QFileInfo::exists(catalogueFile(appPath)))
        return created;
    buildCatalogue(catalogueFile(appPath));
    created << catalogueFile(appPath);
    try {
        const QString demo = accountSetFile(appPath, demoSetName);
        if (!QFileInfo::exists(demo)) {
            buildDemoSet(templateFile(appPath), demo);
            created << demo;
        }
        BuildConnection c(catalogueFile(appPath), false);
        db::exec(c.db(),
                 QStringLiteral("insert into sjklj(ztmc, memo, sjk, lastload, lastyg, ztjlsj) "
                                "values(?, ?, ?, ?, ?, ?)"),
                 {demoSetName, demoSetDescription, 0, true, QStringLiteral("735146"), QDateTime::currentDateTime()});
    } catch (const db::DbError&) {
        // Without its demonstration set the catalogue is not finished: the next start makes both.
        QFile::remove(catalogueFile(appPath));
        throw;
    }
    return created;
}

}  // namespace mc
