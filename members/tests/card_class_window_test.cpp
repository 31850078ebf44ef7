// The card class window and the pickers driven like an operator would.

#include "database.h"
#include "frmcardclass.h"
#include "frmcardspzkset.h"
#include "globals.h"
#include "modal_answer.h"
#include "modal_steps.h"
#include "pickers.h"
#include "scratch_database.h"
#include "utils/sysset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using mc::db::exec;
using mc::db::scalar;
using namespace mc::members;
using mctest::EngineTest;

namespace {

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

class CardClassWindow : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        // The item window keeps its options in the settings file of the data folder.
        mc::appPath = folder.path() + "/";
        exec(db(), "insert into spclass(classno, classname, isfwxsp) values('001', '饮料', ?), ('002', '洗车', ?)",
             {false, true});
        exec(db(), "insert into xssp(spclass, spno, spname, pyzjf) values('001', 'G1', '可乐', 'KELE'), "
                   "('002', 'W1', '洗车', 'XICHE'), ('002', 'W2', '打蜡', 'DALA')");
        exec(db(), "insert into cardclass(cardno, cardname, classname, zkbl, czqs, zkxffs) values"
                   "('0001', '金卡', '储值卡', 9, 1, 1), ('0002', '次卡', '计次卡', 10, 1, 1), ('0000', '散客', '折扣卡', 10, 1, 1)");
        exec(db(), "insert into cardfj(cardno, xmclass, xmno, xfzk) values('0001', '001', '', 8), ('0001', '', 'G1', 7)");
    }

    void TearDown() override { mc::appPath.clear(); }

    template <typename T>
    T* child(QWidget* w, const char* name)
    {
        T* c = w->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    void click(QWidget* w, const char* name) { child<QPushButton>(w, name)->click(); }
    void choose(QWidget* w, const char* combo, const QString& text)
    {
        auto* box = child<QComboBox>(w, combo);
        box->setCurrentIndex(box->findText(text));
        emit box->activated(box->currentIndex());
    }
    int items(const QString& code) { return scalar(db(), "select count(*) from cardfj where cardno = ?", {code}).toInt(); }

    QTemporaryDir folder;
};

}  // namespace

TEST_P(CardClassWindow, AClassCreatedInTheWindow)
{
    Tfrmcardclass w(db());
    w.show();
    click(&w, "btnAdd");
    EXPECT_EQ(w.mode(), EditMode::Adding);
    EXPECT_FALSE(child<QTreeWidget>(&w, "classTree")->isEnabled());

    // The first failing check is shown and nothing is written.
    auto message = mctest::answerNextMessageBox();
    click(&w, "btnSave");
    EXPECT_EQ(*message, "错误,必须录入卡类型代码");

    child<QLineEdit>(&w, "cardno")->setText("7");
    child<QLineEdit>(&w, "cardname")->setText("银卡");
    choose(&w, "classname", storedValueKind);
    child<QLineEdit>(&w, "cardyajin")->clear();
    QTest::keyClicks(child<QLineEdit>(&w, "cardyajin"), "30");
    EXPECT_EQ(child<QLineEdit>(&w, "hkje")->text(), "30");  // the fee follows the deposit
    child<QLineEdit>(&w, "czqs")->setText("1.2");
    choose(&w, "timelong", "1年");
    auto* fee = child<QLineEdit>(&w, "svMembernf");
    EXPECT_TRUE(fee->isEnabled());
    fee->setText("50");
    choose(&w, "timelong", "半年");
    EXPECT_EQ(fee->text(), "0");
    EXPECT_FALSE(fee->isEnabled());
    choose(&w, "timelong", "1年");
    fee->setText("50");

    auto itemDone = mctest::onNextModal<Tfrmcardspzkset>([this](Tfrmcardspzkset* d) {
        child<QLineEdit>(d, "xmno")->setText("G1");
        child<QLineEdit>(d, "xfzk")->setText("8.5");
        click(d, "btnSaveClose");
    });
    click(&w, "btnItemAdd");
    ASSERT_TRUE(*itemDone);
    EXPECT_EQ(child<QTableWidget>(&w, "itemGrid")->rowCount(), 1);
    EXPECT_EQ(items("0007"), 0);  // held until the class is saved

    click(&w, "btnSave");
    EXPECT_EQ(w.mode(), EditMode::Viewing);
    EXPECT_EQ(child<QLineEdit>(&w, "cardno")->text(), "0007");
    EXPECT_EQ(scalar(db(), "select cardname from cardclass where cardno = '0007'").toString(), "银卡");
    EXPECT_DOUBLE_EQ(scalar(db(), "select membernf from cardclass where cardno = '0007'").toDouble(), 50.0);
    EXPECT_DOUBLE_EQ(scalar(db(), "select hkje from cardclass where cardno = '0007'").toDouble(), 30.0);
    EXPECT_DOUBLE_EQ(scalar(db(), "select xfzk from cardfj where cardno = '0007' and xmno = 'G1'").toDouble(), 8.5);
    EXPECT_NE(findNode(child<QTreeWidget>(&w, "classTree"), "银卡[0007]"), nullptr);
}

