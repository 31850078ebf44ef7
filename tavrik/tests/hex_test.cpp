#include "hex.h"
#include "tavrik.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

constexpr std::uint8_t kGuard = 0xEE;

struct HexCase {
    std::string text;
    std::vector<std::uint8_t> bytes;  // expected, followed by the zero byte
};

class HexToBytes : public testing::TestWithParam<HexCase> {};

TEST_P(HexToBytes, WritesPairsThenZeroAndNothingBeyond)
{
    const HexCase &c = GetParam();
    std::array<std::uint8_t, 16> out;
    out.fill(kGuard);
    TK_Hex_String(c.text.data(), static_cast<uint16_t>(c.text.size()), out.data());
    for (std::size_t i = 0; i < c.bytes.size(); ++i) EXPECT_EQ(out[i], c.bytes[i]) << i;
    EXPECT_EQ(out[c.bytes.size()], 0) << "terminating zero byte";
    for (std::size_t i = c.bytes.size() + 1; i < out.size(); ++i) EXPECT_EQ(out[i], kGuard) << i;
}

INSTANTIATE_TEST_SUITE_P(Cases, HexToBytes,
    testing::Values(HexCase{"1fa0", {0x1F, 0xA0}},
                    HexCase{"1fa", {0x1F, 0x0A}},   // odd last digit becomes its value
                    HexCase{"FF00aB", {0xFF, 0x00, 0xAB}},
                    HexCase{"7", {0x07}}));

TEST(HexToBytes, LengthZeroTouchesNothing)
{
    std::array<std::uint8_t, 4> out;
    out.fill(kGuard);
    EXPECT_EQ(TK_Hex_String("12", 0, out.data()), 0);
    EXPECT_EQ(out[0], kGuard);
}

TEST(HexToBytes, InvalidDigitCountsAsFFh)
{
    // 'z' has no value: the pair gives no meaningful byte, but the others stay right.
    std::array<std::uint8_t, 4> out{};
    TK_Hex_String("z112", 4, out.data());
    EXPECT_EQ(out[0], static_cast<std::uint8_t>((0xFF << 4) | 1));
    EXPECT_EQ(out[1], 0x12);
}

TEST(BytesToHex, UpperCaseExactlyTwoPerByteNoTerminator)
{
    const std::uint8_t in[] = {0x00, 0x1F, 0xA0};
    std::string out(10, '#');
    EXPECT_EQ(TK_String_Hex(in, 3, out.data()), 0);
    EXPECT_EQ(out, "001FA0####");
}

TEST(BytesToHex, CountZeroWritesNothing)
{
    std::string out(4, '#');
    EXPECT_EQ(TK_String_Hex(nullptr, 0, out.data()), 0);
    EXPECT_EQ(out, "####");
}

TEST(CharToDigits, DigitValuesAndFFhForOthers)
{
    std::array<std::uint8_t, 5> out;
    out.fill(kGuard);
    EXPECT_EQ(TK_Char_Hex("9Bz", 3, out.data()), 3);
    EXPECT_EQ(out[0], 0x09);
    EXPECT_EQ(out[1], 0x0B);
    EXPECT_EQ(out[2], 0xFF);
    EXPECT_EQ(out[3], kGuard);
}

TEST(HexHelpers, NullBuffersGiveParameterError)
{
    std::uint8_t b[4];
    char t[4];
    EXPECT_EQ(TK_Hex_String(nullptr, 2, b), 29);
    EXPECT_EQ(TK_Hex_String("12", 2, nullptr), 29);
    EXPECT_EQ(TK_String_Hex(nullptr, 1, t), 29);
    EXPECT_EQ(TK_String_Hex(b, 1, nullptr), 29);
    EXPECT_EQ(TK_Char_Hex(nullptr, 1, b), 29);
}

TEST(HexHelpers, RoundTripOfEveryByte)
{
    std::array<std::uint8_t, 256> all;
    for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
    std::string text(512, '\0');
    tavrik::bytesToHex(all.data(), all.size(), text.data());
    std::array<std::uint8_t, 257> back{};
    EXPECT_EQ(tavrik::hexToBytes(text.data(), text.size(), back.data()), 256u);
    EXPECT_TRUE(std::equal(all.begin(), all.end(), back.begin()));
}

}  // namespace
