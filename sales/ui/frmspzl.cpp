#include "frmspzl.h"

#include "database.h"
#include "dialog_layout.h"
#include "form_parts.h"
#include "globals.h"
#include "goods.h"
#include "goods_dialogs.h"
#include "goods_lists.h"
#include "import_dialog.h"
#include "query_kit.h"
#include "stock_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace mc::sales;

namespace {

constexpr int goodsHelpContext = 4;
using Kind = mc::ui::QueryColumn::Kind;

const mc::ui::QueryColumns classColumns = {
    {QStringLiteral("classno"), QStringLiteral("分类代码")},
    {QStringLiteral("classname"), QStringLiteral("分类名称")},
    {QStringLiteral("isfwxsp"), QStringLiteral("服务商品"), Kind::Bool},
    {QStringLiteral("pid"), {}, Kind::Count, false, true},
};

const mc::ui::QueryColumns giftColumns = {
    {QStringLiteral("spno"), QStringLiteral("商品代码")},
    {QStringLiteral("spname"), QStringLiteral("商品名称")},
    {QStringLiteral("dhjf"), QStringLiteral("兑换积分"), Kind::Count},
    {QStringLiteral("pid"), {}, Kind::Count, false, true},
};

// Stock shows as money did before ("10.00"), so the list reads as it always has.
const mc::ui::QueryColumns goodsColumns = {
    {QStringLiteral("classname"), QStringLiteral("商品分类")},
    {QStringLiteral("spno"), QStringLiteral("商品代码")},
    {QStringLiteral("spname"), QStringLiteral("商品名称")},
    {QStringLiteral("xsjg"), QStringLiteral("销售价格"), Kind::Money},
    {QStringLiteral("jhdj"), QStringLiteral("进货单价"), Kind::Money},
    {QStringLiteral("kcsl"), QStringLiteral("库存数量"), Kind::Money},
    {QStringLiteral("zdzk"), QStringLiteral("最低折扣")},
    {QStringLiteral("ygtc"), QStringLiteral("员工提成1"), Kind::Money},
    {QStringLiteral("ygtc2"), QStringLiteral("员工提成2"), Kind::Money},
    {QStringLiteral("ygtc3"), QStringLiteral("员工提成3"), Kind::Money},
    {QStringLiteral("ygtc4"), QStringLiteral("员工提成4"), Kind::Money},
    {QStringLiteral("pyzjf"), QStringLiteral("拼音简码")},
    {QStringLiteral("istj"), QStringLiteral("不参与计分"), Kind::Bool},
    {QStringLiteral("pid"), {}, Kind::Count, false, true},
};

}  // namespace

