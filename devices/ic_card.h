#pragma once
// Reading and writing the member data of an IC card (SLE4442) through a CardReader.
//
// Three things here differ on purpose from the plain sequence of reader calls, because each
// would otherwise destroy or corrupt real cards:
//  - a code is never presented to a card whose error counter shows one try left (the third wrong
//    code locks an SLE4442 for good), and after a failed attempt the writer waits until the card
//    is taken out before it tries again, so a retry never presents a code to the same card twice;
//  - a new card gets its data while the factory code is presented, and the system code last, so
//    an interrupted write leaves a card that is still new (or, after the code change, one this
//    session recognises and completes);
//  - values are compared as whole cents, and only values and card numbers the layout can hold
//    reach the card.

#include "card_reader.h"
#include "result.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace mc::devices {

// Runs between two polls of the reader while waiting for a card to come or go; returns false
// when the operator cancels the wait.
using WaitIdle = std::function<bool()>;

inline const QString lastTryMessage = QStringLiteral("该卡密码只剩最后一次校验机会，为防止锁卡不再校验");

// What an IC read hands back.
struct IcCardRead {
    QString cardNumber;  // ten characters
    QString balance;     // "0.00"
};

// The card-number dialog's IC read: open, test, wait for a card, verify, read number and value.
// A refusal's message is shown by the caller when not empty (a cancelled wait has none).
Result<IcCardRead> readIcCard(CardReader& reader, int port, const std::array<quint8, 3>& psc, const WaitIdle& idle);

struct IcCardData {
    bool newCard = false;
    bool writeClassAndExpiry = false;
    QString cardNumber;  // ten decimal digits
    QString kindText;    // "计次卡", "折扣卡" or "储值卡"
    QString classCode;
    double value = 0;    // balance, or remaining uses of a count card
    QString expiryText;  // "a" or "b" + "yyyy-mm-dd"
};

// Whether the data can go on a card at all; refused with the reason.
Done checkIcData(const IcCardData& data);

class IcCardWriter {
public:
    struct Hooks {
        WaitIdle idle;
        std::function<void(const QString&)> message;  // a message box
        std::function<void(const QString&)> prompt;   // the window's label
    };

    IcCardWriter(CardReader& reader, int port, const std::array<quint8, 3>& psc, IcCardData data);

    // Writes and verifies, retrying on card problems until it succeeds or the operator cancels.
    // True when the card holds the data.
    bool run(const Hooks& hooks);

private:
    struct Attempt;
    Attempt attempt(const Hooks& hooks);
    // The retry to make when the card does not accept `code`; nothing when it does.
    std::optional<Attempt> presentOrRetry(const std::array<quint8, 3>& code, const QString& refusedMessage,
                                          const QString& prompt);
    Attempt writeNew();
    Attempt writeExisting();
    Attempt writeFields(bool classAndExpiry, const QString& valuePrompt);
    Attempt verifyWritten();

    CardReader& reader_;
    int port_;
    std::array<quint8, 3> psc_;
    IcCardData data_;
    // The code the card being issued holds, once this session has tried to change it: the
    // system code, or the factory code after the card refused that (a change cut short may or
    // may not have taken). A retry then completes that card instead of refusing it as "not new",
    // and never presents it a code it has refused.
    std::optional<std::array<quint8, 3>> issuedCode_;
};

}  // namespace mc::devices
