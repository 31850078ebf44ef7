#include "text_metrics.h"

#include <QFontMetricsF>

#include <cmath>

namespace mc::reports {

QFont unitFont(const FontSpec& spec)
{
    QFont f(spec.family.isEmpty() ? defaultFontFamily() : spec.family);
    // One point is 25.4/72 mm.
    f.setPixelSize(std::max(1, int(std::lround(spec.size * 25.4 / 72.0 * unitsPerMm))));
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

int textFlags(HAlign h, VAlign v, bool wordWrap)
{
    int flags = h == HAlign::Left ? Qt::AlignLeft : h == HAlign::Center ? Qt::AlignHCenter : Qt::AlignRight;
    flags |= v == VAlign::Top ? Qt::AlignTop : v == VAlign::Center ? Qt::AlignVCenter : Qt::AlignBottom;
    if (wordWrap)
        flags |= Qt::TextWordWrap;
    return flags;
}

double textHeight(const FontSpec& spec, double widthMm, const QString& text, bool wordWrap)
{
    const QFontMetricsF m(unitFont(spec));
    const QRectF box(0, 0, widthMm * unitsPerMm, 1e7);
    const QRectF used = m.boundingRect(box, textFlags(HAlign::Left, VAlign::Top, wordWrap), text.isEmpty() ? QStringLiteral(" ") : text);
    return used.height() / unitsPerMm;
}

}  // namespace mc::reports
