#pragma once
// Pinyin of Chinese text, for the search columns of members and goods.

#include <QString>

namespace mc {

enum PinyinFlag {
    PinyinWhole = 1,      // whole syllables; otherwise initial letters only
    PinyinUnknown = 2,    // "?" for a character without a reading; otherwise drop it
    PinyinKeepOther = 4,  // keep characters that are not letters or digits; otherwise drop them
};

// Letters and digits are kept in upper case; a negative `flags` gives the empty text; the result
// is cut to `maxlength` characters. The windows call getpy(text, 1, 255).
QString getpy(const QString& text, int flags, int maxlength);

// The toneless syllable of one GBK code (ü written "v"), or an empty text when it has none.
QString gbkReading(unsigned char lead, unsigned char trail);
int pinyinSyllableCount();

}  // namespace mc
