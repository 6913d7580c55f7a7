#include "shell/ui/AboutBox.h"

#include <QImageReader>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace dorvel {

namespace {

constexpr int kPictureHeight = 300;
const QColor kInk(0x1f, 0x2d, 0x4d);

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Dorvel"));
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::PointingHandCursor);
}

void AboutBox::setVersionText(const QString& text)
{
    m_version = text;
    update();
}

void AboutBox::loadPicture(const QString& path)
{
    QImageReader reader(path);
    m_picture = reader.read();
    update();
}

void AboutBox::showSplash()
{
    m_page = 0;
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setModal(false);
    setFixedSize(kWidth, kSplashHeight);
    show();
    repaint();
}

void AboutBox::endSplash()
{
    hide();
    setWindowFlags(Qt::Dialog);
    setFixedSize(kWidth, kHeight);
}

void AboutBox::showEvent(QShowEvent* event)
{
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(event);
}

void AboutBox::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (m_page == 0) {
        m_page = 1;
        update();
        return;
    }
    m_page = 0;
    update();
    accept();
}

void AboutBox::paintTitle(QPainter& painter, const QRect& area) const
{
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(0x2b, 0x5f, 0xb3));
    sky.setColorAt(1.0, QColor(0x8e, 0xc1, 0xf0));
    painter.fillRect(area, sky);

    // A ticked answer box: what the program is for.
    const QRectF box(area.center().x() - 36, area.top() + 48, 72, 72);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 4));
    painter.setBrush(QColor(255, 255, 255, 50));
    painter.drawRoundedRect(box, 10, 10);
    QPainterPath tick;
    tick.moveTo(box.left() + 16, box.center().y() + 2);
    tick.lineTo(box.left() + 31, box.bottom() - 16);
    tick.lineTo(box.right() - 12, box.top() + 14);
    painter.setPen(QPen(QColor(0x3c, 0xd0, 0x70), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);

    QFont small = font();
    small.setPixelSize(16);
    small.setLetterSpacing(QFont::PercentageSpacing, 130);
    painter.setFont(small);
    painter.setPen(QColor(0xe8, 0xf1, 0xff));
    painter.drawText(QRect(area.left(), area.top() + 140, area.width(), 24), Qt::AlignCenter,
                     QStringLiteral("VANTRIC"));
    QFont big = font();
    big.setPixelSize(54);
    big.setBold(true);
    painter.setFont(big);
    painter.setPen(Qt::white);
    painter.drawText(QRect(area.left(), area.top() + 164, area.width(), 70), Qt::AlignCenter,
                     QStringLiteral("Dorvel"));
    QFont line = font();
    line.setPixelSize(14);
    painter.setFont(line);
    painter.drawText(QRect(area.left(), area.top() + 238, area.width(), 24), Qt::AlignCenter,
                     QStringLiteral("Short tests, written in minutes"));
}

void AboutBox::paintCredits(QPainter& painter, const QRect& area) const
{
    painter.fillRect(area, QColor(0xf4, 0xf6, 0xfa));
    painter.setPen(kInk);
    QFont heading = font();
    heading.setPixelSize(22);
    heading.setBold(true);
    painter.setFont(heading);
    painter.drawText(QRect(area.left(), area.top() + 40, area.width(), 32), Qt::AlignCenter,
                     QStringLiteral("Vantric Dorvel"));
    QFont text = font();
    text.setPixelSize(13);
    painter.setFont(text);
    painter.drawText(QRect(area.left() + 30, area.top() + 90, area.width() - 60, area.height() - 100),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Written by Borvane Vantric.\n\n"
                                    "Question banks for the Vantric question player and web tests that run in "
                                    "any browser.\n\nBuilt with Qt, and the Independent JPEG Group's JPEG "
                                    "library for pictures."));
}

void AboutBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect pictureArea(0, 0, width(), kPictureHeight);
    if (m_page == 0) {
        if (m_picture.isNull()) {
            paintTitle(painter, pictureArea);
        } else {
            const QSize size = m_picture.size().scaled(pictureArea.size(), Qt::KeepAspectRatio);
            const QRect target(QPoint((width() - size.width()) / 2, (kPictureHeight - size.height()) / 2), size);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, m_picture);
        }
    } else {
        paintCredits(painter, pictureArea);
    }
    painter.setPen(kInk);
    QFont version = font();
    version.setPixelSize(15);
    version.setBold(true);
    painter.setFont(version);
    painter.drawText(QRect(0, kPictureHeight + 14, width(), 24), Qt::AlignCenter, m_version);
    QFont hint = font();
    hint.setPixelSize(11);
    painter.setFont(hint);
    painter.setPen(QColor(0x66, 0x6e, 0x80));
    if (height() >= kHeight)
        painter.drawText(QRect(0, kHeight - 40, width(), 20), Qt::AlignCenter,
                         m_page == 0 ? QStringLiteral("Click for the credits")
                                     : QStringLiteral("Click to close"));
}

}  // namespace dorvel
