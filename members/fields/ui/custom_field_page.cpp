#include "custom_field_page.h"

#include "database.h"
#include "key_filters.h"
#include "utils/decimaltext.h"

#include <QComboBox>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

using mc::members::CustomField;

namespace {

constexpr int rowHeight = 30;
constexpr int columnWidth = 210;
// Enter moves the scroll position only for the first rows, as far as the bar reaches.
constexpr int enterScrollFields = 36;

int rowsFor(qsizetype fields)
{
    return int((fields + 2) / 3);
}

// The characters an edit of the field type takes; empty: any.
QString keysFor(const QString& type)
{
    if (type == QStringLiteral("整数"))
        return mc::digitKeys;
    if (type == QStringLiteral("小数"))
        return mc::digitKeys + u'.';
    if (type == QStringLiteral("日期"))
        return mc::digitKeys + u'-';
    return {};
}

}  // namespace

CustomFieldPage::CustomFieldPage(QList<CustomField> fields, QHash<QString, QStringList> subsets, QWidget* parent)
    : QWidget(parent), fields_(std::move(fields))
{
    setObjectName(QStringLiteral("customFieldPage"));
    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("fieldPanel"));
    for (int n = 0; n < fields_.size(); ++n) {
        const CustomField& f = fields_[n];
        const int row = n / 3;
        const int column = n % 3;
        auto* label = new QLabel(f.caption(), panel_);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(columnWidth * column + 10, rowHeight * row + 13, 80, label->sizeHint().height());
        QWidget* editor = nullptr;
        if (f.type == QStringLiteral("文本") && f.useSubset) {
            auto* box = new QComboBox(panel_);
            box->setEditable(true);
            box->addItems(subsets.value(f.subset));
            box->setCurrentIndex(-1);
            if (f.length > 0)
                box->lineEdit()->setMaxLength(f.length);
            editor = box;
        } else {
            auto* edit = new QLineEdit(panel_);
            if (f.type == QStringLiteral("文本") && f.length > 0)
                edit->setMaxLength(f.length);
            if (const QString keys = keysFor(f.type); !keys.isEmpty())
                mc::acceptOnly(edit, keys);
            editor = edit;
        }
        editor->setObjectName(f.name);
        // Without the Chinese input method the field takes Latin text.
        editor->setInputMethodHints(f.useIme ? Qt::ImhNone : Qt::ImhLatinOnly);
        editor->setGeometry(columnWidth * column + 92, rowHeight * row + 10, 110, editor->sizeHint().height());
        editor->installEventFilter(this);
        labels_ << label;
        editors_ << editor;
    }
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName(QStringLiteral("fieldScroll"));
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int p) { panel_->move(0, -rowHeight * p); });
    updateScroll();
}

CustomFieldPage* CustomFieldPage::fromDatabase(const QSqlDatabase& db, QWidget* parent)
{
    const QList<CustomField> fields = mc::members::customFields(db);
    QHash<QString, QStringList> subsets;
    for (const CustomField& f : fields)
        if (f.useSubset && !subsets.contains(f.subset))
            subsets.insert(f.subset, mc::members::subsetValues(db, f.subset));
    return new CustomFieldPage(fields, subsets, parent);
}

void CustomFieldPage::resizeEvent(QResizeEvent*)
{
    updateScroll();
}

void CustomFieldPage::updateScroll()
{
    const int rows = rowsFor(fields_.size());
    const int needed = rowHeight * rows + 13;
    const bool scrolls = height() < needed;
    panel_->resize(width() - (scrolls ? scroll_->sizeHint().width() : 0), scrolls ? needed : height());
    scroll_->setVisible(scrolls);
    scroll_->setRange(0, scrolls ? std::max(0, rows - 12) : 0);
    scroll_->setGeometry(width() - scroll_->sizeHint().width(), 0, scroll_->sizeHint().width(), height());
    if (!scrolls)
        panel_->move(0, 0);
}

bool CustomFieldPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int n = int(editors_.indexOf(static_cast<QWidget*>(watched)));
        if (n >= 0 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (scroll_->isVisible() && n < enterScrollFields)
                scroll_->setValue(n / 3);
            if (n + 1 < editors_.size())
                editors_[n + 1]->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString CustomFieldPage::text(int field) const
{
    if (auto* box = qobject_cast<QComboBox*>(editors_[field]))
        return box->currentText();
    return static_cast<QLineEdit*>(editors_[field])->text();
}

void CustomFieldPage::setText(int field, const QString& value)
{
    if (auto* box = qobject_cast<QComboBox*>(editors_[field]))
        box->setCurrentText(value);
    else
        static_cast<QLineEdit*>(editors_[field])->setText(value);
}

void CustomFieldPage::setDefaults()
{
    for (int n = 0; n < fields_.size(); ++n)
        setText(n, fields_[n].defaultValue);
}

void CustomFieldPage::setValues(const QHash<QString, QVariant>& values)
{
    for (int n = 0; n < fields_.size(); ++n) {
        const CustomField& f = fields_[n];
        const QVariant v = values.value(f.name);
        QString shown = v.toString();
        if (v.isNull())
            shown.clear();
        else if (f.type == QStringLiteral("日期"))
            shown = mc::db::toDateTime(v).toString(QStringLiteral("yyyy-MM-dd"));
        else if (f.type == QStringLiteral("小数"))
            shown = mc::fixedText(v.toDouble(), 2);
        setText(n, shown);
    }
}

QVariant CustomFieldPage::typed(int field) const
{
    return mc::members::typedValue(fields_[field], text(field));
}

QHash<QString, QVariant> CustomFieldPage::values() const
{
    QHash<QString, QVariant> out;
    for (int n = 0; n < fields_.size(); ++n) {
        const QVariant v = typed(n);
        out.insert(fields_[n].name, v.isValid() && !v.isNull() ? v : QVariant());
    }
    return out;
}

mc::Done CustomFieldPage::check() const
{
    for (int n = 0; n < fields_.size(); ++n) {
        const QVariant v = typed(n);
        if (v.isValid() && v.isNull()) {
            if (fields_[n].mustFill)
                return mc::Done::failure(QStringLiteral("自定义字段") + fields_[n].caption() + QStringLiteral("不能为空"),
                                         fields_[n].name);
        } else if (!v.isValid()) {
            return mc::Done::failure(QStringLiteral("自定义字段") + fields_[n].caption() + QStringLiteral("的内容不正确"),
                                     fields_[n].name);
        }
    }
    return mc::Done::success();
}
