// SLE4442 over the byte protocol against the simulated card.
#include "reader_fixture.h"
#include "state.h"

#include <cstring>
#include <vector>

namespace {

using tavriksim::MemoryCard;

class Sle4442 : public ReaderTest {
protected:
    // A reader with a card opened and its factory code presented.
    tavriksim::Simulator &ready(int model = 2)
    {
        auto &reader = openWithCard(MemoryCard::sle4442(), model);
        EXPECT_EQ(TK_SLE4442_OpenCard(), 0);
        EXPECT_EQ(TK_SLE4442_VerifyPWD(0xFF, 0xFF, 0xFF), 0);
        reader.clearTranscript();
        return reader;
    }
    std::string read(std::uint16_t address, std::uint16_t length)
    {
        std::string text(2 * length, '?');
        EXPECT_EQ(TK_SLE4442_ReadChar(address, length, text.data()), 0);
        return text;
    }
    std::string protection()
    {
        char text[64];
        EXPECT_EQ(TK_SLE4442_PReadChar(text), 0);
        return std::string(text, sizeof text);
    }
    static std::string repeat(const std::string &s, int n)
    {
        std::string out;
        while (n--) out += s;
        return out;
    }
};

TEST_F(Sle4442, OpenVerifyWriteReadWithTheirWireBytes)
{
    auto &reader = openWithCard(MemoryCard::sle4442());
    EXPECT_EQ(TK_SLE4442_OpenCard(), 0);
    EXPECT_EQ(TK_SLE4442_VerifyPWD(0xFF, 0xFF, 0xFF), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'C', 0x32, ':', 'V', 1, ':', 'H', 0xFF, 0xFF, 0xFF}));
    reader.clearTranscript();

    EXPECT_EQ(TK_SLE4442_WriteChar(26, 5, "0000012345"), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'B', 0, 26, 0, 5, 0x00, 0x00, 0x01, 0x23, 0x45}));
    EXPECT_EQ(readerBytes(), "3A4200") << "model 2 acknowledges the last block";
    reader.clearTranscript();

    EXPECT_EQ(read(26, 5), "0000012345");
    EXPECT_EQ(hostBytes(), wire({':', 'A', 0, 26, 0, 5}));
    EXPECT_EQ(readerBytes(), "3A410000012345");
    EXPECT_EQ(TK_SLE4442_CloseCard(), 0);
}

TEST_F(Sle4442, LongWritesGoInAcknowledgedBlocksOfSixtyFour)
{
    struct Case {
        int model;
        std::string acks;  // what the reader sends after the echo
    };
    for (const Case &c : {Case{2, "0000"}, Case{0, "00"}}) {
        ready(c.model);
        std::string text;
        for (int i = 0; i < 100; ++i) text += "A5";
        EXPECT_EQ(TK_SLE4442_WriteChar(100, 100, text.c_str()), 0);
        EXPECT_EQ(readerBytes(), "3A42" + c.acks) << "model " << c.model;
        EXPECT_EQ(hostBytes().size(), 6u + 100u);
        EXPECT_EQ(read(100, 100), text);
        resetLibrary();
    }
}

TEST_F(Sle4442, AddressAndLengthBoundsOnEveryLinkKind)
{
    struct Case {
        std::uint16_t address, length;
        TK_STATUS result;
    };
    const Case cases[] = {
        {250, 6, 0}, {250, 7, 19}, {256, 0, 19}, {256, 1, 19}, {65535, 2, 19}, {65280, 512, 19},
    };
    ready();
    std::vector<char> text(2 * 65535 + 2);
    for (const Case &c : cases) {
        EXPECT_EQ(TK_SLE4442_ReadChar(c.address, c.length, text.data()), c.result)
            << c.address << "+" << c.length;
        if (c.result) {
            EXPECT_EQ(TK_SLE4442_WriteChar(c.address, c.length, text.data()), c.result);
        }
    }
    for (auto link : {tavrik::LinkKind::Framed, tavrik::LinkKind::Velsor, tavrik::LinkKind::Usb}) {
        tavrik::state().link = link;
        EXPECT_EQ(TK_SLE4442_ReadChar(256, 1, text.data()), 19);
        EXPECT_EQ(TK_SLE4442_ReadChar(250, 7, text.data()), 19);
        EXPECT_EQ(TK_SLE4442_PWriteChar(31, 2, text.data()), 19);
    }
}

