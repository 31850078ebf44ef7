#pragma once
// The card class picker (选择卡类别) and the member picker (会员选择). Both hand their choice
// back in the shared pick results of globals.h; callers clear those before opening them. The
// member picker also gives its choice as a value (picked()).

#include "member_pick.h"
#include "window_kit.h"

#include <QSqlDatabase>

#include <optional>

class QTreeWidget;
class QTreeWidgetItem;
namespace mc::ui {
class QueryView;
}

class Tfrmcardclassxz : public mc::ui::EntryDialog {
    Q_OBJECT
public:
    struct Kinds {
        bool count = true;
        bool storedValue = true;
        bool discount = true;
    };
    Tfrmcardclassxz(QSqlDatabase db, Kinds kinds, QWidget* parent = nullptr);

private:
    void buildTree();
    void selectClick();

    QSqlDatabase db_;
    Kinds kinds_;
    QTreeWidget* tree_;
};

class Tfrmhyxz : public mc::ui::EntryDialog {
    Q_OBJECT
public:
    explicit Tfrmhyxz(QSqlDatabase db, QWidget* parent = nullptr);

    // The member chosen; nothing when the picker was closed without a choice.
    const std::optional<mc::members::MemberPick>& picked() const { return picked_; }

private:
    void treeClicked(QTreeWidgetItem* node);
    void selectClick();

    QSqlDatabase db_;
    QTreeWidget* tree_;
    mc::ui::QueryView* members_;
    std::optional<mc::members::MemberPick> picked_;
};
