#pragma once
// The checks behind `checkint` and `checkfloat`, without widgets: what to do with the text of an
// edit box and which message to show. The widget glue lives in ui/editcheck_ui.h.

#include <QString>

namespace mc {

struct EditCheck {
    enum class Outcome {
        Accept,
        UseDefault,  // the edit is empty: put the default text into it and accept
        Reject,      // show `message` and move the focus to the edit
    };
    Outcome outcome = Outcome::Accept;
    QString message;

    bool accepted() const { return outcome != Outcome::Reject; }
};

// A whole number within [min, max]; both bounds 0 means no range check. When only one bound is
// non-zero the other, 0, still applies.
EditCheck checkIntText(const QString& text, const QString& caption, int min, int max);
// A number within [min, max], compared in single precision; bounds are shown as "0.00".
EditCheck checkFloatText(const QString& text, const QString& caption, double min, double max);

}  // namespace mc
