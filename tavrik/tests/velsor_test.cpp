// Forwarding to the outside library, against a stand-in that records every call.
#include "forwarding_fixture.h"
#include "state.h"
#include "velsor/binding.h"
#include "velsor_standin.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using tavrik::LinkKind;
using tavriksim::Protocol;

TEST_F(Forwarding, ForeignReaderIsOpenedThroughVelsorWithTheMappedZeroBasedPort)
{
    struct Case {
        int com;
        std::uint8_t port;
        std::uintptr_t velsorPort;
    };
    for (const Case &c : {Case{1, 0, 0}, Case{3, 3, 2}}) {
        resetLibrary();
        standin::reset();
        tavriksim::Options o;
        o.protocol = Protocol::Foreign;
        startReader(o, c.com);
        EXPECT_EQ(TK_Com_Open(c.port, 115200), 0);
        EXPECT_EQ(tavrik::state().link, LinkKind::Velsor);
        const auto calls = standin::calls();
        ASSERT_EQ(standin::ordinals(), (std::vector<int>{100, 108}));
        EXPECT_EQ(calls[0].args, args({c.velsorPort, 115200})) << "port " << int{c.port};
        EXPECT_EQ(calls[1].args, args({1}));
        EXPECT_FALSE(tavrik::state().serial.isOpen());
    }
    // The port is known now: the next open goes straight to Velsor without a probe.
    standin::reset();
    sim().clearTranscript();
    EXPECT_EQ(TK_Com_Open(3, 115200), 0);
    EXPECT_EQ(standin::ordinals(), (std::vector<int>{100, 108}));
    EXPECT_TRUE(hostBytes().empty());
    standin::on(100, [](const standin::Call &) { return 7; });
    EXPECT_EQ(TK_Com_Open(3, 115200), 10);
    EXPECT_EQ(TK_Com_Close(), 1);
    EXPECT_EQ(standin::ordinals().back(), 101);
}

TEST_F(Forwarding, GeneralOperationsOnAVelsorLink)
{
    link(LinkKind::Velsor);
    standin::on(107, [](const standin::Call &) { return 1; });
    std::uint8_t type = 0;
    EXPECT_EQ(TK_TestDevice(), 0);
    EXPECT_EQ(TK_TestCard(), 1);
    EXPECT_EQ(TK_GetCardType(&type), 0);
    EXPECT_EQ(TK_Control_light(2), 0);
    EXPECT_EQ(TK_Scream(5), 0);
    EXPECT_EQ(TK_Scream(0), 0);
    EXPECT_EQ(standin::ordinals(), (std::vector<int>{110, 107, 111, 105, 106, 106}));
    const auto calls = standin::calls();
    EXPECT_EQ(calls[2].args, args({address(&type)}));
    EXPECT_EQ(calls[3].args, args({2}));
    EXPECT_EQ(calls[4].args, args({1}));
    EXPECT_EQ(calls[5].args, args({0}));
}

TEST_F(Forwarding, AutoDetectionTranslatesVelsorCardTypes)
{
    struct Case {
        std::uint8_t velsorType;
        TK_STATUS result;
        std::string code;
    };
    link(LinkKind::Velsor);
    for (const Case &c : {Case{0x44, 0, "32"}, Case{0x42, 0, "30"}, Case{0x91, 0, "50"},
                          Case{0x77, 9, "w?"}}) {
        standin::reset();
        tavrik::velsor::setDataMode(1);
        standin::on(102, [&](const standin::Call &call) {
            *call.pointer<char>(0) = static_cast<char>(c.velsorType);
            return 9;
        });
        char code[3] = "??";
        EXPECT_EQ(TK_AutoTestCard(code), c.result);
        EXPECT_EQ(std::string(code), c.code);
        const auto calls = standin::calls();
        ASSERT_EQ(standin::ordinals(), (std::vector<int>{108, 108, 102, 108}));
        EXPECT_EQ(calls[2].dataMode, 0) << "binary while detecting";
        EXPECT_EQ(calls[3].args, args({1}));
    }
}

