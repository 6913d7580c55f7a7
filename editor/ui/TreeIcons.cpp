#include "editor/ui/TreeIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace dorvel {

namespace {

QPixmap blank()
{
    QPixmap p(TreeIcons::kSize, TreeIcons::kSize);
    p.fill(Qt::transparent);
    return p;
}

// A folder-like book: closed for a collapsed set, open for an expanded one.
QPixmap setPicture(bool open)
{
    QPixmap p = blank();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(0x6b, 0x4a, 0x12), 1));
    g.setBrush(QColor(0xf2, 0xc1, 0x4e));
    g.drawRoundedRect(QRectF(1.5, 3.5, 13, 10), 1.5, 1.5);
    if (open) {
        g.setBrush(QColor(0xfb, 0xe2, 0x9a));
        QPainterPath flap;
        flap.moveTo(3.5, 6.5);
        flap.lineTo(15.0, 6.5);
        flap.lineTo(13.0, 13.5);
        flap.lineTo(1.5, 13.5);
        flap.closeSubpath();
        g.drawPath(flap);
    } else {
        g.drawLine(QPointF(1.5, 6.0), QPointF(14.5, 6.0));
    }
    return p;
}

// A page with lines of text; the selected one is highlighted.
QPixmap questionPicture(bool selected)
{
    QPixmap p = blank();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(selected ? QColor(0x1d, 0x4e, 0x9e) : QColor(0x55, 0x55, 0x55), 1));
    g.setBrush(selected ? QColor(0xcf, 0xe2, 0xff) : QColor(Qt::white));
    g.drawRect(QRectF(3.5, 1.5, 9, 13));
    g.setPen(QPen(selected ? QColor(0x1d, 0x4e, 0x9e) : QColor(0x88, 0x88, 0x88), 1));
    for (int y = 5; y <= 11; y += 3)
        g.drawLine(QPointF(5.5, y + 0.5), QPointF(10.5, y + 0.5));
    return p;
}

}  // namespace

TreeIcons::TreeIcons()
    : m_pixmaps{setPicture(false), setPicture(true), questionPicture(false), questionPicture(true)}
{
}

const QPixmap& TreeIcons::pixmap(int index) const
{
    return m_pixmaps.at(static_cast<std::size_t>(index >= 0 && index < 4 ? index : 2));
}

QIcon TreeIcons::icon(int index) const
{
    QIcon icon(pixmap(index));
    if (index == 2)
        icon.addPixmap(pixmap(3), QIcon::Selected);
    return icon;
}

}  // namespace dorvel
