// Pinyin of Chinese text for the search columns.

#include "utils/gbk.h"
#include "utils/pinyin.h"

#include "qt_print.h"

#include <gtest/gtest.h>

namespace {

struct PyCase {
    const char* text;
    int flags;
    int maxlength;
    const char* expected;
};

TEST(Getpy, FlagsAndCharacterKinds)
{
    const PyCase cases[] = {
        {"中文abc", 0, 255, "ZWABC"},
        {"中文", 1, 255, "ZHONGWEN"},
        {"啊", 1, 255, "A"},
        {"绿色", 1, 255, "LVSE"},                 // ü is written v
        {"会员 卡-1", 1, 255, "HUIYUANKA1"},      // space and dash dropped
        {"会员 卡-1", 5, 255, "HUIYUAN KA-1"},    // bit 2 keeps them
        {"a☃b", 0, 255, "AB"},                    // no GBK code: unknown, dropped
        {"a☃b", 2, 255, "A?B"},                   // bit 1 writes "?"
        {"ＡｂＣ１", 0, 255, "AbC1"},             // full-width letters keep their case
        {"ＡＢ！", 0, 255, "AB"},
        {"ＡＢ！", 4, 255, "AB!"},
        {"αβΩ", 0, 255, "ABO"},                   // Greek, both cases
        {"ψφ", 1, 255, "PSPH"},
        {"①⑩", 0, 255, "110"},                    // numbered signs
        {"⑴⒛", 0, 255, "120"},
        {"中文abc", -1, 255, ""},
        {"中华人民共和国", 1, 8, "ZHONGHUA"},
        {"中华人民共和国", 0, 3, "ZHR"},
        {"", 1, 255, ""},
    };
    for (const PyCase& c : cases)
        EXPECT_EQ(mc::getpy(QString::fromUtf8(c.text), c.flags, c.maxlength), QString::fromUtf8(c.expected))
            << c.text << " flags " << c.flags;
}

TEST(Getpy, ReadingTableCoversGbk)
{
    EXPECT_EQ(mc::gbkReading(0xB0, 0xA1), "a");      // 啊
    EXPECT_EQ(mc::gbkReading(0xD6, 0xD0), "zhong");  // 中
    EXPECT_EQ(mc::gbkReading(0xCE, 0xC4), "wen");    // 文
    EXPECT_EQ(mc::gbkReading(0x80, 0x40), "");       // outside the table
    EXPECT_EQ(mc::gbkReading(0x81, 0x3F), "");
    EXPECT_EQ(mc::gbkReading(0xFE, 0xFF), "");

    // Every ideograph of GB2312 level 1 (rows B0-D7) has a reading.
    int missing = 0;
    for (int lead = 0xB0; lead <= 0xD7; ++lead)
        for (int trail = 0xA1; trail <= 0xFE; ++trail)
            if (!(lead == 0xD7 && trail > 0xF9) && mc::gbkReading(uchar(lead), uchar(trail)).isEmpty())
                ++missing;
    EXPECT_EQ(missing, 0);

    // Syllables are toneless lower-case ASCII with ü as v.
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            for (QChar c : mc::gbkReading(uchar(lead), uchar(trail)))
                ASSERT_TRUE(c >= u'a' && c <= u'z') << lead << " " << trail;
}

TEST(Gbk, CharactersOutsideGbkAreRecognised)
{
    EXPECT_EQ(mc::charToGbk(u"中"), QByteArray("\xD6\xD0"));
    EXPECT_EQ(mc::charToGbk(u"?"), QByteArray("?"));
    EXPECT_TRUE(mc::charToGbk(u"☃").isEmpty());
    EXPECT_TRUE(mc::charToGbk(QString::fromUtf8("😀")).isEmpty());  // a surrogate pair
    EXPECT_EQ(mc::getpy(QString::fromUtf8("😀中"), 3, 255), "?ZHONG");
}

}  // namespace
