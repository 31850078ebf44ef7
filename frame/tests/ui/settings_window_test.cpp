// The system-settings window, driven through its controls.

#include "database.h"
#include "frmsysset.h"
#include "globals.h"
#include "modal_answer.h"
#include "qt_print.h"
#include "scratch_database.h"
#include "settings_cache.h"
#include "utils/password.h"
#include "utils/sysset.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

class SettingsWindow : public testing::Test {
protected:
    void SetUp() override
    {
        mc::appPath = folder.path() + "/";
        mc::accountSet = "shop";
        mc::settings = {};
        set.emplace(mctest::Engine::Sqlite);
        mc::db::closeConnection(mc::db::accountConnection);
        set->connect(mc::db::accountConnection);
    }
    void TearDown() override
    {
        mc::db::closeConnection(mc::db::accountConnection);
        mc::appPath.clear();
        mc::accountSet.clear();
        mc::backupPath.clear();
        mc::settings = {};
    }
    template <typename T>
    static T* child(QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    // Shown and active, so that focus can be asserted.
    static void showActive(QWidget& w)
    {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    QString save(Tfrmsysset& w)
    {
        auto message = mctest::answerNextMessageBox();
        child<QPushButton>(w, "BitBtn1")->click();
        return *message;
    }
    QTemporaryDir folder;
    std::optional<mctest::ScratchDatabase> set;
};

TEST_F(SettingsWindow, OpensOnTheFirstPageWithTheDefaultsShown)
{
    Tfrmsysset w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("系统设置"));
    auto* pages = child<QTabWidget>(w, "PageControl1");
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(2), QStringLiteral("短信设置"));
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(mc::db::scalar(set->db(), "select count(*) from sysset").toInt(), 1);
    EXPECT_EQ(child<QLineEdit>(w, "txdays")->text(), "1");
    EXPECT_EQ(child<QLineEdit>(w, "yetxje")->text(), "10");
    EXPECT_EQ(child<QLineEdit>(w, "jftx")->text(), "18");
    EXPECT_EQ(child<QLineEdit>(w, "memberws")->text(), "8");
    EXPECT_EQ(child<QLineEdit>(w, "jeblxs")->text(), "1");
    EXPECT_TRUE(child<QCheckBox>(w, "xfdyxp")->isChecked());
    EXPECT_EQ(child<QLineEdit>(w, "loadmm")->text(), "**********");
    EXPECT_TRUE(child<QLineEdit>(w, "autobppath")->isReadOnly());
    EXPECT_FALSE(child<QPushButton>(w, "smstest")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(w, "sjtx")->isHidden());
    EXPECT_TRUE(child<QCheckBox>(w, "jfkfhck")->isHidden());

    // Only one of the two message groups is usable.
    auto* web = child<QGroupBox>(w, "webGroup");
    auto* phone = child<QGroupBox>(w, "phoneGroup");
    EXPECT_FALSE(web->isEnabled());
    EXPECT_TRUE(phone->isEnabled());
    child<QRadioButton>(w, "smswebfs")->setChecked(true);
    EXPECT_TRUE(web->isEnabled());
    EXPECT_FALSE(phone->isEnabled());
}

TEST_F(SettingsWindow, DigitEditsTakeDigitsAndEnterMovesOn)
{
    Tfrmsysset w;
    showActive(w);
    auto* days = child<QLineEdit>(w, "txdays");
    days->clear();
    QTest::keyClicks(days, "1a.2");
    EXPECT_EQ(days->text(), "12");
    auto* copies = child<QLineEdit>(w, "dyys");
    copies->clear();
    QTest::keyClicks(copies, "2.5x");
    EXPECT_EQ(copies->text(), "2.5");

    days->setFocus();
    ASSERT_TRUE(days->hasFocus());
    QTest::keyClick(days, Qt::Key_Return);
    EXPECT_FALSE(days->hasFocus());
    EXPECT_TRUE(w.isVisible());  // Enter pressed no button
}

