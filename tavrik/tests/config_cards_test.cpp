// AT1608 and AT153 over the byte protocol: zones, configuration areas and the authentication
// against the simulated cards, which compute the cipher on their side.
#include "forwarding_fixture.h"

#include "cards/auth_cipher.h"

#include <algorithm>
#include <string>

namespace {

using tavrik::authcipher::Block;
using tavriksim::MemoryCard;

class ConfigCards : public Forwarding {
protected:
    char buffer[32] = {};
    // Opens a reader without the outside library, as a byte-protocol reader runs.
    tavriksim::Simulator &plainReader(const MemoryCard &card)
    {
        setenv("TAVRIK_VELSOR", "/nonexistent/libVelsor.so", 1);
        tavrik::velsor::unload();
        return openWithCard(card);
    }
    // The challenge and host cryptogram the host sent in an authentication.
    struct Exchange {
        Block challenge{}, host{};
    };
    Exchange sent()
    {
        const std::string h = hostBytes();
        Exchange e;
        const auto first = h.find(wire({':', '^'}));
        const auto second = h.find(wire({':', '_'}));
        EXPECT_NE(first, std::string::npos);
        EXPECT_NE(second, std::string::npos);
        for (int i = 0; i < 8; ++i) {
            e.challenge[i] = static_cast<std::uint8_t>(h[first + 2 + i]);
            e.host[i] = static_cast<std::uint8_t>(h[second + 2 + i]);
        }
        return e;
    }
};

TEST_F(ConfigCards, At1608AuthenticatesWithTheCardsSeedAndCryptogram)
{
    auto &reader = plainReader(MemoryCard::at1608());
    ASSERT_EQ(TK_AT1608_OpenCard(), 0);
    const std::uint8_t seed[8] = {}, cryptogram[8] = {};
    EXPECT_EQ(TK_AT1608_Auth(nullptr, cryptogram), 29);
    EXPECT_EQ(TK_AT1608_Auth(seed, nullptr), 29);
    restartTranscript();
    EXPECT_TRUE(hostBytes().empty()) << "no exchange for a null argument";

    ASSERT_EQ(TK_AT1608_Auth(seed, cryptogram), 0);
    const Exchange e = sent();
    EXPECT_NE(e.challenge, (Block{1, 2, 3, 4, 5, 6, 7, 8})) << "a fresh challenge, not the preset";
    const auto r = tavrik::authcipher::compute(Block{}, Block{}, e.challenge);
    EXPECT_EQ(e.host, r.host);
    const std::string h = hostBytes();
    EXPECT_EQ(h.substr(h.size() - 6), wire({':', 'A'}) + words({2088, 8})) << "then Ci is read";
    const auto card = *reader.card();
    EXPECT_TRUE(std::equal(r.expected.begin(), r.expected.end(), card.memory.begin() + 2088));

    // The card holds the new cryptogram now; the old one no longer authenticates.
    EXPECT_EQ(TK_AT1608_Auth(seed, cryptogram), 36);
    char aac[2];
    ASSERT_EQ(TK_AT1608_ReadAAC(aac), 0);
    EXPECT_EQ(std::string(aac, 2), "7F") << "the card counted the failure";
    Block now{};
    std::copy_n(reader.card()->memory.begin() + 2088, 8, now.begin());
    EXPECT_EQ(TK_AT1608_Auth(seed, now.data()), 0);
}

TEST_F(ConfigCards, OnlyAt153SkipsTheFirstByteOfTheCryptogram)
{
    auto &reader = plainReader(MemoryCard::at153());
    const std::uint8_t seed[8] = {}, cryptogram[8] = {0xFF};
    MemoryCard at153 = MemoryCard::at153();
    at153.cryptogramFault = 0x5A;
    reader.insert(at153);
    ASSERT_EQ(TK_AT153_OpenCard(), 0);
    restartTranscript();
    EXPECT_EQ(TK_AT153_Auth(seed, cryptogram), 0);
    const std::string h = hostBytes();
    EXPECT_EQ(h.substr(h.size() - 6), wire({':', 'A'}) + words({992, 8}));

    MemoryCard at1608 = MemoryCard::at1608();
    at1608.cryptogramFault = 0x5A;
    reader.insert(at1608);
    ASSERT_EQ(TK_AT1608_OpenCard(), 0);
    const std::uint8_t zeros[8] = {};
    EXPECT_EQ(TK_AT1608_Auth(seed, zeros), 36);
}

TEST_F(ConfigCards, ZonesStopBeforeTheConfigurationArea)
{
    plainReader(MemoryCard::at1608());
    ASSERT_EQ(TK_AT1608_OpenCard(), 0);
    char text[16];
    struct Case {
        std::uint16_t offset, length;
        std::uint8_t zone;
    };
    for (const Case &c : {Case{0, 1, 8}, Case{255, 2, 7}, Case{0, 1, 9}})
        EXPECT_EQ(TK_AT1608_ReadChar(c.offset, c.length, c.zone, text), 19) << int{c.zone};
    EXPECT_EQ(TK_AT153_ReadChar(0, 1, 3, text), 19);
    EXPECT_EQ(TK_AT153_ReadChar(60, 5, 2, text), 19);
    EXPECT_EQ(TK_AT1608_VerifyPWD(8, 0, 0, 0), 19);
    EXPECT_EQ(TK_AT153_VerifyPWD(4, 0, 0, 0), 19);
    EXPECT_EQ(TK_AT1608_ReadAR(8, text), 19);
    EXPECT_EQ(TK_AT153_ReadAR(3, text), 34);
    EXPECT_EQ(TK_AT1608_ReadPAC(16, text), 19);
    restartTranscript();
    EXPECT_TRUE(hostBytes().empty());

    ASSERT_EQ(TK_AT1608_VerifyPWD(7, 0xFF, 0xFF, 0xFF), 0);
    const std::uint8_t data[] = {0x16, 0x08};
    ASSERT_EQ(TK_AT1608_WriteString(254, 2, 7, data), 0);
    std::uint8_t back[2] = {};
    ASSERT_EQ(TK_AT1608_ReadString(254, 2, 7, back), 0);
    EXPECT_EQ(back[1], 0x08);
    restartTranscript();
    ASSERT_EQ(TK_AT1608_ReadChar(255, 1, 7, text), 0);
    ASSERT_EQ(TK_AT1608_ReadPAC(9, text), 0);
    ASSERT_EQ(TK_AT1608_VerifyPWD(2, 0xFF, 0xFF, 0xFF), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'A'}) + words({2047, 1}) + wire({':', 'A'}) +
                               words({2124, 1}) + wire({':', 'H', 2, 0xFF, 0xFF, 0xFF}));
}

