#pragma once
// What the main window reads from the account set when it starts.

#include <QHash>
#include <QSqlDatabase>
#include <QString>

namespace mc {

struct StartState {
    QString companyName;            // "澄岚" when the settings leave it empty
    int cardMode = 1;               // 1 card number, 2 IC card, 3 no card device
    QHash<QString, bool> enabled;   // per main-menu item name
};

// Reads the company name, the reader settings and the class's permissions. Throws db::DbError.
StartState loadStartState(const QSqlDatabase& db, const QString& operatorClass);

// The caption of the main window.
QString mainCaption(const QString& companyName);

}  // namespace mc
