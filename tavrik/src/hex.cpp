#include "hex.h"
#include "tavrik.h"

namespace tavrik {

std::uint8_t hexDigit(char c)
{
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
    return 0xFF;
}

void bytesToHex(const std::uint8_t *bytes, std::size_t count, char *out)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < count; ++i) {
        out[2 * i] = kDigits[bytes[i] >> 4];
        out[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
}

std::size_t hexToBytes(const char *hex, std::size_t length, std::uint8_t *out)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i + 1 < length; i += 2)
        out[n++] = static_cast<std::uint8_t>((hexDigit(hex[i]) << 4) | hexDigit(hex[i + 1]));
    if (length % 2) out[n++] = hexDigit(hex[length - 1]);
    return n;
}

}  // namespace tavrik

// Null buffers give 29 rather than a crash.
extern "C" TK_API TK_STATUS TK_Hex_String(const char *hex, uint16_t length, uint8_t *bytes)
{
    if (length == 0) return 0;
    if (!hex || !bytes) return 29;
    std::size_t n = tavrik::hexToBytes(hex, length, bytes);
    bytes[n] = 0;
    return 0;
}

extern "C" TK_API TK_STATUS TK_String_Hex(const uint8_t *bytes, uint16_t count, char *hex)
{
    if (count == 0) return 0;
    if (!bytes || !hex) return 29;
    tavrik::bytesToHex(bytes, count, hex);
    return 0;
}

extern "C" TK_API TK_STATUS TK_Char_Hex(const char *chars, uint16_t count, uint8_t *bytes)
{
    if (count != 0 && (!chars || !bytes)) return 29;
    for (uint16_t i = 0; i < count; ++i) bytes[i] = tavrik::hexDigit(chars[i]);
    return count;
}
