#include "shell/ui/MainWindow.h"

#include "bank/ExportLists.h"
#include "building/StyleNames.h"
#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "editor/commands/BuildCommand.h"
#include "editor/commands/ChooseWebOutput.h"
#include "editor/commands/CreateWebPagesCall.h"
#include "editor/commands/ImportQuestionsCall.h"
#include "editor/commands/PreviewCommand.h"
#include "editor/recovery/RecoveryKeeper.h"
#include "editor/spelling/SpellChecker.h"
#include "editor/ui/LineSpelling.h"
#include "editor/ui/QuestionMediaBox.h"
#include "editor/ui/QuestionPage.h"
#include "editor/ui/QuestionTreeView.h"
#include "editor/ui/SpellingBox.h"
#include "editor/ui/TestDetailsPage.h"
#include "editor/ui/WidgetText.h"
#include "export/CreateWebPages.h"
#include "languages/LanguagePack.h"
#include "media/MediaFileCheck.h"
#include "model/SetFields.h"
#include "paper/ui/PrintTestPreview.h"
#include "classroom/ui/ClassWindow.h"
#include "shell/Installation.h"
#include "shell/MakerSite.h"
#include "shell/ui/AboutBox.h"
#include "shell/ui/ApplicationShortCut.h"
#include "shell/ui/ComponentRelabeller.h"
#include "shell/ui/DialogUserInterface.h"
#include "shell/ui/EditorSettings.h"
#include "shell/ui/HandOffFile.h"
#include "shell/ui/HandOffWatcher.h"
#include "shell/ui/HelpBrowser.h"
#include "shell/ui/HintDelayStyle.h"
#include "shell/ui/HintWatcher.h"
#include "shell/ui/MediaSoundPlayer.h"
#include "shell/ui/SingleInstance.h"
#include "shell/ui/UndoKeyFilter.h"
#include "paper/ui/PrintTestPreview.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QProcess>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <ctime>

