// The IC procedures through the reader library, against the reader simulator on a
// pseudo-terminal: the bytes really go over a serial line.

#include "card_layout.h"
#include "ic_card.h"
#include "reader_settings.h"
#include "tavrik_card_reader.h"

#include "qt_print.h"
#include "utils/password.h"

#include <simulator.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using mc::devices::IcCardData;
using mc::devices::IcCardWriter;
using tavriksim::MemoryCard;

const std::array<quint8, 3> kSystem = mc::devices::systemPsc(mc::encodepwd("123456"));

class IcCardsOverTheLibrary : public testing::Test {
protected:
    void SetUp() override { qputenv("TAVRIK_COM3", sim.slavePath().c_str()); }
    void TearDown() override { qunsetenv("TAVRIK_COM3"); }

    static MemoryCard memberCard(const tavriksim::Bytes& number)
    {
        MemoryCard c = MemoryCard::sle4442();
        c.code = {kSystem[0], kSystem[1], kSystem[2]};
        std::copy(number.begin(), number.end(), c.memory.begin() + 9);
        return c;
    }
    bool write(const IcCardData& data, std::function<void(int)> onIdle = {})
    {
        int turn = 0;
        return IcCardWriter(reader, 3, kSystem, data)
            .run({[&] {
                      std::this_thread::sleep_for(std::chrono::milliseconds(20));
                      if (!onIdle)
                          return false;
                      onIdle(turn++);
                      return turn < 200;
                  },
                  [this](const QString& m) { messages << m; }, [](const QString&) {}});
    }

    tavriksim::Simulator sim;
    mc::devices::TavrikCardReader reader;
    QStringList messages;
};

IcCardData data(bool newCard)
{
    return {newCard, true, "0000001234", "储值卡", "0001", 123.456, "b2027-12-31"};
}

TEST_F(IcCardsOverTheLibrary, ANewCardWrittenByTheProgramReadsBack)
{
    sim.insert(MemoryCard::sle4442());
    ASSERT_TRUE(write(data(true))) << messages.join("|").toStdString();
    EXPECT_TRUE(messages.isEmpty());
    const MemoryCard card = *sim.card();
    EXPECT_EQ(card.code, tavriksim::Bytes(kSystem.begin(), kSystem.end()));
    EXPECT_EQ(tavriksim::Bytes(card.memory.begin() + 9, card.memory.begin() + 14),
              (tavriksim::Bytes{0x00, 0x00, 0x00, 0x12, 0x34}));
    EXPECT_EQ(tavriksim::Bytes(card.memory.begin() + 26, card.memory.begin() + 31),
              (tavriksim::Bytes{0x00, 0x00, 0x01, 0x23, 0x46}));

    const auto r = mc::devices::readIcCard(reader, 3, kSystem, [] { return false; });
    EXPECT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.value.cardNumber, "0000001234");
    EXPECT_EQ(r.value.balance, "123.46");
}

TEST_F(IcCardsOverTheLibrary, WrongCardsCostOneTryAndAreNotRetried)
{
    struct Case {
        const char* name;
        MemoryCard card;
        bool newCard;
        const char* message;
    };
    const Case cases[] = {
        {"factory card as existing", MemoryCard::sle4442(), false, "该卡密码校验错误，无法使用"},
        {"member card as new", memberCard({0x00, 0x00, 0x00, 0x12, 0x34}), true, "该卡不是一个新卡，无法使用"},
    };
    for (const Case& c : cases) {
        sim.insert(c.card);
        messages.clear();
        EXPECT_FALSE(write(data(c.newCard))) << c.name;  // the card stays in; the operator gives up
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)}) << c.name;
        EXPECT_EQ(sim.card()->counter, 0x03) << c.name;
    }
}

TEST_F(IcCardsOverTheLibrary, ACardWithOneTryLeftGetsNoCode)
{
    // The error counter comes through the library too, so the last try is never spent.
    MemoryCard card = memberCard({0x00, 0x00, 0x00, 0x12, 0x34});
    card.counter = 0x01;
    sim.insert(card);
    const auto r = mc::devices::readIcCard(reader, 3, kSystem, [] { return false; });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, mc::devices::lastTryMessage);
    EXPECT_FALSE(write(data(false)));
    EXPECT_EQ(messages, QStringList{mc::devices::lastTryMessage});
    EXPECT_EQ(sim.card()->counter, 0x01);
}

TEST_F(IcCardsOverTheLibrary, AnotherMembersCardIsLeftAlone)
{
    sim.insert(memberCard({0x00, 0x00, 0x00, 0x99, 0x99}));
    EXPECT_FALSE(write(data(false)));
    EXPECT_EQ(messages, QStringList{"该卡卡号和要写入的会员卡号不一致"});
    EXPECT_EQ(sim.card()->memory[26], 0xFF);
}

TEST_F(IcCardsOverTheLibrary, AWriteInterruptedByPullingTheCardCanBeCompleted)
{
    sim.insert(MemoryCard::sle4442());
    sim.removeCardOn('B');  // pulled as the first write arrives
    const bool written = write(data(true), [this](int) {
        if (!sim.card())
            sim.insert(MemoryCard::sle4442());  // the same, still new card goes back in
    });
    ASSERT_TRUE(written) << messages.join("|").toStdString();
    EXPECT_EQ(messages, QStringList{"写卡卡号失败"});
    const auto r = mc::devices::readIcCard(reader, 3, kSystem, [] { return false; });
    EXPECT_EQ(r.value.balance, "123.46");
}

TEST_F(IcCardsOverTheLibrary, NoReaderOnThePort)
{
    sim.insert(MemoryCard::sle4442());
    sim.refuse('S');  // the port opens but the reader does not answer the device test
    const auto silent = mc::devices::readIcCard(reader, 3, kSystem, [] { return false; });
    EXPECT_FALSE(silent.ok);
    EXPECT_EQ(silent.message, "未连接读卡器");

    qputenv("TAVRIK_COM3", "/dev/nonexistent-reader");
    const auto r = mc::devices::readIcCard(reader, 3, kSystem, [] { return false; });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "打开串口错误");
}

}  // namespace
