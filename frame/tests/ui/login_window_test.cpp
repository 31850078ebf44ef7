// The login and account-set windows on the real catalogue and demonstration set.

#include "data_files.h"
#include "database.h"
#include "frmuserload.h"
#include "frmztgl.h"
#include "globals.h"
#include "modal_answer.h"
#include "password_hash.h"
#include "qt_print.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

class LoginWindow : public testing::Test {
protected:
    void SetUp() override
    {
        mc::appPath = dir.path() + "/";
        mc::populateDataFolder(mc::appPath);
        mc::db::openSqlite(mc::db::catalogueConnection, mc::catalogueFile(mc::appPath));
        mc::db::openSqlite(mc::db::accountConnection, mc::accountSetFile(mc::appPath, mc::demoSetName));
    }
    void TearDown() override
    {
        mc::db::closeConnection(mc::db::catalogueConnection);
        mc::db::closeConnection(mc::db::accountConnection);
        mc::appPath.clear();
        mc::operatorCode.clear();
        mc::operatorName.clear();
    }
    template <typename T>
    static T* child(QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QTemporaryDir dir;
};

TEST_F(LoginWindow, OpensOnTheDemoSetWithItsNotesAndTheLastOperator)
{
    Tfrmuserload w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("用户登录"));
    EXPECT_EQ(child<QComboBox>(w, "scbzt")->currentText(), QStringLiteral("测试帐套"));
    EXPECT_EQ(child<QLineEdit>(w, "sEdit2")->text(), "735146");
    EXPECT_EQ(child<QLineEdit>(w, "sEdit3")->text(), QStringLiteral("系统管理员"));
    EXPECT_FALSE(child<QLabel>(w, "Label2")->isHidden());
    EXPECT_EQ(child<QLabel>(w, "Label3")->text(), QStringLiteral("正式使用本软件时请在帐套管理中创建新的帐套"));
    EXPECT_EQ(child<QLineEdit>(w, "sEdit1")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(mc::accountSet, "test");
}

TEST_F(LoginWindow, EnterPadsTheCodeAndAWrongPasswordKeepsTheWindowOpen)
{
    Tfrmuserload w;
    w.show();
    auto* code = child<QLineEdit>(w, "sEdit2");
    code->setText("1");
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(code->text(), "00000001");
    EXPECT_EQ(child<QLineEdit>(w, "sEdit3")->text(), QStringLiteral("张三"));

    child<QLineEdit>(w, "sEdit1")->setText("wrong");
    auto message = mctest::answerNextMessageBox();
    child<QPushButton>(w, "sBitBtn1")->click();
    EXPECT_EQ(*message, QStringLiteral("登录口令错误"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(mc::operatorCode.isEmpty());

    child<QLineEdit>(w, "sEdit1")->setText("1");
    child<QPushButton>(w, "sBitBtn1")->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(mc::operatorCode, "00000001");
    EXPECT_EQ(mc::operatorName, QStringLiteral("张三"));
}

TEST_F(LoginWindow, EnterInThePasswordMovesToOkAndASecondEnterLogsIn)
{
    Tfrmuserload w;
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* password = child<QLineEdit>(w, "sEdit1");
    password->setFocus();
    QTest::keyClicks(password, mc::initialAdminPassword);
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_TRUE(mc::operatorCode.isEmpty());
    auto* ok = child<QPushButton>(w, "sBitBtn1");
    ASSERT_TRUE(ok->hasFocus());
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(mc::operatorCode, "735146");
}

TEST_F(LoginWindow, NewAccountSetWindowCreatesTheSetAndStaysOpen)
{
    Tfrmztlr w;
    w.show();
    child<QLineEdit>(w, "DBEdit1")->setText("shop1");
    child<QLineEdit>(w, "DBEdit2")->setText(QStringLiteral("一号店"));
    auto message = mctest::answerNextMessageBox();
    child<QPushButton>(w, "BitBtn1")->click();
    EXPECT_EQ(*message, QStringLiteral("帐套创建成功"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(QFileInfo::exists(mc::accountSetFile(mc::appPath, "shop1")));

    // The same name again is refused with its message.
    child<QLineEdit>(w, "DBEdit1")->setText("shop1");
    child<QLineEdit>(w, "DBEdit2")->setText(QStringLiteral("又一个"));
    message = mctest::answerNextMessageBox();
    child<QPushButton>(w, "BitBtn1")->click();
    EXPECT_EQ(*message, QStringLiteral("该帐套名称已经存在"));

    // The login window lists it the next time it is shown.
    Tfrmuserload login;
    EXPECT_EQ(login.findChild<QComboBox*>("scbzt")->count(), 2);
}

TEST_F(LoginWindow, AccountSetWindowListsTheCatalogueAndSaysWhenItCannotBeRead)
{
    {
        Tfrmztgl w;
        const QAbstractItemModel* model = child<QTableView>(w, "DBGrid1")->model();
        ASSERT_EQ(model->rowCount(), 1);
        EXPECT_EQ(model->index(0, 0).data().toString(), "test");
        EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("测试帐套"));
        EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("最后登陆时间"));
    }
    mc::db::exec(QSqlDatabase::database(mc::db::catalogueConnection), "drop table sjklj");
    auto message = mctest::answerNextMessageBox();
    Tfrmztgl w;
    EXPECT_TRUE(message->contains(QStringLiteral("错误:"))) << message->toStdString();
    EXPECT_EQ(child<QTableView>(w, "DBGrid1")->model()->rowCount(), 0);
}
