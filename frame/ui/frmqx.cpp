#include "frmqx.h"

#include "database.h"
#include "dialog_layout.h"
#include "help_ui.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>

namespace {

constexpr int kHelpContext = 10;
constexpr int kNameRole = Qt::UserRole;

QSqlDatabase accountDb()
{
    return QSqlDatabase::database(mc::db::accountConnection, false);
}

// Image 0: a green tick (allowed); image 1: a red cross (not allowed).
QIcon stateIcon(bool allowed)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(allowed ? QColor(0, 150, 60) : QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
    if (allowed) {
        p.drawLine(QPointF(3, 8.5), QPointF(6.5, 12));
        p.drawLine(QPointF(6.5, 12), QPointF(13, 4));
    } else {
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    }
    return QIcon(pixmap);
}

void addNodes(QTreeWidgetItem* parent, const QList<mc::MenuItem>& items)
{
    for (const mc::MenuItem& item : items) {
        if (item.isSeparator())
            continue;
        auto* node = new QTreeWidgetItem(parent, {mc::permissionNodeText(item)});
        node->setData(0, kNameRole, item.name);
        addNodes(node, item.children);
    }
}

}  // namespace

Tfrmqx::Tfrmqx(QWidget* parent) : QDialog(parent), tree_(mc::mainMenu())
{
    setObjectName(QStringLiteral("frmqx"));
    setWindowTitle(QStringLiteral("权限设置"));
    mc::setHelpContext(this, kHelpContext);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMaximumWidth(160);
    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->viewport()->installEventFilter(this);
    TreeView1->installEventFilter(this);
    save_ = mc::namedButton(this, QStringLiteral("保存"), "BitBtn1");
    save_->setEnabled(false);  // until a class is picked
    auto* close = mc::namedButton(this, QStringLiteral("关闭"), "BitBtn2");

    auto* lists = new QHBoxLayout;
    lists->addWidget(ListBox1);
    lists->addWidget(TreeView1, 1);
    mc::layoutWithButtons(this, lists, {save_, close}, 1);
    resize(560, 600);

    connect(ListBox1, &QListWidget::currentRowChanged, this, &Tfrmqx::pickClass);
    connect(save_, &QPushButton::clicked, this, &Tfrmqx::saveClick);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    buildTree();
    try {
        ListBox1->addItems(mc::staffClasses(accountDb()));
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
    }
}

void Tfrmqx::buildTree()
{
    auto* root = new QTreeWidgetItem(TreeView1, {mc::permissionRootText});
    root->setData(0, kNameRole, QString());
    addNodes(root, tree_.topMenus());
    TreeView1->expandAll();
    showStates();
}

void Tfrmqx::showStates()
{
    static const QIcon images[] = {stateIcon(true), stateIcon(false)};
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        const int image = tree_.allowed((*it)->data(0, kNameRole).toString()) ? 0 : 1;
        (*it)->setData(0, ImageIndexRole, image);
        (*it)->setIcon(0, images[image]);
    }
}

void Tfrmqx::pickClass()
{
    QListWidgetItem* current = ListBox1->currentItem();
    save_->setEnabled(current != nullptr);
    if (!current)
        return;
    try {
        tree_.load(mc::loadPermissions(accountDb(), current->text()));
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
    }
    showStates();
}

void Tfrmqx::toggle(QTreeWidgetItem* item)
{
    tree_.toggle(item->data(0, kNameRole).toString());
    showStates();
}

QTreeWidgetItem* Tfrmqx::imageAt(const QPoint& pos) const
{
    QTreeWidgetItem* item = TreeView1->itemAt(pos);
    if (!item)
        return nullptr;
    // The image sits at the start of the item's rectangle, before its text.
    const QRect rect = TreeView1->visualItemRect(item);
    const int imageEnd = rect.left() + TreeView1->iconSize().width() + 6;
    return pos.x() >= rect.left() && pos.x() <= imageEnd ? item : nullptr;
}

bool Tfrmqx::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TreeView1->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            pressed_ = mouse->button() == Qt::LeftButton ? imageAt(mouse->position().toPoint()) : nullptr;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            // A press and release on the same image toggle it.
            if (pressed_ && mouse->button() == Qt::LeftButton && imageAt(mouse->position().toPoint()) == pressed_)
                toggle(pressed_);
            pressed_ = nullptr;
        }
    } else if (watched == TreeView1 && event->type() == QEvent::KeyPress
               && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && TreeView1->currentItem()) {
        toggle(TreeView1->currentItem());  // the same from the keyboard
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tfrmqx::saveClick()
{
    QListWidgetItem* current = ListBox1->currentItem();
    if (!current)
        return;
    try {
        mc::savePermissions(accountDb(), current->text(), tree_.rows());
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.saveMessage());
        return;
    }
    QMessageBox::information(this, windowTitle(), QStringLiteral("保存成功"));
}
