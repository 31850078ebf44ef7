#include "frmmain.h"

#include "counters.h"
#include "database.h"
#include "frmchange.h"
#include "frmshow.h"
#include "glyph_icon.h"
#include "globals.h"
#include "help_ui.h"
#include "mdi_arrange.h"
#include "reminder_windows.h"
#include "settings_cache.h"
#include "sqlite_file.h"
#include "start_reminders.h"
#include "utils/helptopics.h"
#include "utils/sysset.h"
#include "window_registry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The help context of the main window and of its menu item 帮助(&H): the introduction page.
constexpr int kIntroductionTopic = 36;
// The window-arrangement items by `windowlist`: 0 cascade, 1 tile horizontally, 2 vertically.
const char* const kArrangements[] = {"N23", "N24", "N25"};

QSqlDatabase accountDb()
{
    return QSqlDatabase::database(mc::db::accountConnection, false);
}

// Tool-bar buttons by hint, the menu item each stands for and the character of its picture;
// empty names are separators.
struct ToolButton {
    QString hint;
    QString name;
    QString glyph;
};

const QList<ToolButton>& toolBarButtons()
{
    static const QList<ToolButton> buttons = {
        {QStringLiteral("会员注册"), QStringLiteral("N8"), QStringLiteral("注")},
        {QStringLiteral("会员管理"), QStringLiteral("N9"), QStringLiteral("管")},
        {QStringLiteral("会员消费"), QStringLiteral("M1"), QStringLiteral("消")},
        {},
        {QStringLiteral("会员帐目"), QStringLiteral("N11"), QStringLiteral("帐")},
        {QStringLiteral("操作员账目"), QStringLiteral("M3"), QStringLiteral("操")},
        {QStringLiteral("商品进销查询"), QStringLiteral("N14"), QStringLiteral("商")},
        {QStringLiteral("积分兑换"), QStringLiteral("J3"), QStringLiteral("兑")},
        {},
        {QStringLiteral("公司员工"), QStringLiteral("R1"), QStringLiteral("员")},
        {},
        {QStringLiteral("考勤结果导入"), QStringLiteral("K1"), QStringLiteral("勤")},
        {QStringLiteral("工资计算"), QStringLiteral("G3"), QStringLiteral("资")},
        {},
        {QStringLiteral("交接班"), QStringLiteral("N30"), QStringLiteral("班")},
        {QStringLiteral("交接班查询"), QStringLiteral("C2"), QStringLiteral("查")},
    };
    return buttons;
}

// One tile colour per group of the tool bar.
const QColor kGroupColours[] = {QColor(0x2e, 0x7d, 0x32), QColor(0x15, 0x65, 0xc0), QColor(0x6a, 0x1b, 0x9a),
                                QColor(0xef, 0x6c, 0x00), QColor(0x00, 0x83, 0x8f)};

struct PanelPage {
    const char* headerName;
    QString header;
    const char* pageName;
    QList<QPair<QString, QString>> buttons;
};

const QList<PanelPage>& panelPages()
{
    static const QList<PanelPage> pages = {
        {"panhygl", QStringLiteral("会员管理"), "panhyglb",
         {{QStringLiteral("会员管理"), QStringLiteral("N9")}, {QStringLiteral("消费"), QStringLiteral("M1")},
          {QStringLiteral("积分兑换"), QStringLiteral("D1")}, {QStringLiteral("会员注册"), QStringLiteral("N8")}}},
        {"panjcsz", QStringLiteral("基础设置"), "panjsset",
         {{QStringLiteral("会员卡类型设置"), QStringLiteral("N3")}, {QStringLiteral("商品设置"), QStringLiteral("S1")},
          {QStringLiteral("员工录入"), QStringLiteral("R1")}}},
        {"pancxtj", QStringLiteral("查询与统计"), "pancxtjb",
         {{QStringLiteral("会员帐目"), QStringLiteral("N11")}, {QStringLiteral("操作员帐目"), QStringLiteral("M3")},
          {QStringLiteral("商品进销"), QStringLiteral("N14")}, {QStringLiteral("营业日报表"), QStringLiteral("B2")},
          {QStringLiteral("营业月报表"), QStringLiteral("O1")}}},
    };
    return pages;
}

}  // namespace

