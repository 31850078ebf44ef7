// The registration window driven as an operator would, without a card device.

#include "database.h"
#include "frmcapturebmp.h"
#include "frmmemberreg.h"
#include "globals.h"
#include "modal_answer.h"
#include "scratch_database.h"
#include "settings_cache.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QCameraDevice>
#include <QMediaDevices>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using mc::db::exec;
using mc::db::scalar;
using mctest::EngineTest;

namespace {

class RegistrationWindow : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        mc::appPath = folder.path() + "/";
        mc::cardMode = 3;
        mc::operatorCode = "0001";
        mc::operatorName = "王收银";
        saved = mc::settings;
        mc::settings.memberws = 6;
        mc::settings.jeblxs = 2;
        mc::settings.zcdyxp = false;
        exec(db(), "insert into gszh(zhname, curye) values('现金', 0)");
        exec(db(), "insert into cardclass(cardno, cardname, classname, cardmoney, cardyajin, czqs, cardyf, cardts) "
                   "values('0001', '金卡', '储值卡', 20, 10, 1.1, 12, 0)");
    }
    void TearDown() override
    {
        mc::settings = saved;
        mc::appPath.clear();
        mc::cardMode = 1;
        mc::operatorCode.clear();
        mc::operatorName.clear();
    }
    template <typename T>
    T* child(QWidget* w, const char* name)
    {
        T* c = w->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QString save(QWidget* w)
    {
        auto text = mctest::answerNextMessageBox();
        child<QPushButton>(w, "saveButton")->click();
        return *text;
    }

    QTemporaryDir folder;
    mc::SettingsCache saved;
};

}  // namespace

TEST_P(RegistrationWindow, RegistersAStoredValueMember)
{
    Tfrmmemberreg w(db());
    w.show();
    QTest::qWait(150);  // the card step after 添加
    EXPECT_FALSE(child<QPushButton>(&w, "addButton")->isEnabled());

    auto* memberno = child<QLineEdit>(&w, "memberno");
    memberno->setText("42");
    emit memberno->editingFinished();
    EXPECT_EQ(memberno->text(), "000042");
    // Without a card device the card number is the member number.
    EXPECT_EQ(child<QLineEdit>(&w, "truecard")->text(), "000042");

    EXPECT_EQ(save(&w), "姓名必须录入");
    child<QLineEdit>(&w, "membername")->setText("张三");
    auto* sfzh = child<QLineEdit>(&w, "sfzh");
    sfzh->setText("11010119800704123X");
    emit sfzh->editingFinished();
    EXPECT_EQ(child<QLineEdit>(&w, "birthday")->text(), "1980-07-04");

    auto* classes = child<QComboBox>(&w, "cardno");
    classes->setCurrentIndex(classes->findData("0001"));
    emit classes->activated(classes->currentIndex());
    EXPECT_EQ(child<QLineEdit>(&w, "classname")->text(), "储值卡");
    auto* deposit = child<QLineEdit>(&w, "deposit");
    deposit->setText("100");
    emit deposit->editingFinished();
    child<QLineEdit>(&w, "khyhje")->setText("5");
    EXPECT_EQ(child<QLineEdit>(&w, "curmoney")->text(), "110.00");
    EXPECT_EQ(child<QLineEdit>(&w, "khhjys")->text(), "130.00");
    EXPECT_EQ(child<QLineEdit>(&w, "khssje")->text(), "125.00");

    EXPECT_EQ(save(&w), "保存完成");
    EXPECT_DOUBLE_EQ(scalar(db(), "select curmoney from membercurlist where memberno = '000042'").toDouble(), 110);
    EXPECT_EQ(scalar(db(), "select truecard from membercurlist where memberno = '000042'").toString(), "000042");
    EXPECT_DOUBLE_EQ(scalar(db(), "select curye from gszh where zhname = '现金'").toDouble(), 125);
    EXPECT_EQ(mc::db::toDateTime(scalar(db(), "select birthday from membercurlist where memberno = '000042'")).date(),
              QDate(1980, 7, 4));
    // Viewing: only 添加 and 退出 are usable.
    EXPECT_FALSE(child<QPushButton>(&w, "saveButton")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(&w, "addButton")->isEnabled());
    EXPECT_FALSE(memberno->isEnabled());

    // The next registration starts empty; the same number is refused.
    child<QPushButton>(&w, "addButton")->click();
    QTest::qWait(150);
    EXPECT_EQ(memberno->text(), "");
    memberno->setText("000042");
    child<QLineEdit>(&w, "membername")->setText("李四");
    classes->setCurrentIndex(0);
    emit classes->activated(0);
    EXPECT_EQ(save(&w), "错误，会员编号重复,可能存在同号注销人员");
}

TEST_P(RegistrationWindow, IcCardModeWritesTheCardAsTheLastStep)
{
    mc::cardMode = 2;
    mc::settings.memberws = 10;
    Tfrmmemberreg w(db());
    bool accept = false;
    QString written;
    w.setCardWriter([&](const mc::devices::IcCardData& card) {
        written = card.cardNumber;
        return accept;
    });
    w.show();
    QTest::qWait(150);
    auto* memberno = child<QLineEdit>(&w, "memberno");
    memberno->setText("7");
    emit memberno->editingFinished();
    child<QLineEdit>(&w, "membername")->setText("张三");
    auto* classes = child<QComboBox>(&w, "cardno");
    classes->setCurrentIndex(0);
    emit classes->activated(0);

    EXPECT_EQ(save(&w), "未完成写卡，无法保存");
    EXPECT_EQ(written, "0000000007");
    EXPECT_EQ(scalar(db(), "select count(*) from membercurlist").toInt(), 0);
    EXPECT_TRUE(child<QPushButton>(&w, "saveButton")->isEnabled());  // the row stays for another try

    accept = true;
    EXPECT_EQ(save(&w), "保存完成");
    EXPECT_EQ(scalar(db(), "select truecard from membercurlist").toString(), "0000000007");
}

TEST(CapturePhoto, NextFreeNumber)
{
    QTemporaryDir dir;
    EXPECT_EQ(Tfrmcapturebmp::nextPhotoPath(dir.path(), "张三"), dir.path() + "/张三.bmp");
    for (const char* taken : {"张三.bmp", "张三1.bmp"}) {
        QFile f(dir.path() + "/" + QString::fromUtf8(taken));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(Tfrmcapturebmp::nextPhotoPath(dir.path(), "张三"), dir.path() + "/张三2.bmp");
    // A name typed with slashes stays a file inside the folder.
    EXPECT_EQ(Tfrmcapturebmp::nextPhotoPath(dir.path(), "../a\\b"), dir.path() + "/.._a_b.bmp");
}

TEST(CapturePhoto, WithoutACameraSaysSoAndReturnsNothing)
{
    if (!QMediaDevices::videoInputs().isEmpty())
        GTEST_SKIP() << "this machine has a camera";
    Tfrmcapturebmp camera("张三");
    auto text = mctest::answerNextMessageBox();
    camera.exec();
    EXPECT_EQ(*text, "没有找到摄像头");
    EXPECT_EQ(camera.savedFile(), "");
}

MC_ENGINES(RegistrationWindow);