Tfrmspzl::Tfrmspzl(QSqlDatabase db, QWidget* parent)
    : MdiChild("frmspzl", QStringLiteral("商品信息设置"), goodsHelpContext, parent), db_(std::move(db)),
      classes_(new mc::ui::QueryView("classGrid", classColumns, this)),
      gifts_(new mc::ui::QueryView("giftGrid", giftColumns, this)),
      goods_(new mc::ui::QueryView("goodsGrid", goodsColumns, this)), search_(new QLineEdit(this)),
      byPinyin_(new QCheckBox(QStringLiteral("按拼音码查找"), this)), classFilter_(new QComboBox(this))
{
    auto* top = new QHBoxLayout;
    top->addWidget(classPane(), 1);
    top->addWidget(giftPane(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(goodsPane(), 2);
    FormShow();
}

QWidget* Tfrmspzl::classPane()
{
    auto* box = new QGroupBox(QStringLiteral("商品分类设置"), this);
    auto* add = mc::namedButton(box, QStringLiteral("添加"), "btnClassAdd");
    auto* remove = mc::namedButton(box, QStringLiteral("删除"), "btnClassDelete");
    auto* edit = mc::namedButton(box, QStringLiteral("修改"), "btnClassEdit");
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(classes_);
    layout->addWidget(mc::ui::redNote(QStringLiteral("服务商品不扣除库存,不能进退货"), box));
    layout->addLayout(mc::leftRow({add, remove, edit}));
    connect(add, &QPushButton::clicked, this, &Tfrmspzl::classAdd);
    connect(remove, &QPushButton::clicked, this, &Tfrmspzl::classDelete);
    connect(edit, &QPushButton::clicked, this, &Tfrmspzl::classEdit);
    return box;
}

QWidget* Tfrmspzl::giftPane()
{
    auto* box = new QGroupBox(QStringLiteral("积分兑换商品设置"), this);
    auto* remove = mc::namedButton(box, QStringLiteral("删除"), "btnGiftDelete");
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(gifts_);
    layout->addLayout(mc::leftRow({remove}));
    connect(remove, &QPushButton::clicked, this, &Tfrmspzl::giftDelete);
    return box;
}

QWidget* Tfrmspzl::goodsPane()
{
    auto* box = new QGroupBox(QStringLiteral("商品资料设置"), this);
    search_->setObjectName(QStringLiteral("search"));
    byPinyin_->setObjectName(QStringLiteral("byPinyin"));
    classFilter_->setObjectName(QStringLiteral("classFilter"));
    auto* find = new QHBoxLayout;
    find->addWidget(new QLabel(QStringLiteral("查找商品"), box));
    find->addWidget(search_);
    find->addWidget(byPinyin_);
    find->addWidget(new QLabel(QStringLiteral("按商品类别"), box));
    find->addWidget(classFilter_);
    find->addStretch();

    auto* add = mc::namedButton(box, QStringLiteral("添加"), "btnGoodsAdd");
    auto* remove = mc::namedButton(box, QStringLiteral("删除"), "btnGoodsDelete");
    auto* edit = mc::namedButton(box, QStringLiteral("修改"), "btnGoodsEdit");
    auto* in = mc::namedButton(box, QStringLiteral("进货"), "btnStockIn");
    auto* back = mc::namedButton(box, QStringLiteral("退货"), "btnStockReturn");
    auto* print = mc::namedButton(box, QStringLiteral("打印"), "btnPrint");
    auto* toExcel = mc::namedButton(box, QStringLiteral("导出excel"), "btnExport");
    auto* import = mc::namedButton(box, QStringLiteral("导入"), "btnImport");
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(find);
    layout->addLayout(mc::leftRow({add, remove, edit, in, back, print, toExcel, import}));
    layout->addWidget(goods_);

    connect(search_, &QLineEdit::textChanged, this, [this] { loadGoods(); });
    connect(byPinyin_, &QCheckBox::toggled, this, [this] { loadGoods(); });
    connect(classFilter_, &QComboBox::currentIndexChanged, this, [this] { loadGoods(); });
    connect(add, &QPushButton::clicked, this, &Tfrmspzl::goodsAdd);
    connect(remove, &QPushButton::clicked, this, &Tfrmspzl::goodsDelete);
    connect(edit, &QPushButton::clicked, this, &Tfrmspzl::goodsEdit);
    connect(in, &QPushButton::clicked, this, [this] { goodsStock(true); });
    connect(back, &QPushButton::clicked, this, [this] { goodsStock(false); });
    connect(print, &QPushButton::clicked, this, &Tfrmspzl::goodsPrint);
    connect(toExcel, &QPushButton::clicked, this, &Tfrmspzl::goodsExport);
    connect(import, &QPushButton::clicked, this, &Tfrmspzl::goodsImport);
    return box;
}

void Tfrmspzl::FormShow()
{
    loadClasses();
    loadGifts();
    loadGoods();
}

void Tfrmspzl::loadClasses()
{
    classes_->load(goodsClassList(db_));
    const QString current = classFilter_->currentData().toString();
    const QSignalBlocker quiet(classFilter_);
    classFilter_->clear();
    classFilter_->addItem(QString(), QString());
    for (const GoodsClass& c : listGoodsClasses(db_))
        classFilter_->addItem(c.classname, c.classno);
    classFilter_->setCurrentIndex(qMax(0, classFilter_->findData(current)));
}

void Tfrmspzl::loadGifts()
{
    gifts_->load(giftList(db_));
}

mc::sales::GoodsFilter Tfrmspzl::goodsFilter() const
{
    GoodsFilter f;
    f.text = search_->text();
    f.byPinyin = byPinyin_->isChecked();
    f.classCode = classFilter_->currentData().toString();
    return f;
}

void Tfrmspzl::loadGoods()
{
    goods_->load(goodsList(db_, goodsFilter()));
}

void Tfrmspzl::classAdd()
{
    Tfrmspfllr dialog(db_, GoodsClass{}, this);
    dialog.exec();
    if (dialog.saved())
        loadClasses();
}

void Tfrmspzl::classEdit()
{
    const QString code = classes_->selected(QStringLiteral("classno")).toString();
    const auto c = findGoodsClass(db_, code);
    if (code.isEmpty() || !c)
        return;
    Tfrmspfllr dialog(db_, *c, this);
    dialog.exec();
    if (dialog.saved())
        FormShow();
}

void Tfrmspzl::classDelete()
{
    const QVariant pid = classes_->selected(QStringLiteral("pid"));
    if (!pid.isValid())
        return;
    confirmThen(QStringLiteral("确认删除该商品分类,是否继续?"), [&] {
        try {
            deleteGoodsClass(db_, pid.toInt());
        } catch (const mc::db::DbError& e) {
            QMessageBox::warning(this, windowTitle(), e.saveMessage());
        }
        loadClasses();
    });
}

void Tfrmspzl::giftDelete()
{
    const QVariant pid = gifts_->selected(QStringLiteral("pid"));
    if (!pid.isValid())
        return;
    confirmThen(QStringLiteral("确认删除该兑换商品,是否继续?"), [&] {
        try {
            deleteGift(db_, pid.toInt());
        } catch (const mc::db::DbError& e) {
            QMessageBox::warning(this, windowTitle(), e.saveMessage());
        }
        loadGifts();
    });
}

void Tfrmspzl::goodsAdd()
{
    Tfrmsplr dialog(db_, Goods{}, this);
    dialog.exec();
    if (dialog.saved())
        loadGoods();
}

void Tfrmspzl::goodsEdit()
{
    const auto g = findGoodsByPid(db_, goods_->selected(QStringLiteral("pid")).toInt());
    if (!g)
        return;
    Tfrmsplr dialog(db_, *g, this);
    dialog.exec();
    if (dialog.saved())
        loadGoods();
}

void Tfrmspzl::goodsDelete()
{
    const auto g = findGoodsByPid(db_, goods_->selected(QStringLiteral("pid")).toInt());
    if (!g)
        return;
    confirmThen(QStringLiteral("确认删除该商品") + g->spname + QStringLiteral(",是否继续?"), [&] {
        try {
            deleteGoods(db_, g->pid);
        } catch (const mc::db::DbError& e) {
            QMessageBox::warning(this, windowTitle(), e.saveMessage());
        }
        loadGoods();
    });
}

void Tfrmspzl::goodsStock(bool in)
{
    const auto g = findGoodsByPid(db_, goods_->selected(QStringLiteral("pid")).toInt());
    if (!g)
        return;
    if (isServiceGoods(db_, g->spno)) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("服务类商品无法进货"));
        return;
    }
    Tfrmspjh dialog(db_, *g, in ? Tfrmspjh::Kind::In : Tfrmspjh::Kind::Return, this);
    if (dialog.exec() == QDialog::Accepted)
        loadGoods();
}

void Tfrmspzl::goodsPrint()
{
    // The goods the list shows, in its order, through the goods-list template.
    goods_->print(QStringLiteral("spxx"));
}

void Tfrmspzl::goodsExport()
{
    goods_->exportAsk(QStringLiteral("商品信息"), QStringLiteral("商品信息"), mc::operatorName);
}

void Tfrmspzl::goodsImport()
{
    Tfrmspdr dialog(db_, this);
    dialog.exec();
    if (dialog.imported())
        FormShow();
}
