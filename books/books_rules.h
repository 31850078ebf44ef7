#pragma once
// What each journal kind moves. This is the one place a new journal kind gets its rule; the
// project README lists the rules in words.

#include "utils/money.h"

#include <QString>

namespace mc::books {

// One settled, unvoided row of the member account journal (memberxx).
struct JournalRow {
    QString zmfs;  // kind
    QString jkfs;  // payment account or way
    QString zkfs;  // discount mode text of a consumption
    Money ckje;    // credited: money, or uses on count-card kinds
    Money xfje;    // taken: money, or uses on count-card kinds
    Money zkhje;   // discount of the voucher
    Money bcdkje;  // saved discount deducted this time
};

// What a member row should hold after its journal rows, applied in the order they were written.
struct MemberFigures {
    Money money;   // curmoney
    Money uses;    // curcs, whole numbers
    Money credit;  // syyhje
};

// Applies one row; false when the kind has no rule (the check then reports the kind).
bool applyJournalRow(MemberFigures& figures, const JournalRow& row);

// A points log row (memberjf) moves the member's points by hdjf − kcjf.
inline Money pointsMoved(Money hdjf, Money kcjf) { return hdjf - kcjf; }
// An operator ledger row (actormoney) moves its account by skje − zcje.
inline Money accountMoved(Money skje, Money zcje) { return skje - zcje; }
// A stock movement (kccl) moves its goods by jhsl − thsl − xssl, whatever its kind: every kind
// fills the quantity column of its direction (a voided sale a negative xssl).
inline Money stockMoved(Money jhsl, Money thsl, Money xssl) { return jhsl - thsl - xssl; }

}  // namespace mc::books
