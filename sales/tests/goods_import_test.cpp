// Goods imported from a real workbook, written by the program's own grid export.

#include "database.h"
#include "globals.h"
#include "goods.h"
#include "goods_import.h"
#include "scratch_database.h"
#include "utils/gridexport.h"

#include <QAbstractTableModel>
#include <QFile>

using mc::db::exec;
using mc::db::scalar;
using namespace mc::sales;
using mctest::EngineTest;

namespace {

// The export puts the column titles in row 3 and the records from row 4 on.
constexpr const char* firstRecordRow = "4";

class Sheet : public QAbstractTableModel {
public:
    explicit Sheet(QList<QStringList> rows) : rows_(std::move(rows)) {}
    int rowCount(const QModelIndex& = {}) const override { return int(rows_.size()); }
    int columnCount(const QModelIndex& = {}) const override { return 7; }
    QVariant data(const QModelIndex& i, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(rows_[i.row()].value(i.column())) : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        static const char* titles[] = {"编号", "名称", "类别", "售价", "进价", "库存", "提成"};
        return o == Qt::Horizontal && role == Qt::DisplayRole ? QVariant(QString(titles[section])) : QVariant();
    }

private:
    QList<QStringList> rows_;
};

class Import : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        exec(db(), "insert into spclass(classno, classname, isfwxsp) values('005', '饮料', ?), ('009', '服务', ?)",
             {false, true});
    }

    QString workbook(const QList<QStringList>& rows)
    {
        const QString path = scratch->folder() + "/goods.xlsx";
        QFile::remove(path);
        Sheet sheet(rows);
        EXPECT_TRUE(mc::writeGridWorkbook(sheet, {}, path, "商品", "张三", QDate(2026, 1, 1)).ok);
        return path;
    }
    GoodsImportSettings columns(const QString& file)
    {
        GoodsImportSettings s;
        s.file = file;
        s.startRow = firstRecordRow;
        s.classColumn = "3";
        s.codeColumn = "1";
        s.nameColumn = "2";
        s.priceColumn = "4";
        s.costColumn = "5";
        s.stockColumn = "6";
        s.commissionColumns = {"7", "", "0", ""};
        return s;
    }
    int goodsCount() { return scalar(db(), "select count(*) from xssp").toInt(); }

    const mc::Session session{"00000001", "张三", "", "", "", QDateTime(QDate(2026, 3, 1), QTime(9, 30))};
};

}  // namespace

