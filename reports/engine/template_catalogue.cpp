#include "template_catalogue.h"

#include "database.h"
#include "dialect.h"
#include "template_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace mc::reports {

namespace {

const QString memberList = QStringLiteral(
    "select m.*, c.cardname, c.classname from membercurlist m "
    "left join cardclass c on c.cardno = m.cardno");
const QString latestMember = memberList + QStringLiteral(" order by m.pid desc");
const QString entryMember = memberList + QStringLiteral(
    " where m.memberno in (select memberno from memberxx where pid = (select max(pid) from memberxx))");
const QString renewalMember = memberList + QStringLiteral(
    " where m.memberno in (select memberno from memberxk where pid = (select max(pid) from memberxk))");
const QString entries = QStringLiteral(
    "select x.*, c.cardname, c.classname from memberxx x "
    "left join membercurlist m on m.memberno = x.memberno left join cardclass c on c.cardno = m.cardno");
const QString latestEntry = entries + QStringLiteral(" order by x.pid desc");
const QString latestVoucherLines = QStringLiteral(
    "select p.* from xfsp p where p.xfno in (select xfdh from memberxx where pid = (select max(pid) from memberxx)) "
    "order by p.pid");
const QString consumptionList = QStringLiteral("select * from memberxx order by skdate");
const QString moneyList = QStringLiteral("select * from actormoney order by pdate");
const QString shiftRow = QStringLiteral("select * from actorjs order by pid desc");

QList<TemplateEntry> buildEntries()
{
    const QString P = printSource, O = otherSource, T = tempSource;
    return {
        {"memberzc", "I101", true, {{P, latestMember, true}}},
        {"member", "I102", false, {{P, memberList + QStringLiteral(" order by m.memberno")}}},
        {"memberxk", "I103", true,
         {{P, QStringLiteral("select * from memberxk order by pid desc"), true}, {O, renewalMember, true},
          {T, latestEntry, true}}},
        {"czkcz", "I104", true, {{P, latestEntry, true}, {O, entryMember, true}}},
        {QStringLiteral("储值卡取款"), "I105", true, {{P, latestEntry, true}, {O, entryMember, true}}},
        {"hyxf", "I106", true, {{P, latestEntry, true}, {O, latestVoucherLines}, {T, entryMember, true}}},
        {"hyjdxf", "I107", true, {{P, latestEntry, true}, {O, latestVoucherLines}, {T, entryMember, true}}},
        {"hyjcxf", "I108", true, {{P, latestEntry, true}, {O, entryMember, true}}},
        {"memberxx", "I109", false, {{P, entries + QStringLiteral(" order by x.skdate")}}},
        {"actorzm", "I110", false,
         {{P, QStringLiteral("select a.*, m.membername from actormoney a "
                             "left join membercurlist m on m.memberno = a.memberno order by a.pdate")}}},
        {"memberjf", "I111", false,
         {{P, QStringLiteral("select j.*, m.membername, c.cardname, c.classname from memberjf j "
                             "left join membercurlist m on m.memberno = j.memberno "
                             "left join cardclass c on c.cardno = m.cardno order by j.pdatetime")}}},
        {"spxs", "I112", false,
         {{P, QStringLiteral("select k.*, s.classname, k.jhsl * k.dj as jhze, k.thsl * k.dj as thze, "
                             "k.xssl * k.dj as xsze, k.xssl * (k.dj - k.cbdj) as xsml, k.xsthsl * k.dj as xsthze "
                             "from kccl k left join xssp g on g.spno = k.spno "
                             "left join spclass s on s.classno = g.spclass order by k.jthdate")}}},
        {"spxx", QString(), false,
         {{P, QStringLiteral("select g.*, s.classname from xssp g left join spclass s on s.classno = g.spclass "
                             "order by g.spclass, g.spno")}}},
        {"yggz", "I113", false, {{P, QStringLiteral("select * from gzjsjg order by syear desc, smon desc, ygid")}}},
        {"ygxstj", "I114", false,
         {{P, QStringLiteral("select p.*, s.classname from xfsp p left join xssp g on g.spno = p.spno "
                             "left join spclass s on s.classno = g.spclass order by p.jsdate")}}},
        {"yyrbb", "I115", false, {{P, QStringLiteral("select * from daycount order by pdate, spname")}}},
        {"yymonthbb", "I116", false, {{P, QStringLiteral("select * from monthcount order by pdate, spname")}}},
        {"jjbmxbb", "I117", false, {{P, consumptionList}, {O, moneyList}, {T, shiftRow}}},
        {"jjbhzbb", "I118", false, {{P, consumptionList}, {O, moneyList}, {T, shiftRow}}},
    };
}

}  // namespace

const QList<TemplateEntry>& shippedTemplates()
{
    static const QList<TemplateEntry> list = buildEntries();
    return list;
}

const TemplateEntry* templateEntry(const QString& name)
{
    for (const TemplateEntry& e : shippedTemplates())
        if (e.name == name)
            return &e;
    return nullptr;
}

const TemplateEntry* designEntry(const QString& menuItem)
{
    for (const TemplateEntry& e : shippedTemplates())
        if (!e.designItem.isEmpty() && e.designItem == menuItem)
            return &e;
    return nullptr;
}

QByteArray shippedTemplate(const QString& name)
{
    QFile f(QStringLiteral(":/reports/templates/") + name + QStringLiteral(".fr3"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList installTemplates(const QString& appPath, QStringList* failed)
{
    QStringList written;
    for (const TemplateEntry& e : shippedTemplates()) {
        const QString file = templatePath(appPath, e.name);
        if (QFileInfo::exists(file))
            continue;
        QDir().mkpath(QFileInfo(file).absolutePath());
        QSaveFile out(file);
        const QByteArray data = shippedTemplate(e.name);
        if (!data.isEmpty() && out.open(QIODevice::WriteOnly) && out.write(data) == data.size() && out.commit())
            written << file;
        else if (failed)
            *failed << file;
    }
    return written;
}

Report reportFor(const TemplateEntry& entry, const QSqlDatabase& db, const QString& appPath, int listRows)
{
    Report report;
    report.load(templatePath(appPath, entry.name));
    const db::Dialect dialect(db::engineOf(db));
    for (const SourceQuery& q : entry.queries) {
        QSqlQuery query = db::exec(db, q.sql + dialect.limit(q.oneRow ? 1 : listRows));
        report.bind(q.source, query);
    }
    return report;
}

}  // namespace mc::reports
