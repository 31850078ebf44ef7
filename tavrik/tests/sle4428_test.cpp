// SLE4428 over the byte protocol against the simulated card.
#include "reader_fixture.h"

#include <cstring>
#include <vector>

namespace {

using tavriksim::MemoryCard;

class Sle4428 : public ReaderTest {
protected:
    tavriksim::Simulator &ready()
    {
        auto &reader = openWithCard(MemoryCard::sle4428());
        EXPECT_EQ(TK_SLE4428_OpenCard(), 0);
        EXPECT_EQ(TK_SLE4428_VerifyPWD(0xFF, 0xFF), 0);
        reader.clearTranscript();
        return reader;
    }
};

TEST_F(Sle4428, OpenAndVerifyWithTheirWireBytes)
{
    openWithCard(MemoryCard::sle4428());
    EXPECT_EQ(TK_SLE4428_OpenCard(), 0);
    EXPECT_EQ(TK_SLE4428_VerifyPWD(0xFF, 0xFF), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'C', 0x30, ':', 'V', 1, ':', 'H', 0xFF, 0xFF}));
}

TEST_F(Sle4428, WritesThatRunToTheEndStopBeforeTheLastThreeBytes)
{
    auto &reader = ready();
    std::string text;
    for (int i = 0; i < 24; ++i) text += "5A";
    EXPECT_EQ(TK_SLE4428_WriteChar(1000, 24, text.c_str()), 0);
    EXPECT_EQ(hostBytes().substr(0, 6), wire({':', 'B', 0x03, 0xE8, 0, 21}));
    EXPECT_EQ(hostBytes().size(), 6u + 21u);
    const auto card = *reader.card();
    for (int a = 1000; a < 1021; ++a) EXPECT_EQ(card.memory[a], 0x5A) << a;
    for (int a = 1021; a < 1024; ++a) EXPECT_EQ(card.memory[a], 0xFF) << a;
}

TEST_F(Sle4428, Bounds)
{
    struct Case {
        bool write;
        std::uint16_t address, length;
        TK_STATUS result;
    };
    const Case cases[] = {
        {true, 1020, 2, 19}, {true, 1024, 0, 19}, {true, 1000, 25, 19}, {true, 65535, 2, 19},
        {false, 1024, 0, 19}, {false, 1000, 25, 19}, {false, 65535, 2, 19}, {false, 1023, 1, 0},
    };
    auto &reader = ready();
    std::vector<char> text(2 * 65535 + 2, '0');
    for (const Case &c : cases) {
        const TK_STATUS r = c.write ? TK_SLE4428_WriteChar(c.address, c.length, text.data())
                                    : TK_SLE4428_ReadChar(c.address, c.length, text.data());
        EXPECT_EQ(r, c.result) << (c.write ? "write " : "read ") << c.address << "+" << c.length;
    }
    reader.clearTranscript();
    // Shortened to nothing: the command goes out, no data follows.
    EXPECT_EQ(TK_SLE4428_WriteChar(1019, 3, "000000"), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'B', 0x03, 0xFB, 0, 0}));
}

TEST_F(Sle4428, ReadStringOfTheWholeCardFitsTheCallersBuffer)
{
    auto &reader = ready();
    reader.editCard([](MemoryCard &c) {
        for (std::size_t i = 0; i < c.memory.size(); ++i) c.memory[i] = static_cast<std::uint8_t>(i);
    });
    std::vector<std::uint8_t> bytes(1024 + 4, 0xEE);
    ASSERT_EQ(TK_SLE4428_ReadString(0, 1024, bytes.data()), 0);
    for (int i = 0; i < 1024; ++i) ASSERT_EQ(bytes[i], static_cast<std::uint8_t>(i)) << i;
    for (int i = 1024; i < 1028; ++i) EXPECT_EQ(bytes[i], 0xEE) << i;
}

TEST_F(Sle4428, ProtectionPerByte)
{
    auto &reader = ready();
    EXPECT_EQ(TK_SLE4428_PWriteChar(5, 1, "FF"), 0);
    char flags[8];
    ASSERT_EQ(TK_SLE4428_PReadChar(4, 3, flags), 0);
    EXPECT_EQ(std::string(flags, 6), "010001");
    EXPECT_EQ(TK_SLE4428_WriteChar(4, 3, "112233"), 0);
    EXPECT_EQ(reader.card()->memory[5], 0xFF);
    EXPECT_EQ(reader.card()->memory[6], 0x33);
    EXPECT_EQ(TK_SLE4428_PReadChar(1024, 1, flags), 19);
}

TEST_F(Sle4428, CodeChangeAndErrorCounter)
{
    auto &reader = ready();
    char pac[2], code[4];
    EXPECT_EQ(TK_SLE4428_WritePWD(0xAB, 0xCD), 0);
    ASSERT_EQ(TK_SLE4428_ReadPWD(code), 0);
    EXPECT_EQ(std::string(code, 4), "ABCD");
    ASSERT_EQ(TK_SLE4428_OpenCard(), 0);
    EXPECT_EQ(TK_SLE4428_VerifyPWD(0xFF, 0xFF), 12);
    ASSERT_EQ(TK_SLE4428_ReadPAC(pac), 0);
    EXPECT_EQ(std::string(pac, 2), "7F");
    EXPECT_EQ(TK_SLE4428_VerifyPWD(0xAB, 0xCD), 0);
    ASSERT_EQ(TK_SLE4428_ReadPAC(pac), 0);
    EXPECT_EQ(std::string(pac, 2), "FF");
    EXPECT_EQ(reader.card()->code, (tavriksim::Bytes{0xAB, 0xCD}));
}

}  // namespace
