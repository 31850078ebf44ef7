// Reading and writing member data on IC cards, over a reader with a simulated SLE4442.

#include "card_layout.h"
#include "card_number_buffer.h"
#include "fake_card_reader.h"
#include "ic_card.h"
#include "reader_settings.h"

#include "qt_print.h"

#include <gtest/gtest.h>

namespace {

using mc::devices::IcCardData;
using mc::devices::IcCardWriter;
using mctest::FakeCardReader;
using mctest::FakeSle4442;

const std::array<quint8, 3> kSystem = mc::devices::systemPsc(QString());

// A card the program issued: system code, number and value in place.
FakeSle4442 issuedCard(const QByteArray& number, const QByteArray& valueDigits)
{
    FakeSle4442 card;
    card.psc = kSystem;
    card.memory.replace(9, 5, QByteArray::fromHex(number));
    card.memory.replace(26, 5, QByteArray::fromHex(valueDigits));
    return card;
}

IcCardData memberData(bool newCard, double value = 123.456)
{
    return {newCard, true, "0000001234", "储值卡", "0001", value, "b2027-12-31"};
}

// The operator side of the writing window: messages and prompts seen, and what happens while
// the window waits (each idle turn may swap the card).
struct Operator {
    QStringList messages;
    QStringList prompts;
    QList<std::function<void()>> onIdle;  // one action per idle turn; cancels when used up
    int idleTurns = 0;

    IcCardWriter::Hooks hooks()
    {
        return {[this] {
                    if (idleTurns >= onIdle.size())
                        return false;
                    onIdle[idleTurns++]();
                    return true;
                },
                [this](const QString& m) { messages << m; }, [this](const QString& p) { prompts << p; }};
    }
};

TEST(IcRead, CardNumberAndBalance)
{
    FakeSle4442 card = issuedCard("0000001234", "0000012346");
    FakeCardReader reader;
    reader.card = &card;
    const auto r = mc::devices::readIcCard(reader, 3, kSystem, [] { return false; });
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.value.cardNumber, "0000001234");
    EXPECT_EQ(r.value.balance, "123.46");
    EXPECT_FALSE(reader.portOpen);
    EXPECT_EQ(reader.calls.first(), "open 115200");
}

TEST(IcRead, FailuresSayWhyAndCloseThePort)
{
    struct Case {
        const char* name;
        std::function<void(FakeCardReader&, FakeSle4442&)> arrange;
        const char* message;
    };
    const Case cases[] = {
        {"port", [](FakeCardReader& r, FakeSle4442&) { r.portWorks = false; }, "打开串口错误"},
        {"reader", [](FakeCardReader& r, FakeSle4442&) { r.deviceAnswers = false; }, "未连接读卡器"},
        {"no card, cancelled", [](FakeCardReader& r, FakeSle4442&) { r.card = nullptr; }, ""},
        {"factory card", [](FakeCardReader&, FakeSle4442& c) { c.psc = mc::devices::factoryPsc; }, "卡片密码校验错误"},
        {"one try left", [](FakeCardReader&, FakeSle4442& c) { c.counter = 0x01; }, "该卡密码只剩最后一次校验机会，为防止锁卡不再校验"},
        {"value not a number", [](FakeCardReader&, FakeSle4442& c) { c.memory.replace(26, 5, QByteArray::fromHex("00000000AB")); }, ""},
    };
    for (const Case& c : cases) {
        FakeSle4442 card = issuedCard("0000001234", "0000012346");
        FakeCardReader reader;
        reader.card = &card;
        c.arrange(reader, card);
        const auto r = mc::devices::readIcCard(reader, 3, kSystem, [] { return false; });
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.message, QString::fromUtf8(c.message)) << c.name;
        EXPECT_EQ(r.value.cardNumber, "") << c.name;
        EXPECT_FALSE(reader.portOpen) << c.name;
    }
}

TEST(IcRead, OneTryLeftIsNeverPresented)
{
    FakeSle4442 card = issuedCard("0000001234", "0000012346");
    card.counter = 0x01;
    FakeCardReader reader;
    reader.card = &card;
    mc::devices::readIcCard(reader, 3, kSystem, [] { return false; });
    EXPECT_TRUE(reader.presented.isEmpty());
    EXPECT_EQ(card.counter, 0x01);
}

