// Device and card tests, card type, light, beeper and reader choice, on both protocols,
// and the handshake under lost, refused and broken exchanges.
#include "reader_fixture.h"
#include "state.h"

#include <unistd.h>

namespace {

using tavriksim::MemoryCard;
using tavriksim::Protocol;

class General : public ReaderTest {};

TEST_F(General, DeviceAndCardTestsWithAndWithoutACard)
{
    auto &reader = openWithCard(MemoryCard::sle4442());
    EXPECT_EQ(TK_TestDevice(), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'S'}));
    reader.clearTranscript();
    EXPECT_EQ(TK_TestCard(), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'T', ':', 'V', 1})) << "light 1 with a card";
    EXPECT_EQ(readerBytes(), "3A54003A56");
    reader.remove();
    reader.clearTranscript();
    EXPECT_EQ(TK_TestCard(), 1);
    EXPECT_EQ(hostBytes(), wire({':', 'T', ':', 'V', 2})) << "light 2 without";
    EXPECT_TRUE(tavrik::state().rawReplies) << "the card test leaves raw replies on";
}

TEST_F(General, AutoDetectionCodes)
{
    struct Case {
        std::optional<MemoryCard> card;
        TK_STATUS result;
        std::string code;
        int light;
    };
    const Case cases[] = {
        {MemoryCard::sle4442(), 0, "32", 1},
        {MemoryCard::sle4428(), 0, "30", 1},
        {std::nullopt, 1, "00", 2},
    };
    auto &reader = openWithCard(MemoryCard::sle4442());
    for (const Case &c : cases) {
        if (c.card)
            reader.insert(*c.card);
        else
            reader.remove();
        char code[3] = "??";
        EXPECT_EQ(TK_AutoTestCard(code), c.result) << c.code;
        EXPECT_EQ(std::string(code), c.code);
        waitQuiet();
        EXPECT_EQ(reader.lightState(), c.light) << c.code;
    }
    std::uint8_t type = 0;
    reader.insert(MemoryCard::sle4428());
    EXPECT_EQ(TK_GetCardType(&type), 0);
    EXPECT_EQ(type, 0x30);
    EXPECT_EQ(TK_GetCardType(nullptr), 29);
    EXPECT_EQ(TK_AutoTestCard(nullptr), 29);
}

TEST_F(General, LightBeepAndReaderChoiceOnTheByteProtocol)
{
    auto &reader = openWithCard(MemoryCard::sle4442());
    EXPECT_EQ(TK_Control_light(2), 0);
    EXPECT_EQ(TK_Scream(0), 0);
    waitQuiet();
    EXPECT_EQ(hostBytes(), wire({':', 'V', 2})) << "a beep of length 0 sends nothing";
    reader.clearTranscript();
    EXPECT_EQ(TK_Scream(5), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'R', 5}));
    EXPECT_EQ(reader.beepLength(), 5);
    EXPECT_EQ(TK_SelectReader(1), 0);
    EXPECT_EQ(TK_SelectReader(2), 14);
    EXPECT_EQ(TK_StartClient(7), 0);
    EXPECT_EQ(TK_StartServer(7), 0);
}

TEST_F(General, FramedReaderCardRequestLightAndBeep)
{
    tavriksim::Options o;
    o.protocol = Protocol::Framed;
    auto &reader = startReader(o);
    ASSERT_EQ(TK_Com_Open(2, 115200), 0);
    reader.clearTranscript();
    EXPECT_EQ(TK_TestDevice(), 0);
    EXPECT_EQ(hostBytes(), "") << "a framed reader is not asked";
    EXPECT_EQ(TK_TestCard(), 20) << "no card: refused card request";
    reader.insert(MemoryCard::sle4442());
    EXPECT_EQ(TK_TestCard(), 0);
    char code[3] = "??";
    EXPECT_EQ(TK_AutoTestCard(code), 0);
    EXPECT_EQ(std::string(code), "50");
    std::uint8_t type = 0xEE;
    EXPECT_EQ(TK_GetCardType(&type), 1);
    EXPECT_EQ(type, 0xEE);
    reader.clearTranscript();
    EXPECT_EQ(TK_Control_light(1), 0);
    EXPECT_EQ(TK_Scream(9), 0) << "answered by nobody on serial";
    EXPECT_EQ(hostBytes(), wire({0x02, 0x16, 0x01, 0x02, 0x0B, 0x09}));
    EXPECT_EQ(reader.beepLength(), 9);
    reader.refuse(0x16);
    EXPECT_EQ(TK_Control_light(1), 23);
}

