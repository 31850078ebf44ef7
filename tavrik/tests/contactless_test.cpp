// Contactless cards through frames on a framed reader, and their forwarding from a Velsor link.
#include "forwarding_fixture.h"

#include <string>

namespace {

using tavriksim::MemoryCard;

class Contactless : public Forwarding {
protected:
    // A framed reader on COM2 with a contactless card of `kind`, requested.
    tavriksim::Simulator &ready(std::uint8_t kind)
    {
        tavriksim::Options o;
        o.protocol = tavriksim::Protocol::Framed;
        startReader(o).insert(MemoryCard::contactless(kind));
        EXPECT_EQ(TK_Com_Open(2, 115200), 0);
        std::uint16_t k = 0;
        EXPECT_EQ(TK_Mif_Request(&k, 1), 0);
        EXPECT_EQ(k, kind);
        sim().clearTranscript();
        return sim();
    }
    // Opens sector `sector` with the factory key A.
    void openSector(std::uint8_t sector)
    {
        const std::uint8_t key[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        ASSERT_EQ(TK_Mif_Load_Key(0, sector, key), 0);
        ASSERT_EQ(TK_Mif_Authentication(0, sector, 0), 0);
    }
};

TEST_F(Contactless, RequestSelectAuthenticateReadAndWrite)
{
    auto &reader = ready(0x04);
    EXPECT_EQ(tavrik::state().cardType, 80);
    std::uint16_t kind = 0;
    EXPECT_EQ(TK_Mif_Request(&kind, 2), 14);
    std::uint32_t serial = 0, out = 7;
    ASSERT_EQ(TK_Mif_AntiCollision(0, &serial), 0);
    EXPECT_EQ(serial, 0xA1B2C3D4u);
    ASSERT_EQ(TK_Mif_Select_CardNumber(serial, &out, 0), 0);
    EXPECT_EQ(out, 0u);
    EXPECT_EQ(hostBytes(), wire({0x02, 0x03, 0x00, 0x02, 0x04, 0x00}));
    reader.clearTranscript();

    char text[33] = {};
    EXPECT_EQ(TK_Mif_Read(5, text), 23) << "sector 1 is not open yet";
    openSector(1);
    EXPECT_EQ(hostBytes().substr(3), wire({0x09, 0x06, 0x60, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                           0xFF, 0x04, 0x05, 0x60, 0x01, 0x04}));
    const std::string data = "00112233445566778899AABBCCDDEEFF";
    reader.clearTranscript();
    ASSERT_EQ(TK_Mif_Write(5, data.c_str()), 0);
    EXPECT_EQ(hostBytes(), wire({0x12, 0x09, 0x05, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                                 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}));
    ASSERT_EQ(TK_Mif_Read(5, text), 0);
    EXPECT_EQ(std::string(text, 32), data);
    std::uint8_t bytes[16];
    ASSERT_EQ(TK_Mif_ReadString(5, bytes), 0);
    EXPECT_EQ(bytes[15], 0xFF);

    const std::uint8_t wrong[6] = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(TK_Mif_Load_Key(0, 2, wrong), 0);
    EXPECT_EQ(TK_Mif_Authentication(0, 2, 0), 22);
    reader.refuse(0x01);
    EXPECT_EQ(TK_Mif_SetHalt(), 23);
    reader.remove();
    EXPECT_EQ(TK_Mif_Request(&kind, 0), 20);
}

TEST_F(Contactless, ValueBlocks)
{
    ready(0x04);
    openSector(1);
    ASSERT_EQ(TK_Mif_Init_Value(6), 0);
    std::uint32_t value = 99;
    ASSERT_EQ(TK_Mif_Read_Value(6, &value), 0);
    EXPECT_EQ(value, 0u);
    sim().clearTranscript();
    ASSERT_EQ(TK_Mif_Increment(6, 0x01020304), 0);
    EXPECT_EQ(hostBytes(), wire({0x08, 0x0A, 0xC1, 0x06, 0x04, 0x03, 0x02, 0x01, 0x06}));
    ASSERT_EQ(TK_Mif_Decrement(6, 4), 0);
    ASSERT_EQ(TK_Mif_Read_Value(6, &value), 0);
    EXPECT_EQ(value, 0x01020300u);
    EXPECT_EQ(TK_Mif_Decrement(5, 1), 26) << "block 5 holds no value";
    EXPECT_EQ(TK_Mif_Restore(6), 0);
    EXPECT_EQ(TK_Mif_Transfer(6), 0);
    EXPECT_EQ(TK_Mif_Reset(), 34);
}

TEST_F(Contactless, PageCardsKeepTheirValueInPageFourOrFive)
{
    auto &reader = ready(0x10);
    EXPECT_EQ(tavrik::state().cardType, 82);
    ASSERT_EQ(TK_Mif_Init_Value(4), 0);
    std::uint32_t value = 99;
    ASSERT_EQ(TK_Mif_Read_Value(7, &value), 0);
    EXPECT_EQ(value, 0u);
    reader.clearTranscript();
    ASSERT_EQ(TK_Mif_Increment(4, 300), 0);
    // Page 4 read, then written with the bytes themselves.
    EXPECT_EQ(hostBytes(), wire({0x02, 0x08, 0x04, 0x12, 0x09, 0x04, 0x2C, 0x01, 0xD3, 0xFE}) +
                               std::string(12, '0'));
    ASSERT_EQ(TK_Mif_Read_Value(4, &value), 0);
    EXPECT_EQ(value, 300u);
    reader.clearTranscript();
    ASSERT_EQ(TK_Mif_Decrement(4, 50), 0);
    EXPECT_EQ(hostBytes().substr(3), wire({0x08, 0x0A, 0xC0, 0x04, 50, 0, 0, 0, 0x04}));
    ASSERT_EQ(TK_Mif_Read_Value(4, &value), 0);
    EXPECT_EQ(value, 250u);

    // With page 4 blank the value is taken from page 5.
    reader.editCard([](MemoryCard &c) {
        for (int i = 16; i < 20; ++i) c.memory[i] = 0xFF;
        c.memory[20] = 0x10;
        c.memory[21] = 0x00;
    });
    ASSERT_EQ(TK_Mif_Read_Value(4, &value), 0);
    EXPECT_EQ(value, 16u);
    reader.clearTranscript();
    ASSERT_EQ(TK_Mif_Decrement(4, 1), 0);
    EXPECT_EQ(hostBytes().substr(3, 4), wire({0x08, 0x0A, 0xC0, 0x05}));
    ASSERT_EQ(TK_Mif_Read_Value(4, &value), 0);
    EXPECT_EQ(value, 15u);
    // Sums past 16 bits are refused, also those that would wrap round in 32 bits.
    for (std::uint32_t by : {0xFFFFu, 0xFFFFFFF1u, 0xFFFFFFFFu}) {
        EXPECT_EQ(TK_Mif_Increment(4, by), 14) << by;
        ASSERT_EQ(TK_Mif_Read_Value(4, &value), 0);
        EXPECT_EQ(value, 15u) << by;
    }
    const std::uint8_t key[6] = {};
    ASSERT_EQ(TK_Mif_Load_Key(0, 3, key), 0);
    reader.clearTranscript();
    ASSERT_EQ(TK_Mif_Authentication(0, 3, 9), 0);
    EXPECT_EQ(hostBytes(), wire({0x04, 0x05, 0x60, 0x00, 0x04})) << "always sector 0, block 4";
}

TEST_F(Contactless, SerialNumberOfAKind44CardWithoutItsFirstByte)
{
    ready(0x44);
    EXPECT_EQ(tavrik::state().cardType, 85);
    std::uint32_t serial = 0;
    ASSERT_EQ(TK_Mif_AntiCollision(1, &serial), 0);
    EXPECT_EQ(serial, 0xB2C3D4u);
    ASSERT_EQ(TK_Mif_AntiCollision(0, &serial), 0);
    EXPECT_EQ(serial, 0xA1B2C3D4u);
}

TEST_F(Contactless, SmallPageCardsAndShortReplies)
{
    auto &reader = ready(0x05);
    EXPECT_EQ(tavrik::state().cardType, 84);
    const std::uint8_t key[6] = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(TK_Mif_Load_Key(4, 0, key), 0);
    EXPECT_EQ(hostBytes(), wire({0x09, 0x06, 0x61, 0x00, 1, 2, 3, 4, 0, 0}));
    EXPECT_EQ(TK_Mif_Write(8, "01020304"), 15);
    const std::uint8_t code[4] = {9, 8, 7, 6};
    reader.clearTranscript();
    ASSERT_EQ(TK_Mif1102_UpdatePass(code), 0);
    ASSERT_EQ(TK_Mif1102_Verify(code), 0);
    EXPECT_EQ(hostBytes(), wire({0x06, 0x10, 0x08, 9, 8, 7, 6, 0x05, 0x0E, 9, 8, 7, 6}));
    const std::uint8_t other[4] = {9, 8, 7, 5};
    EXPECT_EQ(TK_Mif1102_Verify(other), 23);
    EXPECT_EQ(TK_Mif_Increment(4, 1), 14);
    reader.clearTranscript();
    const std::uint8_t page[4] = {0xCA, 0xFE, 0xBA, 0xBE};
    ASSERT_EQ(TK_Mif_WriteString(5, page), 0);
    EXPECT_EQ(hostBytes(), wire({0x06, 0x10, 0x05, 0xCA, 0xFE, 0xBA, 0xBE}));
    char text[33];
    ASSERT_EQ(TK_Mif_Read(8, text), 0);
    EXPECT_EQ(std::string(text, 8), "09080706");

    // A reply with fewer bytes than the card type reads is refused, not copied.
    tavrik::state().cardType = 80;
    reader.clearTranscript();
    EXPECT_EQ(TK_Mif_Read(8, text), 23);
    EXPECT_EQ(hostBytes(), wire({0x02, 0x08, 0x08}));
    std::uint32_t value = 7;
    EXPECT_EQ(TK_Mif_Read_Value(8, &value), 23);
    EXPECT_EQ(value, 7u);
    const std::uint8_t date[9] = {};
    EXPECT_EQ(TK_Mifare_UpdateDate(date), 0);
    EXPECT_EQ(TK_TubDeeply_Control(1), 0);
}

// Page cards read with the page command, but their value read is the block read of every card.
TEST_F(Contactless, ValueReadOfAPageCardAsksWithTheBlockCommand)
{
    struct Case {
        std::uint8_t kind;
        std::size_t pageBytes;
    };
    for (const Case &c : {Case{0x00, 4}, Case{0x05, 8}}) {
        auto &reader = ready(c.kind);
        char text[33] = {};
        ASSERT_EQ(TK_Mif_Read(6, text), 0) << int{c.kind};
        std::uint32_t value = 7;
        ASSERT_EQ(TK_Mif_Read_Value(6, &value), 0) << int{c.kind};
        EXPECT_EQ(value, 7u) << "these cards keep no value";
        EXPECT_EQ(hostBytes(), wire({0x02, 0x0F, 0x06, 0x02, 0x08, 0x06})) << int{c.kind};
        EXPECT_EQ(reader.toHost().size(), 2 * (2 + c.pageBytes)) << int{c.kind};
    }
}

TEST_F(Contactless, ForwardedFromAVelsorLinkOnly)
{
    link(tavrik::LinkKind::Velsor);
    struct Case {
        std::uint16_t kind;
        TK_STATUS result;
        std::uint8_t type;
    };
    for (const Case &c : {Case{0x04, 0, 80}, Case{0x10, 0, 82}, Case{0x02, 20, 0}}) {
        tavrik::state().cardType = 0;
        standin::reset();
        standin::on(700, [&](const standin::Call &call) {
            *call.pointer<std::uint16_t>(0) = c.kind;
            return 0;
        });
        std::uint16_t kind = 0;
        EXPECT_EQ(TK_Mif_Request(&kind, 1), c.result) << c.kind;
        EXPECT_EQ(tavrik::state().cardType, c.type);
        EXPECT_EQ(standin::calls().back().args[1], 1u);
    }
    std::uint32_t serial = 0, value = 0;
    char text[32] = {};
    char *t = text;
    std::uint32_t *s = &serial;
    const std::uint8_t key[6] = {};
    expectHanded({
        {"anticollision", [s] { return TK_Mif_AntiCollision(1, s); }, 701, {1, address(s)}},
        {"select", [s] { return TK_Mif_Select_CardNumber(5, s, 2); }, 702, {5, address(s), 2}},
        {"authentication", [] { return TK_Mif_Authentication(4, 3, 2); }, 703, {4, 3, 2}},
        {"halt", [] { return TK_Mif_SetHalt(); }, 704, {}},
        {"read", [t] { return TK_Mif_Read(9, t); }, 705, {9, address(t)}},
        {"write", [t] { return TK_Mif_Write(9, t); }, 706, {9}},
        {"increment", [] { return TK_Mif_Increment(9, 500); }, 707, {9, 500}},
        {"decrement", [] { return TK_Mif_Decrement(9, 400); }, 708, {9, 400}},
        {"restore", [] { return TK_Mif_Restore(3); }, 709, {3}},
        {"transfer", [] { return TK_Mif_Transfer(3); }, 710, {3}},
        {"key", [&] { return TK_Mif_Load_Key(4, 7, key); }, 711, {4, 7}},
        {"reset", [] { return TK_Mif_Reset(); }, 712, {}},
        {"config", [] { return TK_Mif_Config(); }, 715, {}},
        {"init value", [] { return TK_Mif_Init_Value(6); }, 717, {6}},
        {"read value", [&] { return TK_Mif_Read_Value(6, &value); }, 718, {6, address(&value)}},
        {"activate", [] { return TK_Mif_Activate(); }, 752, {}},
        {"deselect", [] { return TK_Mif_DeSelect(); }, 755, {}},
    });
    EXPECT_EQ(standin::calls().back().ordinal, 755);
    standin::reset();
    EXPECT_EQ(TK_Mif_Read(1, text), 0);
    EXPECT_EQ(standin::calls().back().dataMode, 1);
    const std::uint8_t code[9] = {};
    standin::reset();
    EXPECT_EQ(TK_Mif1102_Verify(code), 34);
    EXPECT_EQ(TK_TubDeeply_Control(1), 34);
    EXPECT_EQ(TK_Mifare_UpdateDate(code), 34);
    EXPECT_TRUE(standin::calls().empty());
    link(tavrik::LinkKind::Framed);
    EXPECT_EQ(TK_Mif_Activate(), 34);
    EXPECT_EQ(TK_Mif_Reset(), 34);
    EXPECT_TRUE(standin::calls().empty());
}

}  // namespace