TEST_P(CardClassWindow, ANewClassNeverTakesAnotherClasssItems)
{
    Tfrmcardclass w(db());
    w.show();
    click(&w, "btnAdd");
    child<QLineEdit>(&w, "cardno")->setText("0001");  // the code of a stored class, for now
    child<QLineEdit>(&w, "cardname")->setText("新卡");
    choose(&w, "classname", storedValueKind);
    EXPECT_EQ(child<QTableWidget>(&w, "itemGrid")->rowCount(), 0);
    child<QLineEdit>(&w, "cardno")->setText("9");
    click(&w, "btnSave");
    EXPECT_EQ(w.mode(), EditMode::Viewing);
    EXPECT_EQ(items("0001"), 2);
    EXPECT_EQ(items("0009"), 0);
}

TEST_P(CardClassWindow, EnterRunsFromTheValidityToTheNextOpenField)
{
    Tfrmcardclass w(db());
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    click(&w, "btnAdd");
    choose(&w, "classname", storedValueKind);
    auto* validity = child<QComboBox>(&w, "timelong");
    validity->setFocus();
    QTest::keyClick(validity, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(&w, "czqs"));

    choose(&w, "timelong", "其他");
    validity->setFocus();
    QTest::keyClick(validity, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(&w, "cardyf"));
}

TEST_P(CardClassWindow, ADeletedItemReachesTheTableOnlyWithSave)
{
    Tfrmcardclass w(db());
    w.show();
    auto* tree = child<QTreeWidget>(&w, "classTree");
    QTreeWidgetItem* node = findNode(tree, "金卡[0001]");
    ASSERT_NE(node, nullptr);
    tree->setCurrentItem(node);
    emit tree->itemClicked(node, 0);
    EXPECT_EQ(child<QLineEdit>(&w, "cardname")->text(), "金卡");
    EXPECT_EQ(child<QLineEdit>(&w, "svZkbl")->text(), "9.00");
    auto* grid = child<QTableWidget>(&w, "itemGrid");
    ASSERT_EQ(grid->rowCount(), 2);

    for (const char* finish : {"btnCancel", "btnSave"}) {
        click(&w, "btnEdit");
        EXPECT_EQ(w.mode(), EditMode::Editing);
        EXPECT_FALSE(child<QLineEdit>(&w, "cardno")->isEnabled());
        grid->selectRow(0);
        auto confirm = mctest::answerNextMessageBox(QMessageBox::Yes);
        click(&w, "btnItemDelete");
        EXPECT_EQ(*confirm, "确认删除该商品,是否继续?");
        EXPECT_EQ(grid->rowCount(), 1);
        click(&w, finish);
        EXPECT_EQ(w.mode(), EditMode::Viewing);
    }
    // The cancelled deletion came back; the saved one is gone.
    EXPECT_EQ(items("0001"), 1);
    EXPECT_EQ(grid->rowCount(), 1);

    // An edited name relabels the class's node.
    click(&w, "btnEdit");
    child<QLineEdit>(&w, "cardname")->setText("白金卡");
    click(&w, "btnSave");
    EXPECT_EQ(node->text(0), "白金卡[0001]");
    EXPECT_EQ(scalar(db(), "select cardname from cardclass where cardno = '0001'").toString(), "白金卡");
}

