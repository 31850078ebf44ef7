/* Tavrik smart-card reader library: public interface.
 * Every result is a 16-bit unsigned status, 0 for success; TK_GetLastError
 * gives its text. Buffers belong to the caller; the library returns no memory.
 * ...Char operations take and give hexadecimal text, two characters per byte and
 * no terminating zero; ...String operations take and give plain bytes. */
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

/* Status codes; TK_GetLastError gives the text of each. An operation names the codes it
 * gives; some families give an operation-specific failure from this list. */
enum TK_StatusCode {
    TK_SUCCESS = 0,
    TK_NO_CARD = 1,                  /* the reader reports no card */
    TK_CARD_NOT_DETECTED = 2,        /* a card is present but not recognised */
    TK_SEND_FAILED = 3,
    TK_PORT_SETUP_FAILED = 4,
    TK_NO_ANSWER = 5,                /* the reader refused or did not answer */
    TK_READ_FAILED = 6,
    TK_WRITE_FAILED = 7,
    TK_RECEIVE_FAILED = 8,           /* the port failed while a block was read */
    TK_WRONG_CARD_TYPE = 9,
    TK_NOT_INITIALIZED = 10,         /* the outside library cannot open the port */
    TK_OPEN_CARD_FAILED = 11,
    TK_WRONG_PASSWORD = 12,
    TK_NO_CARD_INSERTED = 13,
    TK_INVALID_PARAMETER = 14,
    TK_PASSWORD_CHANGE_FAILED = 15,
    TK_ERROR_COUNT_FAILED = 16,
    TK_PROTECTION_READ_FAILED = 17,
    TK_WRONG_BAUD = 18,
    TK_ADDRESS_OVERFLOW = 19,
    TK_NO_CARD_IN_FIELD = 20,        /* authentication failed or no card at the antenna */
    TK_KEY_LOAD_FAILED = 21,
    TK_AUTHENTICATION_FAILED = 22,
    TK_REFUSED = 23,                 /* the reader refused a framed command */
    TK_VALUE_INIT_FAILED = 24,
    TK_BAUD_NOT_SUPPORTED = 25,
    TK_NOT_A_VALUE_BLOCK = 26,
    TK_NO_CARD_OR_NO_ANSWER = 27,
    TK_CARD_TYPE_MISMATCH = 28,
    TK_PARAMETER_ERROR = 29,         /* a pointer argument is null */
    TK_PORT_OPEN_FAILED = 31,
    TK_AUTO_DETECT_FAILED = 32,
    TK_PASSWORD_READ_FAILED = 33,
    TK_NOT_SUPPORTED = 34,
    TK_NOT_USER_AREA = 35,
    TK_CARD_AUTHENTICATION_FAILED = 36,
    TK_COMMUNICATION_FAILED = 48,
    TK_USB_OPEN_FAILED = 50,
    TK_NETWORK_NOT_IN_VERSION = 95,
    TK_OUT_OF_MEMORY = 96,
    TK_NETWORK_FUNCTION_MISSING = 97,
    TK_REMOTE_CLOSED = 98,
    TK_RESET_READER = 99
};

/* Connection. Ports 1-6 are COM1-COM6, any other number COM1. */
TK_API TK_STATUS TK_Com_Open(uint8_t port, uint32_t baud);
/* Nonzero when the process priority was restored; after a USB open, TK_USB_Close's result. */
TK_API TK_STATUS TK_Com_Close(void);
TK_API TK_STATUS TK_USB_Open(void);
TK_API TK_STATUS TK_USB_Close(void);

/* General reader operations. */
TK_API TK_STATUS TK_TestDevice(void);
TK_API TK_STATUS TK_TestCard(void);
TK_API TK_STATUS TK_GetCardType(uint8_t *type);
/* Writes the two-character card type code. */
TK_API TK_STATUS TK_AutoTestCard(char *code);
TK_API TK_STATUS TK_Control_light(uint8_t state);
TK_API TK_STATUS TK_Scream(uint8_t length);
TK_API TK_STATUS TK_UpdateBaud(uint32_t readerRate, uint32_t newRate, uint8_t port);
TK_API TK_STATUS TK_SelectReader(uint8_t reader);
TK_API TK_STATUS TK_StartServer(uint32_t unused);
TK_API TK_STATUS TK_StartClient(uint32_t unused);
TK_API void TK_StopClient(void);
TK_API void TK_StopServer(void);