TEST_F(SettingsWindow, AFailedCheckShowsItsMessageFocusesTheFieldAndSavesNothing)
{
    Tfrmsysset w;
    showActive(w);
    child<QCheckBox>(w, "usejftx")->setChecked(true);
    child<QLineEdit>(w, "jftx")->clear();
    child<QLineEdit>(w, "jeblxs")->setText("3");
    EXPECT_EQ(save(w), QStringLiteral("积分提醒必须设置积分"));
    // The offscreen platform does not hand the activation back after a message box, so the
    // window's own focus widget is what tells.
    EXPECT_EQ(w.focusWidget(), child<QLineEdit>(w, "jftx"));
    EXPECT_EQ(mc::db::scalar(set->db(), "select jeblxs from sysset").toInt(), 1);

    // A failing field on another page brings its page forward.
    child<QLineEdit>(w, "jeblxs")->clear();
    EXPECT_EQ(save(w), QStringLiteral("消费金额保留小数位数必须录入"));
    EXPECT_EQ(child<QTabWidget>(w, "PageControl1")->currentIndex(), 1);
    EXPECT_EQ(w.focusWidget(), child<QLineEdit>(w, "jeblxs"));
}

TEST_F(SettingsWindow, DecimalsBeyondFourAreRefusedOnTheirPage)
{
    Tfrmsysset w;
    showActive(w);
    child<QLineEdit>(w, "jeblxs")->setText("5");
    EXPECT_EQ(save(w), QStringLiteral("消费金额保留小数位数应在0到4之间"));
    EXPECT_EQ(child<QTabWidget>(w, "PageControl1")->currentIndex(), 1);
    EXPECT_EQ(w.focusWidget(), child<QLineEdit>(w, "jeblxs"));
    EXPECT_EQ(mc::db::scalar(set->db(), "select jeblxs from sysset").toInt(), 1);
    EXPECT_EQ(mc::settings.jeblxs, 1);
}

TEST_F(SettingsWindow, SavingWithEverythingOffAndEmptyFieldsStoresTheDefaultsAndRefreshesTheCache)
{
    mc::writestr("smsset", "loadmm", mc::encodepwd("secret"));
    Tfrmsysset w;
    for (const char* box : {"srtx", "dqtx", "yetx", "usejftx", "xfdyxp", "zcdyxp", "xkdyxp"})
        child<QCheckBox>(w, box)->setChecked(false);
    for (const char* edit : {"txdays", "dqtxday", "yetxje", "jftx", "dyys", "xfqkh", "xfhkh", "memberws", "ygws"})
        child<QLineEdit>(w, edit)->clear();
    child<QLineEdit>(w, "jeblxs")->setText("0");
    child<QLineEdit>(w, "receiptTitle1")->setText("好运洗车");
    child<QComboBox>(w, "xpprintmode")->setCurrentText("POS打印机");
    child<QLineEdit>(w, "dwname")->setText("好运洗车");

    EXPECT_EQ(save(w), QStringLiteral("保存完成"));
    EXPECT_EQ(child<QLineEdit>(w, "ygws")->text(), "8");
    EXPECT_EQ(child<QLineEdit>(w, "xfqkh")->text(), "0");
    EXPECT_EQ(mc::db::scalar(set->db(), "select ygws from sysset").toInt(), 8);
    EXPECT_EQ(mc::db::scalar(set->db(), "select dwname from sysset").toString(), QStringLiteral("好运洗车"));
    EXPECT_EQ(mc::readstr("sys", "xpprintmode"), QStringLiteral("POS打印机"));
    EXPECT_EQ(mc::decodepwd(mc::readstr("smsset", "loadmm")), "secret");  // placeholder untouched
    EXPECT_EQ(mc::settings.jeblxs, 0);
    EXPECT_EQ(mc::settings.receiptPrinterKind, 1);
    EXPECT_EQ(mc::settings.receiptTitle1, QStringLiteral("好运洗车"));

    // A new gateway password replaces the stored one.
    child<QLineEdit>(w, "loadmm")->setText("neu");
    EXPECT_EQ(save(w), QStringLiteral("保存完成"));
    EXPECT_EQ(mc::decodepwd(mc::readstr("smsset", "loadmm")), "neu");
}

TEST_F(SettingsWindow, TheBackupChooserPutsTheFolderOfThePickedFile)
{
    Tfrmsysset w;
    w.show();
    const QString target = folder.path() + "/elsewhere/x.bp";
    QDir().mkpath(folder.path() + "/elsewhere");
    QString proposed;
    QTimer::singleShot(50, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        proposed = dialog->selectedFiles().value(0);
        dialog->selectFile(target);
        static_cast<QDialog*>(dialog)->accept();
    });
    child<QPushButton>(w, "autobpbutton")->click();
    EXPECT_EQ(proposed, mc::appPath + "shopbp/autobp.bp");
    EXPECT_EQ(child<QLineEdit>(w, "autobppath")->text(), folder.path() + "/elsewhere/");
}
