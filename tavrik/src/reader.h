// Reader operations the card families share with the general exports.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace tavrik {

// Byte protocol light command; the card families set the light without the pause.
std::uint16_t byteLight(std::uint8_t lightState, bool withPause);

// One framed exchange on the current link: 0, 5 on a transport failure, refusalCode when the
// reader refuses.
std::uint16_t framedCommand(std::uint8_t command, std::initializer_list<std::uint8_t> params,
                            std::uint16_t refusalCode, std::vector<std::uint8_t> *reply = nullptr,
                            bool cardRequest = false);

}  // namespace tavrik
