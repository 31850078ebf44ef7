#include "goods_class_tree.h"

#include <QTreeWidget>

namespace mc::ui {

void fillGoodsClassTree(QTreeWidget* tree, const QList<sales::GoodsClass>& classes)
{
    tree->clear();
    // In code order, a code of 3k characters hangs under the last code of 3(k-1) met before it.
    QList<QTreeWidgetItem*> lastOfLevel;
    for (const sales::GoodsClass& c : classes) {
        const qsizetype level = qMax<qsizetype>(1, (c.classno.size() + 2) / 3);
        const QStringList label{c.classname + u'[' + c.classno + u']'};
        QTreeWidgetItem* parent = level > 1 && lastOfLevel.size() >= level - 1 ? lastOfLevel[level - 2] : nullptr;
        auto* node = parent ? new QTreeWidgetItem(parent, label) : new QTreeWidgetItem(tree, label);
        node->setData(0, Qt::UserRole, c.classno);
        lastOfLevel.resize(level);
        lastOfLevel[level - 1] = node;
    }
    tree->expandAll();
}

QString goodsClassCode(const QTreeWidgetItem* node)
{
    return node ? node->data(0, Qt::UserRole).toString() : QString();
}

}  // namespace mc::ui