Tfrmmain::Tfrmmain(QWidget* parent)
    : QMainWindow(parent), mdi_(new QMdiArea(this)), consumptionTimer_(new QTimer(this)), reminderTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("frmmain"));
    mc::settings.jeblxs = 2;  // until the settings row is read
    for (QTimer* t : {consumptionTimer_, reminderTimer_}) {
        t->setSingleShot(true);
        t->setInterval(100);
    }
    connect(consumptionTimer_, &QTimer::timeout, this, &Tfrmmain::openConsumption);
    connect(reminderTimer_, &QTimer::timeout, this, &Tfrmmain::runReminders);
    mdi_->setObjectName(QStringLiteral("mdi"));
    mc::setGradientBackground(mdi_, QColor(0x5d, 0x7f, 0xa3), QColor(0x2c, 0x3e, 0x55));
    // Children keep their minimum sizes when tiled; what then lies outside the area scrolls into view.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Every window from here on carries the program's icon, not the toolkit's.
    QApplication::setWindowIcon(mc::programIcon());
    setWindowIcon(mc::programIcon());
    // The caption already names the program; the platform would add the name a second time to
    // a caption that does not end with it, as "… - [商品信息设置]" of a maximised child.
    QGuiApplication::setApplicationDisplayName(QString());
    setCentralWidget(mdi_);
    buildMenu();
    buildToolBar();
    buildLeftPanel();
    for (int width : {200, 100, 100, 100, 100, 150}) {
        auto* panel = new QLabel(this);
        panel->setMinimumWidth(width);
        statusBar()->addWidget(panel);
    }
    mc::setHelpContext(this, kIntroductionTopic);
    mc::installHelpKey(this);
}

void Tfrmmain::buildMenu()
{
    for (const mc::MenuItem& top : mc::mainMenu()) {
        QMenu* menu = menuBar()->addMenu(top.caption);
        menu->setObjectName(top.name);
        actions_.insert(top.name, menu->menuAction());
        addItems(menu, top.children);
    }
    for (const char* name : kArrangements)
        actions_.value(QLatin1String(name))->setCheckable(true);
}

void Tfrmmain::addItems(QMenu* menu, const QList<mc::MenuItem>& items)
{
    for (const mc::MenuItem& item : items) {
        if (item.isSeparator()) {
            menu->addSeparator();
        } else if (!item.children.isEmpty()) {
            QMenu* sub = menu->addMenu(item.caption);
            sub->setObjectName(item.name);
            actions_.insert(item.name, sub->menuAction());
            addItems(sub, item.children);
        } else {
            QAction* a = menu->addAction(item.caption);
            a->setObjectName(item.name);
            if (!item.shortcut.isEmpty())
                a->setShortcut(QKeySequence(item.shortcut));
            const QString name = item.name;
            connect(a, &QAction::triggered, this, [this, name] { trigger(name); });
            actions_.insert(item.name, a);
        }
    }
}

void Tfrmmain::buildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setIconSize(QSize(32, 32));
    int group = 0;
    for (const ToolButton& button : toolBarButtons()) {
        if (button.name.isEmpty()) {
            bar->addSeparator();
            ++group;
            continue;
        }
        auto* b = new QToolButton(bar);
        b->setText(button.hint);
        b->setToolTip(button.hint);
        b->setIcon(mc::glyphIcon(button.glyph, kGroupColours[group]));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        const QString target = button.name;
        connect(b, &QToolButton::clicked, this, [this, target] { trigger(target); });
        bar->addWidget(b);
        standsFor_.insert(b, button.name);
    }
}