namespace dorvel {

namespace {

constexpr int kSplashMs = 400;
constexpr int kSecondStartRetryMs = 250;

// The tutorial program in the installation folder, "" when not installed.
std::string TutorialProgram()
{
    for (const char* name : {"Tutorial/vtTutor", "Tutorial/vtTutor.exe"}) {
        const std::string path = InstallationFolder() + name;
        if (FileExists(path))
            return path;
    }
    return {};
}

}  // namespace

// Marks a command of the window as under way for its whole run.
class BusyScope {
public:
    explicit BusyScope(MainWindow& w)
        : m_window(w)
    {
        ++m_window.m_busy;
    }
    ~BusyScope() { --m_window.m_busy; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    MainWindow& m_window;
};

MainWindow::MainWindow(UserInterface* ui, QWidget* parent)
    : QMainWindow(parent)
    , m_ownUi(ui ? nullptr : std::make_unique<DialogUserInterface>(this))
    , m_ui(ui ? ui : m_ownUi.get())
    , m_workspace(std::make_unique<Workspace>(*m_ui, m_lang))
    , m_settings(std::make_unique<EditorSettings>())
    , m_recovery(std::make_unique<RecoveryKeeper>(*m_workspace, RecoveryCopies(RecoveryCopies::defaultFolder())))
    , m_spelling(std::make_unique<SpellChecker>(SpellChecker::defaultPersonalList()))
    , m_help(std::make_unique<HelpBrowser>())
    , m_sound(std::make_unique<MediaSoundPlayer>())
    , m_audio(m_sound.get())
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    FormCreate();
}

MainWindow::~MainWindow()
{
    // The controls forward to the workspace and the tree shows its model:
    // they go before it does.
    m_workspace->setView(nullptr);
    delete centralWidget();
}

void MainWindow::FormCreate()
{
    setObjectName(QStringLiteral("Dorvel"));
    setWindowTitle(QStringLiteral("Vantric Dorvel 1.0"));
    // Every position on the pages is laid out for this font size.
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    if (m_ownUi) {
        m_ownUi->onAnnounce = [this](const std::string& key) { AnnounceMessage(key); };
        m_ownUi->onOpenFailed = [this](const std::string& target) {
            m_ui->showMessage(m_lang.at(Message::NoBrowserStarted) + "\n" + target, Tone::Warning);
        };
    }
    AddNamedDialogs(this);
    m_menu = MainMenu::build(*this);
    for (QAction* action : findChildren<QAction*>()) {
        if (action->menu())
            continue;
        if (const std::optional<MenuCommand> command = MenuCommandNamed(action->objectName()))
            connect(action, &QAction::triggered, this, [this, c = *command] { GeneralCall(c); });
    }

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    // Today's layout is the smallest; a larger window gives the question
    // list and the page the room (see layoutClient).
    client->setMinimumSize(kClientWidth, kClientHeight);
    client->installEventFilter(this);
    setCentralWidget(client);

    m_tree = new QuestionTreeView(*m_workspace, client);
    m_tree->setGeometry(0, 0, 190, kClientHeight);

    m_pages = new QStackedWidget(client);
    m_pages->setObjectName(QStringLiteral("EditorPages"));
    m_pages->setGeometry(192, 0, 600, 497);
    m_details = new TestDetailsPage(*m_workspace, m_pages);
    m_questions = new QuestionPage(*m_workspace, *m_ui, m_lang, m_pages);
    m_questions->media().setSoundPlayer(m_sound.get());
    m_pages->addWidget(m_details);
    m_pages->addWidget(m_questions);
    for (const std::string& box : {std::string(setfield::kQuestionText), setfield::TextField(1), setfield::TextField(2),
                                   setfield::TextField(3), setfield::TextField(4)})
        if (auto* text = m_questions->findChild<QPlainTextEdit*>(fieldName(box)))
            AttachSpelling(text, *m_spelling, m_lang, [this] { m_workspace->breakTypingStep(); });
    // The one-line boxes too: a misspelt accepted answer marks the students'
    // right answers wrong.
    for (QWidget* page : {static_cast<QWidget*>(m_questions), static_cast<QWidget*>(m_details)})
        for (auto* line : page->findChildren<QLineEdit*>())
            // Not the number boxes' and lists' own inner lines ("qt_spinbox_lineedit").
            if (!line->objectName().isEmpty() && !line->objectName().startsWith(QStringLiteral("qt_")))
                AttachLineSpelling(line, *m_spelling, m_lang, [this] { m_workspace->breakTypingStep(); });

    m_webButton = new QPushButton(QStringLiteral("Create Web Pages"), client);
    m_webButton->setObjectName(QStringLiteral("CreateWebPagesButton"));
    m_webButton->setGeometry(kClientWidth - 8 - 150 - 8 - 150, 500, 150, 27);
    // Beside Create Web Pages: the same test, served to a class (classroom/ui/).
    m_classButton = new QPushButton(QStringLiteral("Run in Class"), client);
    m_classButton->setObjectName(QStringLiteral("RunInClassButton"));
    m_classButton->setGeometry(kClientWidth - 8 - 150 - 8 - 150 - 8 - 150, 500, 150, 27);
    m_buildButton = new QPushButton(QStringLiteral("Build Question Bank"), client);
    m_buildButton->setObjectName(QStringLiteral("BuildButton"));
    m_buildButton->setGeometry(kClientWidth - 8 - 150, 500, 150, 27);

    connect(m_details, &TestDetailsPage::newQuestionClicked, this, [this] { m_workspace->NewQuestion(); });
    connect(m_questions, &QuestionPage::newQuestionClicked, this, [this] { m_workspace->NewQuestion(); });
    connect(m_questions, &QuestionPage::deleteQuestionClicked, this, [this] { m_workspace->DeleteQuestion(); });
    connect(m_questions, &QuestionPage::previewQuestionClicked, this, [this] { PreviewQuestion(); });
    connect(m_buildButton, &QPushButton::clicked, this, [this] { BuildButtonClick(); });
    connect(m_webButton, &QPushButton::clicked, this, [this] { CreateWebPagesCall(); });
    connect(m_classButton, &QPushButton::clicked, this, [this] {
        if (m_workspace->currentSet() >= 0)
            RunInClass(this, m_workspace->set(m_workspace->currentSet()), m_lang, m_language, *m_ui);
    });

    resize(minimumSizeHint());
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    connect(m_menu.edit, &QMenu::aboutToShow, this, [this] { updateEditItems(); });
    qApp->installEventFilter(new UndoKeyFilter(this));

    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setInterval(RecoveryKeeper::intervalMs());
    connect(m_recoveryTimer, &QTimer::timeout, this, [this] { m_recovery->keep(std::time(nullptr)); });
    m_recoveryPause = new QTimer(this);
    m_recoveryPause->setSingleShot(true);
    m_recoveryPause->setInterval(RecoveryKeeper::kPauseMs);
    connect(m_recoveryPause, &QTimer::timeout, this, [this] { m_recovery->keep(std::time(nullptr)); });

    m_about = new AboutBox(this);
    const std::string logo = InstallationFolder() + "logoS.jpg";
    if (FileExists(logo) && CheckMediaFile(logo))
        m_about->loadPicture(toQString(logo));

    m_workspace->setView(this);
    enableSetControls(false);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        // The list takes a quarter of the extra width and all the height;
        // the page the rest, with the two buttons kept at its foot.
        const QSize size = centralWidget()->size();
        const int dx = std::max(0, size.width() - kClientWidth);
        const int dy = std::max(0, size.height() - kClientHeight);
        const int treeWidth = 190 + dx / 4;
        m_tree->setGeometry(0, 0, treeWidth, size.height());
        m_pages->setGeometry(treeWidth + 2, 0, size.width() - treeWidth - 2, 497 + dy);
        m_classButton->move(size.width() - 8 - 150 - 8 - 150 - 8 - 150, 500 + dy);
        m_webButton->move(size.width() - 8 - 150 - 8 - 150, 500 + dy);
        m_buildButton->move(size.width() - 8 - 150, 500 + dy);
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::audioMessages() const
{
    return m_menu.audioMessages->isChecked();
}

void MainWindow::setHelpViewer(std::unique_ptr<HelpViewer> viewer)
{
    if (viewer) {
        m_help = std::move(viewer);
        m_help->setLanguage(m_language);
    }
}

void MainWindow::setSoundPlayer(std::unique_ptr<SoundPlayer> player)
{
    if (!player)
        return;
    m_sound = std::move(player);
    m_audio.setPlayer(m_sound.get());
    m_questions->media().setSoundPlayer(m_sound.get());
}

// ---- Start-up ------------------------------------------------------------------

bool MainWindow::FindLanguagePacks()
{
    m_languages = FindLanguagePackNames();
    m_language = kDefaultLanguage;
    std::optional<std::string> stored = m_settings->readString("langchoice");
    // Until the author chooses, the editor speaks the system's language when a pack does.
    if (!stored || stored->size() < 2) {
        std::vector<std::string> wanted;
        for (const QString& tag : QLocale::system().uiLanguages())
            wanted.push_back(fromQString(tag));
        stored = PackForSystemLanguages(m_languages, wanted);
    }
    const std::optional<LanguageChoice> choice = ChooseLanguage(m_languages, stored);
    if (!choice) {
        m_ui->showMessage("At least one language file needs to be available in the folder called DVLang. None can "
                          "be found. This application will now exit.",
                          Tone::Warning);
        return false;
    }
    m_language = choice->current;
    m_menu.languages->clear();
    if (choice->menuVisible) {
        for (const std::string& name : m_languages) {
            QAction* item = m_menu.languages->addAction(toQString(name));
            item->setCheckable(true);
            item->setChecked(name == m_language);
            connect(item, &QAction::triggered, this, [this, name] { LanguageSelection(name); });
        }
    }
    m_menu.languages->menuAction()->setVisible(choice->menuVisible);
    LoadLanguagePack();
    return true;
}

void MainWindow::LoadLanguagePack()
{
    LoadLanguageStrings(m_lang, m_language, [this](const std::string& line) { ApplyComponentLine(line); });
    m_help->setLanguage(m_language);
    // The interface language's dictionary unless the settings name another;
    // without one installed, spelling is off.
    DictionarySelection(m_settings->readString("spellingDictionary").value_or(std::string()));
    m_about->setVersionText(fromBytes(m_lang.at(Message::ProductVersion)));
    m_questions->LayoutForType();
}

void MainWindow::ApplyComponentLine(const std::string& line)
{
    dorvel::ApplyComponentLine(*this, line, m_hints);
    // A pack names the program in the caption; the set's file goes before it.
    if (!windowTitle().contains(QStringLiteral("[*]"))) {
        m_programCaption = windowTitle();
        updateCaption();
    }
}

void MainWindow::DictionarySelection(const std::string& dictionary)
{
    m_settings->writeString("spellingDictionary", dictionary);
    m_spelling->setLanguage(dictionary.empty() ? m_language : dictionary);
    for (auto* highlighter : m_questions->findChildren<SpellHighlighter*>())
        highlighter->rehighlight();
    for (QWidget* page : {static_cast<QWidget*>(m_questions), static_cast<QWidget*>(m_details)})
        for (auto* line : page->findChildren<LineSpelling*>())
            line->recheck();
    rebuildDictionaryMenu();
}

void MainWindow::rebuildDictionaryMenu()
{
    const std::string chosen = m_settings->readString("spellingDictionary").value_or(std::string());
    m_menu.dictionaries->clear();
    QAction* own = m_menu.dictionaries->addAction(fromBytes(m_lang.at(Message::MenuLanguage)));
    own->setCheckable(true);
    own->setChecked(chosen.empty());
    connect(own, &QAction::triggered, this, [this] { DictionarySelection({}); });
    m_menu.dictionaries->addSeparator();
    // A dictionary by its language's own name and region ("Deutsch
    // (Deutschland)"), as the teacher knows it; its code when Qt knows no name.
    std::vector<std::pair<QString, std::string>> dictionaries;
    for (const std::string& name : SpellChecker::installedDictionaries()) {
        const QLocale locale(toQString(name));
        QString caption = locale.nativeLanguageName();
        if (locale.language() == QLocale::C || caption.isEmpty())
            caption = toQString(name);
        else if (!locale.nativeTerritoryName().isEmpty() && toQString(name).contains(QLatin1Char('_')))
            caption += QStringLiteral(" (") + locale.nativeTerritoryName() + QLatin1Char(')');
        dictionaries.emplace_back(caption, name);
    }
    std::sort(dictionaries.begin(), dictionaries.end(),
              [](const auto& a, const auto& b) { return QString::localeAwareCompare(a.first, b.first) < 0; });
    for (const auto& [caption, code] : dictionaries) {
        const std::string name = code;
        QAction* item = m_menu.dictionaries->addAction(caption);
        item->setCheckable(true);
        item->setChecked(name == chosen);
        connect(item, &QAction::triggered, this, [this, name] { DictionarySelection(name); });
    }
}

void MainWindow::LanguageSelection(const std::string& language)
{
    m_settings->writeString("langchoice", language);
    for (QAction* item : m_menu.languages->actions())
        item->setChecked(fromQString(item->text()) == language);
    m_language = language;
    LoadLanguagePack();
}

bool MainWindow::startCall(const QStringList& arguments)
{
    if (!FindLanguagePacks())
        return false;
    m_about->showSplash();

    // Until the author has saved somewhere, files go where documents belong.
    const std::string documents = fromQString(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    m_workspace->setLastDir(documents.empty() ? std::string() : WithSeparator(documents));

    if (!DirectoryExists(ButtonsFolder())) {
        m_about->endSplash();
        PlayMessage(MessageKey(Message::ButtonsFolderMissing));
        m_ui->showMessage(m_lang.at(Message::ButtonsFolderMissing), Tone::Error);
        return false;
    }
    if (!DirectoryExists(TemplatesFolder())) {
        m_about->endSplash();
        PlayMessage(MessageKey(Message::TemplatesFolderMissing));
        m_ui->showMessage(m_lang.at(Message::TemplatesFolderMissing), Tone::Error);
        return false;
    }
    if (const QScreen* s = screen(); s && (s->size().width() < 800 || s->size().height() < 600)) {
        m_about->endSplash();
        PlayMessage(MessageKey(Message::ScreenTooSmall));
        const Answer answer = m_ui->ask(m_lang.at(Message::ScreenTooSmall), Buttons::YesNoCancel, Tone::Warning);
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes)
            ShowHelpTopic("::/F30ScreenSize.htm");
    }

    m_recent.load(m_settings->readRecentFiles());
    const bool playMessages = m_settings->readInt("playMessages").value_or(0) != 0;
    const bool firstLaunch = m_settings->readInt("firstLaunch").value_or(1) != 0;
    m_settings->writeInt("firstLaunch", 0);
    const std::string lastFiles = m_settings->readString("lastFiles").value_or(std::string());
    if (const auto lastDir = m_settings->readString("lastDir"))
        m_workspace->setLastDir(*lastDir);
    const bool registryWarningNeeded = m_settings->readInt("registryWarningNeeded").value_or(1) != 0;
    m_recent.forgetMissing();
    rebuildReopenMenu();

    m_details->setStyleNames(StyleNames());

    // Work an earlier run could not save comes first; a recovered set is not
    // opened again from the last files.
    if (!m_recovery->copies().found().empty()) {
        m_about->endSplash();
        m_recovery->offerCopies(*m_ui, m_lang);
    }
    // Size and position as the author left them (kept beside the other settings).
    if (const auto geometry = m_settings->readString("windowGeometry"))
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*geometry)));
    m_recoveryTimer->start();

    if (arguments.size() < 2) {
        reopenLastSets(lastFiles);
    } else {
        const QStringList args = SingleInstance::absoluteArguments(arguments);
        const std::string path = fromQString(args[1]);
        if (args[0] == QStringLiteral("openShellCall") && LowerCase(ExtractFileExt(path)) == ".vtd" && m_workspace->OpenSetFile(path) && !m_workspace->set(0).isFree())
            m_workspace->questionList().setExpanded(0, true);
    }

    setAudioMessages(playMessages);
    if (!DirectoryExists(SoundsFolder())) {
        m_menu.audioMessages->setEnabled(false);
        m_menu.playLastAudioMessage->setEnabled(false);
    }
    if (!m_shortCut) {
        m_shortCut = new ApplicationShortCut([this] { HelpExecute(); }, [this] { PlayLastAudioMessage(); },
                                             [this] { HelpTutorialExecute(); }, this);
        qApp->installEventFilter(m_shortCut);
        qApp->installEventFilter(new HintWatcher(m_audio, m_hints, this));
        qApp->setStyle(new HintDelayStyle(QStyleFactory::create(qApp->style()->name())));
    }

    ReadHandOffFile();
    // A second start that falls back to the hand-off file is taken at once.
    if (!m_handOffWatcher) {
        m_handOffWatcher = new HandOffWatcher(toQString(HandOffFilePath()), this);
        connect(m_handOffWatcher, &HandOffWatcher::handOffWaiting, this, [this] { secondStart({}); });
    }

    if (!m_workspace->set(0).isFree()) {
        m_workspace->questionList().requestSelection(0, 0);
        m_workspace->TestTreeChange(0, 0);
    }
    QTimer::singleShot(kSplashMs, m_about, [this] { m_about->endSplash(); });

    // Once the window is on the screen, and one after the other: the
    // association question, then the welcome help beside the window.
    if (registryWarningNeeded || firstLaunch)
        QTimer::singleShot(0, this, [this, firstLaunch, registryWarningNeeded] {
            FirstStartSteps(firstLaunch, registryWarningNeeded);
        });
    m_settings->sync();
    return true;
}

