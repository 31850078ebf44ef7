#include "utils/namecode.h"

namespace mc {

QString getcode(const QString& text)
{
    // Scan from the end: the closing bracket first, then its opening bracket.
    const qsizetype close = text.lastIndexOf(u']');
    if (close < 0)
        return {};
    const qsizetype open = text.lastIndexOf(u'[', close);
    return text.mid(open + 1, close - open - 1);
}

QString getnamepart(const QString& text)
{
    const qsizetype open = text.indexOf(u'[');
    return open < 0 ? text : text.left(open);
}

QString padzero(const QString& text, int length)
{
    return text.rightJustified(length, u'0');
}

QString padspace(const QString& text, int length)
{
    return text.rightJustified(length, u' ');
}

}  // namespace mc
