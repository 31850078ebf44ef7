#pragma once
// Scrambling of stored passwords (member passwords, the reader password, the SMS gateway
// password). Checks compare the `encodepwd` forms of the typed and the stored text.
//
// The stored form is hexadecimal text, so it never holds NUL or invalid UTF-8 and both database
// engines keep it as ordinary text. Every byte of the GBK text takes part, and `decodepwd`
// undoes `encodepwd` exactly.

#include <QByteArray>
#include <QString>

namespace mc {

QString encodepwd(const QString& text);
// The text behind a stored form; empty for a text that is not a stored form.
QString decodepwd(const QString& stored);

// The byte-level pair under the two functions above.
QByteArray scrambleBytes(const QByteArray& plain);
// Returns false, leaving `plain` empty, when `scrambled` is not a form made by scrambleBytes.
bool unscrambleBytes(const QByteArray& scrambled, QByteArray& plain);

}  // namespace mc
