#include "custom_fields.h"

#include "database.h"
#include "ddl.h"
#include "transaction.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSet>
#include <QSqlRecord>

#include <string>

namespace mc::members {

namespace {

const QString memberTable = QStringLiteral("membercurlist");

// Words that cannot stand unquoted as a column name in a query on one of the engines (the
// keywords PostgreSQL reserves, its system columns, the statement words of SQLite): a column
// so named would need quotes in every later query.
const QSet<QString>& reservedWords()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const char* w :
             {"add", "all", "alter", "analyse", "analyze", "and", "any", "array", "as", "asc", "asymmetric",
              "authorization", "autoincrement", "between", "binary", "both", "case", "cast", "check", "cmax", "cmin",
              "collate", "collation", "column", "commit", "concurrently", "constraint", "create", "cross", "ctid",
              "default", "deferrable", "delete", "desc", "distinct", "do", "drop", "else", "end", "escape", "except",
              "exists", "false", "fetch", "for", "foreign", "freeze", "from", "full", "grant", "group", "having",
              "ilike", "in", "index", "initially", "inner", "insert", "intersect", "into", "is", "isnull", "join",
              "key", "lateral", "leading", "left", "like", "limit", "localtime", "localtimestamp", "natural", "not",
              "nothing", "notnull", "null", "offset", "oid", "on", "only", "or", "order", "outer", "overlaps",
              "placing", "primary", "raise", "references", "returning", "right", "rowid", "select", "set", "similar",
              "some", "symmetric", "table", "tableoid", "tablesample", "temp", "then", "to", "trailing",
              "transaction", "true", "union", "unique", "update", "user", "using", "values", "variadic", "verbose",
              "when", "where", "window", "with", "xmax", "xmin"})
            set.insert(QLatin1String(w));
        return set;
    }();
    return words;
}

bool columnExists(const QSqlDatabase& db, const QString& name)
{
    const QSqlRecord record = db.record(memberTable);
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    // A definition whose column went missing still holds the name.
    return db::scalar(db, QStringLiteral("select count(*) from selffields where lower(fieldname) = ?"), {name.toLower()})
               .toInt() > 0;
}

bool isIdentifier(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z][A-Za-z0-9]{0,49}$"));
    return pattern.match(name).hasMatch();
}

int lengthOf(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}

}  // namespace

Done checkNewField(const QSqlDatabase& db, const FieldDefinition& f)
{
    const QString nameField = QStringLiteral("fieldname");
    const QString name = f.name.trimmed();
    if (!name.isEmpty() && columnExists(db, name))
        return Done::failure(QStringLiteral("错误，该字段已存在数据表中"), nameField);
    if (name.isEmpty())
        return Done::failure(QStringLiteral("错误，必须输入字段名称"), nameField);
    if (!isIdentifier(name))
        return Done::failure(QStringLiteral("错误，字段名称只能由字母和数字组成，以字母开头，最长50个字符"), nameField);
    if (reservedWords().contains(name.toLower()))
        return Done::failure(QStringLiteral("错误，字段名称是数据库的保留字，请换一个名称"), nameField);
    if (f.type.isEmpty())
        return Done::failure(QStringLiteral("错误，必须选择字段类型"), QStringLiteral("fieldclass"));
    if (!fieldTypes.contains(f.type))
        return Done::failure(QStringLiteral("错误，字段类型不在选择列表中"), QStringLiteral("fieldclass"));
    if (!f.length.trimmed().isEmpty() && !QRegularExpression(QStringLiteral("^[0-9]+$")).match(f.length.trimmed()).hasMatch())
        return Done::failure(QStringLiteral("错误，字段长度必须是数字"), QStringLiteral("fieldlong"));
    return Done::success();
}

QString addColumnStatement(const QSqlDatabase& db, const FieldDefinition& f, const QDate& today)
{
    const std::string name = f.name.trimmed().toStdString();
    const std::string dateDefault = "'" + db::canonical(today.startOfDay()).toStdString() + "'";
    schema::Column column{name, schema::ColumnType::Memo};
    const int length = lengthOf(f.length);
    const qsizetype type = fieldTypes.indexOf(f.type);
    if (type == 0 && length > 0)
        column = {name, schema::ColumnType::Text, length};
    else if (type == 1)
        column = {name, schema::ColumnType::Integer};
    else if (type == 2)
        column = {name, schema::ColumnType::Double};
    else if (type == 3)
        column = {name, schema::ColumnType::DateTime};
    if (f.required) {
        if (type == 1 || type == 2)
            column.defaultKind = schema::Default::Zero;
        else {
            column.defaultKind = schema::Default::Value;
            column.defaultValue = type == 3 ? std::string_view(dateDefault) : std::string_view();
        }
    }
    const schema::Table table{"membercurlist", {}, {}};
    const std::string definition = schema::columnDefinition(table, column, db::engineOf(db));
    return QStringLiteral("alter table membercurlist add column ") + QString::fromStdString(definition) +
           (f.required ? QStringLiteral(" not null") : QStringLiteral(" null"));
}

Done addCustomField(const QSqlDatabase& db, const FieldDefinition& f, const QDate& today)
{
    try {
        // The check reads the table, so it runs inside the transaction that changes it.
        db::Transaction t(db);
        if (const Done checked = checkNewField(db, f); !checked)
            return checked;
        db::exec(db, addColumnStatement(db, f, today));
        const int order = db::scalar(db, QStringLiteral("select coalesce(max(xssx), 0) from selffields")).toInt() + 1;
        db::exec(db,
                 QStringLiteral("insert into selffields(fieldname, display, fieldclass, fieldlong, \"default\", usezj, "
                                "zjname, useime, iszero, isbx, isxs, xssx, xswidth, sysfield) "
                                "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {f.name.trimmed(), f.display, f.type, f.length.trimmed(), f.defaultValue, f.useSubset,
                  f.useSubset ? f.subset.trimmed() : QString(), f.useIme, true, f.required, true, order, 0, false});
        t.commit();
        return Done::success({}, QStringLiteral("保存完成"));
    } catch (const db::DbError&) {
        return Done::failure(QStringLiteral("错误，无法建立新字段，可能是正在使用表或者字段名重复"));
    }
}

