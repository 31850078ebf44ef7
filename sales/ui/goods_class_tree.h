#pragma once
// The goods class tree: three characters of the class code per level, nodes labelled
// name[code] with the code kept on the node.

#include "goods.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace mc::ui {

void fillGoodsClassTree(QTreeWidget* tree, const QList<sales::GoodsClass>& classes);
// The class code of a node; empty for none.
QString goodsClassCode(const QTreeWidgetItem* node);

}  // namespace mc::ui
