// The card families' exports handed to the outside library, against the recording stand-in.
#include "forwarding_fixture.h"

#include <string>
#include <utility>

namespace {

using tavrik::LinkKind;

class FamilyForwarding : public Forwarding {
protected:
    char text[64] = {};
    std::uint32_t value = 0;
};

TEST_F(FamilyForwarding, MemoryFamiliesOnEveryLinkButTheByteProtocol)
{
    char *t = text;
    const std::vector<Handed> cases = {
        {"AT24C open", [] { return TK_AT24C_OpenCard(5); }, 500, {5}},
        {"AT24C read", [t] { return TK_AT24C_ReadChar(500, 12, t); }, 502, {500, 12}},
        {"AT24C write", [t] { return TK_AT24C_WriteChar(1, 2, t); }, 503, {1, 2}},
        {"AT24C close", [] { return TK_AT24C_CloseCard(); }, 501, {}},
        {"AT45D open", [] { return TK_AT45D_OpenCard(9); }, 560, {9}},
        {"AT45D read", [t] { return TK_AT45D_ReadChar(7, 8, 9, t); }, 562, {7, 8, 9}},
        {"AT45D write", [t] { return TK_AT45D_WriteChar(7, 8, 1, t); }, 563, {7, 8, 1}},
        {"AT45D close", [] { return TK_AT45D_CloseCard(); }, 561, {}},
        {"AT102 open", [] { return TK_AT102_OpenCard(); }, 400, {}},
        {"AT102 read", [t] { return TK_AT102_ReadChar(3, 4, 2, t); }, 402, {3, 4, 2}},
        {"AT102 write", [t] { return TK_AT102_WriteChar(3, 4, 1, t); }, 403, {3, 4, 1}},
        {"AT102 verify", [] { return TK_AT102_VerifyPWD(1, 2); }, 404, {1, 2}},
        {"AT102 code", [t] { return TK_AT102_WritePWD(1, 6, t); }, 405, {1, 6}},
        {"AT102 read code", [t] { return TK_AT102_ReadPWD(2, t); }, 406, {2}},
        {"AT102 counter", [t] { return TK_AT102_ReadPAC(1, t); }, 407, {1}},
        {"AT102 FC", [t] { return TK_AT102_ReadFC(t); }, 408, {}},
        {"AT102 MTZ", [t] { return TK_AT102_WriteMTZ(t); }, 414, {}},
        {"AT102 erase word", [] { return TK_AT102_EraseWord(20, 2); }, 415, {20, 2}},
        {"AT102 erase zone", [t] { return TK_AT102_EraseApp(1, 6, t); }, 416, {1, 6}},
        {"AT102 erase all", [] { return TK_AT102_EraseGlobal(); }, 417, {}},
        {"AT102 unlimited", [] { return TK_AT102_AZ2EraseUnlimited(); }, 418, {}},
        {"AT102 fuse", [] { return TK_AT102_WriteFuse(); }, 419, {}},
        {"AT1604 open", [] { return TK_AT1604_OpenCard(); }, 300, {}},
        {"AT1604 read", [t] { return TK_AT1604_ReadChar(0, 4, 1, t); }, 302, {0, 4, 1}},
        {"AT1604 write", [t] { return TK_AT1604_WriteChar(6, 2, 4, t); }, 303, {6, 2, 4}},
        {"AT1604 erase", [] { return TK_AT1604_EraseChar(6, 2, 3); }, 304, {6, 2, 3}},
        {"AT1604 verify", [] { return TK_AT1604_VerifyPWD(8, 1, 2); }, 305, {8, 1, 2}},
        {"AT1604 code", [t] { return TK_AT1604_WritePWD(4, t); }, 306, {4}},
        {"AT1604 read code", [t] { return TK_AT1604_ReadPWD(4, t); }, 309, {4}},
        {"AT1604 counter", [t] { return TK_AT1604_ReadPAC(3, t); }, 310, {3}},
        {"AT1604 CPZ", [t] { return TK_AT1604_WriteCPZ(t); }, 315, {}},
        {"AT1604 fuse", [] { return TK_AT1604_WriteFuse(); }, 318, {}},
        {"AT6601 open", [] { return TK_AT6601_OpenCard(); }, 350, {}},
        {"AT6601 read", [t] { return TK_AT6601_ReadChar(1, 2, 3, t); }, 352, {1, 2, 3}},
        {"AT6601 verify", [] { return TK_AT6601_VerifyPWD(2, 5, 6); }, 355, {2, 5, 6}},
        {"AT6601 counter", [t] { return TK_AT6601_ReadPAC(8, t); }, 360, {8}},
        {"AT6601 IC", [t] { return TK_AT6601_ReadIC(t); }, 362, {}},
        {"AT6601 close", [] { return TK_AT6601_CloseCard(); }, 351, {}},
    };
    for (LinkKind kind : {LinkKind::Framed, LinkKind::Usb, LinkKind::Velsor}) {
        link(kind);
        expectHanded(cases);
    }
}

TEST_F(FamilyForwarding, ValueOperationsGoToVelsorEvenOnTheByteProtocol)
{
    link(LinkKind::Byte);
    std::uint32_t *v = &value;
    expectHanded({
        {"AT1604 read value", [v] { return TK_AT1604_ReadValue(40, v); }, 307, {40, address(v)}},
        {"AT1604 write value", [] { return TK_AT1604_WriteValue(40, 1000); }, 308, {40, 1000}},
        {"AT6601 read value", [v] { return TK_AT6601_ReadValue(41, v); }, 357, {41, address(v)}},
        {"AT6601 write value", [] { return TK_AT6601_WriteValue(41, 9); }, 358, {41, 9}},
    });
}

// Velsor would write through a null pointer: such calls stop here with 29.
TEST_F(FamilyForwarding, NullOutputsGiveTwentyNineAndReachNoVelsorFunction)
{
    link(LinkKind::Velsor);
    std::uint16_t length = 0;
    const std::vector<std::pair<const char *, std::function<TK_STATUS()>>> cases = {
        {"AT1604 read value", [] { return TK_AT1604_ReadValue(40, nullptr); }},
        {"AT6601 read value", [] { return TK_AT6601_ReadValue(41, nullptr); }},
        {"RATS text", [&] { return TK_Mif_RATS(nullptr, &length); }},
        {"RATS length", [this] { return TK_Mif_RATS(text, nullptr); }},
        {"exchange response", [&] { return TK_Mif_ExchangeBlock("00", 1, nullptr, &length); }},
        {"exchange length", [this] { return TK_Mif_ExchangeBlock("00", 1, text, nullptr); }},
    };
    for (const auto &[name, call] : cases) {
        standin::reset();
        EXPECT_EQ(call(), 29) << name;
        EXPECT_TRUE(standin::calls().empty()) << name;
    }
}

TEST_F(FamilyForwarding, ReadsAskForTextAndWritesGiveVelsorACopy)
{
    link(LinkKind::Usb);
    std::string seen;
    standin::on(303, [&](const standin::Call &call) {
        char *t = call.pointer<char>(3);
        seen.assign(t, 4);
        t[0] = 'Z';
        return 0;
    });
    std::string mine = "ABCD";
    EXPECT_EQ(TK_AT1604_WriteChar(0, 2, 0, mine.data()), 0);
    EXPECT_EQ(seen, "ABCD");
    EXPECT_EQ(mine, "ABCD") << "Velsor wrote into its copy only";
    standin::reset();
    EXPECT_EQ(TK_AT1604_ReadChar(0, 2, 0, text), 0);
    EXPECT_EQ(standin::calls().back().dataMode, 1);
    // Bounds hold before anything is handed on.
    EXPECT_EQ(TK_AT1604_ReadChar(0, 1, 5, text), 19);
    EXPECT_EQ(TK_AT45D_PageErase(0, 1), 19);
    EXPECT_EQ(standin::ordinals(), (std::vector<int>{108, 302}));
}

}  // namespace

