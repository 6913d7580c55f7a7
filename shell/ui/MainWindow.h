#pragma once

#include "editor/EditorView.h"
#include "languages/AudioMessages.h"
#include "languages/HintTexts.h"
#include "languages/LangStrings.h"
#include "shell/ui/FileAssociation.h"
#include "shell/ui/MainMenu.h"
#include "shell/ui/RecentFiles.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class QPrinter;
class QPushButton;
class QTimer;
class QStackedWidget;

namespace dorvel {

class AboutBox;
class ApplicationShortCut;
class DialogUserInterface;
class EditorSettings;
class HandOffWatcher;
class HelpViewer;
class QuestionPage;
class QuestionTreeView;
class RecoveryKeeper;
class SpellChecker;
class SoundPlayer;
class TestDetailsPage;
class UserInterface;
class Workspace;

// The editor's main window: the question list on the left, the test details
// and question pages on the right, the menu, and the start-up and closing
// of the program around them. Record changes all go through the workspace.
class MainWindow : public QMainWindow, public EditorView {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 792;
    static constexpr int kClientHeight = 531;

    // `ui` answers for the author (tests script it); without one the window
    // asks with its own message boxes and file dialogs.
    explicit MainWindow(UserInterface* ui = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    Workspace& workspace() { return *m_workspace; }
    LangStrings& lang() { return m_lang; }
    UserInterface& ui() { return *m_ui; }
    RecentFiles& recentFiles() { return m_recent; }
    AboutBox& aboutBox() { return *m_about; }
    RecoveryKeeper& recovery() { return *m_recovery; }
    SpellChecker& spelling() { return *m_spelling; }
    const std::vector<std::string>& languageNames() const { return m_languages; }
    const std::string& currentLanguage() const { return m_language; }
    const std::string& lastMessageKey() const { return m_audio.lastMessageKey(); }
    const HintTexts& hintTexts() const { return m_hints; }
    AudioMessages& audio() { return m_audio; }
    bool audioMessages() const;

    void setHelpViewer(std::unique_ptr<HelpViewer> viewer);
    // The player of spoken messages (tests record what is played).
    void setSoundPlayer(std::unique_ptr<SoundPlayer> player);
    void setAssociationQuery(DefaultHandlerQuery query) { m_associationQuery = std::move(query); }

    // The start-up sequence, run once the window shows. `arguments` is the
    // command line without the program. False when the editor must end.
    bool startCall(const QStringList& arguments);
    // A menu item by name.
    void GeneralCall(MenuCommand command);
    void FileReopenCall(int entry);
    void AddRecentFile(const std::string& path);
    void ShowHelpTopic(const std::string& topic);
    void HelpExecute();
    void HelpTutorialExecute();
    void AnnounceMessage(const std::string& key);
    void PlayLastAudioMessage();
    void LanguageSelection(const std::string& language);
    // "" for the interface language's dictionary, else a dictionary's name.
    void DictionarySelection(const std::string& dictionary);
    // Asks about every changed set; false keeps the window open.
    bool CloseSaveChangesQuery();
    void ReadHandOffFile();
    // A second start woke this instance.
    void secondStart(const QStringList& arguments);

    // The commands of the buttons.
    void PreviewQuestion();
    void BuildButtonClick();
    void CreateWebPagesCall();

    // EditorView
    void showTestDetails() override;
    void showQuestion(int n) override;
    void enableSetControls(bool enabled) override;
    void addRecentFile(const std::string& path) override;
    void testNameChanged(const std::string& name) override;
    void savedStateChanged() override;
    void setEdited() override;
    void showStatus(const std::string& text) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    bool FindLanguagePacks();
    void LoadLanguagePack();
    void ApplyComponentLine(const std::string& line);
    void rebuildReopenMenu();
    void rebuildDictionaryMenu();
    void writeRecentFiles();
    void reopenLastSets(const std::string& lastFiles);
    // The first start's question about set files and its welcome help.
    void FirstStartSteps(bool firstLaunch, bool registryWarningNeeded);
    void expandAndSelectCurrentSet();
    void actOnSecondStart(const std::string& p1, const std::string& p2);
    // Acts on the second starts that arrived, unless a command or a dialog
    // is under way: then it tries again shortly.
    void takeSecondStarts();
    void setAudioMessages(bool on);
    void PlayMessage(const std::string& key);
    std::string lastFilesText() const;
    // The Edit menu's commands and their enabled state.
    bool EditCall(MenuCommand command);
    void updateEditItems();
    // The caption names the current set's file, with the unsaved mark.
    void updateCaption();

    LangStrings m_lang;
    std::unique_ptr<DialogUserInterface> m_ownUi;
    UserInterface* m_ui;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<EditorSettings> m_settings;
    std::unique_ptr<RecoveryKeeper> m_recovery;
    QTimer* m_recoveryTimer = nullptr;
    QTimer* m_recoveryPause = nullptr;
    std::unique_ptr<SpellChecker> m_spelling;
    std::unique_ptr<HelpViewer> m_help;
    std::unique_ptr<SoundPlayer> m_sound;
    AudioMessages m_audio;
    HintTexts m_hints;
    std::unique_ptr<QPrinter> m_printer;
    DefaultHandlerQuery m_associationQuery = QueryDefaultWithXdgMime;
    RecentFiles m_recent;
    MainMenu m_menu;
    QuestionTreeView* m_tree = nullptr;
    QStackedWidget* m_pages = nullptr;
    TestDetailsPage* m_details = nullptr;
    QuestionPage* m_questions = nullptr;
    QPushButton* m_webButton = nullptr;
    QPushButton* m_classButton = nullptr;
    QPushButton* m_buildButton = nullptr;
    AboutBox* m_about = nullptr;
    ApplicationShortCut* m_shortCut = nullptr;
    HandOffWatcher* m_handOffWatcher = nullptr;
    std::vector<std::string> m_languages;
    std::string m_language;
    QString m_programCaption;  // the caption's program name, as the language pack has it
    std::vector<QStringList> m_secondStarts;
    bool m_secondStartsQueued = false;
    // Depth of commands under way (they may let events through while they work).
    int m_busy = 0;

    friend class BusyScope;
};

}  // namespace dorvel
