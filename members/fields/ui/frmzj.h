#pragma once
// 自定义字段子集信息录入: the values of each subset that custom fields choose from.

#include <QSqlDatabase>
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

class Tfrmzj : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmzj(const QSqlDatabase& db, QWidget* parent = nullptr);

    bool editing() const { return editRow_ >= 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadValues();
    void setEditing(int row);
    void add();
    void change();
    void save();
    void remove();
    QString subset() const;

    QSqlDatabase db_;
    QListWidget* names_;
    QLabel* current_;
    QTableWidget* values_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* change_;
    QPushButton* save_;
    QPushButton* refresh_;
    int editRow_ = -1;
};
