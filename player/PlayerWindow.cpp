#include "player/PlayerWindow.h"

#include "player/PlayerTexts.h"
#include "storage/FileUtils.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dorvel {

PlayerWindow::PlayerWindow(const std::string& testName, bool preview, const std::string& address,
                           const std::vector<std::string>& notes, QWidget* parent)
    : QWidget(parent)
    , m_preview(preview)
{
    auto* layout = new QVBoxLayout(this);

    m_name = new QLabel(this);
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    layout->addWidget(m_name);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    m_address = new QLabel(this);
    m_address->setTextInteractionFlags(Qt::TextBrowserInteraction);
    m_address->setOpenExternalLinks(true);
    layout->addWidget(m_address);

    m_notes = new QLabel(this);
    m_notes->setWordWrap(true);
    m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_notes);
    showTest(testName, address, notes);

    auto* hint = new QLabel(QString::fromLatin1(playertext::kStopHint), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto* buttons = new QHBoxLayout;
    auto* open = new QPushButton(QString::fromLatin1(playertext::kOpenAgain), this);
    auto* stop = new QPushButton(QString::fromLatin1(playertext::kStop), this);
    buttons->addStretch();
    buttons->addWidget(open);
    buttons->addWidget(stop);
    layout->addLayout(buttons);
    stop->setDefault(true);
    connect(open, &QPushButton::clicked, this, &PlayerWindow::openRequested);
    connect(stop, &QPushButton::clicked, this, &PlayerWindow::stopRequested);

    setOpened(true);
    setMinimumWidth(420);
}

void PlayerWindow::setOpened(bool opened)
{
    m_status->setText(QString::fromLatin1(opened ? (m_preview ? playertext::kPreviewing : playertext::kPlaying)
                                                 : playertext::kOpenYourself));
}

void PlayerWindow::showTest(const std::string& testName, const std::string& address, const std::vector<std::string>& notes)
{
    const QString link = toQString(address).toHtmlEscaped();
    m_address->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(link));
    setWindowTitle(QString::fromLatin1(playertext::kTitle) + QStringLiteral(" - ") + toQString(testName));
    m_name->setText(toQString(testName));
    QString text = QString::fromLatin1(playertext::kNotes);
    for (const std::string& note : notes)
        text += QStringLiteral("\n- ") + toQString(note);
    m_notes->setText(text);
    m_notes->setVisible(!notes.empty());
}

void PlayerWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit stopRequested();
}

}  // namespace dorvel