/* Language of the error texts: 0 English, anything else Chinese. */
TK_API uint8_t TK_SetLanguage(uint8_t language);
/* Writes the zero-terminated text for code into text (at least 64 bytes). */
TK_API TK_STATUS TK_GetLastError(uint32_t code, char *text);

/* SLE4442: 256 bytes, bytes 0-31 protectable, three-byte security code. */
TK_API TK_STATUS TK_SLE4442_OpenCard(void);
TK_API TK_STATUS TK_SLE4442_CloseCard(void);
TK_API TK_STATUS TK_SLE4442_ReadChar(uint16_t address, uint16_t length, char *text);
TK_API TK_STATUS TK_SLE4442_ReadString(uint16_t address, uint16_t length, uint8_t *bytes);
TK_API TK_STATUS TK_SLE4442_WriteChar(uint16_t address, uint16_t length, const char *text);
TK_API TK_STATUS TK_SLE4442_WriteString(uint16_t address, uint16_t length, const uint8_t *bytes);
/* 64 characters: "01" for each of bytes 0-31 that can still be written, "00" when protected. */
TK_API TK_STATUS TK_SLE4442_PReadChar(char *text);
TK_API TK_STATUS TK_SLE4442_PWriteChar(uint16_t address, uint16_t length, const char *text);
TK_API TK_STATUS TK_SLE4442_VerifyPWD(uint8_t b1, uint8_t b2, uint8_t b3);
TK_API TK_STATUS TK_SLE4442_WritePWD(uint8_t b1, uint8_t b2, uint8_t b3);
TK_API TK_STATUS TK_SLE4442_ReadPWD(char *text);  /* 6 characters */
TK_API TK_STATUS TK_SLE4442_ReadPAC(char *text);  /* 2 characters: the error counter */

/* SLE4428: 1024 bytes, each protectable, two-byte security code. */
TK_API TK_STATUS TK_SLE4428_OpenCard(void);
TK_API TK_STATUS TK_SLE4428_CloseCard(void);
TK_API TK_STATUS TK_SLE4428_ReadChar(uint16_t address, uint16_t length, char *text);
TK_API TK_STATUS TK_SLE4428_ReadString(uint16_t address, uint16_t length, uint8_t *bytes);
TK_API TK_STATUS TK_SLE4428_WriteChar(uint16_t address, uint16_t length, const char *text);
TK_API TK_STATUS TK_SLE4428_WriteString(uint16_t address, uint16_t length, const uint8_t *bytes);
TK_API TK_STATUS TK_SLE4428_PReadChar(uint16_t address, uint16_t length, char *text);
TK_API TK_STATUS TK_SLE4428_PWriteChar(uint16_t address, uint16_t length, const char *text);
TK_API TK_STATUS TK_SLE4428_VerifyPWD(uint8_t b1, uint8_t b2);
TK_API TK_STATUS TK_SLE4428_WritePWD(uint8_t b1, uint8_t b2);
TK_API TK_STATUS TK_SLE4428_ReadPWD(char *text);  /* 4 characters */
TK_API TK_STATUS TK_SLE4428_ReadPAC(char *text);  /* 2 characters */

/* AT24C serial EEPROM: type 1-10 (128, 256, then 256 to 32768 bytes; types 1 and 2 take at
 * most 128 bytes per call). */
TK_API TK_STATUS TK_AT24C_OpenCard(uint8_t type);
TK_API TK_STATUS TK_AT24C_CloseCard(void);
TK_API TK_STATUS TK_AT24C_ReadChar(uint16_t address, uint16_t length, char *text);
TK_API TK_STATUS TK_AT24C_ReadString(uint16_t address, uint16_t length, uint8_t *bytes);
TK_API TK_STATUS TK_AT24C_WriteChar(uint16_t address, uint16_t length, const char *text);
TK_API TK_STATUS TK_AT24C_WriteString(uint16_t address, uint16_t length, const uint8_t *bytes);