TEST_F(ConfigCards, At153NamedAreas)
{
    plainReader(MemoryCard::at153());
    ASSERT_EQ(TK_AT153_OpenCard(), 0);
    ASSERT_EQ(TK_AT153_VerifyPWD(0, 0xFF, 0xFF, 0xFF), 0);
    restartTranscript();
    char text[16];
    ASSERT_EQ(TK_AT153_WriteCi("01020304050607"), 0);
    ASSERT_EQ(TK_AT153_ReadCi(text), 0);
    EXPECT_EQ(std::string(text, 16), "FF01020304050607") << "the counter, then the cryptogram";
    ASSERT_EQ(TK_AT153_ReadPWD(2, text), 0);
    ASSERT_EQ(TK_AT153_ReadAR(2, text), 0);
    ASSERT_EQ(TK_AT153_ReadDCR(text), 0);
    EXPECT_EQ(hostBytes(), wire({':', 'B'}) + words({993, 7}) + wire({1, 2, 3, 4, 5, 6, 7}) +
                               wire({':', 'A'}) + words({992, 8}) + wire({':', 'A'}) +
                               words({1013, 3}) + wire({':', 'A'}) + words({974, 1}) +
                               wire({':', 'A'}) + words({984, 1}));
}

TEST_F(ConfigCards, AVelsorThatGivesNoRandomBytesLeavesNoFixedChallenge)
{
    openWithCard(MemoryCard::at153());
    ASSERT_EQ(TK_AT153_OpenCard(), 0);
    restartTranscript();
    const std::uint8_t seed[8] = {}, cryptogram[8] = {0xFF};
    EXPECT_EQ(TK_AT153_Auth(seed, cryptogram), 0);
    const auto ordinals = standin::ordinals();
    EXPECT_EQ(std::count(ordinals.begin(), ordinals.end(), 62), 1) << "random text was asked for";
    EXPECT_NE(sent().challenge, Block{}) << "not the preset of zeros";
}

