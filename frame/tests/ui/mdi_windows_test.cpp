// How the main window holds its windows: the modal custom-field windows, the program's icon on
// the child windows, children never squeezed below their controls, and a background in one piece.

#include "database.h"
#include "frmmain.h"
#include "glyph_icon.h"
#include "globals.h"
#include "qt_print.h"
#include "register_member_fields.h"
#include "scratch_database.h"
#include "settings_cache.h"
#include "window_registry.h"

#include <QAction>
#include <QFormLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MdiWindows : public testing::Test {
protected:
    void SetUp() override
    {
        mc::appPath = folder.path() + "/";
        mc::settings = {};
        set.emplace(mctest::Engine::Sqlite);
        mc::db::closeConnection(mc::db::accountConnection);
        set->connect(mc::db::accountConnection);
        mc::operatorCode = "01";
        mc::operatorName = "张三";
        mc::operatorClass = "管理员";
        frame.emplace();
        frame->setBackupOnClose(false);
        frame->resize(1000, 700);
        frame->show();
        frame->FormShow();
    }
    void TearDown() override
    {
        frame.reset();
        mc::db::closeConnection(mc::db::accountConnection);
        mc::operatorCode.clear();
        mc::operatorName.clear();
        mc::operatorClass.clear();
        mc::appPath.clear();
        mc::settings = {};
    }
    QMdiArea* mdi() const { return frame->findChild<QMdiArea*>("mdi"); }

    QTemporaryDir folder;
    std::optional<mctest::ScratchDatabase> set;
    std::optional<Tfrmmain> frame;
};

TEST_F(MdiWindows, TheCustomFieldWindowsAreModal)
{
    mc::members::registerFieldWindows();
    for (const char* item : {"N5", "L1"}) {
        const char* name = QLatin1String(item) == QLatin1String("N5") ? "frmselffield" : "frmzj";
        frame->action(item)->trigger();
        auto* window = frame->findChild<QWidget*>(name);
        ASSERT_NE(window, nullptr) << item;
        EXPECT_TRUE(window->isWindow()) << item;
        EXPECT_TRUE(window->isModal()) << item;
        EXPECT_TRUE(window->isVisible()) << item;
        EXPECT_TRUE(mdi()->subWindowList().isEmpty()) << item;
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(frame->findChild<QWidget*>(name), nullptr) << item;
    }
}

TEST_F(MdiWindows, ChildrenCarryTheProgramsIconAndKeepTheRoomTheirControlsNeed)
{
    mc::registerWindow("G6", mc::WindowEntry::Kind::Child, [](QWidget* parent) {
        auto* w = new QWidget(parent);
        w->setWindowTitle("很多字段");
        auto* form = new QFormLayout(w);
        for (int i = 0; i < 12; ++i)
            form->addRow(QString::number(i), new QLineEdit(w));
        return w;
    });
    frame->action("G6")->trigger();
    QMdiSubWindow* sub = mdi()->subWindowList().value(0);
    ASSERT_NE(sub, nullptr);
    const QImage expected = mc::programIcon().pixmap(16).toImage();
    EXPECT_EQ(sub->windowIcon().pixmap(16).toImage(), expected);
    EXPECT_EQ(frame->windowIcon().pixmap(16).toImage(), expected);

    // Tiled into a strip far lower than its fields, the window keeps their height.
    sub->setGeometry(0, 0, 600, 40);
    EXPECT_GE(sub->height(), sub->minimumSizeHint().height());
    EXPECT_GE(sub->widget()->height(), sub->widget()->minimumSizeHint().height());
}

TEST_F(MdiWindows, TheBackgroundGradientSpansTheWholeAreaWhateverIsRepainted)
{
    const QGradient* gradient = mdi()->background().gradient();
    ASSERT_NE(gradient, nullptr);
    // Relative to the painted part, every repainted strip restarted the gradient: seams.
    EXPECT_EQ(gradient->coordinateMode(), QGradient::LogicalMode);
    const auto* linear = static_cast<const QLinearGradient*>(gradient);
    EXPECT_EQ(linear->finalStop().y(), mdi()->viewport()->height());

    frame->resize(1000, 500);
    QCoreApplication::processEvents();
    linear = static_cast<const QLinearGradient*>(mdi()->background().gradient());
    EXPECT_EQ(linear->finalStop().y(), mdi()->viewport()->height());
}

}  // namespace
