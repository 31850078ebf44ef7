/* Tavrik smart-card reader library: public interface.
 * Every result is a 16-bit unsigned status, 0 for success; TK_GetLastError
 * gives its text. Buffers belong to the caller; the library returns no memory. */
#ifndef TAVRIK_H
#define TAVRIK_H

#include <stdint.h>

#if defined(TAVRIK_BUILDING)
#define TK_API __attribute__((visibility("default")))
#else
#define TK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint16_t TK_STATUS;

/* Language of the error texts: 0 English, anything else Chinese. */
TK_API uint8_t TK_SetLanguage(uint8_t language);
/* Writes the zero-terminated text for code into text (at least 64 bytes). */
TK_API TK_STATUS TK_GetLastError(uint32_t code, char *text);

/* Hexadecimal text <-> bytes. */
TK_API TK_STATUS TK_Hex_String(const char *hex, uint16_t length, uint8_t *bytes);
TK_API TK_STATUS TK_String_Hex(const uint8_t *bytes, uint16_t count, char *hex);
TK_API TK_STATUS TK_Char_Hex(const char *chars, uint16_t count, uint8_t *bytes);

#ifdef __cplusplus
}
#endif

#endif
