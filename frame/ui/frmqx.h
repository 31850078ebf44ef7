#pragma once
// The permission window: per staff class, which main-menu items may be used.

#include "permission_tree.h"

#include <QDialog>

class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class Tfrmqx : public QDialog {
    Q_OBJECT
public:
    // Each node keeps the number of the image it shows: 0 allowed, 1 not allowed.
    static constexpr int ImageIndexRole = Qt::UserRole + 1;

    explicit Tfrmqx(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTree();
    void pickClass();
    void toggle(QTreeWidgetItem* item);
    void showStates();
    void saveClick();
    // The node under `pos` when `pos` lies on its image, else nullptr.
    QTreeWidgetItem* imageAt(const QPoint& pos) const;

    mc::PermissionTree tree_;
    QListWidget* ListBox1;
    QTreeWidget* TreeView1;
    QPushButton* save_;
    QTreeWidgetItem* pressed_ = nullptr;
};