/* AT45D flash: pages 0-2047. */
TK_API TK_STATUS TK_AT45D_OpenCard(uint8_t type);
TK_API TK_STATUS TK_AT45D_CloseCard(void);
TK_API TK_STATUS TK_AT45D_ReadChar(uint16_t page, uint16_t offset, uint16_t length, char *text);
TK_API TK_STATUS TK_AT45D_ReadString(uint16_t page, uint16_t offset, uint16_t length,
                                     uint8_t *bytes);
TK_API TK_STATUS TK_AT45D_WriteChar(uint16_t page, uint16_t offset, uint16_t length,
                                    const char *text);
TK_API TK_STATUS TK_AT45D_WriteString(uint16_t page, uint16_t offset, uint16_t length,
                                      const uint8_t *bytes);
/* Erasing works on byte-protocol readers only. */
TK_API TK_STATUS TK_AT45D_BlockErase(uint16_t first, uint16_t count);
TK_API TK_STATUS TK_AT45D_PageErase(uint16_t first, uint16_t count);

/* AT102: application zones 1 and 2 of 64 bytes. Code kinds: 0 security code (2 bytes),
 * 1 erase key of zone 1 (6), 2 erase key of zone 2 (4). Counter kinds: 0 attempt counter
 * (2 bytes), 1 erase counter of zone 2 (16). */
TK_API TK_STATUS TK_AT102_OpenCard(void);
TK_API TK_STATUS TK_AT102_CloseCard(void);
TK_API TK_STATUS TK_AT102_ReadChar(uint16_t offset, uint16_t length, uint8_t zone, char *text);
TK_API TK_STATUS TK_AT102_WriteChar(uint16_t offset, uint16_t length, uint8_t zone,
                                    const char *text);
TK_API TK_STATUS TK_AT102_ReadString(uint16_t offset, uint16_t length, uint8_t zone,
                                     uint8_t *bytes);
TK_API TK_STATUS TK_AT102_WriteString(uint16_t offset, uint16_t length, uint8_t zone,
                                      const uint8_t *bytes);
TK_API TK_STATUS TK_AT102_VerifyPWD(uint8_t b1, uint8_t b2);
TK_API TK_STATUS TK_AT102_WritePWD(uint8_t kind, uint8_t length, const char *text);
TK_API TK_STATUS TK_AT102_ReadPWD(uint8_t kind, char *text);
TK_API TK_STATUS TK_AT102_ReadPAC(uint8_t kind, char *text);
TK_API TK_STATUS TK_AT102_ReadFC(char *text);   /* 4 characters */
TK_API TK_STATUS TK_AT102_ReadIC(char *text);   /* 16 characters */
TK_API TK_STATUS TK_AT102_WriteIC(const char *text);
TK_API TK_STATUS TK_AT102_ReadCPZ(char *text);  /* 16 characters */
TK_API TK_STATUS TK_AT102_WriteCPZ(const char *text);
TK_API TK_STATUS TK_AT102_ReadMTZ(char *text);  /* 4 characters */
TK_API TK_STATUS TK_AT102_WriteMTZ(const char *text);
TK_API TK_STATUS TK_AT102_EraseWord(uint16_t address, uint16_t length);
TK_API TK_STATUS TK_AT102_EraseApp(uint8_t zone, uint8_t keyLength, const char *key);
TK_API TK_STATUS TK_AT102_EraseGlobal(void);
TK_API TK_STATUS TK_AT102_AZ2EraseUnlimited(void);
TK_API TK_STATUS TK_AT102_WriteFuse(void);

/* AT1604: zones 0-3 (512 bytes, zone 3 457), zone 4 addresses the whole card. */
TK_API TK_STATUS TK_AT1604_OpenCard(void);
TK_API TK_STATUS TK_AT1604_CloseCard(void);
TK_API TK_STATUS TK_AT1604_ReadChar(uint16_t address, uint16_t length, uint8_t zone, char *text);
TK_API TK_STATUS TK_AT1604_WriteChar(uint16_t address, uint16_t length, uint8_t zone,
                                     const char *text);
