// AT24C, AT45D, AT102, AT1604 and AT6601 over the byte protocol against the simulated cards.
#include "reader_fixture.h"
#include "state.h"
#include "transport/timing.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using tavriksim::MemoryCard;

class MemoryFamilies : public ReaderTest {
protected:
    static std::string hex(const tavriksim::Bytes &b)
    {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        std::string s;
        for (std::uint8_t x : b) s += {kDigits[x >> 4], kDigits[x & 15]};
        return s;
    }
};

TEST_F(MemoryFamilies, At24cSizeFollowsTheTypeAndEveryRequestIsWhole)
{
    openWithCard(MemoryCard::at24c(3));
    EXPECT_EQ(TK_AT24C_OpenCard(0), 14);
    EXPECT_EQ(TK_AT24C_OpenCard(11), 14);
    EXPECT_TRUE(hostBytes().empty()) << "a wrong type is not sent";
    ASSERT_EQ(TK_AT24C_OpenCard(3), 0);
    EXPECT_EQ(hostBytes().substr(0, 3), wire({':', 'C', 3}));
    restartTranscript();

    std::string text(2 * 57, '?');
    EXPECT_EQ(TK_AT24C_ReadChar(200, 57, text.data()), 19);
    EXPECT_EQ(TK_AT24C_WriteChar(200, 57, text.data()), 19);
    EXPECT_TRUE(hostBytes().empty());
    const std::uint8_t bytes[] = {0xDE, 0xAD, 0xBE, 0xEF};
    ASSERT_EQ(TK_AT24C_WriteString(252, 4, bytes), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'B'}) + words({252, 4}) + wire({0xDE, 0xAD, 0xBE, 0xEF}));
    ASSERT_EQ(TK_AT24C_ReadChar(200, 56, text.data()), 0);
    EXPECT_EQ(text.substr(104, 8), "DEADBEEF");
    EXPECT_EQ(TK_AT24C_CloseCard(), 0);

    // Types 1 and 2 take at most 128 bytes at once: more is refused, not cut short.
    struct Case {
        std::uint8_t type;
        std::uint16_t address, length;
        TK_STATUS result;
    };
    for (const Case &c : {Case{1, 0, 128, 0}, Case{1, 0, 129, 19}, Case{1, 1, 128, 19},
                          Case{2, 0, 129, 19}, Case{2, 128, 128, 0}, Case{2, 129, 128, 19},
                          Case{10, 32767, 1, 0}, Case{10, 32767, 2, 19}, Case{0, 0, 1, 14}}) {
        tavrik::state().cardType = c.type;
        restartTranscript();
        std::vector<char> out(2 * 129);
        const TK_STATUS r = TK_AT24C_ReadChar(c.address, c.length, out.data());
        if (c.result) {
            EXPECT_EQ(r, c.result) << int{c.type} << ": " << c.address << "+" << c.length;
            EXPECT_TRUE(hostBytes().empty());
        } else {
            EXPECT_NE(r, 19) << int{c.type} << ": " << c.address << "+" << c.length;
        }
    }
}