TEST_F(Sle4442, ReadCharFillsExactlyTwoCharactersPerByteAndReadStringExactlyTheBytes)
{
    ready();
    ASSERT_EQ(TK_SLE4442_WriteChar(40, 5, "0102030405"), 0);
    char text[16];
    std::memset(text, 'x', sizeof text);
    ASSERT_EQ(TK_SLE4442_ReadChar(40, 5, text), 0);
    EXPECT_EQ(std::string(text, 10), "0102030405");
    EXPECT_EQ(std::string(text + 10, 6), "xxxxxx") << "no terminator, nothing beyond";

    std::uint8_t bytes[8];
    std::memset(bytes, 0xEE, sizeof bytes);
    ASSERT_EQ(TK_SLE4442_ReadString(40, 5, bytes), 0);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 8),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 0xEE, 0xEE, 0xEE}));
    // Nothing asked, nothing written: the same answer as the text read, not a parameter error.
    EXPECT_EQ(TK_SLE4442_ReadChar(40, 0, text), 0);
    ASSERT_EQ(TK_SLE4442_ReadString(40, 0, bytes), 0);
    EXPECT_EQ(bytes[0], 1);
}

TEST_F(Sle4442, WriteStringSendsTheBytesItWasGiven)
{
    auto &reader = ready();
    const std::uint8_t bytes[] = {0x12, 0x34, 0x56, 0x78, 0x9A};
    EXPECT_EQ(TK_SLE4442_WriteString(60, 5, bytes), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'B', 0, 60, 0, 5, 0x12, 0x34, 0x56, 0x78, 0x9A}));
    EXPECT_EQ(read(60, 5), "123456789A");
    EXPECT_EQ(reader.card()->memory[64], 0x9A);
}

TEST_F(Sle4442, ProtectionExpandsToOnePairPerProtectableByte)
{
    auto &reader = ready();
    EXPECT_EQ(protection(), repeat("01", 32)) << "a new card";
    EXPECT_EQ(hostBytes(), wire({':', 'E'}));
    // Protecting writes the byte's own content once more.
    const std::string content = read(0, 10);
    EXPECT_EQ(TK_SLE4442_PWriteChar(0, 1, content.c_str()), 0);
    EXPECT_EQ(TK_SLE4442_PWriteChar(9, 1, content.c_str() + 18), 0);
    const std::string p = protection();
    EXPECT_EQ(p.substr(0, 22), "0001010101010101010001");
    EXPECT_EQ(p.substr(22), repeat("01", 21));
    EXPECT_EQ(tavrik::state().protectionImage, p);
    // A protected byte no longer takes writes; its neighbour does.
    EXPECT_EQ(TK_SLE4442_WriteChar(9, 2, "1234"), 0);
    EXPECT_EQ(reader.card()->memory[9], 0xFF);
    EXPECT_EQ(reader.card()->memory[10], 0x34);
}

TEST_F(Sle4442, WritesBeforeTheCodeIsPresentedChangeNothing)
{
    auto &reader = openWithCard(MemoryCard::sle4442());
    ASSERT_EQ(TK_SLE4442_OpenCard(), 0);
    EXPECT_EQ(TK_SLE4442_WriteChar(50, 2, "1234"), 0) << "the reader does not object";
    EXPECT_EQ(reader.card()->memory[50], 0xFF);
    EXPECT_EQ(TK_SLE4442_VerifyPWD(1, 2, 3), 12);
    EXPECT_EQ(TK_SLE4442_WriteChar(50, 2, "1234"), 0);
    EXPECT_EQ(reader.card()->memory[50], 0xFF);
}