TK_API TK_STATUS TK_AT1604_ReadString(uint16_t address, uint16_t length, uint8_t zone,
                                      uint8_t *bytes);
TK_API TK_STATUS TK_AT1604_WriteString(uint16_t address, uint16_t length, uint8_t zone,
                                       const uint8_t *bytes);
TK_API TK_STATUS TK_AT1604_EraseChar(uint16_t address, uint16_t length, uint8_t zone);
/* Security codes by index 0-8: two bytes each, given and read as text (4 characters). */
TK_API TK_STATUS TK_AT1604_VerifyPWD(uint8_t index, uint8_t b1, uint8_t b2);
TK_API TK_STATUS TK_AT1604_WritePWD(uint8_t index, const char *text);
TK_API TK_STATUS TK_AT1604_ReadPWD(uint8_t index, char *text);
/* Attempt counter of a code: 2 characters. */
TK_API TK_STATUS TK_AT1604_ReadPAC(uint8_t index, char *text);
/* Value operations are carried out by the outside library Velsor. */
TK_API TK_STATUS TK_AT1604_ReadValue(uint16_t address, uint32_t *value);
TK_API TK_STATUS TK_AT1604_WriteValue(uint16_t address, uint32_t value);
TK_API TK_STATUS TK_AT1604_ReadFC(char *text);   /* fabrication code, 4 characters */
TK_API TK_STATUS TK_AT1604_ReadIC(char *text);   /* issuer code, 16 characters */
TK_API TK_STATUS TK_AT1604_WriteIC(const char *text);
TK_API TK_STATUS TK_AT1604_ReadCPZ(char *text);  /* code protected zone, 16 characters */
TK_API TK_STATUS TK_AT1604_WriteCPZ(const char *text);
/* Memory test zone: 4 characters read, 8 written. */
TK_API TK_STATUS TK_AT1604_ReadMTZ(char *text);
TK_API TK_STATUS TK_AT1604_WriteMTZ(const char *text);
TK_API TK_STATUS TK_AT1604_WriteFuse(void);

/* AT6601: zones 0-3 (512, 256, 256 and 289 bytes); attempt counters 0, 1 and 5-8. */
TK_API TK_STATUS TK_AT6601_OpenCard(void);
TK_API TK_STATUS TK_AT6601_CloseCard(void);
TK_API TK_STATUS TK_AT6601_ReadChar(uint16_t address, uint16_t length, uint8_t zone, char *text);
TK_API TK_STATUS TK_AT6601_WriteChar(uint16_t address, uint16_t length, uint8_t zone,
                                     const char *text);
TK_API TK_STATUS TK_AT6601_ReadString(uint16_t address, uint16_t length, uint8_t zone,
                                      uint8_t *bytes);
TK_API TK_STATUS TK_AT6601_WriteString(uint16_t address, uint16_t length, uint8_t zone,
                                       const uint8_t *bytes);
TK_API TK_STATUS TK_AT6601_EraseChar(uint16_t address, uint16_t length, uint8_t zone);
/* Security codes by index 0-8: two bytes each, given and read as text (4 characters). */
TK_API TK_STATUS TK_AT6601_VerifyPWD(uint8_t index, uint8_t b1, uint8_t b2);
TK_API TK_STATUS TK_AT6601_WritePWD(uint8_t index, const char *text);
TK_API TK_STATUS TK_AT6601_ReadPWD(uint8_t index, char *text);
/* Attempt counter of a code: 2 characters. */
TK_API TK_STATUS TK_AT6601_ReadPAC(uint8_t index, char *text);
/* Value operations are carried out by the outside library Velsor. */
TK_API TK_STATUS TK_AT6601_ReadValue(uint16_t address, uint32_t *value);
TK_API TK_STATUS TK_AT6601_WriteValue(uint16_t address, uint32_t value);
TK_API TK_STATUS TK_AT6601_ReadFC(char *text);   /* fabrication code, 4 characters */
TK_API TK_STATUS TK_AT6601_ReadIC(char *text);   /* issuer code, 16 characters */
TK_API TK_STATUS TK_AT6601_WriteIC(const char *text);
TK_API TK_STATUS TK_AT6601_ReadCPZ(char *text);  /* code protected zone, 16 characters */
TK_API TK_STATUS TK_AT6601_WriteCPZ(const char *text);
/* Memory test zone: 4 characters read, 8 written. */
TK_API TK_STATUS TK_AT6601_ReadMTZ(char *text);
TK_API TK_STATUS TK_AT6601_WriteMTZ(const char *text);
TK_API TK_STATUS TK_AT6601_WriteFuse(void);

