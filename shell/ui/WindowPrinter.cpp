#include "shell/ui/WindowPrinter.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

namespace dorvel {

bool PrintWindowPicture(QWidget& window, QPrinter& printer)
{
    // Rendered at three times the screen resolution: sharp on paper, yet a
    // small image (rendering straight onto the printer rasterises it huge).
    constexpr qreal kScale = 3.0;
    QImage picture(window.size() * kScale, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(kScale);
    picture.fill(Qt::white);
    window.render(&picture);

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSizeF size = QSizeF(window.size()).scaled(page.size() - QSizeF(1, 1), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), size), picture);
    return painter.end();
}

}  // namespace dorvel
