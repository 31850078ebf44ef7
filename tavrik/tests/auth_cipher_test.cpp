// The authentication cipher against vectors worked out independently of this code.
#include "cards/auth_cipher.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tavrik::authcipher::Block;

Block block(const std::string &hex)
{
    Block b{};
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i] = static_cast<std::uint8_t>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
    return b;
}

std::string text(const Block &b)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string s;
    for (std::uint8_t x : b) s += {kDigits[x >> 4], kDigits[x & 15]};
    return s;
}

TEST(AuthCipher, FixedVectors)
{
    struct Case {
        const char *seed, *cryptogram, *challenge, *expected, *host;
    };
    const Case cases[] = {
        {"0000000000000000", "0000000000000000", "0102030405060708", "E007215A726BA823",
         "31D5C3A61FAF568F"},
        {"0123456789ABCDEF", "FEDCBA9876543210", "0000000000000000", "101A6BD0E2265CFF",
         "7CE6CB3CF05A9F17"},
        {"FFFFFFFFFFFFFFFF", "A5A5A5A5A5A5A5A5", "1F2E3D4C5B6A7988", "105C702A41904F01",
         "2E030F2419DC7C53"},
    };
    for (const Case &c : cases) {
        const auto r =
            tavrik::authcipher::compute(block(c.seed), block(c.cryptogram), block(c.challenge));
        EXPECT_EQ(text(r.expected), c.expected) << c.seed;
        EXPECT_EQ(text(r.host), c.host) << c.seed;
    }
}

TEST(AuthCipher, EveryComputationStartsFromAZeroedState)
{
    const Block seed = block("0011223344556677"), cryptogram = block("8899AABBCCDDEEFF");
    const Block challenge = block("0102030405060708");
    const auto first = tavrik::authcipher::compute(seed, cryptogram, challenge);
    const auto second = tavrik::authcipher::compute(seed, cryptogram, challenge);
    EXPECT_EQ(first.expected, second.expected);
    EXPECT_EQ(first.host, second.host);
    EXPECT_NE(first.expected, first.host);
}

}  // namespace
