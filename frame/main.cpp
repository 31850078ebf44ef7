// membercard start-up: prepare the data folder, open the catalogue and the demonstration set,
// log in, and run the main window until it closes.

#include "data_files.h"
#include "database.h"
#include "frmmain.h"
#include "frmuserload.h"
#include "globals.h"
#include "members_windows.h"
#include "sales_windows.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("membercard"));
    QApplication::setApplicationDisplayName(QStringLiteral("澄岚会员卡管理软件"));
    QTextStream out(stdout);
    mc::sales::registerWindows();
    mc::members::registerWindows();
    try {
        mc::appPath = mc::chooseAppPath(QCoreApplication::applicationDirPath());
        for (const QString& file : mc::populateDataFolder(mc::appPath))
            out << "已创建: " << file << Qt::endl;
        mc::db::openSqlite(mc::db::catalogueConnection, mc::catalogueFile(mc::appPath));
        // Until a set is picked, the account-set connection stays on the demonstration set.
        mc::db::openSqlite(mc::db::accountConnection, mc::accountSetFile(mc::appPath, mc::demoSetName));
    } catch (const mc::db::DbError& e) {
        QMessageBox::critical(nullptr, QString(), e.text() + QStringLiteral("\n错误:") + e.number());
        return 1;
    }

    {
        Tfrmuserload frmuserload;
        frmuserload.exec();
    }
    if (mc::operatorCode.isEmpty())
        return 0;  // login cancelled: no main window, no backup

    Tfrmmain frmmain;
    frmmain.showMaximized();
    frmmain.FormShow();
    return app.exec();
}
