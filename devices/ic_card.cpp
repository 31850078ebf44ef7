#include "ic_card.h"

#include "card_layout.h"
#include "reader_settings.h"

#include <bit>

namespace mc::devices {

namespace {

constexpr int kBaud = 115200;

const QString newCardPrompt = QStringLiteral("请放入另外一张新卡，继续...");
const QString rightCardPrompt = QStringLiteral("请放入正确的会员卡，继续...");
const QString replacePrompt = QStringLiteral("请重新放置，将继续写入...");
const QString notNewMessage = QStringLiteral("该卡不是一个新卡，无法使用");

// Polls until a card is (or, with `present` false, is no longer) in the reader.
bool waitForCard(CardReader& reader, bool present, const WaitIdle& idle)
{
    while ((reader.testCard() == 0) != present)
        if (!idle())
            return false;
    return true;
}

void closeAll(CardReader& reader)
{
    reader.light(0);
    reader.closeCard();
    reader.closePort();
    reader.light(1);
}

enum class Verify { Accepted, Refused, LastTry };

// Presents `code` unless the card's error counter shows a single try left.
Verify presentCode(CardReader& reader, const std::array<quint8, 3>& code)
{
    quint8 counter = 0;
    if (reader.errorCounter(counter) == 0 && std::popcount(unsigned(counter & 0x07)) <= 1)
        return Verify::LastTry;
    return reader.verify(code) == 0 ? Verify::Accepted : Verify::Refused;
}

}  // namespace

Result<IcCardRead> readIcCard(CardReader& reader, int port, const std::array<quint8, 3>& psc, const WaitIdle& idle)
{
    const auto fail = [&reader](const QString& message) {
        closeAll(reader);
        return Result<IcCardRead>::failure(message);
    };
    if (reader.openPort(port, kBaud) != 0)
        return Result<IcCardRead>::failure(QStringLiteral("打开串口错误"));
    if (reader.testDevice() != 0) {
        reader.closePort();
        return Result<IcCardRead>::failure(QStringLiteral("未连接读卡器"));
    }
    if (!waitForCard(reader, true, idle)) {
        reader.closePort();
        return Result<IcCardRead>::failure({});  // cancelled: nothing to say
    }
    if (reader.openCard() != 0) {
        reader.closePort();
        return Result<IcCardRead>::failure(QStringLiteral("卡片加电失败"));
    }
    reader.light(1);
    switch (presentCode(reader, psc)) {
    case Verify::LastTry:
        return fail(lastTryMessage);
    case Verify::Refused:
        return fail(QStringLiteral("卡片密码校验错误"));
    case Verify::Accepted:
        break;
    }
    reader.light(2);
    QString number, value;
    if (reader.readHex(address::cardNumber, cardNumberBytes, number) != 0)
        return fail(QStringLiteral("卡片读卡号错误"));
    if (reader.readHex(address::value, valueBytes, value) != 0)
        return fail(QStringLiteral("卡片读余额错误"));
    const auto cents = valueCents(value);
    if (!cents)
        return fail({});
    closeAll(reader);
    return Result<IcCardRead>::success({number, centsText(*cents)});
}

Done checkIcData(const IcCardData& data)
{
    if (!isCardNumber(data.cardNumber))
        return Done::failure(QStringLiteral("IC卡卡号必须是10位数字，无法写入"));
    if (!valueDigits(data.value))
        return Done::failure(QStringLiteral("金额超出IC卡可以存放的范围(0至99999999.99)，无法写入"));
    if (!classCodeHex(data.classCode))
        return Done::failure(QStringLiteral("卡类型编号必须是数字，无法写入IC卡"));
    return Done::success();
}

struct IcCardWriter::Attempt {
    enum class Kind { Done, Retry, Cancel } kind = Kind::Done;
    QString message;
    QString prompt;