TEST_P(CardClassWindow, DeletingAClassInUse)
{
    exec(db(), "insert into membercurlist(memberno, truecard, cardno, cardstatus) values('9a1', '9b1', '0001', '注销')");
    Tfrmcardclass w(db());
    w.show();
    auto* tree = child<QTreeWidget>(&w, "classTree");
    QTreeWidgetItem* node = findNode(tree, "金卡[0001]");
    tree->setCurrentItem(node);
    emit tree->itemClicked(node, 0);

    const auto texts = mctest::answerMessageBoxes({QMessageBox::Yes, QMessageBox::Ok});
    click(&w, "btnDelete");
    EXPECT_EQ(*texts, QStringList({"确认删除该种卡类型,是否继续?", "该种会员卡存在1个注册会员，无法删除"}));
    EXPECT_EQ(items("0001"), 2);

    exec(db(), "delete from membercurlist");
    const auto confirm = mctest::answerNextMessageBox(QMessageBox::Yes);
    click(&w, "btnDelete");
    EXPECT_EQ(findNode(tree, "金卡[0001]"), nullptr);
    EXPECT_EQ(scalar(db(), "select count(*) from cardclass where cardno = '0001'").toInt(), 0);
    EXPECT_EQ(items("0001"), 0);
}

TEST_P(CardClassWindow, CountCardItemsOfferServiceGoodsOnly)
{
    std::optional<CardItem> posted;
    Tfrmcardspzkset d(db(), true, CardItem{}, [&posted](const CardItem& item) { posted = item; });
    d.show();
    auto* code = child<QLineEdit>(&d, "xmno");
    QTest::keyClicks(code, "W");
    auto* list = child<QListWidget>(&d, "goodsList");
    EXPECT_TRUE(list->isVisibleTo(&d));
    ASSERT_EQ(list->count(), 2);
    code->clear();
    QTest::keyClicks(code, "G");
    EXPECT_EQ(list->count(), 0);

    // A goods item outside the service classes is refused on save.
    code->setText("G1");
    child<QLineEdit>(&d, "xfcs")->setText("3");
    auto message = mctest::answerNextMessageBox();
    click(&d, "btnSaveClose");
    EXPECT_EQ(*message, "计次卡不能设置非服务性商品");
    EXPECT_FALSE(posted);

    code->clear();
    QTest::keyClicks(code, "W2");
    emit list->itemActivated(list->item(0));
    EXPECT_EQ(code->text(), "W2");
    EXPECT_EQ(child<QLineEdit>(&d, "spname")->text(), "打蜡");
    click(&d, "btnSaveClose");
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->xmno, "W2");
    EXPECT_EQ(posted->xfcs, 3);
}

TEST_P(CardClassWindow, DiscountItemsByClassOrByPinyin)
{
    std::optional<CardItem> posted;
    Tfrmcardspzkset d(db(), false, CardItem{}, [&posted](const CardItem& item) { posted = item; });
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));

    // "..." beside the class opens the class tree; a double click takes the class.
    click(&d, "btnClass");
    auto* tree = child<QTreeWidget>(&d, "goodsClassTree");
    ASSERT_TRUE(tree->isVisible());
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    emit tree->itemDoubleClicked(findNode(tree, "饮料[001]"), 0);
    EXPECT_FALSE(tree->isVisible());
    EXPECT_EQ(child<QLineEdit>(&d, "xmclass")->text(), "饮料");
    EXPECT_EQ(child<QLineEdit>(&d, "xfzk")->text(), "10.00");  // a new row's rate
    child<QLineEdit>(&d, "xfzk")->setText("8");
    click(&d, "btnSaveNext");
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->xmclass, "001");
    EXPECT_TRUE(posted->xmno.isEmpty());
    EXPECT_DOUBLE_EQ(posted->xfzk, 8.0);
    EXPECT_EQ(posted->className, "饮料");

    // With the pinyin option the typed text matches the pinyin code; Down and Enter pick.
    child<QCheckBox>(&d, "pinyin")->setChecked(true);
    auto* code = child<QLineEdit>(&d, "xmno");
    code->setFocus();
    QTest::keyClicks(code, "DA");
    auto* list = child<QListWidget>(&d, "goodsList");
    ASSERT_EQ(list->count(), 1);
    QTest::keyClick(code, Qt::Key_Down);
    EXPECT_EQ(d.focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(code->text(), "W2");
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(d.focusWidget(), child<QLineEdit>(&d, "xfzk"));
}

