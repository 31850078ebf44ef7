#include "cards/memory.h"

#include "hex.h"
#include "reader.h"
#include "state.h"
#include "transport/byte_protocol.h"
#include "transport/timing.h"

#include <cstring>
#include <vector>

namespace tavrik::cards {

bool forwarded() { return state().link != LinkKind::Byte; }

std::uint16_t openCard(std::uint8_t type)
{
    state().cardType = type;
    const std::uint16_t h = bp::handshake('C');
    if (h == 1) return 1;
    if (h != 0 || !bp::sendByte(type)) return 11;
    const bp::Unit u = bp::readUnit();
    if (!u.ok) return 11;
    if (u.second() == '1') {
        bp::readTerminator();
        byteLight(2, false);
        return 1;
    }
    if (!bp::readTerminator()) return 11;
    byteLight(1, false);
    return 0;
}

namespace {

bool sendWords(std::initializer_list<std::uint16_t> words)
{
    for (std::uint16_t w : words)
        if (!bp::sendWord(w)) return false;
    return true;
}

}  // namespace

std::uint16_t readWith(std::uint8_t command, std::initializer_list<std::uint16_t> words,
                       std::size_t n, char *text)
{
    if (const std::uint16_t h = bp::handshake(command)) return h;
    if (!sendWords(words)) return 254;
    return bp::readHexBlock(n, text) == 0 ? 0 : 5;
}

std::uint16_t readMemory(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                         char *text)
{
    return readWith(command, {address, length}, length, text);
}

std::uint16_t writeWith(std::uint8_t type, std::uint8_t command,
                        std::initializer_list<std::uint16_t> words, std::size_t n,
                        const char *text)
{
    if (bp::handshake(command) != 0) return 7;
    if (!sendWords(words)) return 7;
    state().cardType = type;
    return bp::writeHexBlock(text, n);
}

std::uint16_t writeMemory(std::uint8_t type, std::uint8_t command, std::uint16_t address,
                          std::uint16_t length, const char *text)
{
    return writeWith(type, command, {address, length}, length, text);
}

bool confirmation()
{
    const bp::Unit u = bp::readUnit();
    return u.ok && u.value() == 0 && bp::readTerminator();
}

std::uint16_t confirmedCommand(std::uint8_t command, std::initializer_list<std::uint16_t> words,
                               int waitMs, std::uint16_t failure)
{
    if (const std::uint16_t h = bp::handshake(command)) return h;
    if (!sendWords(words)) return failure;
    pause(waitMs);
    return confirmation() ? 0 : failure;
}

std::uint16_t plainCommand(std::uint8_t command, const std::uint8_t *bytes, std::size_t n)
{
    if (const std::uint16_t h = bp::handshake(command)) return h;
    if (n && !bp::send(bytes, n)) return 5;
    return 0;
}

std::uint16_t counterCommand(std::uint8_t a, std::uint8_t b)
{
    if (const std::uint16_t h = bp::handshake('d')) return h;
    if (!bp::sendByte(a) || !bp::sendByte(b)) return 5;
    const bp::Unit first = bp::readUnit();
    const bp::Unit second = first.ok ? bp::readUnit() : bp::Unit{};
    return first.ok && second.ok && first.value() == 0 && second.value() == 2 ? 0 : 5;
}

std::uint16_t presentCode(int pauseMs, const std::uint8_t *code, std::size_t n,
                          std::uint8_t command)
{
    if (const std::uint16_t h = bp::handshake(command)) return h;
    pause(pauseMs);
    if (!bp::send(code, n)) return 12;
    const bp::Unit u = bp::readUnit();
    if (!u.ok || u.second() != '0') return 12;
    bp::clearReceive();
    return 0;
}

std::uint16_t changeCode(int pauseMs, const std::uint8_t *code, std::size_t n)
{
    if (bp::handshake('G') != 0) return 15;
    pause(pauseMs);
    if (!bp::send(code, n)) return 15;
    const bp::Unit u = bp::readUnit();
    bp::clearReceive();
    return u.ok && u.second() == '0' ? 0 : 15;
}

std::uint16_t readReply(std::uint8_t command, std::size_t n, char *out, std::uint16_t readFailure)
{
    if (const std::uint16_t h = bp::handshake(command)) return h;
    return bp::readHexBlock(n, out) == 0 ? 0 : readFailure;
}

std::uint16_t readSecurityPart(std::size_t memoryBytes, std::size_t first, std::size_t chars,
                               std::uint16_t readFailure, char *text)
{
    char memory[8];
    if (const std::uint16_t r = readReply('I', memoryBytes, memory, readFailure)) return r;
    std::memcpy(text, memory + first, chars);
    return 0;
}

std::uint16_t readBytes(const CharOperation &readChar, std::uint16_t address,
                        std::uint16_t length, std::uint8_t *bytes)
{
    if (!bytes) return 29;
    // One spare character, so that an empty read still has a buffer to hand on.
    const std::size_t chars = 2 * std::size_t{length};
    std::vector<char> text(chars + 1);
    if (const std::uint16_t r = readChar(address, length, text.data())) return r;
    // Exactly length bytes: the caller's buffer has no room for a terminator.
    hexToBytes(text.data(), chars, bytes);
    return 0;
}

std::uint16_t writeBytes(const ConstCharOperation &writeChar, std::uint16_t address,
                         std::uint16_t length, const std::uint8_t *bytes)
{
    if (!bytes) return 29;
    std::vector<char> text(2 * std::size_t{length} + 2, '\0');
    bytesToHex(bytes, length, text.data());
    return writeChar(address, length, text.data());
}

std::string privateCopy(const char *text, std::size_t chars) { return std::string(text, chars); }

std::uint16_t protectChangedRuns(std::uint16_t address, std::uint16_t length, const char *text,
                                 const std::string &image, std::size_t imageFirst,
                                 const std::string &memory, std::size_t memoryFirst,
                                 const CharOperation &protect)
{
    const auto differs = [&](std::size_t i) {
        const std::size_t at = 2 * (imageFirst + i) + 1;
        return at >= image.size() || image[at] != text[2 * i + 1];
    };
    std::size_t i = 0;
    while (i < length) {
        if (!differs(i)) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < length && differs(i)) ++i;
        std::string run = memory.substr(2 * (memoryFirst + start), 2 * (i - start));
        const std::uint16_t r = protect(static_cast<std::uint16_t>(address + start),
                                        static_cast<std::uint16_t>(i - start), run.data());
        if (r != 0) return r;
    }
    return 0;
}

}  // namespace tavrik::cards
