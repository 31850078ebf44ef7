// The goods window driven like an operator would: classes and goods entered, stock received.

#include "database.h"
#include "frmspzl.h"
#include "goods.h"
#include "globals.h"
#include "goods_dialogs.h"
#include "goods_pickers.h"
#include "import_dialog.h"
#include "modal_answer.h"
#include "modal_steps.h"
#include "report_preview.h"
#include "scratch_database.h"
#include "stock_dialog.h"
#include "template_catalogue.h"
#include "utils/gridexport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using mc::db::exec;
using mc::db::scalar;
using mctest::EngineTest;

namespace {

class GoodsWindow : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        exec(db(), "insert into spclass(classno, classname, isfwxsp) values('001', '饮料', ?), ('002', '洗车', ?)",
             {false, true});
        exec(db(), "insert into xssp(spclass, spno, spname, xsjg, jhdj, pjjhdj, kcsl) values"
                   "('001', 'G1', '可乐', 5, 2, 2, 10), ('002', 'W1', '洗车', 30, 0, 0, 0)");
        window.emplace(db());
        window->show();
    }
    void TearDown() override { window.reset(); }

    // Selects the goods row with code `spno`.
    void selectGoods(const QString& spno)
    {
        auto* grid = window->findChild<QTableView*>("goodsGrid");
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            if (grid->model()->index(r, 1).data().toString() == spno)
                grid->selectRow(r);
    }
    QString goodsCell(const QString& spno, int column)
    {
        auto* grid = window->findChild<QTableView*>("goodsGrid");
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            if (grid->model()->index(r, 1).data().toString() == spno)
                return grid->model()->index(r, column).data().toString();
        return {};
    }
    void click(const char* name) { window->findChild<QPushButton*>(name)->click(); }

    std::optional<Tfrmspzl> window;
};

}  // namespace

TEST_P(GoodsWindow, GoodsAreReceivedInTheWindow)
{
    selectGoods("G1");
    std::shared_ptr<QString> message;
    auto worked = mctest::onNextModal<Tfrmspjh>([&](Tfrmspjh* d) {
        d->findChild<QLineEdit*>("quantity")->setText("10");
        d->findChild<QLineEdit*>("price")->setText("3");
        message = mctest::answerNextMessageBox();
        d->findChild<QPushButton*>("btnOk")->click();
    });
    click("btnStockIn");
    ASSERT_TRUE(*worked);
    EXPECT_EQ(*message, "进货成功");
    EXPECT_EQ(goodsCell("G1", 5), "20.00");
    EXPECT_DOUBLE_EQ(mc::sales::findGoods(db(), "G1")->pjjhdj.toDouble(), 2.5);
    EXPECT_EQ(scalar(db(), "select count(*) from kccl where czsm = '进货'").toInt(), 1);
}

TEST_P(GoodsWindow, ServiceGoodsOpenNoStockDialog)
{
    selectGoods("W1");
    for (const char* command : {"btnStockIn", "btnStockReturn"}) {
        const auto message = mctest::answerNextMessageBox();
        click(command);
        EXPECT_EQ(*message, "服务类商品无法进货") << command;
    }
    EXPECT_EQ(scalar(db(), "select count(*) from kccl").toInt(), 0);
}

