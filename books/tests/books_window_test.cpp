// 账务核对 on the offscreen platform: the bar runs to its end and the sentences are listed.

#include "database.h"
#include "frmzwhd.h"
#include "scratch_database.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>

using mc::db::exec;

TEST(BooksWindow, ShowsWhatDoesNotAgree)
{
    mctest::ScratchDatabase scratch(mctest::Engine::Sqlite);
    exec(scratch.db(), "insert into gszh(zhname, curye) values('现金', 5)");
    Tfrmzwhd window(scratch.db());
    window.runCheck();
    EXPECT_EQ(window.findChild<QProgressBar*>("progress")->value(), 1000);
    EXPECT_TRUE(window.findChild<QLabel*>("summary")->text().contains("发现 1 处不符"));
    auto* broken = window.findChild<QListWidget*>("broken");
    ASSERT_EQ(broken->count(), 1);
    EXPECT_EQ(broken->item(0)->text(), "帐户 现金：当前余额为 5.00，操作员账目合计为 0.00");

    exec(scratch.db(), "update gszh set curye = 0");
    window.runCheck();
    EXPECT_TRUE(window.findChild<QLabel*>("summary")->text().endsWith("账务相符。"));
    EXPECT_EQ(broken->count(), 0);
}