TEST_F(Forwarding, MemoryFamiliesGoToVelsorOnEveryLinkButTheByteProtocol)
{
    for (LinkKind kind : {LinkKind::Velsor, LinkKind::Framed, LinkKind::Usb}) {
        link(kind);
        standin::reset();
        char text[8];
        EXPECT_EQ(TK_SLE4442_OpenCard(), 0);
        EXPECT_EQ(TK_SLE4442_VerifyPWD(1, 2, 3), 0);
        EXPECT_EQ(TK_SLE4442_ReadChar(3, 4, text), 0);
        EXPECT_EQ(TK_SLE4442_CloseCard(), 0);
        EXPECT_EQ(TK_SLE4428_OpenCard(), 0);
        EXPECT_EQ(TK_SLE4428_VerifyPWD(4, 5), 0);
        EXPECT_EQ(TK_SLE4428_ReadChar(1000, 4, text), 0);
        EXPECT_EQ(TK_SLE4428_CloseCard(), 0);
        EXPECT_EQ(standin::ordinals(),
                  (std::vector<int>{602, 606, 108, 604, 603, 652, 656, 108, 654, 653}));
        const auto calls = standin::calls();
        EXPECT_EQ(calls[1].args, args({1, 2, 3}));
        EXPECT_EQ(calls[3].args, args({3, 4, address(text)}));
        EXPECT_EQ(calls[3].dataMode, 1) << "card data comes back as text";
        EXPECT_EQ(calls[6].args, args({4, 5}));
        EXPECT_EQ(calls[8].args, args({1000, 4, address(text)}));
    }
}

TEST_F(Forwarding, CodeChangesPassAPointerToTheCodeBytesInBinaryMode)
{
    link(LinkKind::Framed);
    std::vector<std::uint8_t> seen;
    const auto capture = [&](std::size_t n) {
        return [&, n](const standin::Call &call) {
            const auto *p = call.pointer<std::uint8_t>(0);
            seen.assign(p, p + n);
            return 0;
        };
    };
    standin::on(613, capture(3));
    EXPECT_EQ(TK_SLE4442_WritePWD(0x11, 0x22, 0x33), 0);
    EXPECT_EQ(seen, (std::vector<std::uint8_t>{0x11, 0x22, 0x33}));
    EXPECT_EQ(standin::calls().back().dataMode, 0);
    standin::on(663, capture(2));
    EXPECT_EQ(TK_SLE4428_WritePWD(0x44, 0x55), 0);
    EXPECT_EQ(seen, (std::vector<std::uint8_t>{0x44, 0x55}));
}

TEST_F(Forwarding, WholeCardWriteGoesInTwoPartsAndTheCallersTextSurvives)
{
    link(LinkKind::Velsor);
    std::vector<std::string> parts;
    int count = 0;
    standin::on(605, [&](const standin::Call &call) {
        char *text = call.pointer<char>(2);
        parts.emplace_back(text, 2 * call.args[1]);
        std::memset(text, 'Z', 2 * call.args[1]);  // Velsor may scribble on what it gets
        return static_cast<std::uint16_t>(++count == 1 ? 3 : 0);
    });
    std::string text;
    for (int i = 0; i < 256; ++i) text += "0123456789ABCDEF"[i % 16], text += 'F';
    const std::string before = text;
    EXPECT_EQ(TK_SLE4442_WriteChar(0, 256, text.c_str()), 0) << "the second part's result";
    EXPECT_EQ(text, before);
    const auto calls = standin::calls();
    ASSERT_EQ(standin::ordinals(), (std::vector<int>{605, 605}));
    EXPECT_EQ(calls[0].args[0], 0u);
    EXPECT_EQ(calls[0].args[1], 32u);
    EXPECT_EQ(calls[1].args[0], 32u);
    EXPECT_EQ(calls[1].args[1], 224u);
    EXPECT_EQ(parts[0], before.substr(0, 64));
    EXPECT_EQ(parts[1], before.substr(64));
}

TEST_F(Forwarding, ProtectionWritePassesEachChangedRunWithTheCardsContent)
{
    link(LinkKind::Velsor);
    // Byte 0 protected already, bytes 1-31 writable.
    standin::on(609, [](const standin::Call &call) {
        std::memcpy(call.pointer<char>(0), "FEFFFFFF", 8);
        return 0;
    });
    char image[64];
    ASSERT_EQ(TK_SLE4442_PReadChar(image), 0);
    ASSERT_EQ(std::string(image, 4), "0001");
    standin::on(604, [](const standin::Call &call) {
        char *text = call.pointer<char>(2);
        for (std::size_t i = 0; i < call.args[1]; ++i) std::snprintf(text + 2 * i, 3, "%02X", int(i));
        return 0;
    });
    std::vector<std::string> runs;
    standin::on(610, [&](const standin::Call &call) {
        runs.push_back(std::to_string(call.args[0]) + "+" + std::to_string(call.args[1]) + ":" +
                       std::string(call.pointer<char>(2), 2 * call.args[1]));
        return 0;
    });
    // Protect bytes 0-2 and 5 of 0-5; byte 0 is protected already.
    EXPECT_EQ(TK_SLE4442_PWriteChar(0, 6, "000000010100"), 0);
    EXPECT_EQ(runs, (std::vector<std::string>{"1+2:0102", "5+1:05"}));
    standin::on(604, [](const standin::Call &) { return 4; });
    EXPECT_EQ(TK_SLE4442_PWriteChar(0, 6, "000000010100"), 33);
}