TEST_F(MemoryFamilies, At45dPagesAndErasing)
{
    auto &reader = openWithCard(MemoryCard::at45d());
    ASSERT_EQ(TK_AT45D_OpenCard(0x45), 0);
    restartTranscript();
    ASSERT_EQ(TK_AT45D_WriteChar(2047, 10, 3, "010203"), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'c'}) + words({2047, 10, 3}) + wire({1, 2, 3}));
    restartTranscript();
    char text[6];
    ASSERT_EQ(TK_AT45D_ReadChar(2047, 10, 3, text), 0);
    EXPECT_EQ(std::string(text, 6), "010203");
    EXPECT_EQ(hostBytes(), wire({':', 'b'}) + words({2047, 10, 3}));
    EXPECT_EQ(TK_AT45D_ReadChar(2048, 0, 1, text), 19);

    EXPECT_EQ(TK_AT45D_PageErase(2040, 9), 19);
    EXPECT_EQ(TK_AT45D_BlockErase(2049, 0), 19);
    restartTranscript();
    // Two parameter words, then the erase time: 50 ms and 8 ms a page or 15 ms a block.
    using Erase = TK_STATUS (*)(uint16_t, uint16_t);
    const auto waited = [](Erase erase, std::uint16_t first, std::uint16_t count, int ms) {
        EXPECT_EQ(erase(first, count), 0);
        const std::vector<int> p = tavrik::recentPauses();
        const std::vector<int> fixed{100, 100, ms};
        return std::search(p.begin(), p.end(), fixed.begin(), fixed.end()) != p.end();
    };
    EXPECT_TRUE(waited(TK_AT45D_PageErase, 2040, 8, 50 + 8 * 8));
    EXPECT_EQ(hostBytes(), wire({':', 'e'}) + words({2040, 8}));
    EXPECT_EQ(reader.card()->memory[2047 * 264 + 10], 0xFF);
    EXPECT_TRUE(waited(TK_AT45D_BlockErase, 255, 1, 50 + 15));
    reader.refuse('d');
    EXPECT_EQ(TK_AT45D_BlockErase(0, 1), 5);
    tavrik::state().link = tavrik::LinkKind::Framed;
    EXPECT_EQ(TK_AT45D_PageErase(0, 1), 19) << "erasing needs the byte protocol";
}

TEST_F(MemoryFamilies, At1604ZonesMapToTheirCardAddresses)
{
    auto &reader = openWithCard(MemoryCard::at1604());
    ASSERT_EQ(TK_AT1604_OpenCard(), 0);
    EXPECT_EQ(hostBytes().substr(0, 3), wire({':', 'C', 0x21}));
    reader.editCard([](MemoryCard &c) { c.memory[545] = 0x5A; });
    restartTranscript();
    char text[16];
    ASSERT_EQ(TK_AT1604_ReadChar(0, 1, 1, text), 0);
    EXPECT_EQ(std::string(text, 2), "5A");
    EXPECT_EQ(hostBytes(), wire({':', 'A'}) + words({545, 1}));
    restartTranscript();
    ASSERT_EQ(TK_AT1604_ReadChar(545, 1, 4, text), 0) << "zone 4 addresses the card";
    EXPECT_EQ(std::string(text, 2), "5A");

    struct Case {
        std::uint16_t address, length;
        std::uint8_t zone;
    };
    for (const Case &c : {Case{0, 1, 5}, Case{511, 2, 0}, Case{450, 8, 3}, Case{2047, 2, 4}}) {
        EXPECT_EQ(TK_AT1604_ReadChar(c.address, c.length, c.zone, text), 19)
            << int{c.zone} << ": " << c.address << "+" << c.length;
        EXPECT_EQ(TK_AT1604_WriteChar(c.address, c.length, c.zone, text), 19);
        EXPECT_EQ(TK_AT1604_EraseChar(c.address, c.length, c.zone), 19);
    }
}

