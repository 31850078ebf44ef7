// The password prompt and the operator's password change, driven through their widgets.

#include "database.h"
#include "frmchange.h"
#include "frmpassword.h"
#include "globals.h"
#include "modal_answer.h"
#include "password_hash.h"
#include "qt_print.h"
#include "scratch_database.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(PasswordPrompt, OnlyDigitsAndBackspaceReachTheEditAndOkKeepsTheText)
{
    mc::typedPassword = "old";
    Tfrmpassword w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("请输入密码"));
    w.show();
    auto* edit = w.findChild<QLineEdit*>("Edit1");
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    QTest::keyClicks(edit, "12ab3");
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "123");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, "9");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(mc::typedPassword, "129");

    // Shown again it starts empty; 关闭 cancels and leaves the last text alone.
    w.show();
    EXPECT_EQ(edit->text(), "");
    QTest::keyClicks(edit, "55");
    w.findChild<QPushButton*>("BitBtn2")->click();
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(mc::typedPassword, "129");
}

class PasswordChangeWindow : public testing::Test {
protected:
    void SetUp() override
    {
        set.emplace(mctest::Engine::Sqlite);
        mc::db::closeConnection(mc::db::accountConnection);
        set->connect(mc::db::accountConnection);
        mc::db::exec(set->db(), "insert into gsyg(ygid, ygname, pwd) values('01', '张三', ?)", {mc::hashPassword("old")});
        mc::operatorCode = "01";
    }
    void TearDown() override
    {
        mc::db::closeConnection(mc::db::accountConnection);
        mc::operatorCode.clear();
    }
    std::optional<mctest::ScratchDatabase> set;
};

TEST_F(PasswordChangeWindow, EnterWalksTheEditsAndTheChecksSpeakTheirMessages)
{
    Tfrmchange w;
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* oldEdit = w.findChild<QLineEdit*>("Edit1");
    auto* newEdit = w.findChild<QLineEdit*>("Edit2");
    auto* confirm = w.findChild<QLineEdit*>("Edit3");
    auto* ok = w.findChild<QPushButton*>("BitBtn1");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("用户口令更改"));
    EXPECT_FALSE(ok->isEnabled());

    oldEdit->setFocus();
    QTest::keyClicks(oldEdit, "old");
    QTest::keyClick(oldEdit, Qt::Key_Return);
    EXPECT_TRUE(newEdit->hasFocus());
    QTest::keyClicks(newEdit, "new");
    QTest::keyClick(newEdit, Qt::Key_Return);
    EXPECT_TRUE(confirm->hasFocus());
    QTest::keyClicks(confirm, "neu");
    EXPECT_TRUE(ok->isEnabled());

    auto message = mctest::answerNextMessageBox();
    ok->click();
    EXPECT_EQ(*message, QStringLiteral("新口令与验证口令不一致，请重新输入"));
    EXPECT_EQ(w.focusWidget(), newEdit);
    EXPECT_FALSE(ok->isEnabled());  // until an edit changes again

    confirm->setText("new");
    QTest::keyClicks(oldEdit, "x");
    message = mctest::answerNextMessageBox();
    ok->click();
    EXPECT_EQ(*message, QStringLiteral("原口令不正确，请重新输入"));
    EXPECT_EQ(w.focusWidget(), oldEdit);

    QTest::keyClick(oldEdit, Qt::Key_Backspace);  // back to "old"
    message = mctest::answerNextMessageBox();
    ok->click();
    EXPECT_EQ(*message, QStringLiteral("更改口令完成"));
    EXPECT_TRUE(mc::verifyPassword("new", mc::db::scalar(set->db(), "select pwd from gsyg").toString()));
}
