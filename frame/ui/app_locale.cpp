#include "app_locale.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace mc {

bool useChineseLocale()
{
    const QLocale chinese(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
    QLocale::setDefault(chinese);

    // Parented to the application so it lives as long as the texts it translates.
    auto* translator = new QTranslator(qApp);
    const bool loaded = translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QCoreApplication::installTranslator(translator);
    else
        delete translator;

    // The named family comes first; the desktop's own font still serves what it lacks.
    QFont font = QApplication::font();
    QStringList families = font.families();
    if (families.isEmpty())
        families << font.family();
    families.removeAll(chineseFontFamily);
    families.prepend(chineseFontFamily);
    font.setFamilies(families);
    QApplication::setFont(font);
    return loaded;
}

}  // namespace mc