TEST_P(Import, RowsWithTheirClassesAndStartingStock)
{
    const QString file = workbook({{"A1", "矿泉水", "饮料", "2.5", "1.2", "10", "0.5"},
                                   {"", " 薯片 ", "零食", "6", "4", "0", ""},
                                   {"A3", "饼干", "零食", "5", "3", "3", ""},
                                   {"A4", "洗车", "服务", "30", "", "2", ""},
                                   {"A5", "果冻", "甜品", "1", "0.5", "", ""}});
    const mc::Done o = importGoods(db(), session, columns(file));
    EXPECT_TRUE(o.ok) << o.message.toStdString();
    EXPECT_EQ(o.message, "商品信息导入成功");
    EXPECT_EQ(goodsCount(), 5);

    const Goods water = *findGoods(db(), "A1");
    EXPECT_EQ(water.spclass, "005");
    EXPECT_EQ(water.pyzjf, "KUANGQUANSHUI");
    EXPECT_DOUBLE_EQ(water.xsjg.toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(water.jhdj.toDouble(), 1.2);
    EXPECT_DOUBLE_EQ(water.pjjhdj.toDouble(), 1.2);
    EXPECT_DOUBLE_EQ(water.kcsl, 10.0);
    EXPECT_DOUBLE_EQ(water.ygtc.toDouble(), 0.5);
    // An empty code gets the next numeric one; the name is trimmed.
    EXPECT_EQ(findGoods(db(), "1")->spname, "薯片");
    // Each missing class is created once, following the highest numeric class code.
    EXPECT_EQ(scalar(db(), "select classno from spclass where classname = '零食'").toString(), "010");
    EXPECT_EQ(scalar(db(), "select classno from spclass where classname = '甜品'").toString(), "011");
    EXPECT_EQ(scalar(db(), "select count(*) from spclass").toInt(), 4);
    // Stocked goods get their starting movement; service goods and empty stock do not.
    EXPECT_EQ(scalar(db(), "select count(*) from kccl where czsm = '初始'").toInt(), 2);
    EXPECT_DOUBLE_EQ(scalar(db(), "select jhsl from kccl where spno = 'A3'").toDouble(), 3.0);
}

TEST_P(Import, AnEmptyNameCellEndsTheRows)
{
    const QString file = workbook({{"B1", "", "饮料", "1", "1", "1", ""}, {"B2", "茶", "饮料", "1", "1", "1", ""}});
    const mc::Done o = importGoods(db(), session, columns(file));
    EXPECT_EQ(o.message, "商品信息导入成功");
    EXPECT_EQ(goodsCount(), 0);
}

TEST_P(Import, DuplicateCodesStopOrAreReassigned)
{
    exec(db(), "insert into xssp(spclass, spno, spname) values('005', '7', '旧'), ('005', 'C2', '旧')");
    const QString file = workbook({{"C1", "甲", "饮料", "1", "1", "", ""}, {"C2", "乙", "饮料", "1", "1", "", ""},
                                   {"C3", "丙", "饮料", "1", "1", "", ""}});
    GoodsImportSettings s = columns(file);
    EXPECT_EQ(importGoods(db(), session, s).message, "第5行商品编号重复");
    EXPECT_FALSE(findGoods(db(), "C1"));  // the rows before go back out with it
    EXPECT_FALSE(findGoods(db(), "C3"));

    s.reassignDuplicates = true;
    EXPECT_TRUE(importGoods(db(), session, s).ok);
    EXPECT_EQ(findGoods(db(), "8")->spname, "乙");
    EXPECT_EQ(findGoods(db(), "C2")->spname, "旧");
}

TEST_P(Import, AutomaticCodesStepOverTheFilesOwn)
{
    const QString file = workbook({{"", "甲", "饮料", "", "", "", ""}, {"5", "乙", "饮料", "", "", "", ""},
                                   {"", "丙", "饮料", "", "", "", ""}});
    ASSERT_TRUE(importGoods(db(), session, columns(file)).ok);
    EXPECT_EQ(findGoods(db(), "1")->spname, "甲");
    EXPECT_EQ(findGoods(db(), "5")->spname, "乙");
    EXPECT_EQ(findGoods(db(), "6")->spname, "丙");
}

TEST_P(Import, ABadRowStopsWithItsRowNumber)
{
    const QString file = workbook({{"D1", "甲", "饮料", "1", "1", "2", ""}, {"D2", "乙", "饮料", "1", "1", "2.5", ""},
                                   {"D3", "丙", "饮料", "abc", "1", "", ""}});
    const mc::Done o = importGoods(db(), session, columns(file));
    EXPECT_EQ(o.message, "第5出现错误，无法导入\n库存数量必须为整数\n错误:0");
    EXPECT_EQ(goodsCount(), 0);
    EXPECT_EQ(scalar(db(), "select count(*) from kccl").toInt(), 0);
}

// Deleting the catalogue first and then failing half-way must not leave the shop with half of it.
TEST_P(Import, ADuplicateCodeRollsTheWholeImportBack)
{
    exec(db(), "insert into xssp(spclass, spno, spname, xsjg, kcsl) values('005', 'K1', '旧一', 3.5, 2), "
               "('005', 'K2', '旧二', 4, 0)");
    exec(db(), "insert into kccl(czsm, spno, jhsl, curkc) values('初始', 'K1', 2, 2)");
    const QString file = workbook({{"Z1", "甲", "新类", "1", "1", "5", ""}, {"Z2", "乙", "饮料", "1", "1", "", ""},
                                   {"Z1", "丙", "饮料", "1", "1", "", ""}});
    for (const bool deleteExisting : {true, false}) {
        GoodsImportSettings s = columns(file);
        s.deleteExisting = deleteExisting;
        EXPECT_EQ(importGoods(db(), session, s).message, "第6行商品编号重复") << deleteExisting;
        QStringList codes;
        QSqlQuery q = exec(db(), "select spno, spname, xsjg, kcsl from xssp order by spno");
        while (q.next())
            codes << q.value(0).toString() + "/" + q.value(1).toString() + "/" + q.value(2).toString() + "/" +
                         q.value(3).toString();
        EXPECT_EQ(codes, QStringList({"K1/旧一/3.5/2", "K2/旧二/4/0"})) << deleteExisting;
        EXPECT_EQ(scalar(db(), "select count(*) from kccl").toInt(), 1) << deleteExisting;
        EXPECT_EQ(scalar(db(), "select count(*) from spclass").toInt(), 2) << deleteExisting;  // no class 新类
    }
}

TEST_P(Import, StartingStockCarriesTheSessionNotTheGlobals)
{
    mc::operatorCode = "99999999";
    const QString file = workbook({{"S1", "甲", "饮料", "1", "1.5", "4", ""}});
    ASSERT_TRUE(importGoods(db(), session, columns(file)).ok);
    mc::operatorCode.clear();
    QSqlQuery q = exec(db(), "select actor, jthdate, dj, curkc from kccl where spno = 'S1'");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "00000001");
    EXPECT_EQ(q.value(1).toDateTime(), session.now);
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(q.value(3).toDouble(), 4.0);
}

