#pragma once
// The program speaks Simplified Chinese whatever the desktop's language is: Qt's own texts
// (the standard dialog buttons) in Chinese, Chinese number and date forms, and a font whose
// shared Han characters take the Simplified Chinese forms (令, 直, 骨) rather than the Japanese.

#include <QString>

namespace mc {

// The family preferred for every window's text.
inline const QString chineseFontFamily = QStringLiteral("Noto Sans CJK SC");

// Sets the locale, installs Qt's Chinese translations and prefers the Chinese font; call once
// after the application object exists. False when Qt's translations could not be loaded (the
// buttons then stay in English).
bool useChineseLocale();

}  // namespace mc
