#pragma once
// The card class window (会员卡类型设置): the class tree, the fields of each kind, the items,
// and the viewing, adding and editing states.

#include "card_classes.h"
#include "window_kit.h"

#include <QSqlDatabase>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

class Tfrmcardclass : public mc::ui::MdiChild {
    Q_OBJECT
public:
    explicit Tfrmcardclass(QSqlDatabase db, QWidget* parent = nullptr);

    void FormShow();
    mc::members::EditMode mode() const { return mode_; }

private:
    struct ModeRadios {
        QRadioButton* buttons[3];
        int checked() const;
        void check(int zkxffs);
    };

    QWidget* fieldsPane();
    QGroupBox* countGroup();
    QGroupBox* storedGroup();
    QGroupBox* discountGroup();
    QWidget* itemsPane();
    QLineEdit* edit(const char* name, const char* allowed);
    ModeRadios modeRadios(QWidget* parent, const char* prefix);

    void buildTree();
    QTreeWidgetItem* kindNode(const QString& kind) const;
    void treeClicked(QTreeWidgetItem* node);
    void loadClass(const QString& code);
    void fill(const mc::members::CardClassForm& f);
    mc::members::CardClassForm read() const;
    void clearFields();
    void setMode(mc::members::EditMode mode);
    void kindChanged();
    void kindChosen();
    void validityChosen();
    // Months and days open for "其他" only, the yearly fees for "1年" only.
    void validityFields();
    void showItems();

    void addClick();
    void editClick();
    void deleteClick();
    void saveClick();
    void cancelClick();
    void itemAdd();
    void itemEdit();
    void itemDelete();
    void openItem(const mc::members::CardItem& item, int row);

    QSqlDatabase db_;
    mc::members::EditMode mode_ = mc::members::EditMode::Viewing;
    mc::members::CardItemSet items_;

    QTreeWidget* tree_;
    QLineEdit* cardno_;
    QLineEdit* cardname_;
    QComboBox* kind_;
    QGroupBox* basic_;
    QLineEdit* cardmoney_;
    QLineEdit* cardyajin_;
    QLineEdit* hkje_;
    QComboBox* timelong_;
    QLineEdit* cardyf_;
    QLineEdit* cardts_;
    QGroupBox* countGroup_;
    QLineEdit* cardcs_;
    QGroupBox* storedGroup_;
    QLineEdit* ckqs_;
    QLineEdit* czqs_;
    QLineEdit* svMembernf_;
    QLineEdit* svZkbl_;
    QCheckBox* yxxgscje_;
    QCheckBox* svYxgbzk_;
    ModeRadios svMode_;
    QGroupBox* discountGroup_;
    QLineEdit* dMembernf_;
    QLineEdit* dZkbl_;
    QCheckBox* dYxgbzk_;
    ModeRadios dMode_;
    QTableWidget* itemGrid_;
    QWidget* itemButtons_;
    QPushButton* add_;
    QPushButton* modify_;
    QPushButton* delete_;
    QPushButton* save_;
    QPushButton* cancel_;
};
