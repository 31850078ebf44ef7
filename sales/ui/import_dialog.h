#pragma once
// The goods import (导入商品信息excel): the workbook, its first row and the column of each field.

#include <QDialog>
#include <QSqlDatabase>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

class Tfrmspdr : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmspdr(QSqlDatabase db, QWidget* parent = nullptr);
    bool imported() const { return imported_; }

private:
    void browse();
    void startClick();

    QSqlDatabase db_;
    QLineEdit* file_;
    QLineEdit* startRow_;
    QRadioButton* fixedClass_;
    QComboBox* classes_;
    QLineEdit* classColumn_;
    QLineEdit* code_;
    QLineEdit* name_;
    QLineEdit* price_;
    QLineEdit* cost_;
    QLineEdit* stock_;
    QLineEdit* commission_[4];
    QCheckBox* deleteExisting_;
    QCheckBox* reassign_;
    bool imported_ = false;
};
