#include "text_metrics.h"

#include <QFontMetricsF>
#include <QHash>

#include <cmath>

namespace mc::reports {

QFont unitFont(const FontStyle& style)
{
    QFont f(style.family.isEmpty() ? defaultFontFamily() : style.family);
    // One point is 25.4/72 mm.
    f.setPixelSize(std::max(1, int(std::lround(style.size * 25.4 / 72.0 * unitsPerMm))));
    f.setBold(style.bold);
    f.setItalic(style.italic);
    f.setUnderline(style.underline);
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

namespace {

struct Metrics {
    QFontMetricsF metrics;
    double lineHeight;  // of one line, as boundingRect measures it
};

// Building font metrics is the costly part of measuring; a report uses a handful of fonts.
const Metrics& metricsFor(const FontStyle& style)
{
    thread_local QHash<QString, Metrics> cache;
    const QString key = style.family + u'|' + QString::number(style.size) + u'|' + QString::number(style.bold) +
                        QString::number(style.italic) + QString::number(style.underline);
    auto it = cache.find(key);
    if (it == cache.end()) {
        const QFontMetricsF m(unitFont(style));
        const double line = m.boundingRect(QRectF(0, 0, 1e7, 1e7), Qt::AlignLeft | Qt::AlignTop, QStringLiteral(" ")).height();
        it = cache.insert(key, Metrics{m, line});
    }
    return *it;
}

}  // namespace

double textHeight(const FontStyle& style, double widthMm, const QString& text, bool wordWrap)
{
    const Metrics& m = metricsFor(style);
    const double width = widthMm * unitsPerMm;
    // Most texts are one short line: no need for the full line-breaking measure.
    if (!text.contains(u'\n') && (!wordWrap || m.metrics.horizontalAdvance(text) <= width))
        return m.lineHeight / unitsPerMm;
    const QRectF used = m.metrics.boundingRect(QRectF(0, 0, width, 1e7), textFlags(HAlign::Left, VAlign::Top, wordWrap), text);
    return used.height() / unitsPerMm;
}

}  // namespace mc::reports