namespace {

// Velsor reads the seed and the cryptogram where the caller keeps them, in binary data mode.
TEST_F(FamilyForwarding, AuthenticationHandsOnTheCallersOwnSeedAndCryptogram)
{
    using Auth = TK_STATUS (*)(const uint8_t *, const uint8_t *);
    const std::uint8_t seed[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::uint8_t cryptogram[8] = {9, 10, 11, 12, 13, 14, 15, 16};
    const std::pair<Auth, int> families[] = {{TK_AT1608_Auth, 206}, {TK_AT153_Auth, 255}};
    for (LinkKind kind : {LinkKind::Framed, LinkKind::Usb, LinkKind::Velsor}) {
        link(kind);
        for (const auto &[authenticate, ordinal] : families) {
            standin::reset();
            tavrik::velsor::setDataMode(1);
            standin::on(ordinal, [](const standin::Call &) { return 36; });
            EXPECT_EQ(authenticate(seed, cryptogram), 36) << ordinal;
            const std::vector<standin::Call> calls = standin::calls();
            ASSERT_EQ(standin::ordinals(), (std::vector<int>{108, 109, 108, ordinal, 108}))
                << ordinal;
            const standin::Call &handed = calls[3];
            EXPECT_EQ(handed.args, args({address(seed), address(cryptogram)})) << ordinal;
            EXPECT_EQ(handed.dataMode, 0) << ordinal;
            EXPECT_EQ(calls.back().args, args({1})) << "data mode restored";
        }
    }
}

TEST_F(FamilyForwarding, TelephoneCardsOnlyFromAVelsorLinkAndSle4406Never)
{
    link(LinkKind::Velsor);
    char *t = text;
    expectHanded({
        {"TEL open", [] { return TK_TEL_OpenCard(); }, 900, {}},
        {"TEL close", [] { return TK_TEL_CloseCard(); }, 901, {}},
        {"TEL read", [t] { return TK_TEL_Read(3, 4, t); }, 902, {3, 4, address(t)}},
        {"TEL write", [t] { return TK_TEL_Write(5, 6, t); }, 903, {5, 6}},
        {"TEL reload", [] { return TK_TEL_Reload(7, 8); }, 904, {7, 8}},
        {"TEL unlock", [] { return TK_TEL_VerifyUK(1, 2, 3); }, 905, {1, 2, 3}},
        {"TEL code", [] { return TK_TEL_VerifyTC(4, 5, 6); }, 906, {4, 5, 6}},
    });
    standin::reset();
    EXPECT_EQ(TK_SLE4406_OpenCard(), 34);
    EXPECT_EQ(TK_SLE4406_LendBit(1, 2), 34);
    EXPECT_EQ(TK_SLE4406_Personal(), 34);
    link(LinkKind::Usb);
    EXPECT_EQ(TK_TEL_OpenCard(), 11) << "no serial port behind a USB link";
    EXPECT_TRUE(standin::calls().empty());
}

}  // namespace
