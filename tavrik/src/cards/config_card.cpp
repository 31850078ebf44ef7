#include "cards/config_card.h"

#include "hex.h"
#include "state.h"
#include "transport/timing.h"

#include <sys/random.h>

#include <string>

namespace tavrik::cards::configcard {

namespace {

// The host's challenge: random bytes from Velsor, else from the system, so that no two
// authentications are alike. The preset only stands if neither gives any.
authcipher::Block challenge(const ConfigCardLayout &l)
{
    authcipher::Block c = l.challengePreset;
    const bool fromVelsor = TK_GetRandStr(c.data(), static_cast<std::uint8_t>(c.size())) == 0;
    if (!fromVelsor || c == l.challengePreset) {
        authcipher::Block system{};
        if (getrandom(system.data(), system.size(), 0) == static_cast<ssize_t>(system.size()))
            c = system;
    }
    return c;
}

// One step of the exchange: command, 80 ms, the 8 bytes, then the card's confirmation.
std::uint16_t step(std::uint8_t command, const authcipher::Block &bytes, int afterSendMs)
{
    if (bp::handshake(command) != 0) return 5;
    pause(80);
    if (!bp::send(bytes.data(), bytes.size())) return 48;
    pause(afterSendMs);
    return confirmation() ? 0 : 48;
}

}  // namespace

std::uint16_t authenticate(const ConfigCardLayout &l, const std::uint8_t *seed,
                           const std::uint8_t *cryptogram)
{
    authcipher::Block s{}, c{};
    std::copy_n(seed, 8, s.begin());
    std::copy_n(cryptogram, 8, c.begin());
    const authcipher::Block ch = challenge(l);
    const authcipher::Result r = authcipher::compute(s, c, ch);
    if (const std::uint16_t e = step('^', ch, 120)) return e;
    pause(120);
    if (const std::uint16_t e = step('_', r.host, 100)) return e;
    // The card took the host's cryptogram if it now holds E.
    char now[16];
    if (const std::uint16_t e = readMemory('A', l.cryptogramRead.address, 8, now)) return e;
    char expected[16];
    bytesToHex(r.expected.data(), r.expected.size(), expected);
    return std::string(now + l.comparedFrom, now + 16) ==
                   std::string(expected + l.comparedFrom, expected + 16)
               ? 0
               : 36;
}

}  // namespace tavrik::cards::configcard
