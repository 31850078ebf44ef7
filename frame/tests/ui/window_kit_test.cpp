// The window kit: a result's message and field, confirmations, and the child window in the
// main window's area.

#include "form_parts.h"
#include "modal_answer.h"
#include "modal_steps.h"
#include "qt_print.h"
#include "window_kit.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(WindowKit, ARefusedResultShowsItsMessageAndFocusesItsField)
{
    mc::ui::EntryDialog window("frmtest", "商品录入", 0);
    auto* layout = new QVBoxLayout(&window);
    auto* name = mc::ui::namedEdit(&window, "spname");
    auto* price = mc::ui::moneyEdit(&window, "xsjg");
    layout->addWidget(name);
    layout->addWidget(price);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    name->setFocus();

    const auto refused = mctest::answerNextMessageBox();
    EXPECT_FALSE(window.showResult(mc::Done::failure("销售价格录入错误", "xsjg")));
    EXPECT_EQ(*refused, "销售价格录入错误");
    EXPECT_EQ(window.focusWidget(), price);

    // A field no control is named after leaves the focus where it is.
    const auto unnamed = mctest::answerNextMessageBox();
    EXPECT_FALSE(window.showResult(mc::Result<int>::failure("出现错误", "nosuchfield")));
    EXPECT_EQ(*unnamed, "出现错误");
    EXPECT_EQ(window.focusWidget(), price);

    const auto done = mctest::answerNextMessageBox();
    EXPECT_TRUE(window.showResult(mc::Result<int>::success(5, "保存完成")));
    EXPECT_EQ(*done, "保存完成");
    EXPECT_TRUE(window.showResult(mc::Done::success()));  // nothing to say, no box
}

TEST(WindowKit, ConfirmThenRunsTheActionOnYesOnly)
{
    QWidget window;
    window.setWindowTitle("商品信息设置");
    int runs = 0;
    const auto texts = mctest::answerMessageBoxes({QMessageBox::No, QMessageBox::Yes});
    EXPECT_FALSE(mc::ui::confirmThen(&window, "确认删除该商品,是否继续?", [&] { ++runs; }));
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(mc::ui::confirmThen(&window, "确认删除该商品,是否继续?", [&] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(*texts, QStringList({"确认删除该商品,是否继续?", "确认删除该商品,是否继续?"}));
}

TEST(WindowKit, MoneyEditsTakeDigitsAndAPointOnly)
{
    QWidget window;
    auto* price = mc::ui::moneyEdit(&window, "xsjg");
    QTest::keyClicks(price, "1a2.-5");
    EXPECT_EQ(price->text(), "12.5");
    EXPECT_EQ(mc::ui::moneyOf(price), mc::Money::fromUnits(125000));
    mc::ui::setMoney(price, mc::Money::fromUnits(30000));
    EXPECT_EQ(price->text(), "3.00");
    price->setText("1.2.3");
    EXPECT_FALSE(mc::ui::moneyOf(price));
}

TEST(WindowKit, AChildOpensMaximisedWhenAskedAndClosesWithItsFrame)
{
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    auto* child = new mc::ui::MdiChild("frmtest", "测试窗口", 0);
    child->setOpensMaximised(true);
    QMdiSubWindow* sub = area.addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    EXPECT_TRUE(sub->isMaximized());
    EXPECT_EQ(child->objectName(), "frmtest");
    EXPECT_EQ(child->windowTitle(), "测试窗口");

    child->closeWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

}  // namespace
