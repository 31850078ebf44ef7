#pragma once
// Text and number checks shared by every entry window.

#include <QString>

namespace mc {

// Not empty after trimming spaces, and only the digits 0-9 (no sign, no point).
bool isint(const QString& text);
// At most one "-" and one ".", and the trimmed text converts to a number.
bool isnumber(const QString& text);
// Every character a digit 0-9; true for the empty text.
bool isdigits(const QString& text);
// Every character, in upper case, a letter A-Z; true for the empty text.
bool isletters(const QString& text);
int charcount(QChar ch, const QString& text);
// Visible characters counted on the GBK bytes: each byte 33-126 counts one, each double-byte
// character counts one, spaces and control characters count nothing.
int showlen(const QString& text);

}  // namespace mc
