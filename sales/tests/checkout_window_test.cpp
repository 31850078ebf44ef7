// The consumption window driven like an operator: a member's card, goods by bar code, a quantity
// typed into the grid, the save confirmed; and the cash customer.

#include "card_reader.h"
#include "database.h"
#include "frmxf.h"
#include "globals.h"
#include "modal_steps.h"
#include "scratch_database.h"
#include "settings_cache.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using mc::db::exec;
using mc::db::scalar;

namespace {

// No reader is attached: every call fails.
class NoReader final : public mc::devices::CardReader {
public:
    std::uint16_t openPort(int, int) override { return 1; }
    std::uint16_t closePort() override { return 1; }
    std::uint16_t testDevice() override { return 1; }
    std::uint16_t testCard() override { return 1; }
    std::uint16_t light(int) override { return 1; }
    std::uint16_t openCard() override { return 1; }
    std::uint16_t closeCard() override { return 1; }
    std::uint16_t verify(const std::array<quint8, 3>&) override { return 1; }
    std::uint16_t changePsc(const std::array<quint8, 3>&) override { return 1; }
    std::uint16_t errorCounter(quint8&) override { return 1; }
    std::uint16_t readHex(int, int, QString&) override { return 1; }
    std::uint16_t writeHex(int, int, const QString&) override { return 1; }
};

class CheckoutWindow : public testing::Test {
protected:
    void SetUp() override
    {
        scratch.emplace(mctest::Engine::Sqlite);
        const QSqlDatabase db = scratch->db();
        mc::settings = mc::SettingsCache{};
        mc::settings.jeblxs = 2;
        mc::settings.usetm = true;  // bar-code entry: Enter adds the typed code
        mc::cardMode = 1;
        mc::operatorCode = "00000001";
        mc::operatorName = "收银员";
        exec(db, "insert into sysset(memberws, jeblxs) values(8, 2)");
        exec(db, "insert into cardclass(cardno, cardname, classname, zkbl, zkxffs) values"
                 "('0000', '散客', '折扣卡', 10, 1), ('0001', '金卡', '储值卡', 9, 1)");
        exec(db, "insert into gszh(zhname, curye) values('现金', 0)");
        const QDateTime start = QDateTime::currentDateTime().addDays(-10);
        exec(db,
             "insert into membercurlist(memberno, truecard, membername, cardno, cardstatus, dqdate, lastnfdate, "
             "curmoney, xfjf, xfze, xfcs, syyhje) values('0000', '0000', '散客', '0000', '正常', ?, ?, 0, 0, 0, 0, 0), "
             "('M1', 'CM1', '王五', '0001', '正常', ?, ?, 100, 0, 0, 0, 0)",
             {start, start, start.addYears(1), start});
        exec(db, "insert into spclass(classno, classname, isfwxsp) values('001', '饮料', ?)", {false});
        exec(db, "insert into xssp(spclass, spno, spname, xsjg, jhdj, kcsl) values('001', 'A1', '可乐', 50, 30, 10)");
        window.emplace(db, reader);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        mc::settings = mc::SettingsCache{};
        mc::operatorCode.clear();
        mc::operatorName.clear();
    }
    template <typename T>
    T* child(const char* name) { return window->findChild<T*>(QString::fromLatin1(name)); }

    NoReader reader;
    std::optional<mctest::ScratchDatabase> scratch;
    std::optional<Tfrmxf> window;
};

}  // namespace