void MainWindow::FirstStartSteps(bool firstLaunch, bool registryWarningNeeded)
{
    // Set files that do not open by double-click are no reason to stop a new
    // teacher with a question: the status line says so once, and Options
    // keeps the way to set it up.
    if (registryWarningNeeded) {
        if (!SetFilesAssociated(m_associationQuery))
            statusBar()->showMessage(fromBytes(m_lang.at(Message::SetFilesNotAssociated)));
        m_settings->writeInt("registryWarningNeeded", 0);
        m_settings->sync();
    }
    if (firstLaunch && m_help->available())
        m_help->showTopicBeside(TutorialProgram().empty() ? "::/S08Start.htm" : "::/S09Start.htm", frameGeometry());
}

void MainWindow::reopenLastSets(const std::string& lastFiles)
{
    std::string rest = lastFiles;
    for (int i = 0; i < kMaxOpenSets; ++i) {
        const std::string f = GetTag(rest, "f");
        if (f.size() < 3)
            break;
        const std::string e = GetTag(rest, "e");
        rest = RemoveTag(RemoveTag(rest, "f"), "e");
        if (FileExists(f) && m_workspace->OpenSetFile(f) && e == "1")
            m_workspace->questionList().setExpanded(m_workspace->currentSet(), true);
    }
    if (m_workspace->openSetCount() == 0)
        m_workspace->NewSet();
}

