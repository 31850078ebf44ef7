#pragma once
// `checkint` and `checkfloat` on an edit box: the default text for an empty edit, the message
// and the focus for a rejected one. The rules themselves are in utils/editcheck.h.

#include <QString>

class QLineEdit;

namespace mc {

bool checkint(QLineEdit* edit, const QString& defaulttext, const QString& caption, int min, int max);
bool checkfloat(QLineEdit* edit, const QString& defaulttext, const QString& caption, double min, double max);

}  // namespace mc