TEST_F(General, CardInsertedWhileTheHostWaits)
{
    auto &reader = openWithCard(MemoryCard::sle4442());
    reader.remove();
    reader.insertCardAfter(300, MemoryCard::sle4428());
    int polls = 0;
    while (TK_TestCard() != 0 && polls < 100) ++polls;
    EXPECT_GT(polls, 0);
    EXPECT_LT(polls, 100);
    EXPECT_EQ(TK_SLE4428_OpenCard(), 0);
}

TEST_F(General, HandshakeRecoversFromALostProbeAnswerButNotFromThree)
{
    auto &reader = openWithCard(MemoryCard::sle4442());
    reader.dropProbes(1);
    EXPECT_EQ(TK_TestDevice(), 0);
    EXPECT_EQ(hostBytes(), wire({':', ':', 'S'}));
    reader.clearTranscript();
    reader.dropProbes(3);
    EXPECT_EQ(TK_TestDevice(), 5);
    EXPECT_EQ(hostBytes(), wire({':', ':', ':'}));
}

TEST_F(General, RefusedCommandGivesFive)
{
    auto &reader = openWithCard(MemoryCard::sle4442());
    reader.refuse('S');
    reader.refuse('T');
    EXPECT_EQ(TK_TestDevice(), 5);
    EXPECT_EQ(TK_TestCard(), 5);
    EXPECT_EQ(hostBytes(), wire({':', 'S', ':', 'T'})) << "a refusal is final, not retried";
}

TEST_F(General, ReplySplitAnywhereIsPutTogether)
{
    auto &reader = openWithCard(MemoryCard::sle4442());
    for (std::size_t at : {1, 2, 3}) {
        reader.splitNextReply(at, 60);
        char code[3] = "??";
        EXPECT_EQ(TK_AutoTestCard(code), 0) << at;
        EXPECT_EQ(std::string(code), "32") << at;
    }
}

TEST_F(General, ClosedPortFailsAtOnceWithoutReopening)
{
    auto &reader = openWithCard(MemoryCard::sle4442());
    TK_Com_Close();
    EXPECT_EQ(TK_TestDevice(), 5);
    EXPECT_EQ(TK_Control_light(1), 5);
    char text[10];
    EXPECT_EQ(TK_SLE4442_ReadChar(0, 5, text), 5);
    waitQuiet();
    EXPECT_TRUE(reader.fromHost().empty());
    EXPECT_FALSE(tavrik::state().serial.isOpen());
}

TEST_F(General, BrokenHandleOfAnOpenPortIsReopenedAndTheWriteRepeated)
{
    openWithCard(MemoryCard::sle4442());
    // The descriptor goes away under the library, as when a device is unplugged and back.
    close(tavrik::state().serial.handle());
    EXPECT_EQ(TK_TestDevice(), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'S'}));
    EXPECT_TRUE(tavrik::state().serial.isOpen());
}

TEST_F(General, SilentReaderEndsEachWaitInsteadOfHanging)
{
    tavriksim::Options o;
    o.protocol = Protocol::Foreign;
    startReader(o);
    // Byte protocol on a reader that never answers it.
    tavrik::state().identifiedPort = 2;
    ASSERT_EQ(TK_Com_Open(2, 115200), 0);
    EXPECT_EQ(TK_TestDevice(), 5);
    char text[10];
    EXPECT_EQ(TK_SLE4442_ReadChar(0, 5, text), 5);
    EXPECT_EQ(TK_SLE4442_OpenCard(), 11);
}

}  // namespace
