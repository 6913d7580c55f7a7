#pragma once

#include <QString>

#include <optional>

class QAction;
class QMainWindow;
class QMenu;

namespace dorvel {

// What an item of the main menu does. The window dispatches on these; a
// command mistyped does not compile.
enum class MenuCommand {
    NewSet,
    Open,
    Close,
    Save,
    SaveAs,
    CreateWebPages,
    ImportQuestions,
    ExportQuestions,
    PrintTest,
    PrintSetup,
    Exit,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    DuplicateQuestion,
    MoveQuestionUp,
    MoveQuestionDown,
    AudioMessages,
    FileAssociation,
    HelpTopics,
    PlayLastAudioMessage,
    Tutorial,
    MakerWebSite,
    MakerSupport,
    MakerDownloads,
    MakerFeedback,
    About,
};

// The item's name: the name a language pack relabels it by (its component
// lines), kept as the original format's packs spell it.
QString MenuItemName(MenuCommand command);
// The command of the item of that name, if it is one.
std::optional<MenuCommand> MenuCommandNamed(const QString& name);

// The main menu. Every item carries its name and its command.
struct MainMenu {
    QMenu* file = nullptr;
    QMenu* reopen = nullptr;
    QMenu* edit = nullptr;
    QMenu* options = nullptr;
    QMenu* languages = nullptr;
    QMenu* dictionaries = nullptr;
    QMenu* help = nullptr;
    QAction* audioMessages = nullptr;
    QAction* playLastAudioMessage = nullptr;

    // Builds the menu bar of `window`.
    static MainMenu build(QMainWindow& window);
    // The item of that command, or nullptr.
    static QAction* item(const QMainWindow& window, MenuCommand command);
};

}  // namespace dorvel
