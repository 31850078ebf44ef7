#include "frmselffield.h"

#include "custom_fields.h"
#include "database.h"
#include "dialog_layout.h"
#include "key_filters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace mc::members;

Tfrmselffield::Tfrmselffield(const QSqlDatabase& db, QWidget* parent) : QWidget(parent), db_(db)
{
    setObjectName(QStringLiteral("frmselffield"));
    setWindowTitle(QStringLiteral("自定义字段"));
    grid_ = new QTableWidget(0, 7);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("字段名称"), QStringLiteral("显示标题"), QStringLiteral("字段类型"),
                                      QStringLiteral("字段长度"), QStringLiteral("使用子集"), QStringLiteral("子集名称"),
                                      QStringLiteral("显示顺序")});
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();

    name_ = new QLineEdit;
    name_->setObjectName(QStringLiteral("fieldname"));
    name_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9]*")), name_));
    name_->setMaxLength(50);
    display_ = new QLineEdit;
    display_->setObjectName(QStringLiteral("display"));
    type_ = new QComboBox;
    type_->setObjectName(QStringLiteral("fieldclass"));
    type_->addItems(fieldTypes);
    length_ = new QLineEdit;
    length_->setObjectName(QStringLiteral("fieldlong"));
    mc::acceptOnly(length_, mc::digitKeys);
    required_ = new QCheckBox(QStringLiteral("必填项"));
    required_->setObjectName(QStringLiteral("isbx"));
    ime_ = new QCheckBox(QStringLiteral("使用中文输入法"));
    ime_->setObjectName(QStringLiteral("useime"));
    useSubset_ = new QCheckBox(QStringLiteral("使用子集"));
    useSubset_->setObjectName(QStringLiteral("usezj"));
    subset_ = new QComboBox;
    subset_->setObjectName(QStringLiteral("zjname"));
    subset_->setEditable(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("字段名称"), name_);
    form->addRow(QStringLiteral("显示标题"), display_);
    form->addRow(QStringLiteral("字段类型"), type_);
    form->addRow(QStringLiteral("字段长度"), length_);
    auto* checks = new QHBoxLayout;
    checks->addWidget(required_);
    checks->addWidget(ime_);
    checks->addWidget(useSubset_);
    form->addRow(checks);
    auto* subsetRow = new QHBoxLayout;
    subsetRow->addWidget(subset_, 1);
    subsetRow->addWidget(new QLabel(QStringLiteral("(录入时供选择的内容集合)")));
    form->addRow(QStringLiteral("子集名称"), subsetRow);

    add_ = mc::namedButton(this, QStringLiteral("增加"), "add");
    save_ = mc::namedButton(this, QStringLiteral("保存"), "save");
    remove_ = mc::namedButton(this, QStringLiteral("删除"), "remove");
    auto* close = new QPushButton(QStringLiteral("关闭"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add_, save_, remove_, close})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(add_, &QPushButton::clicked, this, &Tfrmselffield::add);
    connect(save_, &QPushButton::clicked, this, &Tfrmselffield::save);
    connect(remove_, &QPushButton::clicked, this, &Tfrmselffield::remove);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(useSubset_, &QCheckBox::toggled, this, [this](bool on) { subset_->setEnabled(adding_ && on); });
    for (QWidget* w : std::initializer_list<QWidget*>{name_, display_, type_, length_, required_, ime_, useSubset_, subset_})
        mc::enterMovesFocus(w);
    reload();
    setAdding(false);
}

void Tfrmselffield::reload()
{
    QList<CustomField> rows;
    QStringList subsets;
    try {
        rows = customDefinitions(db_);
        subsets = subsetNames(db_);
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
    }
    grid_->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const CustomField& f = rows[r];
        const QStringList cells = {f.name, f.display, f.type, f.length ? QString::number(f.length) : QString(),
                                   f.useSubset ? QStringLiteral("是") : QStringLiteral("否"), f.subset, QString::number(f.order)};
        for (int c = 0; c < cells.size(); ++c)
            grid_->setItem(r, c, new QTableWidgetItem(cells[c]));
        grid_->item(r, 0)->setData(Qt::UserRole, f.pid);
    }
    if (!rows.isEmpty())
        grid_->selectRow(0);
    subset_->clear();
    subset_->addItems(subsets);
}

void Tfrmselffield::setAdding(bool on)
{
    adding_ = on;
    for (QWidget* w : std::initializer_list<QWidget*>{name_, display_, type_, length_, required_, ime_, useSubset_})
        w->setEnabled(on);
    subset_->setEnabled(on && useSubset_->isChecked());
    add_->setEnabled(!on);
    remove_->setEnabled(!on);
    save_->setEnabled(on);
}

void Tfrmselffield::add()
{
    name_->clear();
    display_->clear();
    type_->setCurrentIndex(0);
    length_->clear();
    required_->setChecked(true);
    ime_->setChecked(false);
    useSubset_->setChecked(false);
    subset_->setCurrentText(QString());
    setAdding(true);
    name_->setFocus();
}

void Tfrmselffield::save()
{
    FieldDefinition f;
    f.name = name_->text();
    f.display = display_->text();
    f.type = type_->currentText();
    f.length = length_->text();
    f.required = required_->isChecked();
    f.useIme = ime_->isChecked();
    f.useSubset = useSubset_->isChecked();
    f.subset = subset_->currentText();
    const mc::Done r = addCustomField(db_, f, QDate::currentDate());
    QMessageBox::information(this, windowTitle(), r.message);
    if (!r.ok)
        return;
    setAdding(false);
    reload();
}

void Tfrmselffield::remove()
{
    const int row = grid_->currentRow();
    if (row < 0)
        return;
    const mc::Done r = dropCustomField(db_, grid_->item(row, 0)->data(Qt::UserRole).toInt());
    QMessageBox::information(this, windowTitle(), r.message);
    reload();
}
