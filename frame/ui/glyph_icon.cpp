#include "glyph_icon.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace mc {

QIcon glyphIcon(const QString& glyph, const QColor& tile, int size)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        const int px = size * scale;
        QPixmap pixmap(px, px);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient fill(0, 0, 0, px);
        fill.setColorAt(0, tile.lighter(125));
        fill.setColorAt(1, tile.darker(115));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        const qreal margin = px * 0.06;
        p.drawRoundedRect(QRectF(margin, margin, px - 2 * margin, px - 2 * margin), px * 0.18, px * 0.18);
        QFont font;
        font.setPixelSize(qRound(px * 0.56));
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, px, px), Qt::AlignCenter, glyph);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon programIcon()
{
    return glyphIcon(QStringLiteral("会"), QColor(0x15, 0x65, 0xc0), 48);
}

}  // namespace mc
