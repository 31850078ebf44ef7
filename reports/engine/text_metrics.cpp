#include "text_metrics.h"

#include <QFontMetricsF>
#include <QHash>

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

namespace {

struct Metrics {
    QFontMetricsF metrics;
    double lineHeight;  // of one line, as boundingRect measures it
};

// Building font metrics is the costly part of measuring; a report uses a handful of fonts.
const Metrics& metricsFor(const FontSpec& spec)
{
    thread_local QHash<QString, Metrics> cache;
    const QString key = spec.family + u'|' + QString::number(spec.size) + u'|' + QString::number(spec.bold) +
                        QString::number(spec.italic) + QString::number(spec.underline);
    auto it = cache.find(key);
    if (it == cache.end()) {
        const QFontMetricsF m(unitFont(spec));
        const double line = m.boundingRect(QRectF(0, 0, 1e7, 1e7), Qt::AlignLeft | Qt::AlignTop, QStringLiteral(" ")).height();
        it = cache.insert(key, Metrics{m, line});
    }
    return *it;
}

}  // namespace

double textHeight(const FontSpec& spec, double widthMm, const QString& text, bool wordWrap)
{
    const Metrics& m = metricsFor(spec);
    const double width = widthMm * unitsPerMm;
    // Most texts are one short line: no need for the full line-breaking measure.
    if (!text.contains(u'\n') && (!wordWrap || m.metrics.horizontalAdvance(text) <= width))
        return m.lineHeight / unitsPerMm;
    const QRectF used = m.metrics.boundingRect(QRectF(0, 0, width, 1e7), textFlags(HAlign::Left, VAlign::Top, wordWrap), text);
    return used.height() / unitsPerMm;
}

}  // namespace mc::reports