void Tfrmmain::buildLeftPanel()
{
    auto* dock = new QToolBar(QStringLiteral("导航"), this);
    dock->setObjectName(QStringLiteral("leftPanel"));
    dock->setMovable(false);
    auto* panel = new QWidget(dock);
    panel->setMinimumWidth(130);
    auto* layout = new QVBoxLayout(panel);
    for (int i = 0; i < panelPages().size(); ++i) {
        const PanelPage& p = panelPages()[i];
        auto* header = new QPushButton(p.header, panel);
        header->setObjectName(QLatin1String(p.headerName));
        // Headers are bars, set apart from the buttons of their page.
        header->setStyleSheet(QStringLiteral(
            "QPushButton { font-weight: bold; color: white; padding: 6px; border: 1px solid #2c3e55;"
            " border-radius: 3px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5d7fa3, stop:1 #3f5a78); }"
            "QPushButton:hover { background: #6d8fb3; }"));
        connect(header, &QPushButton::clicked, this, [this, i] { showPage(i); });
        auto* page = new QWidget(panel);
        page->setObjectName(QLatin1String(p.pageName));
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 4, 0, 4);  // buttons as wide as the headers
        for (const auto& [caption, name] : p.buttons) {
            auto* b = new QPushButton(caption, page);
            b->setMinimumHeight(40);
            const QString target = name;
            connect(b, &QPushButton::clicked, this, [this, target] { trigger(target); });
            pageLayout->addWidget(b);
            standsFor_.insert(b, name);
        }
        pageLayout->addStretch();
        layout->addWidget(header);
        layout->addWidget(page, 1);
        headers_ << header;
        pages_ << page;
    }
    dock->addWidget(panel);
    addToolBar(Qt::LeftToolBarArea, dock);
    showPage(0);
}

void Tfrmmain::showPage(int page)
{
    // The shown page fills the space between the headers; the others are hidden.
    for (int i = 0; i < pages_.size(); ++i)
        pages_[i]->setVisible(i == page);
}

void Tfrmmain::FormShow()
{
    try {
        state_ = mc::loadStartState(accountDb(), mc::operatorClass);
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
    }
    mc::companyName = state_.companyName;
    setWindowTitle(mc::mainCaption(mc::companyName));

    const auto panels = statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    if (panels.size() >= 3) {
        panels[0]->setText(mc::appPath);
        panels[1]->setText(QStringLiteral("操作员:") + mc::operatorName);
        panels[2]->setText(QStringLiteral("权限:") + mc::operatorClass);
    }

    for (auto it = actions_.begin(); it != actions_.end(); ++it)
        it.value()->setEnabled(state_.enabled.value(it.key(), false));
    for (auto it = standsFor_.begin(); it != standsFor_.end(); ++it)
        it.key()->setEnabled(state_.enabled.value(it.value(), false));
    showPage(0);

    try {
        mc::loadSettingsCache(accountDb());
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
    }
    checkArrangement(mc::settings.windowlist);  // the arrangement itself waits for the user
    mc::cardMode = state_.cardMode;

    try {
        mc::db::openShiftIfNone(accountDb(), mc::operatorCode, mc::operatorName, QDateTime::currentDateTime());
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.saveMessage());
    }
    consumptionTimer_->start();
}

void Tfrmmain::openConsumption()
{
    // The consumption window opens by itself once it exists; the reminders follow it.
    if (const mc::WindowEntry* entry = mc::registeredWindow(QStringLiteral("M1")))
        openWindow(QStringLiteral("M1"), *entry);
    reminderTimer_->start();
}

void Tfrmmain::runReminders()
{
    const QDateTime now = QDateTime::currentDateTime();
    for (mc::Reminder r : mc::reminderOrder()) {
        if (!mc::reminderOn(r, mc::settings))
            continue;
        QStringList members;
        try {
            members = mc::reminderMembers(accountDb(), r, mc::settings, now);
        } catch (const mc::db::DbError& e) {
            // A failing check ends the remaining ones.
            QMessageBox::warning(this, windowTitle(), e.message());
            return;
        }
        const mc::ReminderWindowFactory* create = mc::reminderWindow(r);
        if (members.isEmpty() || !create)
            continue;
        QDialog* window = (*create)(this, members);
        window->exec();
        delete window;
    }
}

