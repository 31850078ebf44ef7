// Error texts of the status codes, Chinese or English by the language byte.
#include "state.h"
#include "tavrik.h"
#include "velsor/binding.h"

#include <cstring>

namespace {

struct ErrorText {
    std::uint32_t code;
    const char *chinese;
    const char *english;
};

constexpr ErrorText kTexts[] = {
    {0, "操作成功", "Operation Successful"},
    {1, "读写器内没插卡", "No card exists in R/W device"},
    {2, "无法自动识别该卡", "Card can't be auto-detected"},
    {3, "串口发送数据错误", "Wrong to send data"},
    {4, "初始化串口失败", "Wrong to initialize the serial port"},
    {5, "串口通讯发生错误", "Wrong to send or recive data"},
    {6, "读卡操作失败", "Failed to  read card "},
    {7, "写卡操作失败", "Failed to  write card "},
    {8, "串口接收错误", "Failed to  send or recive data "},
    {9, "卡类型错误", "Wrong card type selected"},
    {10, "串口或读卡器初始化失败", "COM port or reader has not been initialized"},
    {11, "打开卡操作失败", "Failed to open card"},
    {12, "卡片密码错误", "Wrong of the password"},
    {13, "读写器内未插卡", "No card exists in R/W device"},
    {14, "函数参数不合法", "Invalid parameter"},
    {15, "修改密码操作失败", "Failed to modify password"},
    {16, "读密码错误计数失败", "Failed to Read the Count of Wrong Password"},
    {17, "读保护区数据失败", "Failed to read protected sector"},
    {18, "波特率设置错误", "Wrong baud-rate"},
    {19, "地址长度溢出", "Address overflow"},
    {20, "认证错误或天线感应不到卡", "Failed to authenticated or found card"},
    {21, "密码下载错误", "Failed to download password"},
    {22, "认证密码错误", "Failed to authenticated password"},
    {23, "防碰撞机制失败", "Bad security code or password"},
    {24, "值初始化操作失败", "Failed of initialize value "},
    {25, "读写器不支持此种波特率", "This baus-rate don't support"},
    {26, "该地址不是值存储区", "This address isn't value sector"},
    {27, "天线内感应不到卡或串口通讯错误", "Can't found card or Wrong to send or recive data"},
    {28, "选择的卡类型错误", "The Card type is error"},
    {29, "无效的参数", "Parameter is error"},
    {31, "重复初始化串口错误", "Serial port has been initialize"},
    {32, "自动测卡失败", "Faile to auto-detect"},
    {33, "读密码操作失败", "Fail to read password"},
    {34, "不支持该操作", "Don't support"},
    {35, "非用户区不能做写操作", "Don't support Writting in ontrol section"},
    {36, "认证卡操作失败", "Failed to  authentication card"},
    {48, "串口通讯发生错误", "Any problem during communication through serial port"},
    {50, "打开驱动程序失败", "Failed to open USB driver"},
    // The English text of 95 is ours: the Chinese one says networking is not in this version.
    {95, "当前版本不支持网络功能", "This version doesn't support network function"},
    {96, "内存溢出或无效指针", "memory overflowed "},
    {97, "网络功能不存在", "Not exists appointed network function"},
    {98, "连接主机已被关闭", "Remote machine has been closed"},
    {99, "您更改了串口，请将读写器复位", "Reset the reader please"},
};

constexpr ErrorText kUndefined = {0, "未定义的错误,请查看Error Lookup",
                                  "Not definition,please look up Error lookUP"};

const ErrorText &lookup(std::uint32_t code)
{
    for (const auto &t : kTexts)
        if (t.code == code) return t;
    return kUndefined;
}

// English texts of Velsor's own codes, for a reader that Velsor drives.
struct VelsorText {
    std::uint32_t first, last;
    const char *english;
};

constexpr VelsorText kVelsorTexts[] = {
    {0, 0, "The operation completed successfully"},
    {1, 1, "No tag in the operating area"},
    {2, 2, "Wrong CRC received from the card"},
    {3, 3, "Value overflow"},
    {4, 4, "No authentication possible"},
    {5, 5, "Wrong PARITY received from the card"},
    {6, 6, "This address isn't value sector"},
    {7, 7, "Not definition"},
    {8, 8, "Wrong serial number read during Anticoll"},
    {9, 9, "Not definition"},
    {10, 10, "Card is not authenticated"},
    {11, 12, "Wrong number of bits received from the card"},
    {13, 13, "Problem occurs during the Write function"},
    {14, 14, "Problem occurs during the Transfer function"},
    {15, 15, "Problem occurs during the Write function"},
    {16, 16, "Problem occurs during the Increment function"},
    {17, 17, "Problem occurs during the Decrement function"},
    {18, 18, "Problem occurs during the Read function"},
    {19, 20, "Previously sent command interrupted"},
    {21, 21, "The block is invalid for value operation"},
    {32, 32, "Method not supported by reader"},
    {33, 33, "Invalid parameter"},
    {34, 34, "Failed to initialize serial port"},
    {35, 35, "Failed to close serial port"},
    {36, 37, "Failed to get the state of serial port"},
    {38, 38, "Failed to create thread"},
    {39, 39, "Failed to create event"},
    {40, 40, "Failed to send data through serial port"},
    {41, 41, "Failed to receive data from serial port"},
    {42, 42, "Failed to allocate memory"},
    {43, 43, "Failed to free memory"},
    {44, 44, "Trying to open the COM port while it is opened"},
    {45, 45, "Serial port has not been initialized"},
    {46, 46, "VLS_NoDeviceFound 0x002e No reader linked to the serial port"},
    {48, 48, "There is no card in the reader"},
    {49, 49, "The card can not be identified by reader"},
    {50, 50, "VLS_InvalidCardType 0x0032 Wrong card type selected"},
    {51, 51, "Address overflow"},
    {52, 52, "Length overflow"},
    {53, 53, "Invalid zone number or page number"},
    {54, 54, "Either address or length is invalid"},
    {55, 55, "Invalid index"},
    {56, 56, "Bad security code or password"},
    {57, 57, "Authentication failed"},
    {58, 58, "The card has not been powered"},
    {59, 59, "No Answer-To-Reset received"},
    {60, 60, "Any problem in Answer-To-Reset according to ISO 7816"},
    {61, 61, "Reader does not support the protocol"},
    {62, 62, "Invalid APDU length"},
    {63, 63, "Invalid APDU format"},
};

const char *velsorEnglish(std::uint32_t code)
{
    for (const auto &t : kVelsorTexts)
        if (code >= t.first && code <= t.last) return t.english;
    return "Any problem during communication through serial port";
}

void copyText(char *text, const char *s)
{
    // The caller promises 64 bytes: at most 63 characters and the terminator reach it.
    std::strncpy(text, s, 63);
    text[63] = '\0';
}

}  // namespace

extern "C" TK_API uint8_t TK_SetLanguage(uint8_t language)
{
    tavrik::state().language = language;
    return language;
}

extern "C" TK_API TK_STATUS TK_GetLastError(uint32_t code, char *text)
{
    if (!text) return 29;
    const auto &s = tavrik::state();
    const ErrorText &t = lookup(code);
    if (s.link != tavrik::LinkKind::Velsor || code == 99) {
        copyText(text, s.language ? t.chinese : t.english);
        return 0;
    }
    if (!s.language) {
        copyText(text, velsorEnglish(code));
        return 0;
    }
    // Velsor's text may be of any length: it lands in a buffer of ours first.
    char own[1024] = {};
    if (tavrik::velsor::call<104>(static_cast<std::uint16_t>(code), own) != 0) {
        copyText(text, t.chinese);
        return 0;
    }
    own[sizeof own - 1] = '\0';
    copyText(text, own);
    return 0;
}