TEST_P(GoodsWindow, AClassAndAnItemEnteredInTheirDialogs)
{
    auto classDone = mctest::onNextModal<Tfrmspfllr>([](Tfrmspfllr* d) {
        d->findChild<QLineEdit*>("classno")->setText("7");
        d->findChild<QLineEdit*>("classname")->setText("日用品");
        d->findChild<QPushButton*>("btnSaveClose")->click();
    });
    click("btnClassAdd");
    ASSERT_TRUE(*classDone);
    EXPECT_EQ(mc::sales::findGoodsClass(db(), "007")->classname, "日用品");

    auto goodsDone = mctest::onNextModal<Tfrmsplr>([](Tfrmsplr* d) {
        auto* classes = d->findChild<QComboBox*>("spclass");
        classes->setCurrentIndex(classes->findData("007"));
        d->findChild<QCheckBox*>("autoCode")->setChecked(true);
        d->findChild<QLineEdit*>("spname")->setText("中文");  // as typed: textChanged
        d->findChild<QLineEdit*>("xsjg")->setText("8");
        d->findChild<QLineEdit*>("jhdj")->setText("4");
        d->findChild<QLineEdit*>("kcsl")->setText("6");
        d->findChild<QPushButton*>("btnSaveClose")->click();
    });
    click("btnGoodsAdd");
    ASSERT_TRUE(*goodsDone);
    const auto g = mc::sales::findGoods(db(), "1");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->pyzjf, "ZHONGWEN");
    EXPECT_DOUBLE_EQ(g->pjjhdj.toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(scalar(db(), "select jhsl from kccl where spno = '1' and czsm = '初始'").toDouble(), 6.0);
    EXPECT_EQ(goodsCell("1", 0), "日用品");
}

