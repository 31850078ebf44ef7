#pragma once
// The files of the data folder: the account-set catalogue, the template every new account set
// is copied from, and the demonstration account set.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace mc {

// Folder and file names inside the data folder.
QString catalogueFile(const QString& appPath);          // dbconnect.cdd
QString templateFile(const QString& appPath);           // modal/modal.cdd
QString accountSetFile(const QString& appPath, const QString& set);  // <set>/<set>.mdb
inline const QString demoSetName = QStringLiteral("test");
inline const QString demoSetDescription = QStringLiteral("测试帐套");

// The data folder: the program's own folder when it is writable (a portable install),
// otherwise the user's data folder. Always ends in "/".
QString chooseAppPath(const QString& programFolder);

// Builds the template database with every table and the built-in rows.
void buildTemplate(const QString& file);
// Builds an empty catalogue.
void buildCatalogue(const QString& file);
// Copies the template into a new account set, adds the demonstration rows and runs the filler.
void buildDemoSet(const QString& templatePath, const QString& file);

// Members and vouchers come into the demonstration set through the services, which this layer
// cannot call; the programs hand over the function that does it at start. It runs once, right
// after the set is built, and throws db::DbError when it fails.
using DemoFiller = std::function<void(const QSqlDatabase& demoSet)>;
void setDemoFiller(DemoFiller filler);

// Creates the template when it is missing, and the catalogue when it is missing, together with
// the demonstration set listed in it; an existing catalogue is left as it is, so a deleted
// demonstration set does not come back. Returns the files it created. Throws db::DbError.
QStringList populateDataFolder(const QString& appPath);

}  // namespace mc