TEST_F(Forwarding, CiphersAndRandomTextWithTheirDataModeRule)
{
    std::uint8_t a[8] = {}, b[8] = {};
    tavrik::velsor::setDataMode(1);
    standin::reset();
    EXPECT_EQ(TK_DES_Encrypt(a, b), 0);
    EXPECT_EQ(TK_TriDES_Decrypt(a, nullptr), 0) << "passed on unchanged";
    EXPECT_EQ(TK_RC6_Encrypt_128(a, nullptr), 29);
    EXPECT_EQ(TK_RC6_Decrypt_256(nullptr, b), 29);
    EXPECT_EQ(TK_GetRandStr(nullptr, 8), 29);
    EXPECT_EQ(standin::ordinals(), (std::vector<int>{50, 55})) << "nothing for the null pointers";
    standin::reset();
    tavrik::velsor::setDataMode(1);
    EXPECT_EQ(TK_RC6_Encrypt_192(a, b), 0);
    EXPECT_EQ(TK_GetRandStr(a, 8), 0);
    EXPECT_EQ(standin::ordinals(), (std::vector<int>{108, 109, 108, 58, 108, 109, 108, 62, 108}));
    const auto calls = standin::calls();
    EXPECT_EQ(calls[3].args, args({address(a), address(b)}));
    EXPECT_EQ(calls[3].dataMode, 0);
    EXPECT_EQ(calls[4].args, args({1})) << "mode restored";
    EXPECT_EQ(calls[7].args, args({address(a), 8}));
}

TEST_F(Forwarding, ErrorTextsOnAVelsorLink)
{
    link(LinkKind::Velsor);
    const std::string longText(100, 'x');
    standin::on(104, [&](const standin::Call &call) {
        std::strcpy(call.pointer<char>(1), longText.c_str());
        return 0;
    });
    char text[80];
    std::memset(text, '#', sizeof text);
    ASSERT_EQ(TK_GetLastError(70000, text), 0);
    EXPECT_EQ(std::string(text), longText.substr(0, 63)) << "63 characters and the terminator";
    EXPECT_EQ(text[64], '#');
    EXPECT_EQ(standin::calls().back().args[0], 70000u & 0xFFFF);
    ASSERT_EQ(TK_GetLastError(99, text), 0);
    EXPECT_EQ(std::string(text), "您更改了串口，请将读写器复位");
    TK_SetLanguage(0);
    struct Case {
        std::uint32_t code;
        const char *english;
    };
    for (const Case &c : {Case{0, "The operation completed successfully"},
                          Case{12, "Wrong number of bits received from the card"},
                          Case{46, "VLS_NoDeviceFound 0x002e No reader linked to the serial port"},
                          Case{9, "Not definition"},
                          Case{47, "Any problem during communication through serial port"},
                          Case{1000, "Any problem during communication through serial port"},
                          Case{99, "Reset the reader please"}}) {
        ASSERT_EQ(TK_GetLastError(c.code, text), 0);
        EXPECT_EQ(std::string(text), c.english) << c.code;
    }
}

TEST_F(Forwarding, MissingLibraryOrFunctionGivesTen)
{
    link(LinkKind::Velsor);
    std::uint8_t a[8] = {};
    char text[8];
    for (const char *path : {"/nonexistent/libVelsor.so", "libc.so.6"}) {
        setenv("TAVRIK_VELSOR", path, 1);
        tavrik::velsor::unload();
        EXPECT_EQ(TK_TestDevice(), 10) << path;
        EXPECT_EQ(TK_SLE4442_ReadChar(0, 4, text), 10) << path;
        EXPECT_EQ(TK_RC6_Encrypt_128(a, a), 10) << path;
        EXPECT_EQ(TK_DES_Decrypt(a, a), 10) << path;
    }
}

}  // namespace