TEST_F(Sle4442, CodeChangeAndTheErrorCounterThatLocksTheCard)
{
    auto &reader = ready();
    char pac[2], code[6];
    ASSERT_EQ(TK_SLE4442_ReadPAC(pac), 0);
    EXPECT_EQ(std::string(pac, 2), "07");
    EXPECT_EQ(TK_SLE4442_WritePWD(0x12, 0x34, 0x56), 0);
    ASSERT_EQ(TK_SLE4442_ReadPWD(code), 0);
    EXPECT_EQ(std::string(code, 6), "123456");
    // Powering the card again asks for the new code.
    ASSERT_EQ(TK_SLE4442_OpenCard(), 0);
    for (const char *left : {"03", "01", "00"}) {
        EXPECT_EQ(TK_SLE4442_VerifyPWD(0xFF, 0xFF, 0xFF), 12);
        ASSERT_EQ(TK_SLE4442_ReadPAC(pac), 0);
        EXPECT_EQ(std::string(pac, 2), left);
    }
    EXPECT_EQ(TK_SLE4442_VerifyPWD(0x12, 0x34, 0x56), 12) << "locked for good";
    EXPECT_EQ(TK_SLE4442_WritePWD(1, 2, 3), 15);
    EXPECT_EQ(reader.card()->code, (tavriksim::Bytes{0x12, 0x34, 0x56}));
}

TEST_F(Sle4442, WrongCodeKeepsTheReceiveBufferSuccessEmptiesIt)
{
    openWithCard(MemoryCard::sle4442());
    ASSERT_EQ(TK_SLE4442_OpenCard(), 0);
    EXPECT_EQ(TK_SLE4442_VerifyPWD(0, 0, 0), 12);
    EXPECT_NE(tavrik::state().rxCount, 0);
    EXPECT_EQ(TK_SLE4442_VerifyPWD(0xFF, 0xFF, 0xFF), 0);
    EXPECT_EQ(tavrik::state().rxCount, 0);
}

TEST_F(Sle4442, CardMissingAtOpenOrPulledDuringARead)
{
    auto &reader = openWithCard(MemoryCard::sle4442());
    reader.remove();
    EXPECT_EQ(TK_SLE4442_OpenCard(), 1);
    waitQuiet();
    EXPECT_EQ(reader.lightState(), 2);
    reader.insert(MemoryCard::sle4442());
    ASSERT_EQ(TK_SLE4442_OpenCard(), 0);
    reader.removeCardOn('A');
    char text[10];
    EXPECT_EQ(TK_SLE4442_ReadChar(0, 5, text), 1);
    reader.insert(MemoryCard::sle4442());
    reader.refuse('C');
    EXPECT_EQ(TK_SLE4442_OpenCard(), 11);
}

TEST_F(Sle4442, SplitDataReplyIsReadWhole)
{
    auto &reader = ready();
    ASSERT_EQ(TK_SLE4442_WriteChar(0, 4, "CAFE0102"), 0);
    reader.splitNextReply(3, 80, 2);  // probe answer and echo first, then the data in two
    EXPECT_EQ(read(0, 4), "CAFE0102");
}

TEST_F(Sle4442, ReaderTricklingItsDataIsCutOff)
{
    auto &reader = ready();
    // Each gap is shorter than the silence limit, but the whole reply takes far longer
    // than its line time.
    reader.trickle(150);
    char text[32];
    EXPECT_EQ(TK_SLE4442_ReadChar(0, 16, text), 5);
}

TEST_F(Sle4442, NullBuffersGiveTwentyNine)
{
    ready();
    EXPECT_EQ(TK_SLE4442_ReadChar(0, 1, nullptr), 29);
    EXPECT_EQ(TK_SLE4442_ReadString(0, 1, nullptr), 29);
    EXPECT_EQ(TK_SLE4442_WriteChar(0, 1, nullptr), 29);
    EXPECT_EQ(TK_SLE4442_WriteString(0, 1, nullptr), 29);
    EXPECT_EQ(TK_SLE4442_PReadChar(nullptr), 29);
    EXPECT_EQ(TK_SLE4442_PWriteChar(0, 1, nullptr), 29);
    EXPECT_EQ(TK_SLE4442_ReadPWD(nullptr), 29);
    EXPECT_EQ(TK_SLE4442_ReadPAC(nullptr), 29);
    EXPECT_TRUE(hostBytes().empty());
}

}  // namespace
