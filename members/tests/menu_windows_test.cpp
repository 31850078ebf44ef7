// The menu items of the card class and goods windows open the real windows on the account set.

#include "database.h"
#include "frmcardclass.h"
#include "frmmain.h"
#include "frmspzl.h"
#include "globals.h"
#include "members_windows.h"
#include "sales_windows.h"
#include "scratch_database.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

TEST(MenuWindows, CardClassesAndGoodsOpenFromTheirMenuItems)
{
    mctest::ScratchDatabase set(mctest::Engine::Sqlite);
    mc::db::closeConnection(mc::db::accountConnection);
    set.connect(mc::db::accountConnection);
    mc::db::exec(set.db(), "insert into cardclass(cardno, cardname, classname) values('0001', '金卡', '储值卡')");
    mc::operatorCode = "01";
    mc::operatorClass = "管理员";
    mc::members::registerWindows();
    mc::sales::registerWindows();
    {
        Tfrmmain w;
        w.setBackupOnClose(false);
        w.FormShow();
        w.show();
        auto* mdi = w.findChild<QMdiArea*>("mdi");
        w.action("N3")->trigger();
        ASSERT_EQ(mdi->subWindowList().size(), 1);
        EXPECT_NE(qobject_cast<Tfrmcardclass*>(mdi->subWindowList()[0]->widget()), nullptr);
        EXPECT_TRUE(mdi->subWindowList()[0]->isMaximized());
        w.action("S1")->trigger();
        ASSERT_EQ(mdi->subWindowList().size(), 2);
        EXPECT_NE(qobject_cast<Tfrmspzl*>(mdi->subWindowList()[1]->widget()), nullptr);
    }
    mc::db::closeConnection(mc::db::accountConnection);
    mc::operatorCode.clear();
    mc::operatorClass.clear();
}
