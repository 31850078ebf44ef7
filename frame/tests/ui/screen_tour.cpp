// Walks the frame's windows on a real display and saves a screenshot of each, for looking at
// layouts and glyphs by eye: xvfb-run -a -s "-screen 0 1280x1024x24" membercard-screen-tour DIR
// It also prints how long the process took from its start to the painted login window.

#include "app_locale.h"
#include "data_files.h"
#include "database.h"
#include "frame_windows.h"
#include "frmmain.h"
#include "frmuserload.h"
#include "globals.h"
#include "members_windows.h"
#include "password_hash.h"
#include "pickers.h"
#include "register_member_fields.h"
#include "sales_windows.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <unistd.h>

namespace {

QString outDir;

// Milliseconds since this process started, from the kernel's record of its start.
double sinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();  // field 22 of the whole line
    const double up = uptime.readAll().split(' ').value(0).toDouble();
    return (up - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK))) * 1000.0;
}

void shoot(const char* name)
{
    QTest::qWait(300);
    QGuiApplication::primaryScreen()->grabWindow(0).save(outDir + u'/' + QLatin1String(name) + ".png");
}

class FirstPaint : public QObject {
public:
    using QObject::QObject;
    double at = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && at < 0)
            at = sinceProcessStart();
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    mc::useChineseLocale();
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QTextStream out(stdout);
    QTemporaryDir data;
    mc::appPath = data.path() + u'/';
    mc::populateDataFolder(mc::appPath);
    mc::db::openSqlite(mc::db::catalogueConnection, mc::catalogueFile(mc::appPath));
    mc::db::openSqlite(mc::db::accountConnection, mc::accountSetFile(mc::appPath, mc::demoSetName));
    mc::registerFrameWindows();
    mc::members::registerFieldWindows();
    mc::members::registerWindows();
    mc::sales::registerWindows();

    auto* login = new Tfrmuserload;
    FirstPaint paint;
    login->installEventFilter(&paint);
    login->show();
    if (!QTest::qWaitFor([&paint] { return paint.at >= 0; }, 5000))
        out << "the login window was not painted" << Qt::endl;
    out << "login window painted " << qRound(paint.at) << " ms after the process started (first start: data folder built)" << Qt::endl;
    shoot("1-login");
    login->findChild<QLineEdit*>(QStringLiteral("sEdit2"))->setText(QStringLiteral("735146"));
    login->findChild<QLineEdit*>(QStringLiteral("sEdit1"))->setText(mc::initialAdminPassword);
    login->findChild<QPushButton*>(QStringLiteral("sBitBtn1"))->click();
    delete login;

    Tfrmmain main;
    main.setBackupOnClose(false);
    main.setGeometry(main.screen()->availableGeometry());
    main.showMaximized();
    main.FormShow();
    shoot("2-main");
    if (auto* menu = main.findChild<QMenu*>(QStringLiteral("N1"))) {
        main.menuBar()->setActiveAction(menu->menuAction());
        shoot("3-main-menu");
        menu->hide();
    }

    main.action(QStringLiteral("Q1"))->trigger();
    if (auto* qx = main.findChild<QDialog*>(QStringLiteral("frmqx"))) {
        qx->findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(1);
        shoot("4-permissions");
        qx->close();
    }
    main.action(QStringLiteral("T1"))->trigger();
    if (auto* sysset = main.findChild<QDialog*>(QStringLiteral("frmsysset"))) {
        auto* pages = sysset->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            shoot(QStringLiteral("5-settings-%1").arg(i + 1).toLatin1().constData());
        }
        sysset->close();
    }
    main.action(QStringLiteral("G1"))->trigger();
    shoot("6-about");
    if (auto* about = QApplication::activeModalWidget())
        about->close();

    // The child windows: opened, tiled side by side and one above the other, then cascaded.
    main.action(QStringLiteral("S1"))->trigger();
    shoot("7-goods");
    main.action(QStringLiteral("N3"))->trigger();
    shoot("8-card-classes");
    main.action(QStringLiteral("N25"))->trigger();
    shoot("9-tiled-side-by-side");
    main.action(QStringLiteral("N24"))->trigger();
    shoot("10-tiled-one-above-the-other");
    main.action(QStringLiteral("N23"))->trigger();
    shoot("11-cascaded");
    main.findChild<QMdiArea*>(QStringLiteral("mdi"))->closeAllSubWindows();

    for (const char* item : {"N5", "L1"}) {
        main.action(QLatin1String(item))->trigger();
        shoot(item == QLatin1String("N5") ? "12-custom-fields" : "13-custom-field-subsets");
        if (auto* window = QApplication::activeModalWidget())
            window->close();
    }
    Tfrmhyxz members(QSqlDatabase::database(mc::db::accountConnection));
    members.show();
    shoot("14-member-picker");
    members.close();

    // Qt's own buttons, which read in Chinese once its translations are loaded.
    QMessageBox question(QMessageBox::Question, QStringLiteral("澄岚会员卡管理软件"),
                         QStringLiteral("确实要删除该会员吗？"),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    question.show();
    shoot("15-message-box");
    return 0;
}
