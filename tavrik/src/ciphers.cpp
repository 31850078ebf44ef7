// Cipher and random-text entry points: Velsor carries them out.
#include "tavrik.h"
#include "velsor/binding.h"

namespace {

using namespace tavrik;

// RC6 and random text run with Velsor in binary data mode.
template <int Ordinal, class A, class B>
TK_STATUS binaryCall(A a, B b)
{
    velsor::BinaryDataMode binary;
    return velsor::call<Ordinal>(a, b);
}

template <int Ordinal>
TK_STATUS rc6(uint8_t *a, uint8_t *b)
{
    if (!a || !b) return 29;
    return binaryCall<Ordinal>(a, b);
}

}  // namespace

extern "C" TK_API TK_STATUS TK_DES_Encrypt(uint8_t *a, uint8_t *b) { return velsor::call<50>(a, b); }
extern "C" TK_API TK_STATUS TK_DES_Decrypt(uint8_t *a, uint8_t *b) { return velsor::call<51>(a, b); }
extern "C" TK_API TK_STATUS TK_TriDES_Encrypt(uint8_t *a, uint8_t *b) { return velsor::call<54>(a, b); }
extern "C" TK_API TK_STATUS TK_TriDES_Decrypt(uint8_t *a, uint8_t *b) { return velsor::call<55>(a, b); }
extern "C" TK_API TK_STATUS TK_RC6_Encrypt_128(uint8_t *a, uint8_t *b) { return rc6<56>(a, b); }
extern "C" TK_API TK_STATUS TK_RC6_Decrypt_128(uint8_t *a, uint8_t *b) { return rc6<57>(a, b); }
extern "C" TK_API TK_STATUS TK_RC6_Encrypt_192(uint8_t *a, uint8_t *b) { return rc6<58>(a, b); }
extern "C" TK_API TK_STATUS TK_RC6_Decrypt_192(uint8_t *a, uint8_t *b) { return rc6<59>(a, b); }
extern "C" TK_API TK_STATUS TK_RC6_Encrypt_256(uint8_t *a, uint8_t *b) { return rc6<60>(a, b); }
extern "C" TK_API TK_STATUS TK_RC6_Decrypt_256(uint8_t *a, uint8_t *b) { return rc6<61>(a, b); }

extern "C" TK_API TK_STATUS TK_GetRandStr(uint8_t *buffer, uint8_t length)
{
    if (!buffer) return 29;
    return binaryCall<62>(buffer, length);
}
