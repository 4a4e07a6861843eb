// The window's icon, painted at any size.
#include "ui/WindowIcon.h"

#include <QPainter>

QImage PaintWindowIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Drawn on a 16-unit grid, so every size shows the same picture.
    painter.scale(size / 16.0, size / 16.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3A, 0x4A, 0x7A)); // screen frame
    painter.drawRect(QRectF(0, 1, 16, 12));
    painter.setBrush(Qt::black); // letterbox bars
    painter.drawRect(QRectF(1, 2, 14, 10));
    painter.setBrush(QColor(0x6F, 0xB4, 0xE8)); // the picture
    painter.drawRect(QRectF(1, 4, 14, 6));
    painter.setBrush(QColor(0xF2, 0xC1, 0x4E));
    painter.drawEllipse(QRectF(10, 4.75, 3, 3));
    painter.setBrush(QColor(0x4E, 0x9A, 0x52));
    painter.drawPolygon(QPolygonF({{1, 10}, {5, 6}, {9, 10}}));
    painter.setBrush(QColor(0x3A, 0x4A, 0x7A)); // stand
    painter.drawRect(QRectF(6, 13, 4, 1.5));
    painter.drawRect(QRectF(4, 14.5, 8, 1.5));
    return image;
}