    static Attempt done() { return {}; }
    static Attempt retry(const QString& message, const QString& prompt) { return {Kind::Retry, message, prompt}; }
    static Attempt cancel(const QString& message) { return {Kind::Cancel, message, {}}; }
};

IcCardWriter::IcCardWriter(CardReader& reader, int port, const std::array<quint8, 3>& psc, IcCardData data)
    : reader_(reader), port_(port), psc_(psc), data_(std::move(data))
{
}

bool IcCardWriter::run(const Hooks& hooks)
{
    if (const Done checked = checkIcData(data_); !checked) {
        hooks.message(checked.message);
        return false;
    }
    for (;;) {
        const Attempt a = attempt(hooks);
        if (a.kind == Attempt::Kind::Done)
            return true;
        if (!a.message.isEmpty())
            hooks.message(a.message);
        if (a.kind == Attempt::Kind::Cancel)
            return false;
        // Retry: the same card is never tried twice in a row; wait until it is taken out.
        reader_.light(0);
        reader_.closeCard();
        hooks.prompt(a.prompt);
        const bool removed = waitForCard(reader_, false, hooks.idle);
        reader_.closePort();
        reader_.light(1);
        if (!removed)
            return false;
    }
}

IcCardWriter::Attempt IcCardWriter::attempt(const Hooks& hooks)
{
    if (reader_.openPort(port_, kBaud) != 0)
        return Attempt::cancel(QStringLiteral("打开串口错误"));
    if (reader_.testDevice() != 0) {
        reader_.closePort();
        return Attempt::cancel(QStringLiteral("未连接读卡器"));
    }
    if (!waitForCard(reader_, true, hooks.idle)) {
        reader_.closePort();
        return Attempt::cancel({});
    }
    hooks.prompt(QStringLiteral("正在写卡，请稍候..."));
    if (reader_.openCard() != 0)
        return Attempt::retry(QStringLiteral("无法使用这张卡，请放入另外一张新卡"), newCardPrompt);
    Attempt a = data_.newCard ? writeNew() : writeExisting();
    if (a.kind != Attempt::Kind::Done)
        return a;
    hooks.prompt(QStringLiteral("正在验证写卡信息..."));
    a = verifyWritten();
    if (a.kind != Attempt::Kind::Done)
        return a;
    reader_.light(0);
    if (reader_.closeCard() != 0) {
        reader_.closePort();
        return Attempt::cancel(QStringLiteral("关闭写卡失败"));
    }
    reader_.closePort();
    reader_.light(1);
    return Attempt::done();
}

std::optional<IcCardWriter::Attempt> IcCardWriter::presentOrRetry(const std::array<quint8, 3>& code,
                                                                  const QString& refusedMessage,
                                                                  const QString& prompt)
{
    switch (presentCode(reader_, code)) {
    case Verify::LastTry:
        return Attempt::retry(lastTryMessage, prompt);
    case Verify::Refused:
        return Attempt::retry(refusedMessage, prompt);
    case Verify::Accepted:
        break;
    }
    return std::nullopt;
}

IcCardWriter::Attempt IcCardWriter::writeNew()
{
    // A card whose code change this session has tried is recognised by its number, which an
    // SLE4442 shows without a code, and completed.
    QString number;
    const bool resumed = issuedCode_ && reader_.readHex(address::cardNumber, cardNumberBytes, number) == 0
                         && number == data_.cardNumber;
    const std::array<quint8, 3> code = resumed ? *issuedCode_ : factoryPsc;
    if (auto refused = presentOrRetry(code, notNewMessage, newCardPrompt)) {
        if (resumed)
            issuedCode_ = code == psc_ ? factoryPsc : psc_;
        return *refused;
    }
    if (code == psc_)
        return writeFields(true, newCardPrompt);
    if (reader_.writeHex(address::cardNumber, cardNumberBytes, data_.cardNumber) != 0)
        return Attempt::retry(QStringLiteral("写卡卡号失败"), newCardPrompt);
    if (reader_.writeHex(address::kind, 1, kindHex(data_.kindText)) != 0)
        return Attempt::retry(QStringLiteral("写卡大类失败"), newCardPrompt);
    Attempt a = writeFields(true, newCardPrompt);
    if (a.kind != Attempt::Kind::Done)
        return a;
    // The system code goes on last, once the card holds all its data. A change that reports a
    // failure may still have taken, so the card counts as changed from here on.
    issuedCode_ = psc_;
    if (reader_.changePsc(psc_) != 0)
        return Attempt::retry(QStringLiteral("更换密码错误，无法使用"), newCardPrompt);
    return Attempt::done();
}

IcCardWriter::Attempt IcCardWriter::writeExisting()
{
    if (auto refused = presentOrRetry(psc_, QStringLiteral("该卡密码校验错误，无法使用"), rightCardPrompt))
        return *refused;
    reader_.light(2);
    QString number;
    if (reader_.readHex(address::cardNumber, cardNumberBytes, number) != 0)
        return Attempt::retry(QStringLiteral("卡片读卡号错误"), QStringLiteral("请放入另外一张卡，继续..."));
    if (number != data_.cardNumber)
        return Attempt::retry(QStringLiteral("该卡卡号和要写入的会员卡号不一致"), rightCardPrompt);
    return writeFields(data_.writeClassAndExpiry, replacePrompt);
}

IcCardWriter::Attempt IcCardWriter::writeFields(bool classAndExpiry, const QString& valuePrompt)
{
    if (classAndExpiry) {
        if (reader_.writeHex(address::classCode, classCodeBytes, *classCodeHex(data_.classCode)) != 0)
            return Attempt::retry(QStringLiteral("写卡类型失败"), newCardPrompt);
        if (reader_.writeHex(address::expiry, expiryBytes, expiryHex(data_.expiryText)) != 0)
            return Attempt::retry(QStringLiteral("写到期日期失败"), newCardPrompt);
    }
    if (reader_.writeHex(address::value, valueBytes, *valueDigits(data_.value)) != 0)
        return Attempt::retry(QStringLiteral("写卡余额失败"), valuePrompt);
    return Attempt::done();
}

IcCardWriter::Attempt IcCardWriter::verifyWritten()
{
    const QString prompt = data_.newCard ? newCardPrompt : replacePrompt;
    reader_.light(1);
    if (auto refused = presentOrRetry(psc_, QStringLiteral("卡片密码校验错误"), prompt)) {
        if (data_.newCard)  // the code change did not take after all
            issuedCode_ = factoryPsc;
        return *refused;
    }
    reader_.light(2);
    QString number, value;
    if (reader_.readHex(address::cardNumber, cardNumberBytes, number) != 0)
        return Attempt::retry(QStringLiteral("卡片读卡号错误"), prompt);
    if (number != data_.cardNumber)
        return Attempt::retry(QStringLiteral("卡号验证错误"), prompt);
    if (reader_.readHex(address::value, valueBytes, value) != 0)
        return Attempt::retry({}, prompt);
    const auto cents = valueCents(value);
    if (!cents)
        return Attempt::retry(QStringLiteral("卡片读余额转换类型错误"), prompt);
    if (*cents != valueCents(*valueDigits(data_.value)))
        return Attempt::retry(QStringLiteral("卡片余额校验错误"), prompt);
    return Attempt::done();
}

}  // namespace mc::devices