void Tfrmmain::trigger(const QString& name)
{
    for (int i = 0; i < 3; ++i) {
        if (name == QLatin1String(kArrangements[i])) {
            arrange(i);
            return;
        }
    }
    if (name == QLatin1String("E2")) {
        close();
    } else if (name == QLatin1String("P2")) {
        auto* w = new Tfrmchange(this);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
    } else if (name == QLatin1String("B3")) {
        manualBackup();
    } else if (name == QLatin1String("N20")) {
        mc::showhelp(this, mc::helpTopic(kIntroductionTopic));
    } else if (const mc::WindowEntry* entry = mc::registeredWindow(name)) {
        openWindow(name, *entry);
    } else {
        // The window behind this item is not built yet; say so instead of doing nothing.
        QMessageBox::information(this, windowTitle(), QStringLiteral("此功能尚未提供"));
    }
}

void Tfrmmain::arrange(int windowlist)
{
    if (windowlist == 0)
        mdi_->cascadeSubWindows();
    else
        mc::tileSubWindows(mdi_, windowlist == 1);
    checkArrangement(windowlist);
    mc::writeint(QStringLiteral("sys"), QStringLiteral("windowlist"), windowlist);
}

void Tfrmmain::checkArrangement(int windowlist)
{
    for (int i = 0; i < 3; ++i)
        actions_.value(QLatin1String(kArrangements[i]))->setChecked(i == windowlist);
}

void Tfrmmain::openWindow(const QString& name, const mc::WindowEntry& entry)
{
    if (entry.kind == mc::WindowEntry::Kind::Modal) {
        QWidget* w = entry.create(this);
        // A plain widget made for a modal entry becomes a dialog of its own, not part of this
        // window, placed over its middle as dialogs are.
        if (!w->isWindow()) {
            w->setWindowFlags(Qt::Dialog);
            w->adjustSize();
            w->move(geometry().center() - w->rect().center());
        }
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setWindowModality(Qt::ApplicationModal);
        w->show();
        return;
    }
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (sub->property("menuName").toString() == name) {
            mdi_->setActiveSubWindow(sub);
            sub->showNormal();
            return;
        }
    }
    QWidget* w = entry.create(nullptr);
    w->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = mdi_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setProperty("menuName", name);
    sub->setWindowIcon(mc::programIcon());
    // Tiling never squeezes a child below the size its controls need.
    sub->setMinimumSize(sub->minimumSizeHint());
    sub->show();
}

void Tfrmmain::manualBackup()
{
    QFileDialog dialog(this, QString(), mc::appPath + QStringLiteral("备份"), QStringLiteral("备份文件(*.bp)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString target = dialog.selectedFiles().constFirst();
    if (QFile::exists(target)) {
        // Yes replaces the file, but only once the new copy is complete.
        if (QMessageBox::question(this, windowTitle(), QStringLiteral("文件已存在，是否替换?")) != QMessageBox::Yes)
            return;
    }
    mdi_->closeAllSubWindows();
    if (mc::db::engineOf(accountDb()) == mc::db::Engine::Postgres) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("服务器帐套由数据库服务器备份，不做文件备份"));
        return;
    }
    // A copy taken through SQLite holds every committed change, the write-ahead log included.
    const QString error = mc::db::replaceWithSqliteBackup(mc::dbFile, target);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("备份失败: ") + error);
        return;
    }
    QMessageBox::information(this, windowTitle(), QStringLiteral("备份完成"));
}

void Tfrmmain::closeEvent(QCloseEvent* event)
{
    if (backupOnClose_ && !mc::operatorCode.isEmpty()) {
        mc::ExitBackupRequest r;
        r.dbFile = mc::dbFile;
        r.appPath = mc::appPath;
        r.accountSet = mc::accountSet;
        r.backupPath = mc::backupPath;
        r.serverSet = mc::db::engineOf(accountDb()) == mc::db::Engine::Postgres;
        Tfrmshow show(r, this);
        show.exec();
    }
    consumptionTimer_->stop();
    reminderTimer_->stop();
    event->accept();
}
