#include "import_dialog.h"

#include "dialog_layout.h"
#include "form_parts.h"
#include "globals.h"
#include "goods_import.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

using namespace mc::sales;

namespace {

QLineEdit* column(const char* name, const QString& text, QWidget* parent)
{
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QLatin1String(name));
    e->setMaximumWidth(60);
    return e;
}

}  // namespace

Tfrmspdr::Tfrmspdr(QSqlDatabase db, QWidget* parent)
    : QDialog(parent), db_(std::move(db)), file_(new QLineEdit(this)), startRow_(column("startRow", "2", this)),
      fixedClass_(new QRadioButton(QStringLiteral("固定类别"), this)), classes_(new QComboBox(this)),
      classColumn_(column("classColumn", {}, this)), code_(column("codeColumn", {}, this)),
      name_(column("nameColumn", {}, this)), price_(column("priceColumn", {}, this)),
      cost_(column("costColumn", {}, this)), stock_(column("stockColumn", {}, this)),
      commission_{column("tc1Column", {}, this), column("tc2Column", {}, this), column("tc3Column", {}, this),
                  column("tc4Column", {}, this)},
      deleteExisting_(new QCheckBox(QStringLiteral("删除当前已录入的商品"), this)),
      reassign_(new QCheckBox(QStringLiteral("导入时若有重复的商品编号则重新分配编号，不选此项则不导入该商品"), this))
{
    setObjectName(QStringLiteral("frmspdr"));
    setWindowTitle(QStringLiteral("导入商品信息excel"));
    file_->setObjectName(QStringLiteral("file"));
    fixedClass_->setObjectName(QStringLiteral("fixedClass"));
    classes_->setObjectName(QStringLiteral("classes"));
    deleteExisting_->setObjectName(QStringLiteral("deleteExisting"));
    reassign_->setObjectName(QStringLiteral("reassign"));
    for (const GoodsClass& c : listGoodsClasses(db_))
        classes_->addItem(c.classname, c.classno);
    auto* inColumn = new QRadioButton(QStringLiteral("在excel文件第"), this);
    inColumn->setObjectName(QStringLiteral("classInColumn"));
    inColumn->setChecked(true);

    auto* browseButton = mc::namedButton(this, QStringLiteral("..."), "btnBrowse");
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_);
    fileRow->addWidget(browseButton);
    auto* classRow = new QHBoxLayout;
    classRow->addWidget(fixedClass_);
    classRow->addWidget(classes_);
    classRow->addWidget(inColumn);
    classRow->addWidget(classColumn_);
    classRow->addWidget(new QLabel(QStringLiteral("列"), this));
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(code_);
    codeRow->addWidget(new QLabel(QStringLiteral("此项不录入或为0则为自动编号"), this));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("导入的商品信息文件(xls)"), fileRow);
    form->addRow(QStringLiteral("文件从第 n 行导入"), startRow_);
    form->addRow(QStringLiteral("商品类别"), classRow);
    form->addRow(QStringLiteral("商品编号在第 n 列"), codeRow);
    form->addRow(QStringLiteral("商品名称在第 n 列"), name_);
    form->addRow(QStringLiteral("销售价格在第 n 列"), price_);
    form->addRow(QStringLiteral("进价或成本价在第 n 列"), cost_);
    form->addRow(QStringLiteral("库存数量在第 n 列"), stock_);
    for (int i = 0; i < 4; ++i)
        form->addRow(QStringLiteral("员工提成%1在第 n 列").arg(i + 1), commission_[i]);
    form->addRow(deleteExisting_);
    form->addRow(reassign_);

    auto* start = mc::namedButton(this, QStringLiteral("开始导入"), "btnStart");
    auto* close = mc::namedButton(this, QStringLiteral("关闭"), "btnClose");
    mc::layoutWithButtons(this, form, {start, close});

    connect(browseButton, &QPushButton::clicked, this, &Tfrmspdr::browse);
    connect(start, &QPushButton::clicked, this, &Tfrmspdr::startClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmspdr::browse()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), mc::appPath,
                                                      QStringLiteral("excel files (*.xls *.xlsx)"));
    if (!path.isEmpty())
        file_->setText(path);
}

void Tfrmspdr::startClick()
{
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("确认将导入数据吗，建议导入前先备份当前商品信息")) !=
        QMessageBox::Yes)
        return;
    GoodsImportSettings s;
    s.file = file_->text().trimmed();
    s.startRow = startRow_->text();
    s.fixedClass = fixedClass_->isChecked();
    s.classCode = classes_->currentData().toString();
    s.classColumn = classColumn_->text();
    s.codeColumn = code_->text();
    s.nameColumn = name_->text();
    s.priceColumn = price_->text();
    s.costColumn = cost_->text();
    s.stockColumn = stock_->text();
    for (int i = 0; i < 4; ++i)
        s.commissionColumns[i] = commission_[i]->text();
    s.deleteExisting = deleteExisting_->isChecked();
    s.reassignDuplicates = reassign_->isChecked();
    const mc::Done o = importGoods(db_, mc::Session::current(), s);
    // A failed import changes nothing, so only a success needs the list reloaded.
    imported_ = imported_ || o.ok;
    if (o.ok)
        QMessageBox::information(this, windowTitle(), o.message);
    else
        QMessageBox::warning(this, windowTitle(), o.message);
}