Done dropCustomField(const QSqlDatabase& db, int pid)
{
    const Done failed = Done::failure(QStringLiteral("删除失败"));
    try {
        QSqlQuery row = db::exec(db, QStringLiteral("select fieldname, sysfield from selffields where pid = ?"), {pid});
        if (!row.next() || row.value(1).toBool())
            return failed;
        const QString name = row.value(0).toString();
        db::Transaction t(db);
        // The name came from this program, but it goes into DDL: check it once more.
        if (isIdentifier(name) && db.record(memberTable).contains(name))
            db::exec(db, QStringLiteral("alter table membercurlist drop column ") + QString::fromStdString(schema::quoteName(name.toStdString())));
        db::exec(db, QStringLiteral("delete from selffields where pid = ?"), {pid});
        t.commit();
        return Done::success({}, QStringLiteral("删除成功"));
    } catch (const db::DbError&) {
        return failed;
    }
}

namespace {

QList<CustomField> readDefinitions(const QSqlDatabase& db, bool onlyExisting)
{
    const QSqlRecord record = db.record(memberTable);
    QList<CustomField> list;
    QSqlQuery q = db::exec(db, QStringLiteral("select pid, fieldname, display, fieldclass, fieldlong, \"default\", usezj, "
                                              "zjname, useime, iszero, xssx from selffields "
                                              "where sysfield = ? order by xssx, pid"),
                           {false});
    while (q.next()) {
        CustomField f;
        f.pid = q.value(0).toInt();
        f.name = q.value(1).toString();
        bool present = false;
        for (int i = 0; i < record.count() && !present; ++i)
            present = record.fieldName(i).compare(f.name, Qt::CaseInsensitive) == 0;
        if (onlyExisting && !present)
            continue;
        f.display = q.value(2).toString();
        f.type = q.value(3).toString();
        f.length = lengthOf(q.value(4).toString());
        f.defaultValue = q.value(5).toString();
        f.useSubset = q.value(6).toBool();
        f.subset = q.value(7).toString();
        f.useIme = q.value(8).toBool();
        f.mustFill = q.value(9).toBool();
        f.order = q.value(10).toInt();
        list << f;
    }
    return list;
}

}  // namespace

QVariant typedValue(const CustomField& field, const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QVariant(QMetaType(QMetaType::QString));  // null
    bool ok = true;
    QVariant v;
    if (field.type == QStringLiteral("整数")) {
        v = t.toInt(&ok);
    } else if (field.type == QStringLiteral("小数")) {
        v = t.toDouble(&ok);
    } else if (field.type == QStringLiteral("日期")) {
        const QDate d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
        ok = d.isValid();
        v = d.startOfDay();
    } else {
        v = text;
    }
    return ok ? v : QVariant();
}

QList<CustomField> customFields(const QSqlDatabase& db)
{
    return readDefinitions(db, true);
}

QList<CustomField> customDefinitions(const QSqlDatabase& db)
{
    return readDefinitions(db, false);
}

QStringList subsetNames(const QSqlDatabase& db)
{
    return db::firstColumn(db, QStringLiteral("select distinct zjname from selffields where zjname <> '' order by zjname"));
}

QStringList subsetValues(const QSqlDatabase& db, const QString& subset)
{
    return db::firstColumn(db, QStringLiteral("select xmxx from zjxx where zjname = ? order by pid"), {subset});
}

QList<SubsetValue> subsetEntries(const QSqlDatabase& db, const QString& subset)
{
    QList<SubsetValue> list;
    QSqlQuery q = db::exec(db, QStringLiteral("select pid, xmxx from zjxx where zjname = ? order by pid"), {subset});
    while (q.next())
        list.append({q.value(0).toInt(), q.value(1).toString()});
    return list;
}

bool addSubsetValue(const QSqlDatabase& db, const QString& subset, const QString& value)
{
    if (value.trimmed().isEmpty() || subset.isEmpty())
        return false;
    db::exec(db, QStringLiteral("insert into zjxx(zjname, xmxx) values(?, ?)"), {subset, value.trimmed()});
    return true;
}

bool changeSubsetValue(const QSqlDatabase& db, int pid, const QString& value)
{
    if (value.trimmed().isEmpty())
        return false;
    db::exec(db, QStringLiteral("update zjxx set xmxx = ? where pid = ?"), {value.trimmed(), pid});
    return true;
}

void removeSubsetValue(const QSqlDatabase& db, int pid)
{
    db::exec(db, QStringLiteral("delete from zjxx where pid = ?"), {pid});
}

QList<DisplaySetting> displaySettings(const QSqlDatabase& db)
{
    QList<DisplaySetting> list;
    QSqlQuery q = db::exec(db, QStringLiteral("select pid, fieldname, display, isxs, xssx, xswidth from selffields order by xssx, pid"));
    while (q.next())
        list.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(), q.value(3).toBool(),
                     q.value(4).toInt(), q.value(5).toInt()});
    return list;
}

void saveDisplaySetting(const QSqlDatabase& db, const DisplaySetting& s)
{
    db::exec(db, QStringLiteral("update selffields set isxs = ?, xssx = ?, xswidth = ? where pid = ?"),
             {s.shown, s.order, s.width, s.pid});
}

}  // namespace mc::members