TEST_F(ConfigCards, TheChallengeComesFromVelsorsRandomText)
{
    openWithCard(MemoryCard::at1608());
    ASSERT_EQ(TK_AT1608_OpenCard(), 0);
    standin::on(62, [](const standin::Call &call) {
        for (int i = 0; i < 8; ++i)
            call.pointer<std::uint8_t>(0)[i] = static_cast<std::uint8_t>(0xA0 + i);
        return 0;
    });
    restartTranscript();
    const std::uint8_t seed[8] = {}, cryptogram[8] = {};
    EXPECT_EQ(TK_AT1608_Auth(seed, cryptogram), 0);
    EXPECT_EQ(sent().challenge, (Block{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7}));
    const auto calls = standin::calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[calls.size() - 2].ordinal, 62);
    EXPECT_EQ(calls[calls.size() - 2].dataMode, 0);
}

TEST_F(ConfigCards, ForwardedWithCopiesOfTheirArgumentsInBinaryMode)
{
    link(tavrik::LinkKind::Framed);
    std::uint8_t seed[8] = {1}, cryptogram[8] = {2};
    std::vector<std::uint8_t> seen;
    standin::on(206, [&](const standin::Call &call) {
        seen.assign(call.pointer<std::uint8_t>(0), call.pointer<std::uint8_t>(0) + 8);
        seen.push_back(*call.pointer<std::uint8_t>(1));
        return 4;
    });
    EXPECT_EQ(TK_AT1608_Auth(seed, cryptogram), 4);
    EXPECT_EQ(seen, (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0, 0, 2}));
    EXPECT_EQ(standin::calls()[2].dataMode, 0);
    char *t = buffer;
    expectHanded({
        {"AT1608 open", [] { return TK_AT1608_OpenCard(); }, 200, {}},
        {"AT1608 read", [t] { return TK_AT1608_ReadChar(5, 6, 7, t); }, 202, {5, 6, 7}},
        {"AT1608 verify", [] { return TK_AT1608_VerifyPWD(7, 1, 2, 3); }, 204, {7, 1, 2, 3}},
        {"AT1608 code", [t] { return TK_AT1608_WritePWD(15, t); }, 205, {15}},
        {"AT1608 counter", [t] { return TK_AT1608_ReadPAC(3, t); }, 208, {3}},
        {"AT1608 LHC", [t] { return TK_AT1608_ReadLHC(t); }, 210, {}},
        {"AT1608 AR", [t] { return TK_AT1608_WriteAR(6, t); }, 215, {6}},
        {"AT1608 Gc", [t] { return TK_AT1608_WriteGc(t); }, 223, {}},
        {"AT1608 fuse", [] { return TK_AT1608_WriteFuse(); }, 227, {}},
        {"AT153 auth", [&] { return TK_AT153_Auth(seed, cryptogram); }, 255, {}},
        {"AT153 write", [t] { return TK_AT153_WriteChar(1, 2, 2, t); }, 253, {1, 2, 2}},
        {"AT153 code", [t] { return TK_AT153_WritePWD(3, t); }, 256, {3}},
        {"AT153 Ci", [t] { return TK_AT153_ReadCi(t); }, 270, {}},
        {"AT153 IC", [t] { return TK_AT153_ReadIC(t); }, 278, {}},
        {"AT153 DCR", [t] { return TK_AT153_WriteDCR(t); }, 281, {}},
        {"AT153 close", [] { return TK_AT153_CloseCard(); }, 251, {}},
    });
}

}  // namespace