/* AT1608: user zones 0-7 of 256 bytes; password sets 0-7 (write) and 8-15 (read);
 * configuration: LHC 4 bytes, FC 2, CMC 4, AR0-AR7 1 each, AAC 1, Nc 7, Ci 8, Gc 8, MTZ 8,
 * fuses 1. */
TK_API TK_STATUS TK_AT1608_OpenCard(void);
TK_API TK_STATUS TK_AT1608_CloseCard(void);
TK_API TK_STATUS TK_AT1608_ReadChar(uint16_t offset, uint16_t length, uint8_t zone, char *text);
TK_API TK_STATUS TK_AT1608_WriteChar(uint16_t offset, uint16_t length, uint8_t zone,
                                     const char *text);
TK_API TK_STATUS TK_AT1608_ReadString(uint16_t offset, uint16_t length, uint8_t zone,
                                      uint8_t *bytes);
TK_API TK_STATUS TK_AT1608_WriteString(uint16_t offset, uint16_t length, uint8_t zone,
                                       const uint8_t *bytes);
TK_API TK_STATUS TK_AT1608_VerifyPWD(uint8_t set, uint8_t b1, uint8_t b2, uint8_t b3);
/* Mutual authentication with the secret seed (8 bytes, the card's Gc) and the card's current
 * cryptogram (8 bytes, its Ci). 36 when the card did not take it. */
TK_API TK_STATUS TK_AT1608_Auth(const uint8_t *seed, const uint8_t *cryptogram);
/* Password sets: a 3-byte password (6 characters) after a 1-byte attempt counter. */
TK_API TK_STATUS TK_AT1608_WritePWD(uint8_t set, const char *text);
TK_API TK_STATUS TK_AT1608_ReadPWD(uint8_t set, char *text);
TK_API TK_STATUS TK_AT1608_ReadPAC(uint8_t set, char *text);
TK_API TK_STATUS TK_AT1608_WritePAC(uint8_t set, const char *text);
/* Configuration area, as hexadecimal text. */
TK_API TK_STATUS TK_AT1608_ReadLHC(char *text);  /* lot history code */
TK_API TK_STATUS TK_AT1608_ReadFC(char *text);   /* fabrication code */
TK_API TK_STATUS TK_AT1608_ReadCMC(char *text);  /* card manufacturer code */
TK_API TK_STATUS TK_AT1608_WriteCMC(const char *text);
TK_API TK_STATUS TK_AT1608_ReadAR(uint8_t zone, char *text);  /* access register of a zone */
TK_API TK_STATUS TK_AT1608_WriteAR(uint8_t zone, const char *text);
TK_API TK_STATUS TK_AT1608_ReadAAC(char *text);  /* authentication attempt counter */
TK_API TK_STATUS TK_AT1608_WriteAAC(const char *text);
TK_API TK_STATUS TK_AT1608_ReadNc(char *text);   /* identification number */
TK_API TK_STATUS TK_AT1608_WriteNc(const char *text);
TK_API TK_STATUS TK_AT1608_ReadCi(char *text);   /* cryptogram */
TK_API TK_STATUS TK_AT1608_WriteCi(const char *text);
TK_API TK_STATUS TK_AT1608_ReadGc(char *text);   /* secret seed */
TK_API TK_STATUS TK_AT1608_WriteGc(const char *text);
TK_API TK_STATUS TK_AT1608_ReadMTZ(char *text);  /* memory test zone */
TK_API TK_STATUS TK_AT1608_WriteMTZ(const char *text);
TK_API TK_STATUS TK_AT1608_ReadFuse(char *text);
TK_API TK_STATUS TK_AT1608_WriteFuse(void);

