// Fixed card areas and user zones of the memory families, and the shapes their exports share:
// check the arguments, then hand the call to Velsor with the caller's own arguments, or run
// the byte-protocol command at the mapped card address.
#pragma once
#include "cards/memory.h"
#include "velsor/binding.h"

#include <concepts>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tavrik::cards {

struct Area {
    std::uint16_t address;
    std::uint16_t length;
};

struct Zone {
    std::uint16_t base;
    std::uint16_t size;
};

// Card address of `offset` in zone number `zone` of `zones`, when offset + length stays
// inside the zone.
std::optional<std::uint16_t> zoneAddress(std::span<const Zone> zones, std::uint8_t zone,
                                         std::uint16_t offset, std::uint16_t length);
// Whether address + length stays within `size` bytes (counted without wrapping).
inline bool within(std::uint16_t address, std::uint16_t length, std::size_t size)
{
    return std::size_t{address} + length <= size;
}

// Velsor gives card data back as text after data mode 1.
template <int Ordinal, class... Args>
std::uint16_t forwardRead(Args... args)
{
    velsor::setDataMode(1);
    return velsor::call<Ordinal>(args...);
}

template <int Ordinal>
std::uint16_t openOr(std::uint8_t type)
{
    return forwarded() ? velsor::call<Ordinal>() : openCard(type);
}

template <int Ordinal>
std::uint16_t closeOr()
{
    return forwarded() ? velsor::call<Ordinal>() : 0;
}

// Commands without data ('X' blow the fuse and the like).
template <int Ordinal>
std::uint16_t commandOr(std::uint8_t command)
{
    return forwarded() ? velsor::call<Ordinal>() : plainCommand(command);
}

// Command 'H' with the code bytes, or Velsor with the same bytes as its arguments.
template <int Ordinal, std::same_as<std::uint8_t>... Bytes>
std::uint16_t presentCodeOr(int pauseMs, Bytes... bytes)
{
    if (forwarded()) return velsor::call<Ordinal>(bytes...);
    const std::uint8_t code[] = {bytes...};
    return presentCode(pauseMs, code, sizeof code);
}

// Command 'G' with the new code; Velsor takes it as binary bytes.
template <int Ordinal, std::same_as<std::uint8_t>... Bytes>
std::uint16_t changeCodeOr(int pauseMs, Bytes... bytes)
{
    std::uint8_t code[] = {bytes...};
    if (forwarded()) {
        velsor::setDataMode(0);
        return velsor::call<Ordinal>(code);
    }
    return changeCode(pauseMs, code, sizeof code);
}

// Part of the security memory read with 'I' (see readSecurityPart); Velsor reads the part itself.
template <int Ordinal>
std::uint16_t readSecurityPartOr(std::size_t memoryBytes, std::size_t first, std::size_t chars,
                                 std::uint16_t readFailure, char *text)
{
    if (!text) return 29;
    if (forwarded()) return velsor::call<Ordinal>(text);
    return readSecurityPart(memoryBytes, first, chars, readFailure, text);
}

template <int Ordinal>
std::uint16_t readArea(Area a, char *text)
{
    if (!text) return 29;
    if (forwarded()) return forwardRead<Ordinal>(text);
    return readMemory('A', a.address, a.length, text);
}

template <int Ordinal>
std::uint16_t writeArea(std::uint8_t type, Area a, const char *text)
{
    if (!text) return 29;
    if (forwarded()) {
        std::string copy = privateCopy(text, 2 * std::size_t{a.length});
        return velsor::call<Ordinal>(copy.data());
    }
    return writeMemory(type, 'B', a.address, a.length, text);
}

// Areas chosen by a number (codes, counters, registers); no area gives `badIndex`.
template <int Ordinal>
std::uint16_t readIndexed(std::uint8_t index, std::optional<Area> a, char *text,
                          std::uint16_t badIndex = 19)
{
    if (!text) return 29;
    if (!a) return badIndex;
    if (forwarded()) return forwardRead<Ordinal>(index, text);
    return readMemory('A', a->address, a->length, text);
}

template <int Ordinal>
std::uint16_t writeIndexed(std::uint8_t type, std::uint8_t index, std::optional<Area> a,
                           const char *text, std::uint16_t badIndex = 19)
{
    if (!text) return 29;
    if (!a) return badIndex;
    if (forwarded()) {
        std::string copy = privateCopy(text, 2 * std::size_t{a->length});
        return velsor::call<Ordinal>(index, copy.data());
    }
    return writeMemory(type, 'B', a->address, a->length, text);
}

// User data addressed as (offset, length, zone); `address` is the mapped card address, none
// when the request leaves the zone.
template <int Ordinal>
std::uint16_t readZone(std::optional<std::uint16_t> address, std::uint16_t offset,
                       std::uint16_t length, std::uint8_t zone, char *text)
{
    if (!text) return 29;
    if (!address) return 19;
    if (forwarded()) return forwardRead<Ordinal>(offset, length, zone, text);
    return readMemory('A', *address, length, text);
}

template <int Ordinal>
std::uint16_t writeZone(std::uint8_t type, std::optional<std::uint16_t> address,
                        std::uint16_t offset, std::uint16_t length, std::uint8_t zone,
                        const char *text)
{
    if (!text) return 29;
    if (!address) return 19;
    if (forwarded()) {
        std::string copy = privateCopy(text, 2 * std::size_t{length});
        return velsor::call<Ordinal>(offset, length, zone, copy.data());
    }
    return writeMemory(type, 'B', *address, length, text);
}

// Command 'Y': the reader confirms the erase with 00h and the terminator, else 48.
template <int Ordinal>
std::uint16_t eraseZone(std::optional<std::uint16_t> address, std::uint16_t offset,
                        std::uint16_t length, std::uint8_t zone)
{
    if (!address) return 19;
    if (forwarded()) return velsor::call<Ordinal>(offset, length, zone);
    return confirmedCommand('Y', {*address, length}, 0, 48);
}

}  // namespace tavrik::cards
