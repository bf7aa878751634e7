#include "viewer/ToolbarPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace sorvane {
namespace {

const QColor Ink(31, 95, 168);    // navigation arrows
const QColor Frame(70, 70, 70);   // options, slideshow frame
const QColor Stop(192, 57, 43);   // close
const QColor Play(46, 139, 62);   // slideshow stopped
const QColor Pause(214, 120, 20); // slideshow running

void Triangle(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& colour) {
    QPainterPath path(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    p.fillPath(path, colour);
}

// An arrow pointing left (-1) or right (+1), with a bar at its tip for the
// first and last file.
void Arrow(QPainter& p, int direction, bool bar) {
    const double tip = direction < 0 ? 4 : 12;
    const double back = direction < 0 ? 11 : 5;
    const double shift = bar ? -2 * direction : 0; // room for the bar
    Triangle(p, {back + shift, 3}, {back + shift, 13}, {tip + shift, 8}, Ink);
    if (bar)
        p.fillRect(QRectF(direction < 0 ? 3 : 11, 3, 2, 10), Ink);
}

void Options(QPainter& p) {
    p.setPen(QPen(Frame, 1.5, Qt::SolidLine, Qt::RoundCap));
    const double knobs[] = {10, 5, 8};
    for (int i = 0; i < 3; ++i) {
        const double y = 3.5 + 4.5 * i;
        p.drawLine(QPointF(2, y), QPointF(14, y));
        p.fillRect(QRectF(knobs[i] - 1.5, y - 2, 3, 4), Frame);
    }
}

void Close(QPainter& p) {
    p.setPen(QPen(Stop, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

// A screen with a play mark, or with a pause mark while the slideshow runs.
void Slideshow(QPainter& p, bool running) {
    p.setPen(QPen(Frame, 1));
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.5, 1.5);
    if (running) {
        p.fillRect(QRectF(5.5, 5, 2, 6), Pause);
        p.fillRect(QRectF(8.5, 5, 2, 6), Pause);
    } else {
        Triangle(p, {6, 4.5}, {6, 11.5}, {11.5, 8}, Play);
    }
}

void Draw(QPainter& p, int number) {
    switch (number) {
    case 1:
        return Options(p);
    case 2:
        return Close(p);
    case 3:
        return Arrow(p, -1, true);
    case 4:
        return Arrow(p, -1, false);
    case 5:
        return Slideshow(p, false);
    case 6:
        return Arrow(p, +1, false);
    case 7:
        return Arrow(p, +1, true);
    case 8:
        return Slideshow(p, true);
    }
}

QPixmap Render(int number, int scale) {
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    Draw(painter, number);
    painter.end();
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

} // namespace

QIcon ToolbarPicture(int number) {
    QIcon icon;
    if (number < 1 || number > 8)
        return icon;
    icon.addPixmap(Render(number, 1));
    icon.addPixmap(Render(number, 2));
    return icon;
}

} // namespace sorvane