/* AT153: user zones 0-2 of 64 bytes; password sets 0-3; configuration: LHC 4 bytes, FC 2,
 * CMC 2, AR0-AR2 1 each, MTZ 1, IC 8, DCR 1, Nc 7, AAC 1, Ci 8 read (the AAC first) and 7
 * written, Gc 8, fuses 1. */
TK_API TK_STATUS TK_AT153_OpenCard(void);
TK_API TK_STATUS TK_AT153_CloseCard(void);
TK_API TK_STATUS TK_AT153_ReadChar(uint16_t offset, uint16_t length, uint8_t zone, char *text);
TK_API TK_STATUS TK_AT153_WriteChar(uint16_t offset, uint16_t length, uint8_t zone,
                                    const char *text);
TK_API TK_STATUS TK_AT153_ReadString(uint16_t offset, uint16_t length, uint8_t zone,
                                     uint8_t *bytes);
TK_API TK_STATUS TK_AT153_WriteString(uint16_t offset, uint16_t length, uint8_t zone,
                                      const uint8_t *bytes);
TK_API TK_STATUS TK_AT153_VerifyPWD(uint8_t set, uint8_t b1, uint8_t b2, uint8_t b3);
/* Mutual authentication with the secret seed (8 bytes, the card's Gc) and the card's current
 * cryptogram (8 bytes, its Ci). 36 when the card did not take it. */
TK_API TK_STATUS TK_AT153_Auth(const uint8_t *seed, const uint8_t *cryptogram);
/* Password sets: a 3-byte password (6 characters) after a 1-byte attempt counter. */
TK_API TK_STATUS TK_AT153_WritePWD(uint8_t set, const char *text);
TK_API TK_STATUS TK_AT153_ReadPWD(uint8_t set, char *text);
TK_API TK_STATUS TK_AT153_ReadPAC(uint8_t set, char *text);
TK_API TK_STATUS TK_AT153_WritePAC(uint8_t set, const char *text);
/* Configuration area, as hexadecimal text. */
TK_API TK_STATUS TK_AT153_ReadLHC(char *text);  /* lot history code */
TK_API TK_STATUS TK_AT153_ReadFC(char *text);   /* fabrication code */
TK_API TK_STATUS TK_AT153_ReadCMC(char *text);  /* card manufacturer code */
TK_API TK_STATUS TK_AT153_WriteCMC(const char *text);
TK_API TK_STATUS TK_AT153_ReadAR(uint8_t zone, char *text);  /* access register of a zone */
TK_API TK_STATUS TK_AT153_WriteAR(uint8_t zone, const char *text);
TK_API TK_STATUS TK_AT153_ReadAAC(char *text);  /* authentication attempt counter */
TK_API TK_STATUS TK_AT153_WriteAAC(const char *text);
TK_API TK_STATUS TK_AT153_ReadNc(char *text);   /* identification number */
TK_API TK_STATUS TK_AT153_WriteNc(const char *text);
TK_API TK_STATUS TK_AT153_ReadCi(char *text);   /* cryptogram */
TK_API TK_STATUS TK_AT153_WriteCi(const char *text);
TK_API TK_STATUS TK_AT153_ReadGc(char *text);   /* secret seed */
TK_API TK_STATUS TK_AT153_WriteGc(const char *text);
TK_API TK_STATUS TK_AT153_ReadMTZ(char *text);  /* memory test zone */
TK_API TK_STATUS TK_AT153_WriteMTZ(const char *text);
TK_API TK_STATUS TK_AT153_ReadFuse(char *text);
TK_API TK_STATUS TK_AT153_WriteFuse(void);
TK_API TK_STATUS TK_AT153_ReadIC(char *text);   /* issuer code */
TK_API TK_STATUS TK_AT153_WriteIC(const char *text);
TK_API TK_STATUS TK_AT153_ReadDCR(char *text);  /* device configuration register */
TK_API TK_STATUS TK_AT153_WriteDCR(const char *text);

