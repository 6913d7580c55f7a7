#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "shell/Installation.h"
#include "languages/LangStrings.h"
#include "languages/LanguagePack.h"
#include "shell/MakerSite.h"
#include "shell/ui/AboutBox.h"
#include "shell/ui/HelpViewer.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/window/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QStatusBar>
#include <QTest>

#include <sys/stat.h>

#include <iostream>

namespace dorvel::test {
namespace {

class ShellTest : public WindowTest {
protected:
    QAction* item(const char* name) { return control<QAction>(name); }
    void menu(const char* name) { item(name)->trigger(); }
    void nameTest(const char* name) { control<QLineEdit>("TestName")->setText(QString::fromLatin1(name)); }
    QStringList reopenCaptions()
    {
        QStringList out;
        for (QAction* a : control<QMenu>("Reopen")->actions())
            out << a->text();
        return out;
    }
};

// A help viewer that records what it was asked to show.
class RecordingHelp : public HelpViewer {
public:
    explicit RecordingHelp(std::vector<std::string>& shown)
        : m_shown(shown)
    {
    }
    bool available() const override { return true; }
    bool showTopic(const std::string& topic) override
    {
        m_shown.push_back(topic);
        return true;
    }

private:
    std::vector<std::string>& m_shown;
};

TEST_F(ShellTest, StartsWithOneNewSetAndTheInitialTexts)
{
    startWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Dorvel 1.vtd[*] - Vantric Dorvel 1.0"));
    EXPECT_EQ(window->centralWidget()->size(), QSize(792, 531));
    EXPECT_EQ(workspace().openSetCount(), 1);
    EXPECT_EQ(workspace().currentSet(), 0);
    EXPECT_EQ(workspace().questionList().caption(0), "Set");
    for (const char* name : {"NewFileM", "Open", "CloseMenu", "Save1", "SaveAs1", "PrintTestM", "PrintSetup1", "FileExit1",
                             "AudioMessages", "HelpAbout1", "Help1", "PlayLastAudioMessage", "Tutorial1",
                             "DisplayVantricWebSite", "DisplayVantricHelpAndSupportWebPages",
                             "DisplayVantricDownloadWebPage", "DisplayVantricFeedbackForm"})
        EXPECT_NE(window->findChild<QAction*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(item("NewFileM")->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(item("PrintTestM")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    for (const char* name : {"SaveWebDialog", "SaveBankDialog", "LangChoices", "Reopen"})
        EXPECT_NE(window->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    // First start, association counted as set up: no question was asked.
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(StoredSetting(QStringLiteral("firstLaunch")).toInt(), 0);
}

TEST_F(ShellTest, NewOpenSaveSaveAsAndClose)
{
    startWindow();
    nameTest("Birds");
    ui.saveChoices.push_back(dir.path("birds.vtd"));
    menu("Save1");
    ASSERT_TRUE(FileExists(dir.path("birds.vtd")));
    EXPECT_FALSE(workspace().current()->hasUnsavedChanges());
    EXPECT_EQ(ui.dialogs.back().title, "Save Dorvel File...");

    ui.saveChoices.push_back(dir.path("birds2.txt"));
    menu("SaveAs1");
    EXPECT_EQ(workspace().current()->filePath, dir.path("birds2.vtd"));
    EXPECT_EQ(reopenCaptions(), (QStringList{QStringLiteral("birds2"), QStringLiteral("birds")}));

    menu("NewFileM");
    EXPECT_EQ(workspace().openSetCount(), 2);
    EXPECT_EQ(workspace().currentSet(), 1);
    // An unchanged new set closes without a question.
    menu("CloseMenu");
    EXPECT_EQ(workspace().openSetCount(), 1);

    menu("CloseMenu");
    EXPECT_EQ(workspace().openSetCount(), 0);
    EXPECT_FALSE(control<QLineEdit>("TestName")->isEnabled());
    EXPECT_FALSE(control<QWidget>("BuildButton")->isEnabled());

    ui.openChoices.push_back({dir.path("birds.vtd")});
    menu("Open");
    EXPECT_EQ(workspace().openSetCount(), 1);
    EXPECT_EQ(control<QLineEdit>("TestName")->text(), QStringLiteral("Birds"));
    EXPECT_TRUE(control<QLineEdit>("TestName")->isEnabled());
    EXPECT_EQ(reopenCaptions().front(), QStringLiteral("birds"));
    EXPECT_TRUE(ui.questions.empty());
}

std::string fileBytes(const std::string& path);

TEST_F(ShellTest, ImportOpensANewSetAndExportQuestionsWritesIt)
{
    startWindow();
    EXPECT_EQ(item("ImportQuestionsM")->text(), QStringLiteral("&Import..."));
    ui.openChoices.push_back({dir.write("birds.gift", "$CATEGORY: $course$/top/Vögel\n\n::Owl::Owls hunt at night {T}\n\n"
                                                      "::Pairs::Match {=a -> 1 =b -> 2}\n")});
    menu("ImportQuestionsM");
    EXPECT_EQ(workspace().openSetCount(), 2);
    EXPECT_EQ(control<QLineEdit>("TestName")->text(), QStringLiteral("Vögel"));
    EXPECT_EQ(workspace().current()->questionCount(), 1);
    EXPECT_NE(ui.messages.back().find("Question 2 (Pairs): Matching"), std::string::npos) << ui.messages.back();

    ui.oneChoices.push_back(0);  // Moodle XML
    ui.saveChoices.push_back(dir.path("birds.xml"));
    menu("ExportQuestionsM");
    EXPECT_NE(fileBytes(dir.path("birds.xml")).find("<text>Owls hunt at night</text>"), std::string::npos);
}

std::string fileBytes(const std::string& path)
{
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

// A first save that cannot be written changes nothing: the set keeps its
// name, caption and (no) path, and the next Save asks where again.
TEST_F(ShellTest, AFailedFirstSaveLeavesTheSetAsItWas)
{
    startWindow();
    QFile(QString::fromStdString(dir.path("plain-file"))).open(QIODevice::WriteOnly);
    const std::string caption = workspace().questionList().caption(0);
    ui.saveChoices.push_back(dir.path("plain-file/Quiz.vtd"));  // a folder that cannot exist
    menu("Save1");
    EXPECT_EQ(ui.messages.back().rfind(window->lang().at(58) + " " + dir.path("plain-file/Quiz.vtd") + " (", 0), 0u)
        << ui.messages.back();
    EXPECT_EQ(GetTag(workspace().current()->testDetails, "TestName"), "0");
    EXPECT_EQ(control<QLineEdit>("TestName")->text(), QString());
    EXPECT_EQ(workspace().questionList().caption(0), caption);
    EXPECT_TRUE(workspace().current()->filePath.empty());

    ui.saveChoices.push_back(dir.path("Quiz.vtd"));
    menu("Save1");
    EXPECT_EQ(ui.dialogs.size(), 2u) << "the second Save asks again";
    EXPECT_TRUE(FileExists(dir.path("Quiz.vtd")));
    EXPECT_EQ(control<QLineEdit>("TestName")->text(), QStringLiteral("Quiz"));
}

// A set file that cannot be read is not called damaged: the message says it
// could not be read and why. A damaged file still is.
TEST_F(ShellTest, AnUnreadableSetSaysWhyNotThatItIsDamaged)
{
    startWindow();
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir.path("Folder.vtd"))));
    ASSERT_EQ(::mkfifo(dir.path("Pipe.vtd").c_str(), 0600), 0);
    QFile damaged(QString::fromStdString(dir.path("Damaged.vtd")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a set");
    damaged.close();
    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        {dir.path("Folder.vtd"), window->lang().at(181) + " " + dir.path("Folder.vtd") + " ("},
        // Not a file to read (a pipe would block a plain reader), even for root.
        {dir.path("Pipe.vtd"), window->lang().at(181) + " " + dir.path("Pipe.vtd") + " ("},
        {dir.path("Damaged.vtd"), window->lang().at(59) + " " + dir.path("Damaged.vtd")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ui.messages.clear();
        EXPECT_FALSE(workspace().OpenSetFile(c.path));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].rfind(c.message, 0), 0u) << ui.messages[0];
        EXPECT_EQ(workspace().openSetCount(), 1);
    }
}

// Save As "Quiz.old" writes "Quiz.vtd": an existing Quiz.vtd is asked about.
TEST_F(ShellTest, SaveAsAsksBeforeReplacingTheFileItWillWrite)
{
    startWindow();
    nameTest("Birds");
    QFile existing(QString::fromStdString(dir.path("Quiz.vtd")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();

    ui.saveChoices.push_back(dir.path("Quiz.old"));
    ui.answers.push_back(Answer::No);
    menu("SaveAs1");
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], window->lang().at(180) + "\n" + dir.path("Quiz.vtd"));
    EXPECT_EQ(fileBytes(dir.path("Quiz.vtd")), "keep me");
    EXPECT_TRUE(workspace().current()->filePath.empty());

    ui.saveChoices.push_back(dir.path("Quiz.old"));
    ui.answers.push_back(Answer::Yes);
    menu("SaveAs1");
    EXPECT_EQ(workspace().current()->filePath, dir.path("Quiz.vtd"));
    EXPECT_NE(fileBytes(dir.path("Quiz.vtd")), "keep me");

    // The name typed is the name written: the dialog asked already.
    ui.saveChoices.push_back(dir.path("Quiz.vtd"));
    menu("SaveAs1");
    EXPECT_EQ(ui.questions.size(), 2u);
}

struct CloseCase {
    const char* name;
    std::vector<Answer> answers;
    bool saveFails;
    bool closes;
};

class CloseQueryTest : public ShellTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQueryTest, ChangedSetsAreAskedAbout)
{
    const CloseCase c = GetParam();
    startWindow();
    nameTest("Changed");
    for (Answer a : c.answers)
        ui.answers.push_back(a);
    if (c.saveFails)
        ui.saveChoices.push_back(dir.path("no such folder/x.vtd"));
    else if (!c.answers.empty() && c.answers.front() == Answer::Yes)
        ui.saveChoices.push_back(dir.path("changed.vtd"));
    EXPECT_EQ(closeWindow(), c.closes);
    EXPECT_TRUE(ui.answers.empty());
    if (!c.closes) {
        // Nothing was lost: the set is still open and still counts as changed.
        EXPECT_TRUE(workspace().current()->hasUnsavedChanges());
        EXPECT_EQ(detailsField("TestName"), "Changed");
    }
    if (c.saveFails) {
        EXPECT_FALSE(ui.messages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseQueryTest,
                         ::testing::Values(CloseCase{"yes", {Answer::Yes}, false, true},
                                           CloseCase{"no", {Answer::No}, false, true},
                                           CloseCase{"cancel", {Answer::Cancel}, false, false},
                                           CloseCase{"yesButSaveFails", {Answer::Yes}, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTest, CancelStopsAskingAboutFurtherSets)
{
    startWindow();
    nameTest("First");
    menu("NewFileM");
    nameTest("Second");
    ui.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(closeWindow());
    EXPECT_EQ(ui.questions.size(), 1u);
}

// With several sets open, each question on closing names its set: a saved
// set by its file, a new one by the name its caption shows.
TEST_F(ShellTest, TheCloseQuestionNamesEachSet)
{
    startWindow();
    nameTest("First");
    ui.saveChoices.push_back(dir.path("first.vtd"));
    menu("Save1");
    nameTest("Fir");
    menu("NewFileM");
    nameTest("Second");
    menu("NewFileM");
    control<QCheckBox>("allowPrinting")->click();  // changed, never named
    ui.questions.clear();
    ui.answers = {Answer::No, Answer::No, Answer::No};
    EXPECT_TRUE(closeWindow());
    const std::string proposed = "Dorvel 3";
    ASSERT_EQ(ui.questions.size(), 3u);
    EXPECT_EQ(ui.questions[0], "Do you want to save the changes to first?");
    EXPECT_EQ(ui.questions[1], "Do you want to save the set \"Second\"? It has not been saved yet.");
    EXPECT_EQ(ui.questions[2], "Do you want to save the set \"" + proposed + "\"? It has not been saved yet.");
}

TEST_F(ShellTest, SetsRecentFilesAndSettingsSurviveARestart)
{
    startWindow();
    nameTest("One");
    ui.saveChoices.push_back(dir.path("one.vtd"));
    menu("Save1");
    menu("NewFileM");
    nameTest("Two");
    ui.saveChoices.push_back(dir.path("two.vtd"));
    menu("Save1");
    workspace().questionList().setExpanded(1, false);
    menu("AudioMessages");
    ASSERT_TRUE(closeWindow());
    EXPECT_EQ(StoredSetting(QStringLiteral("lastFiles")).toString(),
              QString::fromStdString("<f>" + dir.path("one.vtd") + "</f><e>1</e><f>" + dir.path("two.vtd") + "</f><e>0</e>"));
    EXPECT_EQ(StoredSetting(QStringLiteral("RecentFiles/lastFile0")).toString(), toQString(dir.path("two.vtd")));

    startWindow();
    ASSERT_EQ(workspace().openSetCount(), 2);
    EXPECT_EQ(workspace().set(0).filePath, dir.path("one.vtd"));
    EXPECT_EQ(workspace().set(1).filePath, dir.path("two.vtd"));
    EXPECT_TRUE(workspace().questionList().isExpanded(0));
    EXPECT_FALSE(workspace().questionList().isExpanded(1));
    EXPECT_EQ(workspace().currentSet(), 0);
    EXPECT_EQ(reopenCaptions(), (QStringList{QStringLiteral("two"), QStringLiteral("one")}));
    EXPECT_TRUE(window->audioMessages());
    EXPECT_EQ(workspace().lastDir(), ExtractFilePath(dir.path("two.vtd")));
}

TEST_F(ShellTest, ReopensTheSetsThatStillExist)
{
    const std::string sets[] = {dir.path("a.vtd"), dir.path("b.vtd"), dir.path("c.vtd")};
    {
        startWindow();
        for (const std::string& path : sets) {
            ui.saveChoices.push_back(path);
            menu("Save1");
            menu("NewFileM");
        }
        ASSERT_TRUE(closeWindow());
    }
    DeleteFile(sets[1]);
    PresetSetting(QStringLiteral("lastFiles"),
                  QString::fromStdString("<f>" + sets[0] + "</f><e>0</e><f>" + sets[1] + "</f><e>1</e><f>" + sets[2] + "</f><e>1</e>"));
    startWindow();
    ASSERT_EQ(workspace().openSetCount(), 2);
    EXPECT_EQ(workspace().set(0).filePath, sets[0]);
    EXPECT_EQ(workspace().set(1).filePath, sets[2]);
    EXPECT_FALSE(workspace().questionList().isExpanded(0));
    EXPECT_TRUE(workspace().questionList().isExpanded(1));
    // The missing file left the recent list; reopening it from a stale item says so.
    EXPECT_FALSE(reopenCaptions().contains(QStringLiteral("b")));
    window->FileReopenCall(29);
    EXPECT_EQ(ui.messages.back(), window->lang().at(22));
}

TEST_F(ShellTest, CommandLineOpensTheNamedSetOnly)
{
    {
        startWindow();
        ui.saveChoices.push_back(dir.path("cmd.vtd"));
        menu("Save1");
        ASSERT_TRUE(closeWindow());
    }
    startWindow({QStringLiteral("openShellCall"), toQString(dir.path("cmd.vtd"))});
    ASSERT_EQ(workspace().openSetCount(), 1);
    EXPECT_EQ(workspace().set(0).filePath, dir.path("cmd.vtd"));
    EXPECT_TRUE(workspace().questionList().isExpanded(0));
    ASSERT_TRUE(closeWindow());

    startWindow({QStringLiteral("somethingElse"), toQString(dir.path("cmd.vtd"))});
    EXPECT_EQ(workspace().openSetCount(), 0);
}

TEST_F(ShellTest, FunctionKeysWorkWhicheverControlHasTheFocus)
{
    startWindow();
    const char* focused[] = {"TestName", "TestTree", "GraphicStyle"};
    for (const char* name : focused) {
        SCOPED_TRACE(name);
        ui.messages.clear();
        QWidget* w = control<QWidget>(name);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_F1);
        QTest::keyClick(w, Qt::Key_F3);
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[0], window->lang().at(23));  // no help installed
        EXPECT_EQ(ui.messages[1], window->lang().at(24));  // no tutorial installed
    }
    // F1 did not reach the control as a typed key.
    EXPECT_EQ(control<QLineEdit>("TestName")->text(), QString());
}

TEST_F(ShellTest, HelpTopicsGoToTheHelpViewer)
{
    std::vector<std::string> shown;
    startWindow();
    window->setHelpViewer(std::make_unique<RecordingHelp>(shown));
    QTest::keyClick(control<QWidget>("TestName"), Qt::Key_F1);
    EXPECT_EQ(shown, (std::vector<std::string>{"::/LinksDV.html"}));
}

// The Help menu's four web items open the maker's pages only where the
// installation names a real site; otherwise (as built by default, or with a
// placeholder named) the installed guide, never an address leading nowhere.
TEST_F(ShellTest, WebItemsOpenTheMakersPagesOrTheInstalledGuide)
{
    std::vector<std::string> shown;
    startWindow();
    window->setHelpViewer(std::make_unique<RecordingHelp>(shown));
    const auto pressAll = [&] {
        ui.opened.clear();
        shown.clear();
        for (const char* name : {"DisplayVantricWebSite", "DisplayVantricHelpAndSupportWebPages",
                                 "DisplayVantricDownloadWebPage", "DisplayVantricFeedbackForm"})
            menu(name);
    };
    const std::vector<std::string> guide{"::/LinksDV.html", "::/LinksDV.html", "::/F03Installation.htm", "::/LinksDV.html"};
    struct Case {
        const char* siteFile;  // nullptr: the installation names none
        std::vector<std::string> opened;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {nullptr, {}, guide},
        {"https://dorvel.example.org/\n", {}, guide},
        {"https://www.dorvel-schule.eu\n",
         {"https://www.dorvel-schule.eu/", "https://www.dorvel-schule.eu/support.html",
          "https://www.dorvel-schule.eu/downloads.html", "https://www.dorvel-schule.eu/feedback.html"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.siteFile ? c.siteFile : "no site");
        TempFolder install;
        if (c.siteFile)
            ASSERT_TRUE(WriteFileBytes(install.path(kMakerSiteFile), c.siteFile));
        SetInstallationFolder(install.path());
        pressAll();
        SetInstallationFolder(FixtureInstallation());
        EXPECT_EQ(ui.opened, c.opened);
        EXPECT_EQ(shown, c.shown);
    }
}

// A help viewer that notes how many questions had been asked when it showed
// a topic, and beside which window.
class OrderedHelp : public HelpViewer {
public:
    OrderedHelp(const std::vector<std::string>& questions, std::vector<std::string>& log)
        : m_questions(questions)
        , m_log(log)
    {
    }
    bool available() const override { return true; }
    bool showTopic(const std::string& topic) override
    {
        m_log.push_back(topic + " after " + std::to_string(m_questions.size()) + " questions");
        return true;
    }
    bool showTopicBeside(const std::string& topic, const QRect& window) override
    {
        m_log.push_back(window.isValid() ? "beside" : "beside nothing");
        return showTopic(topic);
    }

private:
    const std::vector<std::string>& m_questions;
    std::vector<std::string>& m_log;
};

// Set files that do not open in Dorvel are mentioned once, in the status
// line, never with a question; Options keeps the way to set it up.
TEST_F(ShellTest, SetFilesNotOursAreMentionedQuietlyOnce)
{
    const std::string mention = [] {
        LangStrings lang;
        LoadLanguageStrings(lang, "English (UK)");
        return lang.at(64);
    }();
    const std::pair<const char*, std::optional<std::string>> starts[] = {
        {"first start", "other.desktop"},
        {"next start", std::nullopt},
    };
    for (const auto& [name, handler] : starts) {
        SCOPED_TRACE(name);
        window = std::make_unique<MainWindow>(&ui);
        const std::optional<std::string> answer = handler;
        window->setAssociationQuery([answer](const std::string&) { return answer; });
        window->show();
        ASSERT_TRUE(window->startCall({}));
        QCoreApplication::processEvents();
        EXPECT_TRUE(ui.questions.empty());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(window->statusBar()->currentMessage().toStdString(), handler ? mention : std::string());
        EXPECT_EQ(StoredSetting(QStringLiteral("registryWarningNeeded")).toInt(), 0);
        window.reset();
    }
}

TEST_F(ShellTest, OptionsOpenTheHelpOnOpeningSetFilesWithDorvel)
{
    std::vector<std::string> log;
    startWindow();
    window->setHelpViewer(std::make_unique<OrderedHelp>(ui.questions, log));
    menu("FileAssociationM");
    EXPECT_EQ(log, std::vector<std::string>{"::/F03Installation.htm after 0 questions"});
}

// The first start: the window first; once it is up, the welcome help
// beside it, with no question before it.
TEST_F(ShellTest, FirstStartShowsTheWindowThenTheHelpBeside)
{
    std::vector<std::string> log;
    window = std::make_unique<MainWindow>(&ui);
    window->setHelpViewer(std::make_unique<OrderedHelp>(ui.questions, log));
    window->setAssociationQuery([](const std::string&) { return std::optional<std::string>("other.desktop"); });
    window->show();
    ASSERT_TRUE(window->startCall({}));
    EXPECT_TRUE(log.empty());

    QCoreApplication::processEvents();
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(log, (std::vector<std::string>{"beside", "::/S08Start.htm after 0 questions"}));
}

// The editor of the test below, started in a fresh settings folder with the
// system's language it was given: it says which pack it took.
TEST_F(ShellTest, ChildEditorStartingWithTheSystemsLanguage)
{
    const QByteArray stored = qgetenv("DORVEL_LANGUAGE_CHILD");
    if (stored.isEmpty())
        GTEST_SKIP() << "run by AStartWithoutAChosenLanguageSpeaksTheSystemsLanguage";
    if (stored != "-")
        PresetSetting(QStringLiteral("langchoice"), QString::fromUtf8(stored));
    startWindow();
    std::cout << "language: " << window->currentLanguage() << std::endl;
}

TEST_F(ShellTest, AStartWithoutAChosenLanguageSpeaksTheSystemsLanguage)
{
    struct Case {
        const char* lang;
        const char* stored;  // the author's choice in the settings; "-": none
        const char* language;
    };
    const Case cases[] = {
        {"de_DE.UTF-8", "-", "Deutsch"},
        {"de_AT.UTF-8", "-", "Deutsch"},
        {"en_US.UTF-8", "-", "English (UK)"},
        {"fr_FR.UTF-8", "-", "English (UK)"},
        {"C", "-", "English (UK)"},
        {"de_DE.UTF-8", "English (UK)", "English (UK)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lang) + " " + c.stored);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(c.lang));
        env.insert(QStringLiteral("DORVEL_LANGUAGE_CHILD"), QString::fromUtf8(c.stored));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=ShellTest.ChildEditorStartingWithTheSystemsLanguage")});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        EXPECT_TRUE(out.contains(QStringLiteral("language: ") + QString::fromUtf8(c.language) + QLatin1Char('\n')))
            << out.toStdString();
    }
}

TEST_F(ShellTest, MissingDataFoldersEndTheEditorWithASpokenMessage)
{
    TempFolder install;
    ForceDirectory(install.path("DVLang"));
    QFile::copy(toQString(JoinPath(FixtureInstallation(), "DVLang/English (UK).vtc")),
                toQString(install.path("DVLang/English (UK).vtc")));
    // Every recording is there, so a wrong message would be heard too.
    ASSERT_TRUE(QFile::link(QStringLiteral(DORVEL_BUILD_INSTALL_DIR "/DVSounds"), toQString(install.path("DVSounds"))));
    SetInstallationFolder(install.path());
    // A window whose spoken messages are recorded, not played.
    const auto start = [&](RecordingSoundPlayer*& sound) {
        ui.messages.clear();
        window = std::make_unique<MainWindow>(&ui);
        auto player = std::make_unique<RecordingSoundPlayer>();
        sound = player.get();
        window->setSoundPlayer(std::move(player));
        return window->startCall({});
    };
    RecordingSoundPlayer* sound = nullptr;
    EXPECT_FALSE(start(sound));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], window->lang().at(15));
    EXPECT_EQ(sound->opened, std::vector<std::string>{install.path("DVSounds/s15.wav")});
    EXPECT_EQ(sound->plays, 1);

    ForceDirectory(install.path("Buttons"));
    EXPECT_FALSE(start(sound));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], window->lang().at(16));
    EXPECT_EQ(sound->opened, std::vector<std::string>{install.path("DVSounds/s16.wav")});
    EXPECT_EQ(sound->plays, 1);

    DeleteFile(install.path("DVLang/English (UK).vtc"));
    EXPECT_FALSE(start(sound));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("DVLang"), std::string::npos);
}

TEST_F(ShellTest, AboutBoxPagesThroughAndCloses)
{
    startWindow();
    AboutBox& about = window->aboutBox();
    about.endSplash();
    EXPECT_FALSE(about.hasPicture());
    EXPECT_EQ(about.size(), QSize(AboutBox::kWidth, AboutBox::kHeight));
    about.show();
    QTest::mouseClick(&about, Qt::LeftButton);
    EXPECT_EQ(about.page(), 1);
    EXPECT_TRUE(about.isVisible());
    QTest::mouseClick(&about, Qt::LeftButton);
    EXPECT_EQ(about.page(), 0);
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace dorvel::test