std::string MainWindow::lastFilesText() const
{
    std::string text;
    const Workspace& w = *m_workspace;
    for (int i = 0; i < kMaxOpenSets; ++i) {
        const OpenSet& s = w.set(i);
        if (s.isFree() || s.filePath.empty())
            continue;
        const bool expanded = m_workspace->questionList().isExpanded(i);
        text += "<f>" + s.filePath + "</f><e>" + (expanded ? "1" : "0") + "</e>";
    }
    return text;
}

// ---- Closing ---------------------------------------------------------------------

bool MainWindow::CloseSaveChangesQuery()
{
    for (int i = 0; i < kMaxOpenSets; ++i)
        if (!m_workspace->AskSaveChanges(i))
            return false;
    // Written once every set was asked about, so a set saved in answer to
    // the question is among the sets reopened next time.
    m_settings->writeString("lastFiles", lastFilesText());
    m_settings->writeString("lastDir", m_workspace->lastDir());
    m_settings->writeString("windowGeometry", saveGeometry().toBase64().toStdString());
    m_settings->sync();
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!CloseSaveChangesQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void MainWindow::FormClose()
{
    m_recoveryTimer->stop();
    m_recoveryPause->stop();
    m_recovery->removeAll();
    m_help->closeAll();
    m_about->hide();
    m_ui->progressHide();
}

// ---- Second starts -----------------------------------------------------------------

void MainWindow::actOnSecondStart(const std::string& p1, const std::string& p2)
{
    if (!IsOpenSetRequest(p1, p2))
        return;
    if (m_workspace->OpenSetFile(p2))
        expandAndSelectCurrentSet();
}

void MainWindow::ReadHandOffFile()
{
    for (const HandOffPair& pair : TakeHandOff(HandOffFilePath()))
        actOnSecondStart(pair.p1, pair.p2);
}

void MainWindow::secondStart(const QStringList& arguments)
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    m_secondStarts.push_back(arguments);
    takeSecondStarts();
}

