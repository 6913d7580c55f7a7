#include "paper/PaperMarks.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace dorvel {

namespace {

// Drawn large: they are scaled down to a few millimetres on the page.
constexpr int kBoxSide = 200;

QImage boxImage(bool ticked)
{
    QImage image(kBoxSide, kBoxSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 12));
    p.drawRect(QRectF(20, 20, kBoxSide - 40, kBoxSide - 40));
    if (ticked) {
        QPainterPath tick;
        tick.moveTo(45, 105);
        tick.lineTo(85, 150);
        tick.lineTo(160, 45);
        p.setPen(QPen(Qt::black, 24, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    }
    return image;
}

}  // namespace

QImage EmptyBoxImage()
{
    return boxImage(false);
}

QImage TickedBoxImage()
{
    return boxImage(true);
}

QImage WritingLineImage()
{
    QImage image(2000, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(QRect(0, 54, 2000, 6), Qt::black);
    return image;
}

}  // namespace dorvel
