#pragma once
// The page of custom-field editors that registration and the other member windows show: labels
// and editors three to a row, drop-downs for fields with a subset, key filtering by type,
// defaults for new members, and a scroll bar when the page is too low for all rows.

#include "custom_fields.h"

#include <QHash>
#include <QList>
#include <QVariant>
#include <QWidget>

class QScrollBar;

class CustomFieldPage : public QWidget {
    Q_OBJECT
public:
    // `subsets` holds the values of every subset the fields name.
    CustomFieldPage(QList<mc::members::CustomField> fields, QHash<QString, QStringList> subsets, QWidget* parent = nullptr);
    // The page for the account set's custom fields. Throws db::DbError.
    static CustomFieldPage* fromDatabase(const QSqlDatabase& db, QWidget* parent = nullptr);

    const QList<mc::members::CustomField>& fields() const { return fields_; }
    QWidget* editor(int field) const { return editors_[field]; }
    QWidget* label(int field) const { return labels_[field]; }
    QWidget* panel() const { return panel_; }
    QScrollBar* scrollBar() const { return scroll_; }

    // Each field's `default`, for a new member.
    void setDefaults();
    // Values by field name, as read from a member row.
    void setValues(const QHash<QString, QVariant>& values);
    // Values by field name in their column's type; an empty editor gives a null value.
    QHash<QString, QVariant> values() const;
    // What keeps the values from being saved, refused with the field's name to focus: "自定义字段" + caption +
    // "不能为空" for a field that must be filled, "自定义字段" + caption + "的内容不正确" for a
    // number or date that does not read as one ("1.2.3", "2026-13-01").
    mc::Done check() const;
    // The field's text as typed or chosen.
    QString text(int field) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The typed value, or an invalid QVariant when the text does not read as the field's type.
    QVariant typed(int field) const;
    void setText(int field, const QString& value);
    void updateScroll();

    QList<mc::members::CustomField> fields_;
    QList<QWidget*> labels_;
    QList<QWidget*> editors_;
    QWidget* panel_;
    QScrollBar* scroll_;
};
