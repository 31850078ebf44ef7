// The card-device windows on the offscreen platform, with the real account-set database.

#include "fake_card_reader.h"
#include "frmicwrite.h"
#include "frmmachine.h"
#include "frmreadcard.h"
#include "reader_settings.h"

#include "database.h"
#include "globals.h"
#include "modal_answer.h"
#include "qt_print.h"
#include "scratch_database.h"
#include "utils/password.h"
#include "utils/sysset.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

class DeviceWindows : public testing::Test {
protected:
    void SetUp() override
    {
        set.emplace(mctest::Engine::Sqlite);
        mc::db::closeConnection(mc::db::accountConnection);
        set->connect(mc::db::accountConnection);
        mc::appPath = dir.path() + "/";
    }
    void TearDown() override
    {
        mc::db::closeConnection(mc::db::accountConnection);
        mc::appPath.clear();
        mc::pickedNumber.clear();
        mc::readCardBalance.clear();
        qunsetenv("TAVRIK_COM7");
        if (com7Master_ >= 0)
            close(com7Master_);
    }
    // Puts COM7 on a pseudo-terminal; returns its master side (closed at tear-down), -1 on failure.
    int com7()
    {
        com7Master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (com7Master_ < 0 || grantpt(com7Master_) != 0 || unlockpt(com7Master_) != 0)
            return -1;
        qputenv("TAVRIK_COM7", ptsname(com7Master_));
        return com7Master_;
    }
    void settings(const char* symc, int jplr, bool isusejp, const QString& port)
    {
        mc::devices::MachineSettings s = mc::devices::loadMachineSettings(set->db());
        s.symc = QString::fromUtf8(symc);
        s.jplr = jplr;
        s.isusejp = isusejp;
        s.txset = "9600,n,8,1";
        ASSERT_EQ(mc::devices::saveMachineSettings(set->db(), s, port), "");
    }
    // Runs a modal dialog; `whileOpen` runs once it is showing.
    static int run(QDialog& dialog, std::function<void()> whileOpen)
    {
        QTimer::singleShot(50, &dialog, whileOpen);
        return dialog.exec();
    }

    QTemporaryDir dir;
    std::optional<mctest::ScratchDatabase> set;
    mctest::FakeCardReader reader;
    int com7Master_ = -1;
};