void MainWindow::takeSecondStarts()
{
    // A second start arrives through the event loop, which also runs while a
    // question waits for an answer or a long command repaints its progress.
    // Opening a set then would pull the current set away from under them.
    if (m_busy > 0 || QApplication::activeModalWidget()) {
        if (!m_secondStartsQueued) {
            m_secondStartsQueued = true;
            QTimer::singleShot(kSecondStartRetryMs, this, [this] {
                m_secondStartsQueued = false;
                takeSecondStarts();
            });
        }
        return;
    }
    const std::vector<QStringList> starts = std::move(m_secondStarts);
    m_secondStarts.clear();
    for (const QStringList& arguments : starts)
        if (arguments.size() >= 2)
            actOnSecondStart(fromQString(arguments[0]), fromQString(arguments[1]));
    ReadHandOffFile();
}

void MainWindow::expandAndSelectCurrentSet()
{
    const int current = m_workspace->currentSet();
    if (current < 0)
        return;
    m_workspace->questionList().setExpanded(current, true);
    m_workspace->questionList().requestSelection(current, 0);
    m_workspace->TestTreeChange(current, 0);
}

// ---- Recent files -----------------------------------------------------------------

void MainWindow::AddRecentFile(const std::string& path)
{
    if (LowerCase(ExtractFileExt(path)) == ".vtd")
        m_recent.add(path);
    rebuildReopenMenu();
    writeRecentFiles();
}