// A rate that is not a number would be stored as 0, selling the goods for nothing.
TEST_P(CardClassWindow, AnItemRateMustBeARateOfTen)
{
    std::optional<CardItem> posted;
    Tfrmcardspzkset d(db(), false, CardItem{}, [&posted](const CardItem& item) { posted = item; });
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    child<QLineEdit>(&d, "xmno")->setText("G1");
    auto* rate = child<QLineEdit>(&d, "xfzk");
    const struct {
        const char* typed;
        const char* message;  // empty: posted
        double xfzk;
    } cases[] = {
        {"1..5", "折扣率录入错误", 0},
        {".", "折扣率录入错误", 0},
        {"12", "折扣率的数值不应大于10.00", 0},
        {"", "", 10},  // an empty rate is full price
        {"8.5", "", 8.5},
    };
    for (const auto& c : cases) {
        posted.reset();
        rate->setText(c.typed);
        if (*c.message) {
            auto message = mctest::answerNextMessageBox();
            click(&d, "btnSaveNext");
            EXPECT_EQ(*message, c.message) << c.typed;
            EXPECT_FALSE(posted) << c.typed;
        } else {
            click(&d, "btnSaveNext");
            ASSERT_TRUE(posted) << c.typed;
            EXPECT_DOUBLE_EQ(posted->xfzk, c.xfzk) << c.typed;
            child<QLineEdit>(&d, "xmno")->setText("G1");
        }
    }
}

TEST_P(CardClassWindow, BarCodeEntryLooksTheCodeUpOnEnter)
{
    ASSERT_TRUE(mc::writebool("sys", "usetm", true));
    Tfrmcardspzkset d(db(), true, CardItem{}, [](const CardItem&) {});
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    auto* code = child<QLineEdit>(&d, "xmno");
    code->setFocus();
    QTest::keyClicks(code, "G1");
    EXPECT_FALSE(child<QListWidget>(&d, "goodsList")->isVisible());  // no list in this mode
    auto message = mctest::answerNextMessageBox();
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(*message, "计次卡不能设置非服务性商品");
    EXPECT_TRUE(code->text().isEmpty());

    QTest::keyClicks(code, "W1");
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(d.focusWidget(), child<QLineEdit>(&d, "xfcs"));
}

TEST_P(CardClassWindow, PickersReturnThroughThePickResults)
{
    exec(db(), "insert into membercurlist(memberno, truecard, membername, cardno, cardstatus) values"
               "('01', '01', '甲', '0001', '正常'), ('02', '02', '乙', '0002', '正常'), ('03a1', '03b1', '丙', '0001', '注销')");

    Tfrmhyxz members(db());
    members.show();
    auto* tree = child<QTreeWidget>(&members, "classTree");
    QTreeWidgetItem* stored = findNode(tree, storedValueKind);
    emit tree->itemClicked(stored, 0);
    auto* grid = child<QTableView>(&members, "memberGrid");
    ASSERT_EQ(grid->model()->rowCount(), 1);  // no cancelled member
    grid->selectRow(0);
    mc::pickedNumber.clear();
    click(&members, "btnSelect");
    EXPECT_EQ(mc::pickedNumber, "01");
    EXPECT_EQ(mc::pickedName, "甲");
    EXPECT_EQ(mc::pickedClass, "0001");

    Tfrmcardclassxz classes(db(), {false, true, true});
    classes.show();
    auto* classTree = child<QTreeWidget>(&classes, "classTree");
    EXPECT_EQ(findNode(classTree, "次卡[0002]"), nullptr);  // count cards not allowed here
    classTree->setCurrentItem(findNode(classTree, storedValueKind));
    auto message = mctest::answerNextMessageBox();
    click(&classes, "btnSelect");
    EXPECT_EQ(*message, "必须选择卡类型");
    mc::pickedClass.clear();
    classTree->setCurrentItem(findNode(classTree, "金卡[0001]"));
    click(&classes, "btnSelect");
    EXPECT_EQ(mc::pickedClass, "0001");
    mc::pickedNumber.clear();
    mc::pickedName.clear();
    mc::pickedClass.clear();
}

MC_ENGINES(CardClassWindow);
