#include "shell/ui/DialogUserInterface.h"

#include "editor/ui/WidgetText.h"
#include "shell/ui/ProgressWindow.h"
#include "platform/DesktopOpener.h"
#include "storage/FileUtils.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace dorvel {

namespace {

// An executable file that the system can start: a binary or a script. The
// executable bit alone is not enough (files on some removable media carry it).
bool IsProgramFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    return head == QByteArray("\x7f"
                              "ELF",
                              4)
        || head.startsWith("#!");
}

QMessageBox::Icon iconFor(Tone tone)
{
    switch (tone) {
    case Tone::Information:
        return QMessageBox::Information;
    case Tone::Question:
    case Tone::Confirmation:
        return QMessageBox::Question;
    case Tone::Caution:
    case Tone::Warning:
        return QMessageBox::Warning;
    case Tone::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

bool HasDesktop()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QStringLiteral("offscreen") && platform != QStringLiteral("minimal");
}

QString QtFileFilter(const std::string& filter)
{
    const QStringList parts = fromBytes(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    if (filters.isEmpty() && !filter.empty())
        filters << fromBytes(filter);
    return filters.join(QStringLiteral(";;"));
}

int FileFilterIndex(const QString& qtFilter, const QString& chosen)
{
    return std::max(0, static_cast<int>(qtFilter.split(QStringLiteral(";;")).indexOf(chosen)));
}

void AddNamedDialogs(QObject* window)
{
    for (const NamedDialogTexts& d : kNamedDialogs) {
        auto* object = new QObject(window);
        object->setObjectName(QString::fromLatin1(d.name));
        object->setProperty("DefaultTitle", QString::fromLatin1(d.title));
        object->setProperty("Title", QString::fromLatin1(d.title));
        object->setProperty("Filter", QString::fromLatin1(d.filter));
    }
}

DialogUserInterface::DialogUserInterface(QWidget* owner)
    : m_owner(owner)
    , m_progress(new ProgressWindow(owner))
{
}

DialogUserInterface::~DialogUserInterface() = default;

QObject* DialogUserInterface::namedDialog(NamedDialog named) const
{
    if (!m_owner)
        return nullptr;
    for (const NamedDialogTexts& d : kNamedDialogs)
        if (d.dialog == named)
            return m_owner->findChild<QObject*>(QString::fromLatin1(d.name), Qt::FindDirectChildrenOnly);
    return nullptr;
}

void DialogUserInterface::showMessage(const std::string& text, Tone tone)
{
    QMessageBox box(iconFor(tone), QStringLiteral("Dorvel"), fromBytes(text), QMessageBox::Ok, m_owner);
    box.exec();
}

void DialogUserInterface::showMessageWithList(const std::string& text, const std::string& list, Tone tone)
{
    if (list.empty()) {
        showMessage(text, tone);
        return;
    }
    // The list is what the author needs to act on: shown at once below the
    // message, where it scrolls however long it is.
    QDialog box(m_owner);
    box.setObjectName(QStringLiteral("MessageWithList"));
    box.setWindowTitle(QStringLiteral("Dorvel"));
    auto* layout = new QGridLayout(&box);
    auto* icon = new QLabel(&box);
    const int iconSize = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    icon->setPixmap(QMessageBox::standardIcon(iconFor(tone)).scaled(iconSize, iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    auto* message = new QLabel(fromBytes(text), &box);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(message, 0, 1);
    auto* items = new QPlainTextEdit(fromBytes(list), &box);
    items->setObjectName(QStringLiteral("MessageList"));
    items->setReadOnly(true);
    items->setLineWrapMode(QPlainTextEdit::NoWrap);
    items->setMinimumSize(480, 160);
    layout->addWidget(items, 1, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons, 2, 0, 1, 2);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    box.exec();
}

Answer DialogUserInterface::ask(const std::string& text, Buttons buttons, Tone tone)
{
    QMessageBox::StandardButtons shown = QMessageBox::Yes | QMessageBox::No;
    switch (buttons) {
    case Buttons::Ok:
        shown = QMessageBox::Ok;
        break;
    case Buttons::YesNo:
        break;
    case Buttons::YesNoCancel:
        shown |= QMessageBox::Cancel;
        break;
    case Buttons::YesCancel:
        shown = QMessageBox::Yes | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(iconFor(tone), QStringLiteral("Dorvel"), fromBytes(text), shown, m_owner);
    box.setDefaultButton(tone == Tone::Caution ? QMessageBox::No : QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
    case QMessageBox::Ok:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        // Closing the box without a choice is a cancel where one is offered.
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::vector<std::string> DialogUserInterface::chooseOpenFiles(const FileDialog& dialog)
{
    QString title = fromBytes(dialog.title);
    QString filter = QtFileFilter(dialog.filter);
    if (QObject* named = namedDialog(dialog.named)) {
        title = named->property("Title").toString();
        filter = QtFileFilter(toBytes(named->property("Filter").toString()));
    }
    QFileDialog box(m_owner, title, toQString(dialog.folder), filter);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    box.setFileMode(dialog.allowMultiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    std::vector<std::string> chosen;
    if (box.exec() == QDialog::Accepted) {
        for (const QString& file : box.selectedFiles())
            chosen.push_back(fromQString(file));
        if (dialog.chosenFilter)
            *dialog.chosenFilter = FileFilterIndex(filter, box.selectedNameFilter());
    }
    return chosen;
}

std::optional<std::string> DialogUserInterface::chooseSaveFile(const FileDialog& dialog)
{
    QString title = fromBytes(dialog.title);
    QString filter = QtFileFilter(dialog.filter);
    if (QObject* named = namedDialog(dialog.named)) {
        title = named->property("Title").toString();
        filter = QtFileFilter(toBytes(named->property("Filter").toString()));
    }
    QFileDialog box(m_owner, title, toQString(dialog.folder), filter);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    if (!dialog.defaultExtension.empty())
        box.setDefaultSuffix(fromBytes(dialog.defaultExtension));
    if (!dialog.proposedName.empty())
        box.selectFile(toQString(dialog.proposedName));
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    return fromQString(box.selectedFiles().front());
}

std::optional<int> DialogUserInterface::chooseOne(const std::string& question, const std::vector<std::string>& options)
{
    QStringList items;
    for (const std::string& option : options)
        items << fromBytes(option);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(m_owner, QStringLiteral("Dorvel"), fromBytes(question), items, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    const qsizetype index = items.indexOf(chosen);
    return index >= 0 ? std::optional<int>(static_cast<int>(index)) : std::nullopt;
}

void DialogUserInterface::announce(const std::string& key)
{
    if (onAnnounce)
        onAnnounce(key);
}

void DialogUserInterface::progressShow()
{
    m_progress->showOverOwner();
}

void DialogUserInterface::progressHide()
{
    m_progress->hide();
}

void DialogUserInterface::progressCaption(const std::string& text)
{
    m_progress->setCaption(fromBytes(text));
}

void DialogUserInterface::progressLabel(const std::string& text)
{
    m_progress->setLabel(fromBytes(text));
}

void DialogUserInterface::progressPosition(int position0to100)
{
    m_progress->setPosition(position0to100);
}

void DialogUserInterface::progressAdvance(int by)
{
    m_progress->advance(by);
}

bool DialogUserInterface::openWithSystem(const std::string& pathOrUrl)
{
    const QString text = toQString(pathOrUrl);
    // Opening a program runs it (the question player started directly).
    // xdg-open would hand an executable to a browser or a viewer instead.
    if (!text.contains(QStringLiteral("://")) && IsProgramFile(text)) {
        const QFileInfo program(text);
        return QProcess::startDetached(program.absoluteFilePath(), {}, program.absolutePath());
    }
    const QUrl url = text.contains(QStringLiteral("://")) ? QUrl(text) : QUrl::fromLocalFile(text);
    // Without a desktop (offscreen) Qt's own opening stays, with the handlers
    // a program may set for it.
    if (!HasDesktop())
        return QDesktopServices::openUrl(url);
    // The desktop's opener says when no browser would start, which Qt's
    // opening, started and forgotten, never does.
    std::weak_ptr<int> alive = m_alive;
    return OpenWithDesktop(pathOrUrl, [this, alive, pathOrUrl] {
        if (!alive.expired() && onOpenFailed)
            onOpenFailed(pathOrUrl);
    });
}

}  // namespace dorvel
