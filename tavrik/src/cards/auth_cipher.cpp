#include "cards/auth_cipher.h"

namespace tavrik::authcipher {

namespace {

// End-around reduction of a sum in a cell of `max` = 2^bits - 1.
std::uint8_t reduce(int sum, int max)
{
    if (sum <= max) return static_cast<std::uint8_t>(sum);
    const int r = sum % max;
    return static_cast<std::uint8_t>(r == 0 ? max : r);
}

std::uint8_t rotateLeft(std::uint8_t v, int bits)
{
    const int mask = (1 << bits) - 1;
    return static_cast<std::uint8_t>(((v << 1) | (v >> (bits - 1))) & mask);
}

class State {
public:
    void step(std::uint8_t l, std::uint8_t m, std::uint8_t r)
    {
        // Left: seven 5-bit cells.
        const std::uint8_t tl = rotateLeft(L[6], 5);
        const std::uint8_t oldL3 = L[3];
        L[6] = L[5];
        L[5] = L[4];
        L[4] = L[3];
        L[3] = static_cast<std::uint8_t>(L[2] ^ l);
        L[2] = L[1];
        L[1] = L[0];
        L[0] = reduce(oldL3 + tl, 31);
        // Middle: seven 7-bit cells.
        const std::uint8_t tm = rotateLeft(M[6], 7);
        const std::uint8_t oldM5 = M[5];
        M[6] = M[5];
        M[5] = static_cast<std::uint8_t>(M[4] ^ m);
        M[4] = M[3];
        M[3] = M[2];
        M[2] = M[1];
        M[1] = M[0];
        M[0] = reduce(oldM5 + tm, 127);
        // Right: five 5-bit cells, the feedback not rotated.
        const std::uint8_t tr = R[4];
        const std::uint8_t oldR2 = R[2];
        R[4] = R[3];
        R[3] = R[2];
        R[2] = static_cast<std::uint8_t>(R[1] ^ r);
        R[1] = R[0];
        R[0] = reduce(oldR2 + tr, 31);
    }

    void feed(std::uint8_t b)
    {
        const auto rotated = static_cast<std::uint8_t>((b << 3) | (b >> 5));
        step(b & 0x1F, rotated & 0x7F, static_cast<std::uint8_t>(b >> 3));
    }

    std::uint8_t nibble()
    {
        step(0, 0, 0);
        return static_cast<std::uint8_t>((((L[0] ^ L[4]) & ~M[0]) | (M[0] & (R[0] ^ R[3]))) & 0x0F);
    }

    // Two steps per digit: the first nibble is dropped.
    std::uint8_t digit()
    {
        nibble();
        return nibble();
    }

    std::uint8_t byte()
    {
        const std::uint8_t high = digit();
        return static_cast<std::uint8_t>(high << 4 | digit());
    }

private:
    std::uint8_t L[7] = {};
    std::uint8_t M[7] = {};
    std::uint8_t R[5] = {};
};

}  // namespace

Result compute(const Block &seed, const Block &cryptogram, const Block &challenge)
{
    State s;
    for (int i = 0; i < 4; ++i) {
        s.feed(cryptogram[2 * i]);
        s.feed(cryptogram[2 * i + 1]);
        s.feed(challenge[i]);
    }
    for (int i = 0; i < 4; ++i) {
        s.feed(seed[2 * i]);
        s.feed(seed[2 * i + 1]);
        s.feed(challenge[4 + i]);
    }
    Result out{};
    for (int i = 0; i < 8; ++i) {
        out.expected[i] = s.byte();
        out.host[i] = s.byte();
    }
    return out;
}

}  // namespace tavrik::authcipher
