// USB readers through libusb: the bulk OUT and IN endpoints carry the framed protocol.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tavrik {

struct UsbId {
    std::uint16_t vendor;
    std::uint16_t product;
};

// "vvvv:pppp" in hexadecimal, as the USB line of serialports.conf gives it.
std::optional<UsbId> parseUsbId(const std::string &text);

// Opens the reader named by the USB line of folder/serialports.conf and makes it the
// connection: 0, or 50 when none is configured, present or usable.
std::uint16_t openUsbReader(const std::string &folder);
void closeUsbReader();

}  // namespace tavrik