void MainWindow::writeRecentFiles()
{
    m_settings->writeRecentFiles(m_recent.entries());  // a failure to write is of no consequence
}

void MainWindow::rebuildReopenMenu()
{
    m_menu.reopen->clear();
    for (const auto& [entry, caption] : m_recent.menuItems()) {
        QAction* item = m_menu.reopen->addAction(toQString(caption));
        item->setData(entry);
        const int number = entry;
        connect(item, &QAction::triggered, this, [this, number] { FileReopenCall(number); });
    }
    m_menu.reopen->setEnabled(!m_menu.reopen->actions().isEmpty());
}

void MainWindow::FileReopenCall(int entry)
{
    const std::string path = m_recent.at(entry);
    if (path.empty() || !FileExists(path)) {
        m_workspace->ShowMessageKey(Message::FileGone);
        return;
    }
    if (m_workspace->OpenSetFile(path))
        expandAndSelectCurrentSet();
}

// ---- Menu -------------------------------------------------------------------------

void MainWindow::GeneralCall(MenuCommand command)
{
    BusyScope busy(*this);
    Workspace& w = *m_workspace;
    if (EditCall(command))
        return;
    // The maker's pages where the installation names its site; otherwise
    // the installed guide's page on the same matter, never an address that
    // leads nowhere.
    auto showMakerPage = [this](const char* page, const char* topic) {
        if (const std::optional<MakerSite> site = InstalledMakerSite())
            m_ui->openWithSystem(site->address + page);
        else
            ShowHelpTopic(topic);
    };
    switch (command) {
    case MenuCommand::NewSet:
        w.NewSet();
        break;
    case MenuCommand::Open:
        w.FileOpen1Execute();
        break;
    case MenuCommand::Close:
        w.CloseCurrentSet();
        break;
    case MenuCommand::Save:
        w.SaveTest();
        break;
    case MenuCommand::SaveAs:
        w.SaveTestAs();
        break;
    case MenuCommand::CreateWebPages:
        dorvel::CreateWebOutputCall(w, *m_ui, m_lang, m_language);
        break;
    case MenuCommand::ImportQuestions:
        exchange::ImportQuestionsCall(w, *m_ui, m_lang);
        expandAndSelectCurrentSet();
        break;
    case MenuCommand::ExportQuestions:
        exchange::ExportQuestionsCall(w, *m_ui, m_lang);
        break;
    case MenuCommand::PrintTest:
        if (w.currentSet() >= 0)
            PrintTestPreview(this, *m_printer, w.set(w.currentSet()), m_lang);
        break;
    case MenuCommand::PrintSetup: {
        QPageSetupDialog dialog(m_printer.get(), this);
        dialog.exec();
        break;
    }
    case MenuCommand::Exit:
        close();
        break;
    case MenuCommand::AudioMessages:
        setAudioMessages(m_menu.audioMessages->isChecked());
        break;
    case MenuCommand::FileAssociation:
        ShowHelpTopic("::/F03Installation.htm");
        break;
    case MenuCommand::About:
        m_about->exec();
        break;
    case MenuCommand::HelpTopics:
        HelpExecute();
        break;
    case MenuCommand::PlayLastAudioMessage:
        PlayLastAudioMessage();
        break;
    case MenuCommand::Tutorial:
        HelpTutorialExecute();
        break;
    case MenuCommand::MakerWebSite:
        showMakerPage("", "::/LinksDV.html");
        break;
    case MenuCommand::MakerSupport:
        showMakerPage("support.html", "::/LinksDV.html");
        break;
    case MenuCommand::MakerDownloads:
        showMakerPage("downloads.html", "::/F03Installation.htm");
        break;
    case MenuCommand::MakerFeedback:
        showMakerPage("feedback.html", "::/LinksDV.html");
        break;
    case MenuCommand::Undo:
    case MenuCommand::Redo:
    case MenuCommand::Cut:
    case MenuCommand::Copy:
    case MenuCommand::Paste:
    case MenuCommand::DuplicateQuestion:
    case MenuCommand::MoveQuestionUp:
    case MenuCommand::MoveQuestionDown:
        break;  // EditCall's
    }
}

