#pragma once
// 会员消费: the consumption window. The operator identifies the member by card (or takes the
// cash customer), enters goods lines or, in simple mode, an amount, and confirms. The totals
// come from the voucher calculator; the save is the checkout service, fed from the controls.

#include "amounts.h"
#include "checkout.h"
#include "checkout_pickers.h"
#include "member_lookup.h"
#include "query_kit.h"
#include "window_kit.h"

#include <QSqlDatabase>

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class CustomFieldPage;

namespace mc::devices {
class CardReader;
}

class Tfrmxf : public mc::ui::MdiChild {
    Q_OBJECT
public:
    Tfrmxf(QSqlDatabase db, mc::devices::CardReader& reader, QWidget* parent = nullptr);
    ~Tfrmxf() override;

    // The lookup and the start of a voucher for a card number (or, without a card device, a
    // member number); false when refused.
    bool startFor(mc::sales::LookupBy by, const QString& key);
    // A goods item added to the voucher being entered, as the code box or a picker adds it.
    void addGoods(const QString& spno, int quantity);
    bool entering() const { return calc_ != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The cells of a line the operator typed into, which the save replays.
    struct LineInput {
        std::optional<mc::Money> spdj;
        std::optional<double> spzkl;
        std::optional<mc::Money> spjsjg;
    };

    QWidget* memberTab();
    QWidget* historyTab();
    QWidget* openTab();
    QGroupBox* voucherBox();
    QGroupBox* goodsBox();
    QFrame* goodsPopup();

    void FormShow();
    void cardClick();
    void cashClick();
    void showMember(const mc::sales::FoundMember& found, const QString& note);
    void clearVoucher();
    void setEntering(bool on);

    void codeEdited(const QString& text);
    void codeReturn();
    void popupClassClicked(QTreeWidgetItem* node);
    void fillPopup(const QList<QString>& codes);
    void addFromPopup();
    void pickGoodsClick();
    void deleteGoodsClick();
    void lineCellChanged(int row, int column);
    void lineStaffClick(int row);
    void voucherStaffClick();

    void showLines();
    void showTotals();

    void saveClick();
    void cancelClick();
    mc::sales::CheckoutInput input() const;
    void printReceipt(const mc::sales::CheckoutDone& done, const mc::Session& session);

    QSqlDatabase db_;
    mc::devices::CardReader& reader_;

    // The voucher being entered.
    std::optional<mc::sales::FoundMember> member_;
    std::unique_ptr<mc::sales::DbRuleSource> rules_;
    std::unique_ptr<mc::sales::VoucherAmounts> calc_;
    QList<LineInput> lineInputs_;
    std::optional<mc::sales::ServingStaff> voucherStaff_;
    QString lookupKey_;
    mc::sales::LookupBy lookupBy_ = mc::sales::LookupBy::Card;

    QTabWidget* tabs_;
    QList<QLabel*> memberValues_;
    QLabel* photo_;
    QLabel* birthday_;
    QLabel* remainingLabel_;
    CustomFieldPage* customPage_ = nullptr;
    QWidget* customTab_;
    mc::ui::QueryView* history_;
    mc::ui::QueryView* open_;

    QComboBox* jkfs_;
    QLineEdit* sjxfje_;
    QLineEdit* sjzkl_;
    QLabel* zkfs_;
    QLineEdit* zkhje_;
    QLineEdit* otyh_;
    QLineEdit* bcdkje_;
    QCheckBox* useCredit_;
    QLineEdit* otsk_;
    QLineEdit* xfje_;
    QLineEdit* bcxfjf_;
    QLineEdit* staff_;
    QPushButton* staffButton_;

    QGroupBox* goods_;
    QLineEdit* code_;
    QCheckBox* byPinyin_;
    QTableWidget* lines_;
    QLabel* linesTotal_;
    QFrame* popup_;
    QTreeWidget* popupTree_;
    QTableWidget* popupList_;
    QTreeWidgetItem* lastPopupNode_ = nullptr;
    qint64 lastPopupClick_ = 0;
    QStringList serviceTypes_;

    QPushButton* cardButton_;
    QPushButton* cashButton_;
    QPushButton* saveButton_;
    QPushButton* cancelButton_;
};

namespace mc::sales {
// Registers the consumption window for menu item M1.
void registerCheckoutWindow();
}  // namespace mc::sales