TEST_F(MemoryFamilies, At1604CodesCountersAndNamedAreas)
{
    auto &reader = openWithCard(MemoryCard::at1604());
    ASSERT_EQ(TK_AT1604_OpenCard(), 0);
    restartTranscript();
    char pac[2];
    EXPECT_EQ(TK_AT1604_VerifyPWD(3, 0x12, 0x34), 12);
    EXPECT_EQ(hostBytes(), wire({':', 'H', 3, 0x12, 0x34}));
    restartTranscript();
    ASSERT_EQ(TK_AT1604_ReadPAC(3, pac), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'A'}) + words({1059, 1})) << "index 3 counts at 1059";
    EXPECT_EQ(std::string(pac, 2), "7F");
    EXPECT_EQ(TK_AT1604_VerifyPWD(9, 0xFF, 0xFF), 29);
    EXPECT_EQ(TK_AT1604_ReadPAC(9, pac), 19);

    ASSERT_EQ(TK_AT1604_VerifyPWD(0, 0xFF, 0xFF), 0);
    ASSERT_EQ(TK_AT1604_WriteChar(0, 4, 0, "A1A2A3A4"), 0);
    EXPECT_EQ(hex(reader.card()->read(27, 4)), "A1A2A3A4");
    ASSERT_EQ(TK_AT1604_WritePWD(0, "BEEF"), 0);
    EXPECT_EQ(hex(reader.card()->read(10, 2)), "BEEF");
    restartTranscript();
    ASSERT_EQ(TK_AT1604_EraseChar(1, 2, 0), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'Y'}) + words({28, 2}));
    EXPECT_EQ(hex(reader.card()->read(27, 4)), "A1FFFFA4");

    char area[16];
    ASSERT_EQ(TK_AT1604_ReadFC(area), 0);
    EXPECT_EQ(std::string(area, 4), "2101");
    restartTranscript();
    ASSERT_EQ(TK_AT1604_WriteMTZ("01020304"), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'B'}) + words({2038, 4}) + wire({1, 2, 3, 4}));
    restartTranscript();
    ASSERT_EQ(TK_AT1604_ReadMTZ(area), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'A'}) + words({2038, 2}));
    EXPECT_EQ(std::string(area, 4), "0102");
    restartTranscript();
    ASSERT_EQ(TK_AT1604_WriteFuse(), 0);
    waitQuiet();
    EXPECT_EQ(hostBytes(), wire({':', 'X'}));
    EXPECT_TRUE(reader.card()->fuseBlown);
}

TEST_F(MemoryFamilies, At6601LayoutAndItsSharedCounter)
{
    openWithCard(MemoryCard::at6601());
    ASSERT_EQ(TK_AT6601_OpenCard(), 0);
    char text[8];
    for (std::uint8_t index : {2, 3, 4})
        EXPECT_EQ(TK_AT6601_ReadPAC(index, text), 19) << int{index};
    restartTranscript();
    ASSERT_EQ(TK_AT6601_ReadPAC(6, text), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'A'}) + words({1226, 1}));
    restartTranscript();
    ASSERT_EQ(TK_AT6601_ReadChar(255, 1, 1, text), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'A'}) + words({1482, 1}));
    ASSERT_EQ(TK_AT6601_VerifyPWD(3, 0xFF, 0xFF), 0);
    ASSERT_EQ(TK_AT6601_WriteChar(0, 2, 2, "6601"), 0);
    ASSERT_EQ(TK_AT6601_ReadChar(0, 2, 2, text), 0);
    EXPECT_EQ(std::string(text, 4), "6601");
    // Zone 1 ends before the code of zone 2.
    EXPECT_EQ(TK_AT6601_ReadChar(255, 2, 1, text), 19);
    EXPECT_EQ(TK_AT6601_ReadChar(0, 1, 4, text), 19) << "no absolute zone";
}

TEST_F(MemoryFamilies, At102ZonesKeysAndErasing)
{
    auto &reader = openWithCard(MemoryCard::at102());
    ASSERT_EQ(TK_AT102_OpenCard(), 0);
    ASSERT_EQ(TK_AT102_VerifyPWD(0xFF, 0xFF), 0);
    restartTranscript();
    ASSERT_EQ(TK_AT102_WriteChar(63, 1, 2, "42"), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'B'}) + words({155, 1}) + wire({0x42}));
    char text[32];
    ASSERT_EQ(TK_AT102_ReadChar(63, 1, 2, text), 0);
    EXPECT_EQ(std::string(text, 2), "42");
    for (std::uint8_t zone : {0, 3}) EXPECT_EQ(TK_AT102_ReadChar(0, 1, zone, text), 19);
    EXPECT_EQ(TK_AT102_ReadChar(60, 5, 1, text), 19);

    EXPECT_EQ(TK_AT102_WritePWD(1, 4, "00000000"), 14) << "the zone-1 key has 6 bytes";
    EXPECT_EQ(TK_AT102_WritePWD(3, 2, "0000"), 14);
    restartTranscript();
    ASSERT_EQ(TK_AT102_WritePWD(2, 4, "0A0B0C0D"), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'G', 2, 0x0A, 0x0B, 0x0C, 0x0D}));
    ASSERT_EQ(TK_AT102_ReadPWD(2, text), 0);
    EXPECT_EQ(std::string(text, 8), "0A0B0C0D");
    ASSERT_EQ(TK_AT102_ReadPAC(1, text), 0);
    EXPECT_EQ(std::string(text, 32), std::string(32, 'F')) << "16-byte erase counter";

    EXPECT_EQ(TK_AT102_EraseApp(2, 6, "0A0B0C0D"), 14);
    restartTranscript();
    ASSERT_EQ(TK_AT102_EraseApp(2, 4, "0A0B0C0D"), 0);
    waitQuiet();
    EXPECT_EQ(hostBytes(), wire({':', ']', 2, 0x0A, 0x0B, 0x0C, 0x0D}));
    EXPECT_EQ(reader.card()->memory[155], 0xFF) << "zone 2 erased with its key";
}

}  // namespace

