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

namespace {

constexpr double paddingXMm = 1.0;
constexpr double paddingYMm = 0.3;
// Below two thirds of its size, or 5 points, a shrunk text is no longer comfortable to read;
// what still does not fit is cut at the object's edge.
constexpr double smallestShare = 2.0 / 3.0;
constexpr double smallestPoints = 5.0;

double widestLine(const FontStyle& style, const QString& text)
{
    const Metrics& m = metricsFor(style);
    double widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, m.metrics.horizontalAdvance(line));
    return widest / unitsPerMm;
}

bool fits(const FontStyle& style, const QRectF& objectMm, int frame, const QString& text, bool wordWrap)
{
    const QRectF area = textArea(objectMm, frame);
    // The last hundredth of a millimetre is measuring noise, not overflow.
    constexpr double slack = 0.01;
    if (!wordWrap && widestLine(style, text) > area.width() + slack)
        return false;
    return framedHeight(style, objectMm, frame, text, wordWrap) <= objectMm.height() + slack;
}

}  // namespace

QRectF textArea(const QRectF& objectMm, int frame)
{
    if (!frame)
        return objectMm;
    return objectMm.adjusted(paddingXMm, paddingYMm, -paddingXMm, -paddingYMm);
}

double framedHeight(const FontStyle& style, const QRectF& objectMm, int frame, const QString& text, bool wordWrap)
{
    const QRectF area = textArea(objectMm, frame);
    return textHeight(style, area.width(), text, wordWrap) + (objectMm.height() - area.height());
}

FontStyle fittingFont(const FontStyle& style, const QRectF& objectMm, int frame, const QString& text, bool wordWrap)
{
    if (text.isEmpty() || fits(style, objectMm, frame, text, wordWrap))
        return style;
    const double smallest = std::max(smallestPoints, style.size * smallestShare);
    FontStyle smaller = style;
    while (smaller.size - 0.5 >= smallest) {
        smaller.size -= 0.5;
        if (fits(smaller, objectMm, frame, text, wordWrap))
            return smaller;
    }
    smaller.size = std::min(style.size, smallest);
    return smaller;
}

}  // namespace mc::reports
