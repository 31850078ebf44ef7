// Data sources taken from queries and from item models.

#include "data_source.h"

#include "database.h"
#include "scratch_database.h"

#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStandardItemModel>

#include <gtest/gtest.h>

using namespace mc::reports;

class DataSourceTest : public mctest::EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        mc::db::exec(db(), "insert into gszh(zhname, khr, curye) values(?, ?, ?)", {QStringLiteral("银行"), "A", 12.5});
        mc::db::exec(db(), "insert into gszh(zhname, khr, curye) values(?, ?, ?)", {QStringLiteral("微信"), "B", 3.0});
    }
};

TEST_P(DataSourceTest, QueryGivesEveryRowWhereverItStands)
{
    const QString sql = "select zhname, curye from gszh where khr in ('A', 'B') order by khr";
    QSqlQuery fresh = mc::db::exec(db(), sql);  // forward-only, before the first row
    const DataSource a = DataSource::fromQuery(fresh);
    EXPECT_EQ(a.columns(), QStringList({"zhname", "curye"}));
    ASSERT_EQ(a.rowCount(), 2);
    EXPECT_EQ(a.value(0, a.column("ZHNAME")).toString(), QStringLiteral("银行"));
    EXPECT_DOUBLE_EQ(a.value(1, a.column("curye")).toDouble(), 3.0);

    QSqlQuery scrollable(db());
    ASSERT_TRUE(scrollable.exec(sql));
    scrollable.last();  // a window's grid may stand anywhere
    EXPECT_EQ(DataSource::fromQuery(scrollable).rowCount(), 2);

    QSqlQuery idle(db());
    EXPECT_EQ(DataSource::fromQuery(idle).rowCount(), 0);
    EXPECT_EQ(a.column("nothere"), -1);
    EXPECT_FALSE(a.value(5, 0).isValid());
}

TEST_P(DataSourceTest, SqlModelsGiveFieldNamesNotCaptions)
{
    QSqlQueryModel model;
    model.setQuery("select zhname, curye from gszh where khr in ('A', 'B') order by khr", db());
    model.setHeaderData(0, Qt::Horizontal, QStringLiteral("帐户"));
    const DataSource d = DataSource::fromModel(model);
    EXPECT_EQ(d.columns(), QStringList({"zhname", "curye"}));
    EXPECT_EQ(d.rowCount(), 2);
}

TEST_P(DataSourceTest, TitlesComeFromTheHeadersElseFromTheKnownColumns)
{
    QSqlQueryModel model;
    model.setQuery("select zhname, curye, khr as oddname from gszh", db());
    model.setHeaderData(0, Qt::Horizontal, QStringLiteral("帐户"));
    const DataSource fromModel = DataSource::fromModel(model);
    EXPECT_EQ(fromModel.titles(), QStringList({QStringLiteral("帐户"), QStringLiteral("当前余额"), "oddname"}));

    QSqlQuery query = mc::db::exec(db(), "select memberno, MemberName from membercurlist");
    EXPECT_EQ(DataSource::fromQuery(query).titles(), QStringList({QStringLiteral("会员编号"), QStringLiteral("会员姓名")}));
}

MC_ENGINES(DataSourceTest);

TEST(DataSource, OtherModelsGiveTheirHeadersAndRawValues)
{
    QStandardItemModel model(1, 2);
    model.setHorizontalHeaderLabels({"spno", "spzj"});
    model.setData(model.index(0, 1), 12.5, Qt::EditRole);
    model.setData(model.index(0, 0), "001001");
    const DataSource d = DataSource::fromModel(model);
    EXPECT_EQ(d.columns(), QStringList({"spno", "spzj"}));
    EXPECT_EQ(d.value(0, 1).toDouble(), 12.5);
}
