// A contact memory card with a security code, as the reader simulator holds it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavriksim {

using Bytes = std::vector<std::uint8_t>;

// A wrong code costs a try: the highest bit of the counter still set is cleared.
void useTry(std::uint8_t &counter);

enum class Family {
    Sle4442, Sle4428, At24c, At45d, At102, At1604, At6601, At1608, At153, Sle4406, Telephone,
    Processor, Contactless,
};

// A security code kept in the card's memory, with its attempt counter (one bit per try left).
struct CodeSlot {
    std::size_t at;
    std::size_t length;
    std::size_t counter;  // address of the counter byte; 0 when the code has none
};

// One model for every contact card: they differ in size, protectable area, where their codes
// lie and how many bytes a code presentation carries.
struct MemoryCard {
    static MemoryCard sle4442();  // 256 bytes, bytes 0-31 protectable, 3-byte code, 3 tries
    static MemoryCard sle4428();  // 1024 bytes, every byte protectable, 2-byte code, 8 tries
    // The families below are in card_models.cpp; every memory byte starts as FFh.
    static MemoryCard at24c(std::uint8_t type);  // type 1-10, no code
    static MemoryCard at45d();                    // 2048 pages of 264 bytes, no code
    static MemoryCard at102();
    static MemoryCard at1604();
    static MemoryCard at6601();
    static MemoryCard at1608();  // seed and cryptogram for the authentication in Gc and Ci
    static MemoryCard at153();
    static MemoryCard sle4406();    // 13 bytes, 3-byte code
    static MemoryCard telephone();  // 32 bytes, 3-byte code and 3-byte unlock key
    static MemoryCard processor();  // ISO 7816 APDUs
    // A contactless card of the framed card-request kind: 64 blocks of 16 bytes.
    static MemoryCard contactless(std::uint8_t kind);

    Family family = Family::Sle4442;
    std::uint8_t type = 0;  // the card type code the reader opens it with
    Bytes memory;
    std::vector<bool> writable;  // one per protectable byte; false once protected
    Bytes code;                  // the programmable security code
    std::uint8_t counter = 0;    // error counter: one bit per try left
    bool verified = false;
    bool codeless = false;        // writes need no code
    // Codes in memory; a presentation names the slot first when there is more than one.
    std::vector<CodeSlot> codeSlots;
    bool fuseBlown = false;
    Bytes unlockKey;              // telephone card
    Bytes answerToReset;          // processor card
    std::uint8_t kind = 0;        // contactless card kind
    std::uint32_t serial = 0;     // contactless serial number
    // Authentication cards: where the cryptogram and the seed lie, the attempt counter.
    std::size_t cryptogramAt = 0, seedAt = 0, authCounterAt = 0;
    // Fault: the card keeps the first byte of a new cryptogram altered by this mask.
    std::uint8_t cryptogramFault = 0;
    Bytes challenge;  // the host's challenge of the authentication under way

    // Presents attempt to code slot `slot`: a wrong code clears a bit of its counter, the
    // right one restores the counter; a counter at zero refuses every code.
    bool presentSlot(std::size_t slot, const Bytes &attempt);
    // The card's half of the authentication: checks the host's cryptogram and on success
    // takes the next cryptogram; a wrong one costs a bit of the attempt counter.
    bool authenticate(const Bytes &hostCryptogram);

    // Chip behaviour: a wrong code uses up a try, the right one restores them; a card with
    // no try left refuses every code. Writes are ignored until the code was presented.
    bool present(const Bytes &attempt);
    bool changeCode(const Bytes &newCode);
    void write(std::size_t address, const Bytes &data);
    // A byte becomes protected when the data given for it equals its content.
    void protect(std::size_t address, const Bytes &data);
    Bytes read(std::size_t address, std::size_t length) const;
    // SLE4442: the protection bits as four bytes, bit k of byte j for byte 8j+k.
    Bytes protectionBits() const;
    // SLE4428: one byte per address, 1 while writable, 0 once protected.
    Bytes protectionFlags(std::size_t address, std::size_t length) const;
    // Error counter, then the code (zeros until it was presented).
    Bytes securityMemory() const;

private:
    std::uint8_t fullCounter = 0;
};

// A processor card's (or SAM's) answer to an APDU: SELECT and VERIFY give 9000, GET CHALLENGE
// counts up from 01h, READ BINARY reads the card's memory, anything else 6D00.
Bytes answerApdu(const MemoryCard &card, const Bytes &apdu);

}  // namespace tavriksim