bool MainWindow::EditCall(MenuCommand command)
{
    Workspace& w = *m_workspace;
    switch (command) {
    case MenuCommand::Undo:
        w.Undo();
        break;
    case MenuCommand::Redo:
        w.Redo();
        break;
    case MenuCommand::DuplicateQuestion:
        w.DuplicateQuestion();
        break;
    case MenuCommand::MoveQuestionUp:
        w.MoveQuestionUp();
        break;
    case MenuCommand::MoveQuestionDown:
        w.MoveQuestionDown();
        break;
    case MenuCommand::Cut:
    case MenuCommand::Copy:
    case MenuCommand::Paste:
        // The text boxes do the clipboard themselves; the menu asks the one with the focus.
        if (QWidget* box = QApplication::focusWidget())
            QMetaObject::invokeMethod(box, command == MenuCommand::Cut ? "cut" : command == MenuCommand::Copy ? "copy"
                                                                                                              : "paste");
        break;
    default:
        return false;
    }
    updateEditItems();
    return true;
}

void MainWindow::updateEditItems()
{
    const bool question = m_workspace->current() && m_workspace->currentQuestion() > 0;
    const std::pair<MenuCommand, bool> items[] = {
        {MenuCommand::Undo, m_workspace->canUndo()},
        {MenuCommand::Redo, m_workspace->canRedo()},
        {MenuCommand::DuplicateQuestion, question},
        // Kept enabled at the ends, where they do nothing, so that the keys
        // never fall through to the question list and move its selection.
        {MenuCommand::MoveQuestionUp, question},
        {MenuCommand::MoveQuestionDown, question},
    };
    for (const auto& [item, enabled] : items)
        if (QAction* action = MainMenu::item(*this, item))
            action->setEnabled(enabled);
}

