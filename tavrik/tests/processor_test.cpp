// Processor cards on the byte protocol and SAMs through frames, against the simulator.
#include "forwarding_fixture.h"

#include <cstring>
#include <string>

namespace {

using tavriksim::MemoryCard;

class Processor : public Forwarding {};

TEST_F(Processor, OpenResetAndAnApdu)
{
    openWithCard(MemoryCard::processor());
    ASSERT_EQ(TK_CPU_OpenCard(), 0);
    EXPECT_EQ(tavrik::state().cardType, 0) << "every APDU block is acknowledged";
    char atr[64];
    std::uint16_t length = 99;
    restartTranscript();
    ASSERT_EQ(TK_CPU_Reset(atr, &length), 0);
    EXPECT_EQ(length, 6);
    EXPECT_EQ(std::string(atr, 12), "3B6D00008031");
    std::uint8_t protocol = 9;
    ASSERT_EQ(TK_CPU_GetProtocol(&protocol), 0);
    EXPECT_EQ(protocol, 0);
    ASSERT_EQ(TK_Set_CardHolder(5), 0);
    ASSERT_EQ(TK_Set_CPUSpeed(0), 0);
    EXPECT_EQ(hostBytes(), wire({':', '[', ':', 'i', ':', 'q', 1, ':', 'j', 0}));
    restartTranscript();

    char response[64];
    ASSERT_EQ(TK_CPU_IsoAPDU("0084000004", 5, response, &length), 0);
    EXPECT_EQ(length, 6);
    EXPECT_EQ(std::string(response, 12), "010203049000");
    EXPECT_EQ(hostBytes(), wire({':', 'h', 0, 5, 0x00, 0x84, 0x00, 0x00, 0x04}));
    ASSERT_EQ(TK_CPU_IsoAPDU("00B0000002", 5, response, &length), 0);
    EXPECT_EQ(std::string(response, 8), "FFFF9000");
    ASSERT_EQ(TK_CPU_IsoAPDU("80CA0000", 4, response, &length), 0);
    EXPECT_EQ(std::string(response, 4), "6D00");
    restartTranscript();
    ASSERT_EQ(TK_CPU_CloseCard(), 0);
    waitQuiet();
    EXPECT_EQ(hostBytes(), wire({':', 'Q'}));
}

TEST_F(Processor, AResetAnswerThatBreaksOffGivesNoNegativeLength)
{
    auto &reader = openWithCard(MemoryCard::processor());
    ASSERT_EQ(TK_CPU_OpenCard(), 0);
    restartTranscript();
    // The probe answer, the echo, then only the status and the count before a long silence.
    reader.splitNextReply(4, 1500, 2);
    char atr[64];
    std::memset(atr, '#', sizeof atr);
    std::uint16_t length = 99;
    EXPECT_EQ(TK_CPU_Reset(atr, &length), 5);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(atr[0], '#');
}

TEST_F(Processor, SamFramesOnAByteProtocolReader)
{
    openWithCard(MemoryCard::sle4442());
    EXPECT_EQ(TK_OpenSAMCard(1), 14);
    ASSERT_EQ(TK_OpenSAMCard(0), 0);
    EXPECT_EQ(hostBytes(), wire({0x02, 0x19, 0x00}));
    restartTranscript();
    const std::uint8_t apdu[] = {0x00, 0x84, 0x00, 0x00, 0x02};
    std::uint8_t response[256];
    std::uint16_t length = 0;
    ASSERT_EQ(TK_SAM_IsoAPDU(apdu, sizeof apdu, response, &length), 0);
    EXPECT_EQ(hostBytes(), wire({0x06, 0x1A, 0x00, 0x84, 0x00, 0x00, 0x02}));
    EXPECT_EQ(std::vector<std::uint8_t>(response, response + length),
              (std::vector<std::uint8_t>{0x01, 0x02, 0x90, 0x00}));
    char text[64];
    ASSERT_EQ(TK_SAM_IsoAPDU_CString("00A40000", text), 0);
    EXPECT_EQ(std::string(text), "9000");
    EXPECT_EQ(TK_SAM_IsoAPDU_CString("00A4000", text), 14) << "half a byte";
    const std::vector<std::uint8_t> tooLong(254);
    EXPECT_EQ(TK_SAM_IsoAPDU(tooLong.data(), 254, response, &length), 14);
}

TEST_F(Processor, ForwardedOnEveryLinkButTheByteProtocol)
{
    link(tavrik::LinkKind::Usb);
    std::vector<std::uint8_t> seen;
    standin::on(804, [&](const standin::Call &call) {
        seen.assign(call.pointer<std::uint8_t>(0), call.pointer<std::uint8_t>(0) + call.args[1]);
        return 0;
    });
    char response[16];
    std::uint16_t length = 0;
    EXPECT_EQ(TK_CPU_IsoAPDU("00a4040002", 5, response, &length), 0);
    EXPECT_EQ(seen, (std::vector<std::uint8_t>{0x00, 0xA4, 0x04, 0x00, 0x02})) << "as bytes";
    EXPECT_EQ(standin::calls().back().dataMode, 1);
    EXPECT_EQ(standin::calls().back().args[2], address(response));
    std::uint8_t protocol = 0;
    char *r = response;
    std::uint16_t *n = &length;
    expectHanded({
        {"CPU open", [] { return TK_CPU_OpenCard(); }, 800, {}},
        {"CPU reset", [r, n] { return TK_CPU_Reset(r, n); }, 801, {address(r), address(n)}},
        {"CPU protocol", [&] { return TK_CPU_GetProtocol(&protocol); }, 802, {address(&protocol)}},
        {"CPU close", [] { return TK_CPU_CloseCard(); }, 805, {}},
    });
    EXPECT_EQ(TK_Set_CardHolder(1), 34);
    EXPECT_EQ(TK_Set_CPUSpeed(1), 34);
}

}  // namespace
