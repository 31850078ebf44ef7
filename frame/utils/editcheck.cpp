#include "utils/editcheck.h"

#include "utils/decimaltext.h"

#include <QtMath>

namespace mc {

namespace {

EditCheck reject(const QString& message) { return {EditCheck::Outcome::Reject, message}; }

template <typename T>
EditCheck checkRange(T value, T min, T max, const QString& caption, const QString& minText,
                     const QString& maxText)
{
    if (min == 0 && max == 0)
        return {};
    if (value < min)
        return reject(caption + QStringLiteral("的数值不应小于") + minText);
    if (value > max)
        return reject(caption + QStringLiteral("的数值不应大于") + maxText);
    return {};
}

}  // namespace

EditCheck checkIntText(const QString& text, const QString& caption, int min, int max)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {EditCheck::Outcome::UseDefault, {}};
    bool ok = false;
    const int value = t.toInt(&ok);
    if (!ok)
        return reject(caption + QStringLiteral("录入错误"));
    return checkRange(value, min, max, caption, QString::number(min), QString::number(max));
}

EditCheck checkFloatText(const QString& text, const QString& caption, double min, double max)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {EditCheck::Outcome::UseDefault, {}};
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !qIsFinite(value))
        return reject(caption + QStringLiteral("录入错误"));
    return checkRange(static_cast<float>(value), static_cast<float>(min), static_cast<float>(max),
                      caption, fixedText(min, 2), fixedText(max, 2));
}

}  // namespace mc
