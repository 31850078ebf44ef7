#pragma once
// Custom member fields: each one a real column of `membercurlist` with its `selffields` row,
// added and dropped together in one transaction, and the subsets of values (`zjxx`) they may
// be chosen from. Field names reach DDL, so only plain identifiers pass.

#include "result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace mc::members {

// The four "字段类型", as stored in `selffields.fieldclass`.
inline const QStringList fieldTypes = {QStringLiteral("文本"), QStringLiteral("整数"), QStringLiteral("小数"),
                                       QStringLiteral("日期")};

struct FieldDefinition {
    QString name;          // fieldname ("字段名称")
    QString display;       // "显示标题"
    QString type;          // fieldclass, one of fieldTypes
    QString length;        // fieldlong ("字段长度"), digits; empty or 0: no limit
    bool required = true;  // isbx ("必填项"): the column is not null
    bool useIme = false;
    bool useSubset = false;
    QString subset;        // zjname
    QString defaultValue;  // `default`, put into new members
};

// A custom field as the member windows use it.
struct CustomField {
    int pid = 0;
    QString name;
    QString display;
    QString type;
    int length = 0;
    bool useIme = false;
    bool useSubset = false;
    QString subset;
    QString defaultValue;
    bool mustFill = true;  // iszero
    int order = 0;         // xssx

    QString caption() const { return display.isEmpty() ? name : display; }
};

// A field's text in its column's type: a null value for empty text, an invalid one for a
// number or date ("yyyy-MM-dd") that does not read as one.
QVariant typedValue(const CustomField& field, const QString& text);

// The checks before a field is added, in order; refused with the `selffields` column to focus
// (fieldname, fieldclass, fieldlong).
Done checkNewField(const QSqlDatabase& db, const FieldDefinition& field);
// The statement that adds the column on the connection's engine. A required column gets a
// default (empty text, 0, or the day it was added), so a table that holds members takes it.
QString addColumnStatement(const QSqlDatabase& db, const FieldDefinition& field, const QDate& today);

// Adds the column and its `selffields` row (display order after the last) in one transaction,
// the checks included. Done with "保存完成", or refused with the reason.
Done addCustomField(const QSqlDatabase& db, const FieldDefinition& field, const QDate& today);
// Drops the column of the custom field with this `selffields.pid` and deletes the row, both or
// neither. Built-in fields are never dropped. Done with "删除成功", or "删除失败".
Done dropCustomField(const QSqlDatabase& db, int pid);

// Custom fields in display order that exist as `membercurlist` columns. Throws db::DbError.
QList<CustomField> customFields(const QSqlDatabase& db);
// Every custom definition (`sysfield` false) in display order, for the field window's grid.
// Throws db::DbError.
QList<CustomField> customDefinitions(const QSqlDatabase& db);
// Distinct non-empty subset names of `selffields`, sorted. Throws db::DbError.
QStringList subsetNames(const QSqlDatabase& db);
// The values of a subset in the order they were entered. Throws db::DbError.
QStringList subsetValues(const QSqlDatabase& db, const QString& subset);

struct SubsetValue {
    int pid = 0;
    QString value;  // xmxx ("选项")
};
// The subset's rows in the order they were entered. Throws db::DbError.
QList<SubsetValue> subsetEntries(const QSqlDatabase& db, const QString& subset);
// An empty value is not saved: both return false then and change nothing. Throw db::DbError.
bool addSubsetValue(const QSqlDatabase& db, const QString& subset, const QString& value);
bool changeSubsetValue(const QSqlDatabase& db, int pid, const QString& value);
void removeSubsetValue(const QSqlDatabase& db, int pid);

// One row of the field display window: every `selffields` row, built-in ones included.
struct DisplaySetting {
    int pid = 0;
    QString name;     // fieldname ("字段名")
    QString display;  // "显示名称"
    bool shown = true;  // isxs ("是否显示")
    int order = 0;      // xssx ("显示顺序")
    int width = 0;      // xswidth ("显示宽度"), 0 or less: automatic
};
// In display order. Throws db::DbError.
QList<DisplaySetting> displaySettings(const QSqlDatabase& db);
// Writes shown, order and width of the row `setting.pid`. Throws db::DbError.
void saveDisplaySetting(const QSqlDatabase& db, const DisplaySetting& setting);

}  // namespace mc::members
