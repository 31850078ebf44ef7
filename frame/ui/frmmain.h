#pragma once
// The main window: menus, tool bar, left panel and status bar, a multi-document area for the
// child windows, permissions of the operator's class, the shift start and the exit backup.

#include "main_menu.h"
#include "start_state.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QMdiArea;
class QTimer;
class QMenu;
class QWidget;
namespace mc {
struct WindowEntry;
}

class Tfrmmain : public QMainWindow {
    Q_OBJECT
public:
    explicit Tfrmmain(QWidget* parent = nullptr);

    // The start sequence: caption, status bar, permissions, settings, card mode, shift, and
    // the timers that open the consumption window and then run the reminders.
    void FormShow();
    QAction* action(const QString& name) const { return actions_.value(name); }
    // Set false by tests so that closing does not run the backup.
    void setBackupOnClose(bool on) { backupOnClose_ = on; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void addItems(QMenu* menu, const QList<mc::MenuItem>& items);
    void buildToolBar();
    void buildLeftPanel();
    void showPage(int page);
    void trigger(const QString& name);
    void openWindow(const QString& name, const mc::WindowEntry& entry);
    void manualBackup();
    void arrange(int windowlist);
    void checkArrangement(int windowlist);
    void openConsumption();
    void runReminders();

    QMdiArea* mdi_;
    QHash<QString, QAction*> actions_;
    QList<QWidget*> pages_;
    QList<QWidget*> headers_;
    QHash<QWidget*, QString> standsFor_;  // tool-bar and panel buttons → menu item
    mc::StartState state_;
    bool backupOnClose_ = true;
    QTimer* consumptionTimer_;
    QTimer* reminderTimer_;
};