TEST(IcWrite, NewCardGetsTheLayoutAndTheSystemCodeLast)
{
    FakeSle4442 card;  // factory new
    FakeCardReader reader;
    reader.card = &card;
    Operator op;
    ASSERT_TRUE(IcCardWriter(reader, 3, kSystem, memberData(true)).run(op.hooks()));
    EXPECT_TRUE(op.messages.isEmpty()) << op.messages.join("|").toStdString();

    EXPECT_EQ(card.memory.mid(9, 5).toHex(), "0000001234");
    EXPECT_EQ(card.memory.mid(19, 1).toHex(), "03");
    EXPECT_EQ(card.memory.mid(20, 5).toHex(), "0000000001");
    EXPECT_EQ(card.memory.mid(26, 5).toHex(), "0000012346");  // 123.456 as whole cents
    EXPECT_EQ(card.memory.mid(36, 12), QByteArray("b2027-12-31\0", 12));
    EXPECT_EQ(card.psc, kSystem);
    // Data first, then the code.
    const qsizetype change = reader.calls.indexOf("changePsc");
    EXPECT_GT(change, reader.calls.lastIndexOf("write 26"));
    EXPECT_TRUE(op.prompts.contains("正在验证写卡信息..."));
    EXPECT_FALSE(reader.portOpen);

    // What the program wrote, the program reads.
    const auto r = mc::devices::readIcCard(reader, 3, kSystem, [] { return false; });
    EXPECT_EQ(r.value.cardNumber, "0000001234");
    EXPECT_EQ(r.value.balance, "123.46");
}

TEST(IcWrite, WrongCardsAreRefusedWithoutUsingUpTheirTries)
{
    // A card with the system code on the new-card path, then a factory card on the existing path.
    struct Case {
        bool newCard;
        std::array<quint8, 3> wrongCardCode;
        const char* message;
        const char* prompt;
    };
    const Case cases[] = {
        {true, kSystem, "该卡不是一个新卡，无法使用", "请放入另外一张新卡，继续..."},
        {false, mc::devices::factoryPsc, "该卡密码校验错误，无法使用", "请放入正确的会员卡，继续..."},
    };
    for (const Case& c : cases) {
        FakeSle4442 wrong = issuedCard("0000001234", "0000000000");
        wrong.psc = c.wrongCardCode;
        FakeSle4442 right = c.newCard ? FakeSle4442{} : issuedCard("0000001234", "0000000000");
        FakeCardReader reader;
        reader.card = &wrong;
        Operator op;
        // The window waits with the wrong card still in; then it is taken out; then the right
        // card goes in.
        op.onIdle = {[] {}, [] {}, [&reader] { reader.card = nullptr; }, [&reader, &right] { reader.card = &right; }};
        ASSERT_TRUE(IcCardWriter(reader, 3, kSystem, memberData(c.newCard)).run(op.hooks())) << c.message;
        EXPECT_EQ(op.messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_TRUE(op.prompts.contains(QString::fromUtf8(c.prompt)));
        EXPECT_EQ(wrong.wrongCodes, 1) << "the wrong card lost exactly one try";
        EXPECT_EQ(right.wrongCodes, 0);
        EXPECT_EQ(right.memory.mid(26, 5).toHex(), "0000012346");
    }
}

TEST(IcWrite, ACardWithOneTryLeftIsNotTouched)
{
    FakeSle4442 card = issuedCard("0000001234", "0000000000");
    card.counter = 0x01;
    FakeCardReader reader;
    reader.card = &card;
    Operator op;  // gives up at the first wait
    EXPECT_FALSE(IcCardWriter(reader, 3, kSystem, memberData(false)).run(op.hooks()));
    EXPECT_EQ(op.messages, QStringList{mc::devices::lastTryMessage});
    EXPECT_TRUE(reader.presented.isEmpty());
    EXPECT_FALSE(reader.portOpen);
}

TEST(IcWrite, AnotherMembersCardIsRefused)
{
    FakeSle4442 card = issuedCard("0000009999", "0000000000");
    FakeCardReader reader;
    reader.card = &card;
    Operator op;
    EXPECT_FALSE(IcCardWriter(reader, 3, kSystem, memberData(false)).run(op.hooks()));
    EXPECT_EQ(op.messages, QStringList{"该卡卡号和要写入的会员卡号不一致"});
    EXPECT_EQ(card.memory.mid(26, 5).toHex(), "0000000000");  // nothing written
}

TEST(IcWrite, AnInterruptedWriteCanBeCompleted)
{
    // The card leaves the reader during the value write (before the code change) or during the
    // verification (after it); put back, the same card is completed without a wrong code.
    struct Case {
        const char* name;
        bool duringVerification;
        const char* message;
    };
    for (const Case& c : {Case{"value write", false, "写卡余额失败"}, Case{"verification", true, "卡片读卡号错误"}}) {
        FakeSle4442 card;
        FakeCardReader reader;
        reader.card = &card;
        bool pulled = false;
        const auto pullOnce = [&pulled](bool now) {
            if (!now || pulled)
                return true;
            pulled = true;
            return false;
        };
        reader.beforeWrite = [&](int address) { return pullOnce(!c.duringVerification && address == 26); };
        reader.beforeRead = [&](int address) {
            return pullOnce(c.duringVerification && address == 9 && reader.calls.contains("changePsc"));
        };
        Operator op;
        op.onIdle = {[&reader] { reader.card = nullptr; }, [&reader, &card] { reader.card = &card; }};
        ASSERT_TRUE(IcCardWriter(reader, 3, kSystem, memberData(true)).run(op.hooks())) << c.name;
        EXPECT_EQ(op.messages, QStringList{QString::fromUtf8(c.message)}) << c.name;
        EXPECT_EQ(card.memory.mid(26, 5).toHex(), "0000012346") << c.name;
        EXPECT_EQ(card.psc, kSystem) << c.name;
        EXPECT_EQ(card.wrongCodes, 0) << c.name;
    }
}

TEST(IcWrite, ACodeChangeCutShortDoesNotCostTheCard)
{
    // The card leaves the reader while its code is changed, so the change may have taken or not,
    // whatever the reader reports. Put back, the same card is completed, and no code it refused
    // is presented to it again.
    struct Case {
        FakeCardReader::CutChange cut;
        const char* firstMessage;
    };
    const Case cases[] = {
        {{true, true}, "更换密码错误，无法使用"},
        {{true, false}, "更换密码错误，无法使用"},
        {{false, false}, "卡片密码校验错误"},
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.cut.reportsFailure) + std::to_string(c.cut.takes);
        FakeSle4442 card;
        FakeCardReader reader;
        reader.card = &card;
        reader.cutNextChange = c.cut;
        Operator op;
        const auto out = [&reader] { reader.card = nullptr; };
        const auto in = [&reader, &card] { reader.card = &card; };
        op.onIdle = {out, in, out, in};
        ASSERT_TRUE(IcCardWriter(reader, 3, kSystem, memberData(true)).run(op.hooks()))
            << name << op.messages.join("|").toStdString();
        EXPECT_EQ(op.messages.first(), QString::fromUtf8(c.firstMessage)) << name;
        EXPECT_EQ(card.psc, kSystem) << name;
        EXPECT_LE(card.wrongCodes, 1) << name;
        EXPECT_EQ(card.memory.mid(26, 5).toHex(), "0000012346") << name;
    }
}