// A price or commission that is not a number would be stored as 0 without a word.
TEST_P(GoodsWindow, NumberBoxesRefuseWhatIsNotANumber)
{
    const struct {
        const char* box;
        const char* typed;
        const char* message;
    } cases[] = {
        {"xsjg", "12..5", "销售单价录入错误"},
        {"jhdj", "x", "进货单价录入错误"},
        {"kcsl", "3a", "库存数量录入错误"},
        {"zdzk", "8,5", "最低折扣录入错误"},
        {"ygtc3", "1.2.3", "员工提成3录入错误"},
    };
    for (const auto& c : cases) {
        Tfrmsplr d(db(), mc::sales::Goods{});
        auto* classes = d.findChild<QComboBox*>("spclass");
        classes->setCurrentIndex(classes->findData("001"));
        d.findChild<QLineEdit*>("spno")->setText("N1");
        d.findChild<QLineEdit*>("spname")->setText("新品");
        d.findChild<QLineEdit*>("xsjg")->setText("10");
        d.findChild<QLineEdit*>(c.box)->setText(c.typed);
        const auto message = mctest::answerNextMessageBox();
        d.findChild<QPushButton*>("btnSaveClose")->click();
        EXPECT_EQ(*message, c.message) << c.box;
        EXPECT_FALSE(mc::sales::findGoods(db(), "N1")) << c.box;
    }
    // Empty boxes count as 0.
    Tfrmsplr d(db(), mc::sales::Goods{});
    auto* classes = d.findChild<QComboBox*>("spclass");
    classes->setCurrentIndex(classes->findData("001"));
    d.findChild<QLineEdit*>("spno")->setText("N1");
    d.findChild<QLineEdit*>("spname")->setText("新品");
    d.findChild<QLineEdit*>("xsjg")->setText("10");
    d.findChild<QLineEdit*>("ygtc")->clear();
    d.findChild<QPushButton*>("btnSaveClose")->click();
    const auto g = mc::sales::findGoods(db(), "N1");
    ASSERT_TRUE(g);
    EXPECT_DOUBLE_EQ(g->xsjg.toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(g->ygtc.toDouble(), 0.0);
}

TEST_P(GoodsWindow, EditingAndDeleting)
{
    auto* classes = window->findChild<QTableView*>("classGrid");
    classes->selectRow(0);
    auto edited = mctest::onNextModal<Tfrmspfllr>([](Tfrmspfllr* d) {
        EXPECT_FALSE(d->findChild<QLineEdit*>("classno")->isEnabled());  // an existing code stays
        d->findChild<QLineEdit*>("classname")->setText("饮品");
        d->findChild<QPushButton*>("btnSaveClose")->click();
    });
    click("btnClassEdit");
    ASSERT_TRUE(*edited);
    EXPECT_EQ(mc::sales::findGoodsClass(db(), "001")->classname, "饮品");
    EXPECT_EQ(goodsCell("G1", 0), "饮品");

    selectGoods("G1");
    auto confirm = mctest::answerNextMessageBox(QMessageBox::Yes);
    click("btnGoodsDelete");
    EXPECT_EQ(*confirm, "确认删除该商品可乐,是否继续?");
    EXPECT_FALSE(mc::sales::findGoods(db(), "G1"));

    classes->selectRow(1);
    confirm = mctest::answerNextMessageBox(QMessageBox::Yes);
    click("btnClassDelete");
    EXPECT_EQ(*confirm, "确认删除该商品分类,是否继续?");
    EXPECT_FALSE(mc::sales::findGoodsClass(db(), "002"));
    EXPECT_TRUE(mc::sales::findGoods(db(), "W1"));  // its goods stay
}

TEST_P(GoodsWindow, SaveAndAddNextNumbersTheItems)
{
    auto done = mctest::onNextModal<Tfrmsplr>([](Tfrmsplr* d) {
        auto* classes = d->findChild<QComboBox*>("spclass");
        auto* code = d->findChild<QLineEdit*>("spno");
        auto* name = d->findChild<QLineEdit*>("spname");
        classes->setCurrentIndex(classes->findData("001"));
        d->findChild<QCheckBox*>("autoCode")->setChecked(true);
        EXPECT_EQ(code->text(), "1");
        name->setText("甲");
        d->findChild<QLineEdit*>("kcsl")->setText("3");
        d->findChild<QPushButton*>("btnSaveNext")->click();
        // The next item starts empty with the next code and an open class choice.
        EXPECT_EQ(code->text(), "2");
        EXPECT_TRUE(name->text().isEmpty());
        EXPECT_TRUE(classes->isEnabled());
        classes->setCurrentIndex(classes->findData("001"));
        name->setText("乙");
        d->findChild<QPushButton*>("btnSaveClose")->click();
    });
    click("btnGoodsAdd");
    ASSERT_TRUE(*done);
    EXPECT_EQ(mc::sales::findGoods(db(), "1")->spname, "甲");
    EXPECT_EQ(mc::sales::findGoods(db(), "2")->spname, "乙");
    EXPECT_EQ(scalar(db(), "select count(*) from kccl where spno = '1' and czsm = '初始'").toInt(), 1);
    EXPECT_EQ(goodsCell("2", 2), "乙");
}

TEST_P(GoodsWindow, ReturnsAndTheSearch)
{
    selectGoods("G1");
    std::shared_ptr<QString> message;
    auto worked = mctest::onNextModal<Tfrmspjh>([&](Tfrmspjh* d) {
        EXPECT_EQ(d->windowTitle(), "商品退货");
        EXPECT_EQ(d->findChild<QLineEdit*>("price")->text(), "2.00");  // the last purchase price
        d->findChild<QLineEdit*>("quantity")->setText("4");
        message = mctest::answerNextMessageBox();
        d->findChild<QPushButton*>("btnOk")->click();
    });
    click("btnStockReturn");
    ASSERT_TRUE(*worked);
    EXPECT_EQ(*message, "退货成功");
    EXPECT_EQ(goodsCell("G1", 5), "6.00");

    auto* grid = window->findChild<QTableView*>("goodsGrid");
    auto* search = window->findChild<QLineEdit*>("search");
    QTest::keyClicks(search, "W");
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "W1");
    search->clear();
    window->findChild<QCheckBox*>("byPinyin")->setChecked(true);
    exec(db(), "update xssp set pyzjf = 'KELE' where spno = 'G1'");
    QTest::keyClicks(search, "KE");
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "G1");
}

