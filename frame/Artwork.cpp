#include "frame/Artwork.h"

#include <QPainter>
#include <QPainterPath>

QImage StartPicture(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 100.0;
    // The document behind the shield.
    p.setPen(QPen(QColor(90, 90, 90), 1.5 * s));
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(QRectF(14 * s, 8 * s, 52 * s, 70 * s));
    p.setPen(QPen(QColor(150, 150, 150), 2 * s));
    for (int i = 0; i < 6; ++i) p.drawLine(QPointF(22 * s, (20 + i * 9) * s), QPointF(58 * s, (20 + i * 9) * s));
    // The shield.
    QPainterPath shield;
    shield.moveTo(62 * s, 28 * s);
    shield.lineTo(90 * s, 36 * s);
    shield.cubicTo(90 * s, 66 * s, 80 * s, 82 * s, 62 * s, 94 * s);
    shield.cubicTo(44 * s, 82 * s, 34 * s, 66 * s, 34 * s, 36 * s);
    shield.closeSubpath();
    QLinearGradient g(QPointF(34 * s, 28 * s), QPointF(90 * s, 94 * s));
    g.setColorAt(0, QColor(40, 90, 180));
    g.setColorAt(1, QColor(10, 40, 110));
    p.setPen(QPen(QColor(8, 30, 80), 2 * s));
    p.setBrush(g);
    p.drawPath(shield);
    // The check mark.
    p.setPen(QPen(QColor(255, 255, 255), 6 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(48 * s, 60 * s);
    tick.lineTo(58 * s, 71 * s);
    tick.lineTo(77 * s, 47 * s);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    return img;
}

QImage AboutBand(int width, int height) {
    QImage img(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    QLinearGradient g(QPointF(0, 0), QPointF(img.width(), 0));
    g.setColorAt(0, QColor(10, 40, 110));
    g.setColorAt(0.6, QColor(40, 90, 180));
    g.setColorAt(1, QColor(40, 90, 180, 0));
    p.fillRect(img.rect(), g);
    return img;
}
