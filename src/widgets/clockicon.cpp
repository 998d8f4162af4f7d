#include "clockicon.h"

#include <QPainter>
#include <QPen>

namespace horaloom {

QPixmap clockPixmap(int size, QColor rim)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const double s = size;
    const double rimWidth = std::max(2.0, s / 10.0);
    QRectF face(rimWidth / 2 + 0.5, rimWidth / 2 + 0.5, s - rimWidth - 1, s - rimWidth - 1);
    painter.setPen(QPen(rim, rimWidth));
    painter.setBrush(Qt::white);
    painter.drawEllipse(face);

    // Hands at ten past ten, the classic clock-face pose.
    const QPointF centre = face.center();
    QPen hand(Qt::black, std::max(1.5, s / 14.0), Qt::SolidLine, Qt::RoundCap);
    painter.setPen(hand);
    painter.drawLine(centre, centre + QPointF(-0.24 * s, -0.13 * s)); // hour hand towards 10
    painter.drawLine(centre, centre + QPointF(0.28 * s, -0.2 * s));   // minute hand towards 2
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, s / 22.0 + 0.5, s / 22.0 + 0.5);
    return pixmap;
}

QIcon clockIcon(QColor rim)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(clockPixmap(size, rim));
    }
    return icon;
}

} // namespace horaloom
