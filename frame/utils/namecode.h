#pragma once
// Texts of the form name[code] and left padding.

#include <QString>

namespace mc {

// The characters between the last "[" and the "]" after it; empty without a "]".
QString getcode(const QString& text);
// The characters before the first "["; the whole text when there is none.
QString getnamepart(const QString& text);
// Left-pad to `length` characters; a text already that long is returned unchanged.
QString padzero(const QString& text, int length);
QString padspace(const QString& text, int length);

}  // namespace mc
