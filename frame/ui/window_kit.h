#pragma once
// What every window of the program shares: the child window of the main window, the entry
// dialog, asking before an action, and showing an operation's result.
//
//     class Tfrmxyz : public mc::ui::MdiChild {
//         Tfrmxyz(QWidget* parent) : MdiChild("frmxyz", QStringLiteral("…"), helpContext, parent) {}
//         void saveClick() { showResult(mc::xyz::save(db_, session, read())); }
//     };
//
// A result that is refused shows its message and puts the focus on the child whose object
// name is the result's `field`, so name the edits after the columns they fill.

#include "result.h"

#include <QDialog>
#include <QString>
#include <QWidget>

#include <functional>

namespace mc::ui {

// Shows a refused result's message (a warning) and focuses its field; a done result with a
// message shows it as information. Returns whether the result is ok.
bool showResult(QWidget* window, bool ok, const QString& message, const QString& field);
template <typename T>
bool showResult(QWidget* window, const mc::Result<T>& r)
{
    return showResult(window, r.ok, r.message, r.field);
}

// Asks `question` (Yes/No) and runs `action` on Yes. Returns whether it ran.
bool confirmThen(QWidget* window, const QString& question, const std::function<void()>& action);

// A child window of the main window's multi-document area: named, captioned, with its help
// topic for F1. With `opensMaximised` it fills the area when first shown.
class MdiChild : public QWidget {
    Q_OBJECT
public:
    MdiChild(const char* objectName, const QString& caption, int helpContext, QWidget* parent = nullptr);

    void setOpensMaximised(bool on) { opensMaximised_ = on; }
    // Closes the child window with its frame in the multi-document area, or itself on its own.
    void closeWindow();

    template <typename T>
    bool showResult(const mc::Result<T>& r) { return mc::ui::showResult(this, r); }
    bool confirmThen(const QString& question, const std::function<void()>& action)
    {
        return mc::ui::confirmThen(this, question, action);
    }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool opensMaximised_ = false;
    bool shownOnce_ = false;
};

// A modal entry dialog: named, captioned, with its help topic.
class EntryDialog : public QDialog {
    Q_OBJECT
public:
    EntryDialog(const char* objectName, const QString& caption, int helpContext, QWidget* parent = nullptr);

    template <typename T>
    bool showResult(const mc::Result<T>& r) { return mc::ui::showResult(this, r); }
    bool confirmThen(const QString& question, const std::function<void()>& action)
    {
        return mc::ui::confirmThen(this, question, action);
    }
};

}  // namespace mc::ui
