#include "shell/ui/ProgressWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace dorvel {

ProgressWindow::ProgressWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(QStringLiteral("Progress"));
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(QStringLiteral("Progress..."), this);
    m_label->setObjectName(QStringLiteral("ProgressLabel"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    setFixedSize(340, 90);
}

void ProgressWindow::paintNow()
{
    if (!isVisible())
        return;
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::setLabel(const QString& text)
{
    m_label->setText(text);
    paintNow();
}

void ProgressWindow::setCaption(const QString& text)
{
    setWindowTitle(text);
    paintNow();
}

void ProgressWindow::setPosition(int position0to100)
{
    m_bar->setValue(qBound(0, position0to100, 100));
    paintNow();
}

void ProgressWindow::advance(int by)
{
    setPosition(m_bar->value() + by);
}

int ProgressWindow::position() const
{
    return m_bar->value();
}

QString ProgressWindow::label() const
{
    return m_label->text();
}

void ProgressWindow::showOverOwner()
{
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    paintNow();
}

}  // namespace dorvel
