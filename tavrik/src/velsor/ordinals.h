// The outside reader library Velsor: ordinal k is the C function Velsor_<k>, returning a
// 16-bit status. This is the one table of their arguments; the binding and the test
// stand-in are both generated from it. X(ordinal, parameters, arguments)
#pragma once
#include <cstdint>

#define TAVRIK_VELSOR_ORDINALS(X)                                                        \
    /* ciphers and random text */                                                        \
    X(50, (std::uint8_t * a, std::uint8_t * b), (a, b))                                  \
    X(51, (std::uint8_t * a, std::uint8_t * b), (a, b))                                  \
    X(54, (std::uint8_t * a, std::uint8_t * b), (a, b))                                  \
    X(55, (std::uint8_t * a, std::uint8_t * b), (a, b))                                  \
    X(56, (std::uint8_t * a, std::uint8_t * b), (a, b))                                  \
    X(57, (std::uint8_t * a, std::uint8_t * b), (a, b))                                  \
    X(58, (std::uint8_t * a, std::uint8_t * b), (a, b))                                  \
    X(59, (std::uint8_t * a, std::uint8_t * b), (a, b))                                  \
    X(60, (std::uint8_t * a, std::uint8_t * b), (a, b))                                  \
    X(61, (std::uint8_t * a, std::uint8_t * b), (a, b))                                  \
    X(62, (std::uint8_t * buffer, std::uint8_t length), (buffer, length))                \
    /* general */                                                                        \
    X(100, (std::uint8_t port, std::uint32_t baud), (port, baud))                        \
    X(101, (), ())                                                                       \
    X(102, (char *type), (type))                                                         \
    X(104, (std::uint16_t code, char *text), (code, text))                               \
    X(105, (std::uint8_t light), (light))                                                \
    X(106, (std::uint8_t sound), (sound))                                                \
    X(107, (), ())                                                                       \
    X(108, (std::uint8_t mode), (mode))                                                  \
    X(109, (), ())                                                                       \
    X(110, (), ())                                                                       \
    X(111, (std::uint8_t * type), (type))                                                \
    /* SLE4442 */                                                                        \
    X(602, (), ())                                                                       \
    X(603, (), ())                                                                       \
    X(604, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    X(605, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    X(606, (std::uint8_t b1, std::uint8_t b2, std::uint8_t b3), (b1, b2, b3))            \
    X(609, (char *text), (text))                                                         \
    X(610, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    X(611, (char *text), (text))                                                         \
    X(612, (char *text), (text))                                                         \
    X(613, (std::uint8_t * code), (code))                                                \
    /* SLE4428 */                                                                        \
    X(652, (), ())                                                                       \
    X(653, (), ())                                                                       \
    X(654, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    X(655, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    X(656, (std::uint8_t b1, std::uint8_t b2), (b1, b2))                                 \
    X(659, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    X(660, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    X(661, (char *text), (text))                                                         \
    X(662, (char *text), (text))                                                         \
    X(663, (std::uint8_t * code), (code))