TEST_P(GoodsWindow, ImportThroughTheDialog)
{
    // The goods list exported as the grid export writes it (records from row 4), then imported
    // back into an empty catalogue.
    const QString file = scratch->folder() + "/import.xlsx";
    auto* grid = window->findChild<QTableView*>("goodsGrid");
    ASSERT_TRUE(mc::writeGridWorkbook(*grid->model(), {}, file, "商品", "张三", QDate(2026, 1, 1)).ok);
    exec(db(), "delete from xssp");
    auto done = mctest::onNextModal<Tfrmspdr>([&](Tfrmspdr* d) {
        d->findChild<QLineEdit*>("file")->setText(file);
        d->findChild<QLineEdit*>("startRow")->setText("4");
        d->findChild<QLineEdit*>("classColumn")->setText("1");
        d->findChild<QLineEdit*>("codeColumn")->setText("2");
        d->findChild<QLineEdit*>("nameColumn")->setText("3");
        d->findChild<QLineEdit*>("priceColumn")->setText("4");
        d->findChild<QLineEdit*>("costColumn")->setText("5");
        d->findChild<QLineEdit*>("stockColumn")->setText("6");
        const auto texts = mctest::answerMessageBoxes({QMessageBox::Yes, QMessageBox::Ok});
        d->findChild<QPushButton*>("btnStart")->click();
        EXPECT_EQ(*texts, QStringList({"确认将导入数据吗，建议导入前先备份当前商品信息", "商品信息导入成功"}));
        d->findChild<QPushButton*>("btnClose")->click();
    });
    click("btnImport");
    ASSERT_TRUE(*done);
    const auto cola = mc::sales::findGoods(db(), "G1");
    ASSERT_TRUE(cola);
    EXPECT_EQ(cola->spname, "可乐");
    EXPECT_EQ(cola->spclass, "001");
    EXPECT_DOUBLE_EQ(cola->xsjg.toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(cola->jhdj.toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(cola->kcsl, 10.0);
    EXPECT_EQ(goodsCell("W1", 2), "洗车");  // the window shows the imported list
}

TEST_P(GoodsWindow, PickersReturnThroughThePickResults)
{
    exec(db(), "insert into xssp(spclass, spno, spname, xsjg) values('002', 'W2', '打蜡', 40)");
    Tfrmspxz goods(db());
    goods.show();
    auto* grid = goods.findChild<QTableView*>("goodsGrid");
    EXPECT_EQ(grid->model()->rowCount(), 3);
    auto* tree = goods.findChild<QTreeWidget*>("classTree");
    QTreeWidgetItem* service = tree->findItems("洗车[002]", Qt::MatchExactly).value(0);
    ASSERT_NE(service, nullptr);
    emit tree->itemClicked(service, 0);
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->index(1, 2).data().toString(), "40.00");
    mc::pickedNumber.clear();
    goods.findChild<QPushButton*>("btnSelect")->click();
    EXPECT_TRUE(mc::pickedNumber.isEmpty());  // no row: nothing happens
    grid->selectRow(1);
    goods.findChild<QPushButton*>("btnSelect")->click();
    EXPECT_EQ(mc::pickedNumber, "W2");
    EXPECT_EQ(mc::pickedName, "打蜡");

    Tfrmsplbxz classes(db());
    classes.show();
    auto* classTree = classes.findChild<QTreeWidget*>("classTree");
    classTree->setCurrentItem(classTree->findItems("饮料[001]", Qt::MatchExactly).value(0));
    classes.findChild<QPushButton*>("btnSelect")->click();
    EXPECT_EQ(mc::pickedNumber, "001");
    EXPECT_EQ(mc::pickedName, "饮料");
    mc::pickedNumber.clear();
    mc::pickedName.clear();
}

MC_ENGINES(GoodsWindow);

TEST_P(GoodsWindow, TheGoodsListPrintsWhatTheListShows)
{
    QTemporaryDir dir;
    mc::appPath = dir.path() + "/";
    mc::reports::installTemplates(mc::appPath);
    window->findChild<QLineEdit*>("search")->setText("G");  // only G1 (可乐) is listed
    const QString pdf = dir.path() + "/goods.pdf";
    QString error = "not shown";
    auto shown = mctest::onNextModal<ReportPreviewDialog>([&](ReportPreviewDialog* preview) {
        error = preview->exportPdfTo(pdf);
        preview->reject();
    });
    click("btnPrint");
    mc::appPath.clear();
    ASSERT_TRUE(*shown);
    ASSERT_EQ(error, "");
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("可乐")) << printed.toStdString();
    EXPECT_FALSE(printed.contains("洗车")) << printed.toStdString();
}