TEST_F(DeviceWindows, TypedCardNumberTakesDigitsOnly)
{
    settings("磁卡", 0, false, "");
    mc::pickedNumber = "stale";
    Tfrmreadcard dialog(reader);
    const int result = run(dialog, [&dialog] {
        auto* edit = dialog.findChild<QLineEdit*>("Edit1");
        QTest::keyClicks(edit, "12a3-4");
        QTest::keyClick(edit, Qt::Key_Backspace);  // swallowed
        EXPECT_EQ(edit->text(), "1234");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(mc::pickedNumber, "1234");
}

TEST_F(DeviceWindows, CancelLeavesNothingPicked)
{
    settings("磁卡", 0, false, "");
    Tfrmreadcard dialog(reader);
    const int result = run(dialog, [&dialog] {
        auto* edit = dialog.findChild<QLineEdit*>("Edit1");
        QTest::keyClick(edit, Qt::Key_Return);  // empty: nothing happens
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClicks(edit, "99");
        dialog.findChild<QPushButton*>("BitBtn1")->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(mc::pickedNumber, "");
}

TEST_F(DeviceWindows, IcCardReadGivesNumberAndBalance)
{
    settings("ic卡", 2, false, "COM3");
    mctest::FakeSle4442 card;
    card.psc = mc::devices::systemPsc(mc::devices::loadMachineSettings(set->db()).jmmm);
    card.memory.replace(9, 5, QByteArray::fromHex("0000001234"));
    card.memory.replace(26, 5, QByteArray::fromHex("0000012346"));
    Tfrmreadcard dialog(reader);
    // No card at first: the dialog waits, and stays responsive, until one is put in.
    QTimer::singleShot(400, [this, &card] { reader.card = &card; });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(mc::pickedNumber, "0000001234");
    EXPECT_EQ(mc::readCardBalance, "123.46");
    EXPECT_FALSE(reader.portOpen);
}

TEST_F(DeviceWindows, LeavingTheIcWaitClosesThePort)
{
    settings("ic卡", 2, false, "COM3");
    Tfrmreadcard dialog(reader);
    bool portWasOpen = false;
    const int result = run(dialog, [&] {
        QTimer::singleShot(300, [&] {
            portWasOpen = reader.portOpen;
            dialog.findChild<QPushButton*>("BitBtn1")->click();
        });
    });
    EXPECT_TRUE(portWasOpen);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(reader.portOpen);
    EXPECT_EQ(mc::pickedNumber, "");
}

TEST_F(DeviceWindows, NumberTypedWhileWaitingForAnIcCard)
{
    // With keyboard entry allowed the operator may type the number instead of putting a card in.
    settings("ic卡", 2, true, "COM3");
    Tfrmreadcard dialog(reader);
    const int result = run(dialog, [&] {
        QTimer::singleShot(300, [&] {
            auto* edit = dialog.findChild<QLineEdit*>("Edit1");
            QTest::keyClicks(edit, "1234");
            QTest::keyClick(edit, Qt::Key_Return);
        });
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(mc::pickedNumber, "1234");
    EXPECT_EQ(mc::readCardBalance, "");
    EXPECT_FALSE(reader.portOpen);
}

TEST_F(DeviceWindows, StatusBarTellsDevicePortAndKeyboard)
{
    ASSERT_GE(com7(), 0);
    struct Case {
        int jplr;
        bool isusejp;
        const char* port;
        const char* panels[3];
        bool typing;
    };
    const Case cases[] = {
        {0, false, "", {"使用键盘口读卡器", "", ""}, true},
        {1, true, "COM7", {"使用串口读卡器", "串口号:com7", "允许键盘录入卡号"}, true},
        {1, false, "com7", {"使用串口读卡器", "串口号:com7", "不能使用键盘录入卡号"}, false},
        {2, true, "COM3", {"使用串口读写器(ic卡)", "串口号:com3", "允许键盘录入卡号"}, true},
        {2, false, "COM3", {"使用串口读写器(ic卡)", "串口号:com3", "不能使用键盘录入卡号"}, false},
    };
    for (const Case& c : cases) {
        settings("磁卡", c.jplr, c.isusejp, c.port);
        Tfrmreadcard dialog(reader);
        run(dialog, [&] {
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("panel%1").arg(i))->text(),
                          QString::fromUtf8(c.panels[i]))
                    << c.jplr << c.isusejp << i;
            auto* edit = dialog.findChild<QLineEdit*>("Edit1");
            EXPECT_EQ(edit->isVisible() && edit->isEnabled(), c.typing) << c.jplr << c.isusejp;
            dialog.findChild<QPushButton*>("BitBtn1")->click();
        });
    }
}

TEST_F(DeviceWindows, SerialIdCardReaderJoinsChunks)
{
    const int master = com7();
    ASSERT_GE(master, 0);
    settings("id卡", 1, false, "COM7");
    Tfrmreadcard dialog(reader);
    const int result = run(dialog, [&] {
        EXPECT_FALSE(dialog.findChild<QLineEdit*>("Edit1")->isVisible());
        QTimer::singleShot(50, [master] { ASSERT_EQ(write(master, "12345", 5), 5); });
        QTimer::singleShot(250, [master] { ASSERT_EQ(write(master, "67890", 5), 5); });
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(mc::pickedNumber, "1234567890");
}

TEST_F(DeviceWindows, WritingWindowWritesANewCard)
{
    settings("ic卡", 2, false, "COM3");
    mctest::FakeSle4442 card;
    reader.card = &card;
    Tfrmicwrite window(reader, {true, true, "0000001234", "储值卡", "0001", 50, "a"});
    EXPECT_EQ(window.exec(), QDialog::Accepted);
    EXPECT_EQ(card.memory.mid(26, 5).toHex(), "0000005000");
    EXPECT_NE(card.psc, mc::devices::factoryPsc);
}

TEST_F(DeviceWindows, WritingWindowWithoutAPort)
{
    for (const char* port : {"", "COMX"}) {
        mc::writestr("machine", "ckh", port);
        Tfrmicwrite window(reader, {true, true, "0000001234", "储值卡", "0001", 50, "a"});
        const auto first = mctest::answerNextMessageBox();
        const auto second = mctest::answerNextMessageBox();
        EXPECT_EQ(window.exec(), QDialog::Rejected);
        EXPECT_EQ(*first, "读卡器串口设置错误") << port;
        EXPECT_EQ(*second, "串口号获取错误,请先设置串口号") << port;
    }
    EXPECT_TRUE(reader.calls.isEmpty());
}

TEST_F(DeviceWindows, APortTextThatNamesNoPortIsReported)
{
    for (const int jplr : {1, 2}) {
        settings("ic卡", jplr, true, "COM3");
        mc::writestr("machine", "ckh", "COM0");
        Tfrmreadcard dialog(reader);
        const auto message = mctest::answerNextMessageBox();
        // The report is a message box shown while the dialog is being shown. Closing the dialog
        // before its own event loop runs would be lost and leave exec() waiting, so wait for the
        // box to be answered and its loop to end (a slow machine may take longer than the 50 ms).
        std::function<void()> closeWhenAnswered = [&] {
            if (message->isEmpty() || QThread::currentThread()->loopLevel() > 1) {
                QTimer::singleShot(10, &dialog, closeWhenAnswered);
                return;
            }
            dialog.findChild<QPushButton*>("BitBtn1")->click();
        };
        const int result = run(dialog, closeWhenAnswered);
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(*message, "读卡器串口设置错误") << jplr;
        EXPECT_EQ(dialog.findChild<QLabel*>("panel1")->text(), "") << jplr;
    }
    EXPECT_TRUE(reader.calls.isEmpty());
}

TEST_F(DeviceWindows, EscapeEndsTheWaitForACard)
{
    settings("ic卡", 2, false, "COM3");
    Tfrmicwrite window(reader, {true, true, "0000001234", "储值卡", "0001", 50, "a"});
    const int result = run(window, [&window] {
        QTimer::singleShot(300, [&window] { QTest::keyClick(&window, Qt::Key_Escape); });
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(reader.portOpen);
}

TEST_F(DeviceWindows, EscapeBeforeTheWriteStartsLeavesTheCardAlone)
{
    settings("ic卡", 2, false, "COM3");
    mctest::FakeSle4442 card;
    reader.card = &card;
    Tfrmicwrite window(reader, {true, true, "0000001234", "储值卡", "0001", 50, "a"});
    QTimer::singleShot(10, &window, [&window] { QTest::keyClick(&window, Qt::Key_Escape); });
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    QTest::qWait(300);  // the caller carries on (a message box, say) with the window still there
    EXPECT_TRUE(reader.calls.isEmpty());
    EXPECT_EQ(card.psc, mc::devices::factoryPsc);
}

TEST_F(DeviceWindows, SettingsWindowRefusesASerialDeviceWithoutPort)
{
    Tfrmmachine window;
    window.show();
    window.findChild<QRadioButton*>("jplr1")->click();
    window.findChild<QComboBox*>("ckh")->setCurrentIndex(-1);
    const auto message = mctest::answerNextMessageBox();
    window.findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_EQ(*message, "选择串口读卡器必须录入串口号");
    EXPECT_EQ(mc::db::scalar(set->db(), "select count(*) from machineset").toInt(), 0);

    window.findChild<QRadioButton*>("jplr0")->click();
    window.findChild<QComboBox*>("symc")->setCurrentText("id卡");
    const auto done = mctest::answerNextMessageBox();
    window.findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_EQ(*done, "保存成功");
    const auto saved = mc::devices::loadMachineSettings(set->db());
    EXPECT_EQ(saved.jplr, 0);
    EXPECT_EQ(saved.symc, "id卡");
}


TEST_F(DeviceWindows, SettingsWindowStoresEveryField)
{
    ASSERT_GE(com7(), 0);
    {
        Tfrmmachine window;
        window.show();
        window.findChild<QComboBox*>("symc")->setCurrentText("id卡");
        window.findChild<QRadioButton*>("jplr1")->click();
        auto* port = window.findChild<QComboBox*>("ckh");
        port->setCurrentIndex(port->findText("COM7"));
        window.findChild<QLineEdit*>("txset")->setText("19200,e,7,1");
        window.findChild<QCheckBox*>("isusejp")->setChecked(true);
        window.findChild<QSpinBox*>("icqh")->setValue(5);
        const auto done = mctest::answerNextMessageBox();
        window.findChild<QPushButton*>("BitBtn1")->click();
        EXPECT_EQ(*done, "保存成功");
        // The password window posts the row as well.
        QTimer::singleShot(50, [] {
            auto* dialog = QApplication::activeModalWidget();
            ASSERT_TRUE(dialog);
            dialog->findChild<QLineEdit*>("Edit1")->setText("4321");
            dialog->findChild<QLineEdit*>("Edit2")->setText("4321");
            dialog->findChild<QPushButton*>("BitBtn1")->click();
        });
        window.findChild<QPushButton*>("BitBtn3")->click();
        EXPECT_EQ(window.findChild<QLineEdit*>("jmmm")->text(), "4321");
    }
    EXPECT_EQ(mc::db::scalar(set->db(), "select count(*) from machineset").toInt(), 1);
    const auto saved = mc::devices::loadMachineSettings(set->db());
    EXPECT_EQ(saved.symc, "id卡");
    EXPECT_EQ(saved.jplr, 1);
    EXPECT_TRUE(saved.isusejp);
    EXPECT_EQ(saved.txset, "19200,e,7,1");
    EXPECT_EQ(saved.icqh, 5);
    EXPECT_EQ(saved.jmmm, mc::encodepwd("4321"));
    EXPECT_EQ(mc::readstr("machine", "ckh"), "COM7");

    Tfrmmachine again;
    EXPECT_EQ(again.findChild<QComboBox*>("symc")->currentText(), "id卡");
    EXPECT_TRUE(again.findChild<QRadioButton*>("jplr1")->isChecked());
    EXPECT_EQ(again.findChild<QComboBox*>("ckh")->currentText(), "COM7");
    EXPECT_EQ(again.findChild<QLineEdit*>("txset")->text(), "19200,e,7,1");
    EXPECT_TRUE(again.findChild<QCheckBox*>("isusejp")->isEnabled());
    EXPECT_EQ(again.findChild<QSpinBox*>("icqh")->value(), 5);
}

}  // namespace

TEST_F(DeviceWindows, ThePasswordLeavesUnsavedSettingsToTheirChecks)
{
    ASSERT_GE(com7(), 0);
    settings("磁卡", 1, false, "COM7");
    Tfrmmachine window;
    window.show();
    window.findChild<QRadioButton*>("jplr2")->click();  // not saved: COM7 is no port for it
    QTimer::singleShot(50, [] {
        auto* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        dialog->findChild<QLineEdit*>("Edit1")->setText("12");
        dialog->findChild<QLineEdit*>("Edit2")->setText("12");
        dialog->findChild<QPushButton*>("BitBtn1")->click();
    });
    window.findChild<QPushButton*>("BitBtn3")->click();
    const auto saved = mc::devices::loadMachineSettings(set->db());
    EXPECT_EQ(saved.jmmm, mc::encodepwd("12"));
    EXPECT_EQ(saved.jplr, 1);
}