/* SLE4406 counter cards: 13 bytes, three-byte code; byte-protocol readers only (34 on
 * others). */
TK_API TK_STATUS TK_SLE4406_OpenCard(void);
TK_API TK_STATUS TK_SLE4406_CloseCard(void);
TK_API TK_STATUS TK_SLE4406_ReadChar(uint16_t address, uint16_t length, char *text);
TK_API TK_STATUS TK_SLE4406_ReadString(uint16_t address, uint16_t length, uint8_t *bytes);
TK_API TK_STATUS TK_SLE4406_WriteChar(uint16_t address, uint16_t length, const char *text);
TK_API TK_STATUS TK_SLE4406_WriteString(uint16_t address, uint16_t length, const uint8_t *bytes);
TK_API TK_STATUS TK_SLE4406_VerifyPWD(uint8_t b1, uint8_t b2, uint8_t b3);
TK_API TK_STATUS TK_SLE4406_WritePWD(uint8_t b1, uint8_t b2, uint8_t b3);
TK_API TK_STATUS TK_SLE4406_LendBit(uint8_t a, uint8_t b);
TK_API TK_STATUS TK_SLE4406_Personal(void);

/* Telephone cards: 32 bytes as text; transport code (TC) and unlock key (UK) of 3 bytes. */
TK_API TK_STATUS TK_TEL_OpenCard(void);
TK_API TK_STATUS TK_TEL_CloseCard(void);
TK_API TK_STATUS TK_TEL_Read(uint16_t address, uint16_t length, char *text);
TK_API TK_STATUS TK_TEL_Write(uint16_t address, uint16_t length, const char *text);
TK_API TK_STATUS TK_TEL_Reload(uint8_t a, uint8_t b);
TK_API TK_STATUS TK_TEL_VerifyUK(uint8_t b1, uint8_t b2, uint8_t b3);
TK_API TK_STATUS TK_TEL_VerifyTC(uint8_t b1, uint8_t b2, uint8_t b3);

/* Processor cards (ISO 7816) on the byte protocol. Texts are hexadecimal; lengths count
 * bytes. */
TK_API TK_STATUS TK_CPU_OpenCard(void);
/* The answer to reset as text; room for 510 characters. */
TK_API TK_STATUS TK_CPU_Reset(char *atr, uint16_t *length);
/* 0 for T=0, 1 for T=1. */
TK_API TK_STATUS TK_CPU_GetProtocol(uint8_t *protocol);
TK_API TK_STATUS TK_Set_CardHolder(uint8_t flag);
TK_API TK_STATUS TK_Set_CPUSpeed(uint8_t value);
/* The response (with SW1 SW2) needs room for 255 bytes, 510 characters. */
TK_API TK_STATUS TK_CPU_IsoAPDU(const char *command, uint16_t length, char *response,
                                uint16_t *responseLength);
TK_API TK_STATUS TK_CPU_CloseCard(void);

/* SAM in slot 0, through frames on any serial or USB reader. APDUs of at most 253 bytes;
 * the response needs room for 254 bytes (509 characters with the terminator). */
TK_API TK_STATUS TK_OpenSAMCard(uint8_t slot);
TK_API TK_STATUS TK_SAM_IsoAPDU(const uint8_t *command, uint16_t length, uint8_t *response,
                                uint16_t *responseLength);
/* Zero-terminated hexadecimal text both ways. */
TK_API TK_STATUS TK_SAM_IsoAPDU_CString(const char *command, char *response);

/* Contactless cards. TK_Mif_Request sets the card type from the card kind: 00h 83, 02h 81,
 * 04h 80, 05h 84, 10h 82, 44h 85. Blocks are 16 bytes on types 80 and 81 and 4 bytes on the
 * others (a read of those gives 8 bytes, 4 on type 83); text is hexadecimal. */
