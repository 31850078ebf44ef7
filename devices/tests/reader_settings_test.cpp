// Card device settings: the machineset row, the port text, the card password and the PSC.

#include "line_settings.h"
#include "reader_settings.h"

#include "database.h"
#include "globals.h"
#include "scratch_database.h"
#include "utils/password.h"
#include "utils/sysset.h"

#include <QCryptographicHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ReaderPort, PortTexts)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"com3", 3}, {"COM3", 3}, {"Com255", 255}, {"COM1", 1},
        {"COM0", std::nullopt}, {"COM256", std::nullopt}, {"COMX", std::nullopt}, {"COM", std::nullopt},
        {"", std::nullopt}, {"COM-1", std::nullopt}, {"LPT1", std::nullopt}, {" COM3", std::nullopt},
    };
    for (const auto& [text, port] : cases)
        EXPECT_EQ(mc::devices::readerPortNumber(QString::fromLatin1(text)), port) << text;
}

TEST(SystemPsc, SameEverywhereAndNeverTheFactoryCode)
{
    const QString stored = mc::encodepwd("123456");
    EXPECT_EQ(mc::devices::systemPsc(stored), mc::devices::systemPsc(mc::encodepwd("123456")));
    EXPECT_NE(mc::devices::systemPsc(stored), mc::devices::systemPsc(mc::encodepwd("123457")));
    for (int i = 0; i < 2000; ++i)
        ASSERT_NE(mc::devices::systemPsc(mc::encodepwd(QString::number(i))), mc::devices::factoryPsc);
    // Fixed for ever: cards already issued carry it.
    const auto empty = mc::devices::systemPsc(QString());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(empty.data()), 3).toHex(),
              QCryptographicHash::hash("membercard-psc:", QCryptographicHash::Sha256).left(3).toHex());
}

TEST(LineSettings, TextsAndDefaults)
{
    struct Case {
        const char* text;
        int baud;
        char parity;
        int dataBits;
        double stopBits;
    };
    const Case cases[] = {
        {"9600,n,8,1", 9600, 'n', 8, 1}, {"19200,E,7,2", 19200, 'e', 7, 2}, {"4800,o,8,1.5", 4800, 'o', 8, 1.5},
        {"", 9600, 'n', 8, 1},           {"abc,x,9,3", 9600, 'n', 8, 1},    {"115200", 115200, 'n', 8, 1},
    };
    for (const Case& c : cases) {
        const auto s = mc::devices::parseLineSettings(QString::fromLatin1(c.text));
        EXPECT_EQ(s.baud, c.baud) << c.text;
        EXPECT_EQ(s.parity, c.parity) << c.text;
        EXPECT_EQ(s.dataBits, c.dataBits) << c.text;
        EXPECT_EQ(s.stopBits, c.stopBits) << c.text;
    }
}

class MachineSettings : public mctest::EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        mc::appPath = dir.path() + "/";
    }
    void TearDown() override { mc::appPath.clear(); }
    QTemporaryDir dir;
};

TEST_P(MachineSettings, SaveAppendsOnceThenEdits)
{
    auto s = mc::devices::loadMachineSettings(db());
    EXPECT_EQ(s.pid, 0);
    s.symc = "ic卡";
    s.jplr = 2;
    s.txset = "9600,n,8,1";
    EXPECT_EQ(mc::devices::saveMachineSettings(db(), s, ""), "选择串口读卡器必须录入串口号");
    EXPECT_EQ(mc::db::scalar(db(), "select count(*) from machineset").toInt(), 0);

    EXPECT_EQ(mc::devices::saveMachineSettings(db(), s, "COM7"), "串口读写器只能使用COM1至COM6");
    EXPECT_EQ(mc::devices::saveMachineSettings(db(), s, "COMX"), "串口读写器只能使用COM1至COM6");
    EXPECT_EQ(mc::db::scalar(db(), "select count(*) from machineset").toInt(), 0);
    EXPECT_EQ(mc::devices::saveMachineSettings(db(), s, "COM3"), "");
    EXPECT_EQ(mc::readstr("machine", "ckh"), "COM3");
    EXPECT_EQ(mc::devices::setCardPassword(db(), s, "", "").message, "必须输入密码");
    EXPECT_EQ(mc::devices::setCardPassword(db(), s, "123", "124").message, "密码输入不一致");
    EXPECT_EQ(mc::devices::setCardPassword(db(), s, "123", "123").message, "");

    s.jplr = 0;  // keyboard: no port needed
    s.isusejp = true;
    EXPECT_EQ(mc::devices::saveMachineSettings(db(), s, ""), "");
    EXPECT_EQ(mc::db::scalar(db(), "select count(*) from machineset").toInt(), 1);
    const auto back = mc::devices::loadMachineSettings(db());
    EXPECT_EQ(back.symc, "ic卡");
    EXPECT_EQ(back.jplr, 0);
    EXPECT_TRUE(back.isusejp);
    EXPECT_EQ(back.txset, "9600,n,8,1");
    EXPECT_EQ(mc::decodepwd(back.jmmm), "123");
}

MC_ENGINES(MachineSettings);

}  // namespace
