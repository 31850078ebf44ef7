#pragma once
// The program's texts are GBK where bytes matter (lengths, pinyin, passwords).

#include <QByteArray>
#include <QString>

namespace mc {

// GBK bytes of the whole text; characters GBK cannot hold become "?".
QByteArray toGbk(const QString& text);
QString fromGbk(const QByteArray& bytes);

// GBK bytes of one character (a surrogate pair counts as one); empty when GBK cannot hold it.
QByteArray charToGbk(QStringView character);

// Calls f(QStringView character) for every character, keeping surrogate pairs together.
template <typename F>
void forEachCharacter(const QString& text, F f)
{
    for (qsizetype i = 0; i < text.size();) {
        qsizetype n = (text.at(i).isHighSurrogate() && i + 1 < text.size()
                       && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        f(QStringView(text).mid(i, n));
        i += n;
    }
}

}  // namespace mc
