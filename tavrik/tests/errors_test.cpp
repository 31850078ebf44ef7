#include "tavrik.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string text(uint8_t language, uint32_t code)
{
    TK_SetLanguage(language);
    char buf[64];
    EXPECT_EQ(TK_GetLastError(code, buf), 0);
    return buf;
}

class ErrorTexts : public testing::Test {
protected:
    void TearDown() override { TK_SetLanguage(1); }
};

TEST_F(ErrorTexts, ChineseByDefaultEnglishWithZero)
{
    EXPECT_EQ(text(1, 0), "操作成功");
    EXPECT_EQ(text(0, 0), "Operation Successful");
    EXPECT_EQ(text(7, 99), "您更改了串口，请将读写器复位");  // any nonzero byte is Chinese
    EXPECT_EQ(text(0, 19), "Address overflow");
}

TEST_F(ErrorTexts, CodeThirteenSharesEnglishButNotChineseWithOne)
{
    EXPECT_EQ(text(0, 13), text(0, 1));
    EXPECT_NE(text(1, 13), text(1, 1));
    EXPECT_EQ(text(1, 13), "读写器内未插卡");
}

TEST_F(ErrorTexts, CodesOutsideTheTableAreUndefined)
{
    for (uint32_t code : {30u, 1000u, 0x10000u}) {
        EXPECT_EQ(text(0, code), "Not definition,please look up Error lookUP") << code;
        EXPECT_EQ(text(1, code), "未定义的错误,请查看Error Lookup") << code;
    }
}

TEST_F(ErrorTexts, SetLanguageReturnsItsArgument)
{
    EXPECT_EQ(TK_SetLanguage(0), 0);
    EXPECT_EQ(TK_SetLanguage(200), 200);
}

TEST_F(ErrorTexts, NullBufferGivesParameterError)
{
    EXPECT_EQ(TK_GetLastError(0, nullptr), 29);
}

}  // namespace