TK_API TK_STATUS TK_Mif_Request(uint16_t *kind, uint8_t mode);  /* mode 0 idle, 1 all cards */
TK_API TK_STATUS TK_Mif_AntiCollision(uint8_t parameter, uint32_t *serial);
TK_API TK_STATUS TK_Mif_Select_CardNumber(uint32_t serial, uint32_t *out, uint8_t parameter);
/* Key kind 4 is key B, any other key A; six key bytes. */
TK_API TK_STATUS TK_Mif_Load_Key(uint8_t keyKind, uint8_t sector, const uint8_t *key);
TK_API TK_STATUS TK_Mif_Authentication(uint8_t keyKind, uint8_t sector, uint8_t block);
TK_API TK_STATUS TK_Mif_Read(uint8_t block, char *text);
TK_API TK_STATUS TK_Mif_Write(uint8_t block, const char *text);
TK_API TK_STATUS TK_Mif_ReadString(uint8_t block, uint8_t *bytes);
TK_API TK_STATUS TK_Mif_WriteString(uint8_t block, const uint8_t *bytes);
TK_API TK_STATUS TK_Mif_Init_Value(uint8_t block);
TK_API TK_STATUS TK_Mif_Read_Value(uint8_t block, uint32_t *value);
TK_API TK_STATUS TK_Mif_Increment(uint8_t block, uint32_t value);
TK_API TK_STATUS TK_Mif_Decrement(uint8_t block, uint32_t value);
TK_API TK_STATUS TK_Mif_Restore(uint8_t block);
TK_API TK_STATUS TK_Mif_Transfer(uint8_t block);
TK_API TK_STATUS TK_Mif_Reset(void);
TK_API TK_STATUS TK_Mif_Config(void);
TK_API TK_STATUS TK_Mif_SetHalt(void);
TK_API TK_STATUS TK_Mif1102_Verify(const uint8_t *code);      /* four bytes */
TK_API TK_STATUS TK_Mif1102_UpdatePass(const uint8_t *code);  /* four bytes */
TK_API TK_STATUS TK_TubDeeply_Control(uint8_t state);
TK_API TK_STATUS TK_Mifare_UpdateDate(const uint8_t *date);   /* nine bytes */
/* Carried out by the outside library Velsor only. */
TK_API TK_STATUS TK_Mif_Activate(void);
TK_API TK_STATUS TK_Mif_RATS(char *ats, uint16_t *length);
TK_API TK_STATUS TK_Mif_ExchangeBlock(const char *command, uint16_t length, char *response,
                                      uint16_t *responseLength);
TK_API TK_STATUS TK_Mif_DeSelect(void);

/* Hexadecimal text <-> bytes. */
TK_API TK_STATUS TK_Hex_String(const char *hex, uint16_t length, uint8_t *bytes);
TK_API TK_STATUS TK_String_Hex(const uint8_t *bytes, uint16_t count, char *hex);
TK_API TK_STATUS TK_Char_Hex(const char *chars, uint16_t count, uint8_t *bytes);

/* Ciphers and random text, carried out by the outside library Velsor. */
TK_API TK_STATUS TK_DES_Encrypt(uint8_t *a, uint8_t *b);
TK_API TK_STATUS TK_DES_Decrypt(uint8_t *a, uint8_t *b);
TK_API TK_STATUS TK_TriDES_Encrypt(uint8_t *a, uint8_t *b);
TK_API TK_STATUS TK_TriDES_Decrypt(uint8_t *a, uint8_t *b);
TK_API TK_STATUS TK_RC6_Encrypt_128(uint8_t *a, uint8_t *b);
TK_API TK_STATUS TK_RC6_Decrypt_128(uint8_t *a, uint8_t *b);
TK_API TK_STATUS TK_RC6_Encrypt_192(uint8_t *a, uint8_t *b);
TK_API TK_STATUS TK_RC6_Decrypt_192(uint8_t *a, uint8_t *b);
TK_API TK_STATUS TK_RC6_Encrypt_256(uint8_t *a, uint8_t *b);
TK_API TK_STATUS TK_RC6_Decrypt_256(uint8_t *a, uint8_t *b);
TK_API TK_STATUS TK_GetRandStr(uint8_t *buffer, uint8_t length);

#ifdef __cplusplus
}
#endif

#endif
