#include "frmcardspzkset.h"

#include "dialog_layout.h"
#include "editcheck_ui.h"
#include "form_parts.h"
#include "goods.h"
#include "goods_class_tree.h"
#include "utils/decimaltext.h"
#include "utils/sysset.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace mc::members;
using mc::sales::GoodsChoice;

namespace {

const QString settingsSection = QStringLiteral("spxz");
const QString pinyinKey = QStringLiteral("cardsp");

}  // namespace

Tfrmcardspzkset::Tfrmcardspzkset(QSqlDatabase db, bool countMode, const CardItem& item, Post onPost, QWidget* parent)
    : QDialog(parent), db_(std::move(db)), countMode_(countMode), barcode_(mc::readbool(QStringLiteral("sys"), QStringLiteral("usetm"))),
      post_(std::move(onPost)), className_(new QLineEdit(this)), xmno_(new QLineEdit(this)), goodsName_(new QLineEdit(this)),
      amount_(new QLineEdit(this)), pinyin_(new QCheckBox(QStringLiteral("商品代码使用拼音简码录入"), this)),
      goodsList_(new QListWidget(this)), classTree_(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("frmcardspzkset"));
    setWindowTitle(QStringLiteral("会员卡商品折扣设置"));
    className_->setObjectName(QStringLiteral("xmclass"));
    className_->setReadOnly(true);
    xmno_->setObjectName(QStringLiteral("xmno"));
    goodsName_->setObjectName(QStringLiteral("spname"));
    goodsName_->setReadOnly(true);
    amount_->setObjectName(countMode_ ? QStringLiteral("xfcs") : QStringLiteral("xfzk"));
    amount_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(countMode_ ? QStringLiteral("\\d*") : QStringLiteral("[0-9.]*")), amount_));
    pinyin_->setObjectName(QStringLiteral("pinyin"));
    pinyin_->setChecked(mc::readbool(settingsSection, pinyinKey));
    goodsList_->setObjectName(QStringLiteral("goodsList"));
    goodsList_->hide();
    classTree_->setObjectName(QStringLiteral("goodsClassTree"));
    classTree_->setHeaderHidden(true);
    classTree_->hide();
    QList<mc::sales::GoodsClass> classes = mc::sales::listGoodsClasses(db_);
    if (countMode_)
        classes.removeIf([](const mc::sales::GoodsClass& c) { return !c.isfwxsp; });
    mc::ui::fillGoodsClassTree(classTree_, classes);

    auto* classButton = mc::namedButton(this, QStringLiteral("..."), "btnClass");
    auto* classRow = new QHBoxLayout;
    classRow->addWidget(className_);
    classRow->addWidget(classButton);
    auto* goodsButton = mc::namedButton(this, QStringLiteral("..."), "btnGoods");
    auto* goodsRow = new QHBoxLayout;
    goodsRow->addWidget(xmno_);
    goodsRow->addWidget(goodsButton);
    auto* form = new QFormLayout;
    auto* classLabel = new QLabel(QStringLiteral("商品分类"), this);
    form->addRow(classLabel, classRow);
    form->addRow(QStringLiteral("商品代码"), goodsRow);
    form->addRow(QStringLiteral("商品名称"), goodsName_);
    form->addRow(countMode_ ? QStringLiteral("消费次数") : QStringLiteral("折扣率"), amount_);
    auto* note = new QLabel(QStringLiteral("注:计次卡只能使用服务性商品"), this);
    note->setStyleSheet(QStringLiteral("color: red"));
    form->addRow(note);
    form->addRow(pinyin_);
    if (countMode_) {
        classLabel->hide();
        className_->hide();
        classButton->hide();
    }
    auto* lists = new QHBoxLayout;
    lists->addWidget(goodsList_);
    lists->addWidget(classTree_);

    auto* saveNext = mc::namedButton(this, QStringLiteral("保存增加"), "btnSaveNext");
    auto* saveClose = mc::namedButton(this, QStringLiteral("保存退出"), "btnSaveClose");
    auto* close = mc::namedButton(this, QStringLiteral("退出"), "btnClose");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(lists);
    layout->addLayout(mc::buttonRow({saveNext, saveClose, close}));

    fill(item);
    xmno_->installEventFilter(this);
    goodsList_->installEventFilter(this);

    connect(pinyin_, &QCheckBox::toggled, this, [](bool on) { mc::writebool(settingsSection, pinyinKey, on); });
    connect(xmno_, &QLineEdit::textEdited, this, &Tfrmcardspzkset::codeEdited);
    connect(xmno_, &QLineEdit::textChanged, this, [this](const QString& code) {
        goodsName_->setText(mc::sales::findGoods(db_, code.trimmed()).value_or(mc::sales::Goods{}).spname);
    });
    connect(goodsButton, &QPushButton::clicked, this, [this] { codeEdited(xmno_->text()); });
    connect(classButton, &QPushButton::clicked, this, [this] { openClassTree(true); });
    connect(goodsList_, &QListWidget::itemActivated, this, &Tfrmcardspzkset::pickGoods);
    connect(classTree_, &QTreeWidget::itemDoubleClicked, this, &Tfrmcardspzkset::classTreeActivated);
    connect(saveNext, &QPushButton::clicked, this, [this] {
        if (!post())
            return;
        fill(CardItem{});
        xmno_->setFocus();
    });
    connect(saveClose, &QPushButton::clicked, this, [this] {
        if (post())
            accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmcardspzkset::fill(const CardItem& item)
{
    item_ = item;
    setClass(item.xmclass);
    xmno_->setText(item.xmno);
    amount_->setText(countMode_ ? QString::number(item.xfcs) : mc::fixedText(item.xfzk, 2));
}

void Tfrmcardspzkset::setClass(const QString& classno)
{
    item_.xmclass = classno;
    const auto c = mc::sales::findGoodsClass(db_, classno);
    className_->setText(c ? c->classname : classno);
}

bool Tfrmcardspzkset::post()
{
    item_.xmno = xmno_->text().trimmed();
    // A rate that is not a number would read as 0 and give the goods away.
    if (!countMode_ && !mc::checkfloat(amount_, QStringLiteral("10"), QStringLiteral("折扣率"), 0, 10))
        return false;
    if (countMode_)
        item_.xfcs = amount_->text().toInt();
    else
        item_.xfzk = amount_->text().toDouble();
    if (const mc::Done checked = checkCardItem(db_, item_, countMode_); !checked) {
        QMessageBox::warning(this, windowTitle(), checked.message);
        return false;
    }
    describeItem(db_, item_);
    post_(item_);
    return true;
}

void Tfrmcardspzkset::codeEdited(const QString& text)
{
    if (barcode_)
        return;
    showChoices(mc::sales::goodsChoices(db_, text.trimmed(), pinyin_->isChecked(), countMode_));
    openClassTree(false);
}

void Tfrmcardspzkset::showChoices(const QList<GoodsChoice>& rows)
{
    goodsList_->clear();
    for (const GoodsChoice& g : rows) {
        auto* entry = new QListWidgetItem((pinyin_->isChecked() ? g.pyzjf : g.spno) + QStringLiteral("  ") + g.spname, goodsList_);
        entry->setData(Qt::UserRole, g.spno);
    }
    goodsList_->show();
}

void Tfrmcardspzkset::pickGoods(QListWidgetItem* entry)
{
    if (!entry)
        return;
    xmno_->setText(entry->data(Qt::UserRole).toString());
    hideLists();
    amount_->setFocus();
}

void Tfrmcardspzkset::barcodeEntered()
{
    const QString code = xmno_->text().trimmed();
    if (countMode_ && mc::sales::findGoods(db_, code) && !mc::sales::isServiceGoods(db_, code)) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("计次卡不能设置非服务性商品"));
        xmno_->clear();
        return;
    }
    hideLists();
    amount_->setFocus();
}

void Tfrmcardspzkset::openClassTree(bool picksClass)
{
    treePicksClass_ = picksClass;
    if (picksClass)
        goodsList_->hide();
    classTree_->show();
}

void Tfrmcardspzkset::classTreeActivated(QTreeWidgetItem* node)
{
    const QString classno = mc::ui::goodsClassCode(node);
    if (treePicksClass_) {
        setClass(classno);
        classTree_->hide();
        return;
    }
    showChoices(mc::sales::goodsOfClass(db_, classno, countMode_));
}

void Tfrmcardspzkset::hideLists()
{
    goodsList_->hide();
    classTree_->hide();
}

bool Tfrmcardspzkset::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == xmno_) {
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && barcode_) {
            barcodeEntered();
            return true;
        }
        if (key == Qt::Key_Down && goodsList_->isVisible() && goodsList_->count() > 0) {
            goodsList_->setFocus();
            goodsList_->setCurrentRow(0);
            return true;
        }
    } else if (watched == goodsList_ && key == Qt::Key_Up && goodsList_->currentRow() == 0) {
        (countMode_ ? xmno_ : className_)->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tfrmcardspzkset::mousePressEvent(QMouseEvent* event)
{
    hideLists();
    QDialog::mousePressEvent(event);
}