namespace {

TEST_F(MemoryFamilies, Sle4406AndTelephoneCardCounters)
{
    auto &reader = openWithCard(MemoryCard::sle4406());
    ASSERT_EQ(TK_SLE4406_OpenCard(), 0);
    ASSERT_EQ(TK_SLE4406_VerifyPWD(0xFF, 0xFF, 0xFF), 0);
    char text[32];
    EXPECT_EQ(TK_SLE4406_ReadChar(10, 4, text), 19);
    restartTranscript();
    ASSERT_EQ(TK_SLE4406_WriteChar(9, 4, "01020304"), 0);
    ASSERT_EQ(TK_SLE4406_LendBit(9, 0x03), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'B'}) + words({9, 4}) + wire({1, 2, 3, 4, ':', 'd', 9, 3}));
    EXPECT_EQ(reader.card()->memory[9], 0x00);
    std::uint8_t bytes[4] = {};
    ASSERT_EQ(TK_SLE4406_ReadString(9, 4, bytes), 0);
    EXPECT_EQ(bytes[3], 0x04);
    EXPECT_EQ(TK_SLE4406_WritePWD(1, 2, 3), 0);
    EXPECT_EQ(reader.card()->code, (tavriksim::Bytes{1, 2, 3}));
    reader.refuse('f');
    EXPECT_EQ(TK_SLE4406_Personal(), 5);

    reader.insert(MemoryCard::telephone());
    ASSERT_EQ(TK_TEL_OpenCard(), 0);
    EXPECT_EQ(TK_TEL_VerifyUK(0x12, 0x34, 0x57), 12);
    restartTranscript();
    ASSERT_EQ(TK_TEL_VerifyUK(0x12, 0x34, 0x56), 0);
    ASSERT_EQ(TK_TEL_VerifyTC(0xFF, 0xFF, 0xFF), 0);
    EXPECT_EQ(hostBytes(), wire({':', 0x60, 0x12, 0x34, 0x56, ':', 'H', 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(TK_TEL_Read(30, 3, text), 19);
    EXPECT_EQ(TK_TEL_Write(31, 2, "0102"), 19);
    ASSERT_EQ(TK_TEL_Write(30, 2, "0102"), 0);
    ASSERT_EQ(TK_TEL_Read(30, 2, text), 0);
    EXPECT_EQ(std::string(text, 4), "0102");

    // A USB or framed reader has no SLE4406 commands.
    for (auto kind : {tavrik::LinkKind::Usb, tavrik::LinkKind::Framed}) {
        tavrik::state().link = kind;
        EXPECT_EQ(TK_SLE4406_OpenCard(), 34);
        EXPECT_EQ(TK_SLE4406_VerifyPWD(1, 2, 3), 34);
        EXPECT_EQ(TK_SLE4406_WritePWD(1, 2, 3), 34);
        EXPECT_EQ(TK_SLE4406_ReadChar(0, 1, text), 34);
    }
}

}  // namespace
