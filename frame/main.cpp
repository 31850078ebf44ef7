// membercard start-up: prepare the data folder, open the catalogue and the demonstration set,
// log in, and run the main window until it closes.

#include "app_locale.h"
#include "books_windows.h"
#include "data_files.h"
#include "database.h"
#include "demo_data.h"
#include "frame_windows.h"
#include "frmmain.h"
#include "frmxf.h"
#include "frmuserload.h"
#include "globals.h"
#include "members_windows.h"
#include "register_devices.h"
#include "register_member_fields.h"
#include "register_reports.h"
#include "sales_windows.h"
#include "template_catalogue.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("membercard"));
    QApplication::setApplicationDisplayName(QStringLiteral("澄岚会员卡管理软件"));
    mc::demo::installDemoFiller();
    QTextStream out(stdout);
    if (!mc::useChineseLocale())
        out << "未找到 Qt 的中文翻译，标准按钮将显示英文" << Qt::endl;
    try {
        mc::appPath = mc::chooseAppPath(QCoreApplication::applicationDirPath());
        for (const QString& file : mc::populateDataFolder(mc::appPath))
            out << "已创建: " << file << Qt::endl;
        QStringList unwritten;
        for (const QString& file : mc::reports::installTemplates(mc::appPath, &unwritten))
            out << "已创建: " << file << Qt::endl;
        for (const QString& file : unwritten)
            out << "无法写入: " << file << Qt::endl;
        mc::db::openSqlite(mc::db::catalogueConnection, mc::catalogueFile(mc::appPath));
        // Until a set is picked, the account-set connection stays on the demonstration set.
        mc::db::openSqlite(mc::db::accountConnection, mc::accountSetFile(mc::appPath, mc::demoSetName));
    } catch (const mc::db::DbError& e) {
        QMessageBox::critical(nullptr, QString(), e.message());
        return 1;
    }

    mc::registerFrameWindows();
    mc::devices::registerWindows();
    mc::reports::registerWindows();
    mc::members::registerFieldWindows();
    mc::members::registerWindows();
    mc::sales::registerWindows();
    mc::sales::registerCheckoutWindow();
    mc::books::registerWindows();

    {
        Tfrmuserload frmuserload;
        frmuserload.exec();
    }
    if (mc::operatorCode.isEmpty())
        return 0;  // login cancelled: no main window, no backup

    Tfrmmain frmmain;
    // Without a window manager (a kiosk session) nothing maximises the window; fill the screen.
    frmmain.setGeometry(frmmain.screen()->availableGeometry());
    frmmain.showMaximized();
    frmmain.FormShow();
    return app.exec();
}
