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
    X(663, (std::uint8_t * code), (code)) \
    /* AT1608 (200-227) and AT153 (250-281): configuration cards */ \
    X(200, (), ()) \
    X(201, (), ()) \
    X(202, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone, char *text), (offset, length, zone, text)) \
    X(203, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone, char *text), (offset, length, zone, text)) \
    X(204, (std::uint8_t set, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3), (set, b1, b2, b3)) \
    X(205, (std::uint8_t index, char *text), (index, text)) \
    X(206, (const std::uint8_t *seed, const std::uint8_t *cryptogram), (seed, cryptogram)) \
    X(207, (std::uint8_t index, char *text), (index, text)) \
    X(208, (std::uint8_t index, char *text), (index, text)) \
    X(209, (std::uint8_t index, char *text), (index, text)) \
    X(210, (char *text), (text)) \
    X(211, (char *text), (text)) \
    X(212, (char *text), (text)) \
    X(213, (char *text), (text)) \
    X(214, (std::uint8_t index, char *text), (index, text)) \
    X(215, (std::uint8_t index, char *text), (index, text)) \
    X(216, (char *text), (text)) \
    X(217, (char *text), (text)) \
    X(218, (char *text), (text)) \
    X(219, (char *text), (text)) \
    X(220, (char *text), (text)) \
    X(221, (char *text), (text)) \
    X(222, (char *text), (text)) \
    X(223, (char *text), (text)) \
    X(224, (char *text), (text)) \
    X(225, (char *text), (text)) \
    X(226, (char *text), (text)) \
    X(227, (), ()) \
    X(250, (), ()) \
    X(251, (), ()) \
    X(252, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone, char *text), (offset, length, zone, text)) \
    X(253, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone, char *text), (offset, length, zone, text)) \
    X(254, (std::uint8_t set, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3), (set, b1, b2, b3)) \
    X(255, (const std::uint8_t *seed, const std::uint8_t *cryptogram), (seed, cryptogram)) \
    X(256, (std::uint8_t index, char *text), (index, text)) \
    X(257, (std::uint8_t index, char *text), (index, text)) \
    X(258, (std::uint8_t index, char *text), (index, text)) \
    X(259, (std::uint8_t index, char *text), (index, text)) \
    X(260, (char *text), (text)) \
    X(261, (char *text), (text)) \
    X(262, (char *text), (text)) \
    X(263, (char *text), (text)) \
    X(264, (std::uint8_t index, char *text), (index, text)) \
    X(265, (std::uint8_t index, char *text), (index, text)) \
    X(266, (char *text), (text)) \
    X(267, (char *text), (text)) \
    X(268, (char *text), (text)) \
    X(269, (char *text), (text)) \
    X(270, (char *text), (text)) \
    X(271, (char *text), (text)) \
    X(272, (char *text), (text)) \
    X(273, (char *text), (text)) \
    X(274, (char *text), (text)) \
    X(275, (char *text), (text)) \
    X(276, (char *text), (text)) \
    X(277, (), ()) \
    X(278, (char *text), (text)) \
    X(279, (char *text), (text)) \
    X(280, (char *text), (text)) \
    X(281, (char *text), (text)) \
    /* AT1604 (300-318) and AT6601 (350-368): zone cards */ \
    X(300, (), ()) \
    X(301, (), ()) \
    X(302, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone, char *text), (offset, length, zone, text)) \
    X(303, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone, char *text), (offset, length, zone, text)) \
    X(304, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone), (offset, length, zone)) \
    X(305, (std::uint8_t index, std::uint8_t b1, std::uint8_t b2), (index, b1, b2)) \
    X(306, (std::uint8_t index, char *text), (index, text)) \
    X(307, (std::uint16_t address, std::uint32_t * value), (address, value)) \
    X(308, (std::uint16_t address, std::uint32_t value), (address, value)) \
    X(309, (std::uint8_t index, char *text), (index, text)) \
    X(310, (std::uint8_t index, char *text), (index, text)) \
    X(311, (char *text), (text)) \
    X(312, (char *text), (text)) \
    X(313, (char *text), (text)) \
    X(314, (char *text), (text)) \
    X(315, (char *text), (text)) \
    X(316, (char *text), (text)) \
    X(317, (char *text), (text)) \
    X(318, (), ()) \
    X(350, (), ()) \
    X(351, (), ()) \
    X(352, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone, char *text), (offset, length, zone, text)) \
    X(353, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone, char *text), (offset, length, zone, text)) \
    X(354, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone), (offset, length, zone)) \
    X(355, (std::uint8_t index, std::uint8_t b1, std::uint8_t b2), (index, b1, b2)) \
    X(356, (std::uint8_t index, char *text), (index, text)) \
    X(357, (std::uint16_t address, std::uint32_t * value), (address, value)) \
    X(358, (std::uint16_t address, std::uint32_t value), (address, value)) \
    X(359, (std::uint8_t index, char *text), (index, text)) \
    X(360, (std::uint8_t index, char *text), (index, text)) \
    X(361, (char *text), (text)) \
    X(362, (char *text), (text)) \
    X(363, (char *text), (text)) \
    X(364, (char *text), (text)) \
    X(365, (char *text), (text)) \
    X(366, (char *text), (text)) \
    X(367, (char *text), (text)) \
    X(368, (), ()) \
    /* AT102 */ \
    X(400, (), ()) \
    X(401, (), ()) \
    X(402, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone, char *text), (offset, length, zone, text)) \
    X(403, (std::uint16_t offset, std::uint16_t length, std::uint8_t zone, char *text), (offset, length, zone, text)) \
    X(404, (std::uint8_t b1, std::uint8_t b2), (b1, b2)) \
    X(405, (std::uint8_t kind, std::uint8_t length, char *text), (kind, length, text)) \
    X(406, (std::uint8_t index, char *text), (index, text)) \
    X(407, (std::uint8_t index, char *text), (index, text)) \
    X(408, (char *text), (text)) \
    X(409, (char *text), (text)) \
    X(410, (char *text), (text)) \
    X(411, (char *text), (text)) \
    X(412, (char *text), (text)) \
    X(413, (char *text), (text)) \
    X(414, (char *text), (text)) \
    X(415, (std::uint16_t address, std::uint16_t length), (address, length)) \
    X(416, (std::uint8_t zone, std::uint8_t length, char *key), (zone, length, key)) \
    X(417, (), ()) \
    X(418, (), ()) \
    X(419, (), ()) \
    /* AT24C */ \
    X(500, (std::uint8_t type), (type)) \
    X(501, (), ()) \
    X(502, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    X(503, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    /* AT45D */ \
    X(560, (std::uint8_t type), (type)) \
    X(561, (), ()) \
    X(562, (std::uint16_t page, std::uint16_t offset, std::uint16_t length, char *text), (page, offset, length, text)) \
    X(563, (std::uint16_t page, std::uint16_t offset, std::uint16_t length, char *text), (page, offset, length, text)) \
    /* contactless */ \
    X(700, (std::uint16_t * kind, std::uint8_t mode), (kind, mode)) \
    X(701, (std::uint8_t parameter, std::uint32_t * serial), (parameter, serial)) \
    X(702, (std::uint32_t serial, std::uint32_t * out, std::uint8_t parameter), (serial, out, parameter)) \
    X(703, (std::uint8_t keyKind, std::uint8_t sector, std::uint8_t block), (keyKind, sector, block)) \
    X(704, (), ()) \
    X(705, (std::uint8_t block, char *text), (block, text)) \
    X(706, (std::uint8_t block, char *text), (block, text)) \
    X(707, (std::uint8_t block, std::uint32_t value), (block, value)) \
    X(708, (std::uint8_t block, std::uint32_t value), (block, value)) \
    X(709, (std::uint8_t block), (block)) \
    X(710, (std::uint8_t block), (block)) \
    X(711, (std::uint8_t keyKind, std::uint8_t sector, std::uint8_t * key), (keyKind, sector, key)) \
    X(712, (), ()) \
    X(715, (), ()) \
    X(717, (std::uint8_t block), (block)) \
    X(718, (std::uint8_t block, std::uint32_t * value), (block, value)) \
    X(752, (), ()) \
    X(753, (char *ats, std::uint16_t * length), (ats, length)) \
    X(754, (char *command, std::uint16_t length, char *response, std::uint16_t * responseLength), (command, length, response, responseLength)) \
    X(755, (), ()) \
    /* processor card */ \
    X(800, (), ()) \
    X(801, (char *atr, std::uint16_t * length), (atr, length)) \
    X(802, (std::uint8_t * protocol), (protocol)) \
    X(804, (std::uint8_t * command, std::uint16_t length, char *response, std::uint16_t * responseLength), (command, length, response, responseLength)) \
    X(805, (), ()) \
    /* telephone card */ \
    X(900, (), ()) \
    X(901, (), ()) \
    X(902, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    X(903, (std::uint16_t address, std::uint16_t length, char *text), (address, length, text)) \
    X(904, (std::uint8_t a, std::uint8_t b), (a, b)) \
    X(905, (std::uint8_t b1, std::uint8_t b2, std::uint8_t b3), (b1, b2, b3)) \
    X(906, (std::uint8_t b1, std::uint8_t b2, std::uint8_t b3), (b1, b2, b3))
