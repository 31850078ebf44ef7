#pragma once
// 自定义字段: the custom fields of the account set, adding one (its column and definition) and
// deleting the current one.

#include <QSqlDatabase>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class Tfrmselffield : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmselffield(const QSqlDatabase& db, QWidget* parent = nullptr);

    bool adding() const { return adding_; }

private:
    void reload();
    void setAdding(bool on);
    void add();
    void save();
    void remove();

    QSqlDatabase db_;
    QTableWidget* grid_;
    QLineEdit* name_;
    QLineEdit* display_;
    QComboBox* type_;
    QLineEdit* length_;
    QCheckBox* required_;
    QCheckBox* ime_;
    QCheckBox* useSubset_;
    QComboBox* subset_;
    QPushButton* add_;
    QPushButton* save_;
    QPushButton* remove_;
    bool adding_ = false;
};
