#pragma once
// The templates that come with the program: which data sources each receives, the queries
// that give those sources their columns, and installing them into the data folder.

#include "report.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace mc::reports {

struct SourceQuery {
    QString source;  // "frxprint", "frxother" or "frxtemp"
    QString sql;     // a select on the account set; its columns are those the template uses
    bool oneRow = false;  // a receipt's row: the designer needs only the latest one
};

struct TemplateEntry {
    QString name;        // file name without ".fr3"
    QString designItem;  // the 报表设计 menu item that opens it, empty when none
    bool receipt = false;  // printed on the receipt roll
    QList<SourceQuery> queries;
};

const QList<TemplateEntry>& shippedTemplates();
const TemplateEntry* templateEntry(const QString& name);
const TemplateEntry* designEntry(const QString& menuItem);

// The shipped file as it comes with the program; empty for an unknown name.
QByteArray shippedTemplate(const QString& name);

// Writes every shipped template that is missing under appPath; templates already there are
// the users' own and stay as they are. Returns the files written. Throws nothing: a file that
// cannot be written is left out and named in `failed`.
QStringList installTemplates(const QString& appPath, QStringList* failed = nullptr);

// The report of an entry with its template loaded from appPath and each source bound to its
// query on `db` (one row for receipt rows, at most `listRows` rows for lists).
// Throws db::DbError.
Report reportFor(const TemplateEntry& entry, const QSqlDatabase& db, const QString& appPath, int listRows = 200);

}  // namespace mc::reports