TEST(IcWrite, EachFailedStepSaysWhichAndTheRetryCompletes)
{
    // One step fails once; the operator takes the card out and puts it back; the retry completes.
    struct Case {
        bool newCard;
        int failingWrite;  // address whose write fails, or 0
        const char* corruptRead;  // hex put at the value before the first verification read, or nullptr
        const char* message;
        const char* prompt;
    };
    const Case cases[] = {
        {true, 9, nullptr, "写卡卡号失败", "请放入另外一张新卡，继续..."},
        {true, 19, nullptr, "写卡大类失败", "请放入另外一张新卡，继续..."},
        {true, 20, nullptr, "写卡类型失败", "请放入另外一张新卡，继续..."},
        {true, 36, nullptr, "写到期日期失败", "请放入另外一张新卡，继续..."},
        {false, 20, nullptr, "写卡类型失败", "请放入另外一张新卡，继续..."},
        {false, 26, nullptr, "写卡余额失败", "请重新放置，将继续写入..."},
        {false, 0, "0000000001", "卡片余额校验错误", "请重新放置，将继续写入..."},
        {false, 0, "00000000AB", "卡片读余额转换类型错误", "请重新放置，将继续写入..."},
    };
    for (const Case& c : cases) {
        FakeSle4442 card = c.newCard ? FakeSle4442{} : issuedCard("0000001234", "0000000000");
        FakeCardReader reader;
        reader.card = &card;
        bool failed = false;
        reader.beforeWrite = [&](int address) {
            if (address != c.failingWrite || failed)
                return true;
            failed = true;
            return false;
        };
        reader.beforeRead = [&](int address) {
            if (c.corruptRead && address == 26 && !failed) {
                failed = true;
                card.memory.replace(26, 5, QByteArray::fromHex(c.corruptRead));
            }
            return true;
        };
        Operator op;
        op.onIdle = {[&reader] { reader.card = nullptr; }, [&reader, &card] { reader.card = &card; }};
        EXPECT_TRUE(IcCardWriter(reader, 3, kSystem, memberData(c.newCard)).run(op.hooks())) << c.message;
        EXPECT_EQ(op.messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_TRUE(op.prompts.contains(QString::fromUtf8(c.prompt))) << c.message;
        EXPECT_EQ(card.memory.mid(26, 5).toHex(), "0000012346") << c.message;
        EXPECT_EQ(card.wrongCodes, 0) << c.message;
    }
}

TEST(IcWrite, AFailedCloseCancels)
{
    FakeSle4442 card;
    FakeCardReader reader;
    reader.card = &card;
    reader.closeFails = true;
    Operator op;
    EXPECT_FALSE(IcCardWriter(reader, 3, kSystem, memberData(true)).run(op.hooks()));
    EXPECT_EQ(op.messages, QStringList{"关闭写卡失败"});
    EXPECT_FALSE(reader.portOpen);
}

TEST(IcWrite, DataTheLayoutCannotHoldNeverReachesTheCard)
{
    IcCardData shortNumber = memberData(true);
    shortNumber.cardNumber = "12345";
    IcCardData letters = memberData(true);
    letters.cardNumber = "00000A1234";
    IcCardData tooMuch = memberData(true, 100000000.0);
    IcCardData negative = memberData(true, -0.01);
    for (const IcCardData& d : {shortNumber, letters, tooMuch, negative}) {
        FakeSle4442 card;
        FakeCardReader reader;
        reader.card = &card;
        Operator op;
        EXPECT_FALSE(IcCardWriter(reader, 3, kSystem, d).run(op.hooks()));
        EXPECT_EQ(op.messages.size(), 1);
        EXPECT_TRUE(reader.calls.isEmpty());
    }
}

TEST(CardLayout, MemberNumbersBecomeTenDigits)
{
    EXPECT_EQ(mc::devices::icCardNumber("1234"), "0000001234");
    EXPECT_EQ(mc::devices::icCardNumber("1234567890"), "1234567890");
    EXPECT_FALSE(mc::devices::icCardNumber("12345678901"));
    EXPECT_FALSE(mc::devices::icCardNumber("A001"));
    EXPECT_FALSE(mc::devices::icCardNumber(""));
    EXPECT_TRUE(mc::devices::isCardNumber(*mc::devices::icCardNumber("7")));
}

TEST(CardLayout, ValuesAsWholeCents)
{
    EXPECT_EQ(mc::devices::valueDigits(123.456), "0000012346");
    EXPECT_EQ(mc::devices::valueDigits(0), "0000000000");
    EXPECT_EQ(mc::devices::valueDigits(0.285), "0000000029");  // typed 0.285 rounds up
    EXPECT_EQ(mc::devices::valueDigits(99999999.99), "9999999999");
    EXPECT_FALSE(mc::devices::valueDigits(99999999.995));
    EXPECT_FALSE(mc::devices::valueDigits(-0.001));
    EXPECT_EQ(mc::devices::valueCents("0000012346"), 12346);
    EXPECT_FALSE(mc::devices::valueCents("00000123AB"));
    EXPECT_FALSE(mc::devices::valueCents(""));
    EXPECT_EQ(mc::devices::centsText(12346), "123.46");
    EXPECT_EQ(mc::devices::centsText(5), "0.05");
    EXPECT_EQ(mc::devices::kindHex("计次卡"), "01");
    EXPECT_EQ(mc::devices::kindHex("折扣卡"), "02");
    EXPECT_EQ(mc::devices::kindHex("储值卡"), "03");
    EXPECT_EQ(mc::devices::expiryHex("a"), "610000000000000000000000");
}

TEST(CardNumberBuffer, ExpectedLengthRule)
{
    mc::devices::CardNumberBuffer id(10);
    EXPECT_FALSE(id.add("12345"));
    EXPECT_EQ(id.add("67890"), "1234567890");
    EXPECT_FALSE(id.add("1234567"));
    EXPECT_FALSE(id.add("89012"));  // 12 characters: discarded
    EXPECT_EQ(id.add("0987654321"), "0987654321");

    mc::devices::CardNumberBuffer any(0);
    EXPECT_EQ(any.add("12"), "12");
    EXPECT_EQ(any.add("345"), "345");
    EXPECT_EQ(mc::devices::expectedCardNumberLength("id卡"), 10);
    EXPECT_EQ(mc::devices::expectedCardNumberLength("磁卡"), 0);
}

}  // namespace
