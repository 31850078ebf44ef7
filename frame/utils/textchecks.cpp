#include "utils/textchecks.h"

#include "utils/gbk.h"

namespace mc {

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

bool isint(const QString& text)
{
    const QString t = text.trimmed();
    return !t.isEmpty() && isdigits(t);
}

bool isnumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.count(u'-') > 1 || t.count(u'.') > 1)
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && qIsFinite(v);
}

bool isdigits(const QString& text)
{
    for (QChar c : text)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

bool isletters(const QString& text)
{
    for (QChar c : text) {
        const QChar u = c.toUpper();
        if (u < u'A' || u > u'Z')
            return false;
    }
    return true;
}

int charcount(QChar ch, const QString& text)
{
    return int(text.count(ch));
}

int showlen(const QString& text)
{
    int count = 0;
    forEachCharacter(text, [&count](QStringView c) {
        const QByteArray bytes = charToGbk(c);
        if (bytes.isEmpty()) {
            // Not a GBK character: it still shows as one unless it is blank.
            const char32_t u = c.size() == 2 ? QChar::surrogateToUcs4(c[0], c[1]) : c[0].unicode();
            count += QChar::isPrint(u) && !QChar::isSpace(u) ? 1 : 0;
            return;
        }
        const auto lead = static_cast<unsigned char>(bytes.front());
        if (bytes.size() > 1 || (lead >= 33 && lead <= 126))
            ++count;
    });
    return count;
}

}  // namespace mc