void MainWindow::updateCaption()
{
    const int current = m_workspace->current() ? m_workspace->currentSet() : -1;
    const QString program = m_programCaption.isEmpty() ? QStringLiteral("Vantric Dorvel 1.0") : m_programCaption;
    if (current < 0) {
        setWindowTitle(program);
        setWindowModified(false);
        return;
    }
    setWindowTitle(toQString(m_workspace->fileName(current)) + QStringLiteral("[*] - ") + program);
    setWindowModified(m_workspace->current()->hasUnsavedChanges());
}

void MainWindow::ShowHelpTopic(const std::string& topic)
{
    if (!m_help->available()) {
        m_workspace->ShowMessageKey(Message::HelpMissing);
        return;
    }
    m_help->showTopic(topic);
}

void MainWindow::HelpExecute()
{
    ShowHelpTopic("::/LinksDV.html");
}

void MainWindow::HelpTutorialExecute()
{
    const std::string program = TutorialProgram();
    if (program.empty() || !QProcess::startDetached(toQString(program), {}, toQString(ExtractFilePath(program))))
        m_workspace->ShowMessageKey(Message::TutorialMissing);
}

// ---- Spoken messages ----------------------------------------------------------------

void MainWindow::AnnounceMessage(const std::string& key)
{
    m_audio.AnnounceMessage(key);
}

void MainWindow::PlayLastAudioMessage()
{
    m_audio.PlayLastAudioMessageExecute();
}

void MainWindow::PlayMessage(const std::string& key)
{
    m_audio.PlayMessage(key);
}

void MainWindow::setAudioMessages(bool on)
{
    m_menu.audioMessages->setChecked(on);
    m_audio.setPlayMessages(on);
    m_settings->writeInt("playMessages", on ? 1 : 0);
}

// ---- Commands of the buttons -----------------------------------------------------------

void MainWindow::PreviewQuestion()
{
    BusyScope busy(*this);
    dorvel::PreviewQuestion(*m_workspace, *m_ui, m_lang, TheExportLists());
}

void MainWindow::BuildButtonClick()
{
    BusyScope busy(*this);
    dorvel::BuildButtonClick(*m_workspace, *m_ui, m_lang, TheExportLists());
}

void MainWindow::CreateWebPagesCall()
{
    BusyScope busy(*this);
    dorvel::CreateWebOutputCall(*m_workspace, *m_ui, m_lang, m_language);
}

// ---- What the workspace tells the window ----------------------------------------------

void MainWindow::showTestDetails()
{
    m_details->ShowTestDetails();
    m_pages->setCurrentWidget(m_details);
    updateCaption();
    updateEditItems();
}

void MainWindow::showQuestion(int n)
{
    m_questions->ShowQuestion(n);
    m_pages->setCurrentWidget(m_questions);
    updateCaption();
    updateEditItems();
}

void MainWindow::savedStateChanged()
{
    m_recovery->prune();
    updateCaption();
    updateEditItems();
}

void MainWindow::setEdited()
{
    // Restarted by every key: the copy is written once typing pauses.
    // Before the start (a recovered set being opened) there is nothing to time.
    if (m_recoveryTimer->isActive())
        m_recoveryPause->start();
}

void MainWindow::showStatus(const std::string& text)
{
    statusBar()->showMessage(toQString(text));
}

void MainWindow::enableSetControls(bool enabled)
{
    m_details->EnableSetControls(enabled);
    m_questions->EnableSetControls(enabled);
    m_webButton->setEnabled(enabled);
    m_classButton->setEnabled(enabled);
    m_buildButton->setEnabled(enabled);
    if (!enabled)
        m_pages->setCurrentWidget(m_details);
    m_recovery->prune();
    updateCaption();
    updateEditItems();
}

void MainWindow::addRecentFile(const std::string& path)
{
    AddRecentFile(path);
}

void MainWindow::testNameChanged(const std::string& name)
{
    m_details->showTestName(name);
}

}  // namespace dorvel