TEST_P(Import, SettingsAndFileChecks)
{
    const QString file = workbook({{"E1", "甲", "饮料", "1", "1", "", ""}});
    const struct {
        std::function<void(GoodsImportSettings&)> change;
        const char* message;
    } cases[] = {
        {[](auto& s) { s.startRow = ""; s.nameColumn = ""; }, "请设置文件开始行数"},
        {[](auto& s) { s.startRow = "2a"; }, "文件开始行数不正确"},
        {[](auto& s) { s.codeColumn = "x"; }, "商品编号列数不正确"},
        {[](auto& s) { s.nameColumn = ""; s.priceColumn = "x"; }, "商品名称列数必须录入"},
        {[](auto& s) { s.nameColumn = "-2"; }, "商品名称列数不正确"},
        {[](auto& s) { s.priceColumn = "1.5"; }, "销售价格列数不正确"},
        {[](auto& s) { s.costColumn = "x"; }, "进货价格列数不正确"},
        {[](auto& s) { s.stockColumn = "x"; }, "库存数量列数不正确"},
        {[](auto& s) { s.commissionColumns[2] = "x"; }, "提成3列数不正确"},
        {[](auto& s) { s.classColumn = ""; }, "商品类别列数必须录入"},
        {[](auto& s) { s.classColumn = "c"; }, "商品类别列数不正确"},
        {[](auto& s) { s.fixedClass = true; s.classColumn = "c"; }, "商品类别必须录入"},
        {[](auto& s) { s.file += ".gone"; }, "文件不存在"},
    };
    for (const auto& c : cases) {
        GoodsImportSettings s = columns(file);
        c.change(s);
        EXPECT_EQ(importGoods(db(), session, s).message, c.message);
    }

    // A file that is not a workbook is refused before any goods are deleted.
    exec(db(), "insert into xssp(spclass, spno, spname) values('005', 'K1', '留')");
    const QString text = scratch->folder() + "/goods.txt";
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a workbook");
    f.close();
    GoodsImportSettings s = columns(text);
    s.deleteExisting = true;
    EXPECT_EQ(importGoods(db(), session, s).message, "请选择EXCEL电子表格!");
    EXPECT_TRUE(findGoods(db(), "K1"));

    // With the right file the old goods go and a fixed class applies to every row.
    s = columns(file);
    s.deleteExisting = true;
    s.fixedClass = true;
    s.classCode = "009";
    EXPECT_TRUE(importGoods(db(), session, s).ok);
    EXPECT_FALSE(findGoods(db(), "K1"));
    EXPECT_EQ(findGoods(db(), "E1")->spclass, "009");
}

MC_ENGINES(Import);
