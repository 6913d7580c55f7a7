#include "shell/ui/HelpBrowser.h"

#include "languages/HelpTopics.h"
#include "storage/FileUtils.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace dorvel {

HelpBrowser::HelpBrowser() = default;

HelpBrowser::~HelpBrowser()
{
    delete m_window.data();
}

bool HelpBrowser::available() const
{
    return HelpAvailable();
}

void HelpBrowser::create()
{
    // A window of its own, not owned by the editor's window, so it can stay
    // open beside it and be moved behind it.
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("HelpWindow"));
    m_window->setWindowTitle(QStringLiteral("Dorvel Help"));
    m_window->resize(720, 560);

    m_browser = new QTextBrowser(m_window);
    m_browser->setObjectName(QStringLiteral("HelpText"));
    m_browser->setOpenLinks(false);
    m_browser->setSearchPaths({toQString(HelpFolder(m_language))});
    QObject::connect(m_browser, &QTextBrowser::anchorClicked, m_browser, [browser = m_browser](const QUrl& link) {
        // Pages of the guide open here; web addresses and mail go to the
        // desktop, since the help window fetches nothing itself.
        const QUrl url = browser->source().resolved(link);
        if (url.isLocalFile())
            browser->setSource(url);
        else
            QDesktopServices::openUrl(url);
    });
    QObject::connect(m_browser, &QTextBrowser::sourceChanged, m_window, [this] {
        const QString title = m_browser->documentTitle();
        m_window->setWindowTitle(title.isEmpty() ? QStringLiteral("Dorvel Help")
                                                 : title + QStringLiteral(" - Dorvel Help"));
    });

    auto* contents = new QPushButton(QStringLiteral("Contents"), m_window);
    contents->setObjectName(QStringLiteral("HelpContents"));
    auto* back = new QPushButton(QStringLiteral("Back"), m_window);
    back->setObjectName(QStringLiteral("HelpBack"));
    auto* forward = new QPushButton(QStringLiteral("Forward"), m_window);
    forward->setObjectName(QStringLiteral("HelpForward"));
    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(contents, &QPushButton::clicked, m_window, [this] { showTopic(kHelpContentsTopic); });
    QObject::connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    QObject::connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    QObject::connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    QObject::connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(m_window);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
}

void HelpBrowser::setLanguage(const std::string& language)
{
    if (language == m_language)
        return;
    m_language = language;
    if (!m_browser)
        return;
    m_browser->setSearchPaths({toQString(HelpFolder(m_language))});
    // The page shown turns into the same page of the other guide.
    const QString shown = m_browser->source().fileName();
    if (!shown.isEmpty()) {
        const std::string file = HelpTopicFile(fromQString(shown), m_language);
        if (!file.empty())
            m_browser->setSource(QUrl::fromLocalFile(toQString(file)));
    }
}

bool HelpBrowser::showTopic(const std::string& topic)
{
    const std::string file = HelpTopicFile(topic, m_language);
    if (file.empty())
        return false;
    if (!m_window)
        create();
    QUrl url = QUrl::fromLocalFile(toQString(file));
    if (const std::size_t hash = topic.find('#'); hash != std::string::npos)
        url.setFragment(toQString(topic.substr(hash + 1)));
    m_browser->setSource(url);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}

bool HelpBrowser::showTopicBeside(const std::string& topic, const QRect& window)
{
    const bool fresh = !m_window;
    if (fresh)
        create();
    // Right of the editor, else left of it, narrowed to the room there (down
    // to a readable width); on a screen without that room, at its right
    // edge. A help window the author has placed already stays where it is.
    if (fresh) {
        constexpr int kNarrowest = 360;
        const QScreen* screen = QGuiApplication::screenAt(window.center());
        const QRect room = screen ? screen->availableGeometry() : QRect(window.topLeft(), QSize(4000, 4000));
        const int rightRoom = room.right() - window.right();
        const int leftRoom = window.left() - room.left();
        QSize size = m_window->size().boundedTo(room.size());
        int left = room.right() - size.width() + 1;
        if (std::max(rightRoom, leftRoom) >= kNarrowest) {
            size.setWidth(std::min(size.width(), std::max(rightRoom, leftRoom)));
            left = rightRoom >= leftRoom ? window.right() + 1 : window.left() - size.width();
        }
        const int top = std::clamp(window.top(), room.top(), std::max(room.top(), room.bottom() - size.height() + 1));
        m_window->setGeometry(QRect(QPoint(left, top), size));
    }
    return showTopic(topic);
}

void HelpBrowser::closeAll()
{
    if (m_window)
        m_window->close();
}

QWidget* HelpBrowser::window() const
{
    return m_window;
}

QTextBrowser* HelpBrowser::browser() const
{
    return m_browser;
}

}  // namespace dorvel