TEST_F(CheckoutWindow, SellsTwoByBarCodeAndSaves)
{
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    ASSERT_TRUE(window->startFor(mc::sales::LookupBy::Card, "CM1"));
    EXPECT_TRUE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("btnCard")->isEnabled());
    // A stored-value card pays from its balance: the account box is not for typing.
    EXPECT_EQ(child<QComboBox>("jkfs")->currentText(), "卡内扣除");
    EXPECT_FALSE(child<QComboBox>("jkfs")->isEnabled());

    auto* code = child<QLineEdit>("spno");
    code->setFocus();
    QTest::keyClicks(code, "A1");
    QTest::keyClick(code, Qt::Key_Return);
    auto* lines = child<QTableWidget>("linesGrid");
    ASSERT_EQ(lines->rowCount(), 1);
    EXPECT_EQ(lines->item(0, 0)->text(), "可乐");
    EXPECT_EQ(child<QLineEdit>("xfje")->text(), "45.00");

    lines->item(0, 2)->setText("2");  // the quantity typed into the grid
    EXPECT_EQ(lines->item(0, 5)->text(), "90.00");
    EXPECT_EQ(child<QLineEdit>("xfje")->text(), "90.00");
    EXPECT_EQ(child<QLineEdit>("zkhje")->text(), "10.00");

    const auto texts = mctest::answerMessageBoxes({QMessageBox::Yes, QMessageBox::Ok});
    child<QPushButton>("btnSave")->click();
    ASSERT_EQ(texts->size(), 2);
    EXPECT_EQ(texts->at(0), "确认该消费记录输入正确?");
    EXPECT_EQ(texts->at(1), "消费完成");

    const QSqlDatabase db = scratch->db();
    EXPECT_DOUBLE_EQ(scalar(db, "select curmoney from membercurlist where memberno = 'M1'").toDouble(), 10);
    EXPECT_DOUBLE_EQ(scalar(db, "select kcsl from xssp where spno = 'A1'").toDouble(), 8);
    EXPECT_EQ(scalar(db, "select count(*) from memberxx where memberno = 'M1' and issk = ?", {true}).toInt(), 1);
    EXPECT_EQ(scalar(db, "select spnum from xfsp").toInt(), 2);
    // Back to idle, the saved voucher still on show.
    EXPECT_TRUE(child<QPushButton>("btnCard")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("btnSave")->isEnabled());
    EXPECT_EQ(child<QLineEdit>("xfje")->text(), "90.00");
}

TEST_F(CheckoutWindow, CashCustomerAndCancelLeaveNothingOpen)
{
    child<QPushButton>("btnCash")->click();
    ASSERT_TRUE(window->entering());
    EXPECT_EQ(child<QComboBox>("jkfs")->currentText(), "现金");
    window->addGoods("A1", 1);
    const auto texts = mctest::answerMessageBoxes({QMessageBox::Yes});
    child<QPushButton>("btnCancel")->click();
    EXPECT_EQ(texts->value(0), "确认不保存当前消费记录?");
    EXPECT_FALSE(window->entering());
    // The voucher is written only by the save: a cancelled one leaves no row behind.
    EXPECT_EQ(scalar(scratch->db(), "select count(*) from memberxx").toInt(), 0);
}

TEST_F(CheckoutWindow, PickersFillTheVoucher)
{
    exec(scratch->db(), "insert into gsyg(ygid, ygname, dep_id) values('01', '李四', '01')");
    child<QPushButton>("btnCash")->click();
    ASSERT_TRUE(window->entering());

    // Two rows of the same goods in the goods picker become one line of their quantities.
    const auto picked = mctest::onNextModal<Tfrmxfspxz>([](Tfrmxfspxz* picker) {
        picker->choose("A1", "可乐", 50);
        picker->choose("A1", "可乐", 50);
        auto* chosen = picker->findChild<QTableWidget*>("chosenGrid");
        chosen->item(1, 3)->setText("3");
        picker->findChild<QPushButton*>("btnOk")->click();
    });
    child<QPushButton>("btnPickGoods")->click();
    ASSERT_TRUE(*picked);
    auto* lines = child<QTableWidget>("linesGrid");
    ASSERT_EQ(lines->rowCount(), 1);
    EXPECT_EQ(lines->item(0, 2)->text(), "4");
    EXPECT_EQ(child<QLineEdit>("xfje")->text(), "200.00");

    // The staff picker sets the voucher's staff member.
    const auto staff = mctest::onNextModal<Tfrmygxz>([](Tfrmygxz* picker) {
        auto* grid = picker->findChild<QTableView*>("staffGrid");
        grid->selectRow(0);
        picker->findChild<QPushButton*>("btnSelect")->click();
    });
    child<QPushButton>("btnStaff")->click();
    ASSERT_TRUE(*staff);
    EXPECT_EQ(child<QLineEdit>("ygid")->text(), "李四");
}
