#include "shell/ui/MainMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace dorvel {

namespace {

// Each command's item name, written once.
struct NamedCommand {
    MenuCommand command;
    const char* name;
};

constexpr NamedCommand kItemNames[] = {
    {MenuCommand::NewSet, "NewFileM"},
    {MenuCommand::Open, "Open"},
    {MenuCommand::Close, "CloseMenu"},
    {MenuCommand::Save, "Save1"},
    {MenuCommand::SaveAs, "SaveAs1"},
    {MenuCommand::CreateWebPages, "CreateWebPagesM"},
    {MenuCommand::ImportQuestions, "ImportQuestionsM"},
    {MenuCommand::ExportQuestions, "ExportQuestionsM"},
    {MenuCommand::PrintTest, "PrintTestM"},
    {MenuCommand::PrintSetup, "PrintSetup1"},
    {MenuCommand::Exit, "FileExit1"},
    {MenuCommand::Undo, "EditUndo"},
    {MenuCommand::Redo, "EditRedo"},
    {MenuCommand::Cut, "EditCut"},
    {MenuCommand::Copy, "EditCopy"},
    {MenuCommand::Paste, "EditPaste"},
    {MenuCommand::DuplicateQuestion, "DuplicateQuestion"},
    {MenuCommand::MoveQuestionUp, "MoveQuestionUp"},
    {MenuCommand::MoveQuestionDown, "MoveQuestionDown"},
    {MenuCommand::AudioMessages, "AudioMessages"},
    {MenuCommand::FileAssociation, "FileAssociationM"},
    {MenuCommand::HelpTopics, "Help1"},
    {MenuCommand::PlayLastAudioMessage, "PlayLastAudioMessage"},
    {MenuCommand::Tutorial, "Tutorial1"},
    {MenuCommand::MakerWebSite, "DisplayVantricWebSite"},
    {MenuCommand::MakerSupport, "DisplayVantricHelpAndSupportWebPages"},
    {MenuCommand::MakerDownloads, "DisplayVantricDownloadWebPage"},
    {MenuCommand::MakerFeedback, "DisplayVantricFeedbackForm"},
    {MenuCommand::About, "HelpAbout1"},
};

QAction* addItem(QMenu* menu, MenuCommand command, const char* caption, const QKeySequence& key = {})
{
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(MenuItemName(command));
    action->setData(static_cast<int>(command));
    if (!key.isEmpty())
        action->setShortcut(key);
    return action;
}

QMenu* addMenu(QMenu* parent, QMenuBar* bar, const char* name, const char* caption)
{
    QMenu* menu = parent ? parent->addMenu(QString::fromLatin1(caption)) : bar->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

// Undo, the clipboard and the question list from the keyboard, with the
// shortcuts every desktop editor uses.
QMenu* buildEditMenu(QMenuBar* bar)
{
    QMenu* edit = addMenu(nullptr, bar, "Edit1", "&Edit");
    addItem(edit, MenuCommand::Undo, "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = addItem(edit, MenuCommand::Redo, "&Redo");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    addItem(edit, MenuCommand::Cut, "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
    addItem(edit, MenuCommand::Copy, "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(edit, MenuCommand::Paste, "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    edit->addSeparator();
    addItem(edit, MenuCommand::DuplicateQuestion, "&Duplicate Question", QKeySequence(Qt::CTRL | Qt::Key_D));
    addItem(edit, MenuCommand::MoveQuestionUp, "Move Question &Up", QKeySequence(Qt::ALT | Qt::Key_Up));
    addItem(edit, MenuCommand::MoveQuestionDown, "Move Question &Down", QKeySequence(Qt::ALT | Qt::Key_Down));
    return edit;
}

}  // namespace

MainMenu MainMenu::build(QMainWindow& window)
{
    MainMenu m;
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    m.file = addMenu(nullptr, bar, "File1", "&File");
    addItem(m.file, MenuCommand::NewSet, "New Set", QKeySequence(Qt::CTRL | Qt::Key_N));
    addItem(m.file, MenuCommand::Open, "Open", QKeySequence(Qt::CTRL | Qt::Key_O));
    m.reopen = addMenu(m.file, nullptr, "Reopen", "Reopen");
    addItem(m.file, MenuCommand::Close, "Close");
    m.file->addSeparator();
    addItem(m.file, MenuCommand::Save, "Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(m.file, MenuCommand::SaveAs, "Save As");
    m.file->addSeparator();
    // The Create Web Pages button's choice: a web test or a learning platform package.
    addItem(m.file, MenuCommand::CreateWebPages, "Create Web Pages...");
    addItem(m.file, MenuCommand::ImportQuestions, "Import...");
    addItem(m.file, MenuCommand::ExportQuestions, "Export Questions...");
    m.file->addSeparator();
    // The desktop's print key prints the test, as a teacher expects.
    addItem(m.file, MenuCommand::PrintTest, "Print Test...", QKeySequence(Qt::CTRL | Qt::Key_P));
    addItem(m.file, MenuCommand::PrintSetup, "Print Setup");
    m.file->addSeparator();
    addItem(m.file, MenuCommand::Exit, "Exit");

    m.edit = buildEditMenu(bar);

    m.options = addMenu(nullptr, bar, "Options1", "&Options");
    m.audioMessages = addItem(m.options, MenuCommand::AudioMessages, "Audio Messages");
    m.audioMessages->setCheckable(true);
    m.languages = addMenu(m.options, nullptr, "LangChoices", "Language");
    m.languages->menuAction()->setVisible(false);
    // Filled at start with the dictionaries installed.
    m.dictionaries = addMenu(m.options, nullptr, "SpellingDictionary", "Spelling Dictionary");
    // How to make set files open in Dorvel by double-click (the help's installation page).
    addItem(m.options, MenuCommand::FileAssociation, "Open Set Files with Dorvel...");

    m.help = addMenu(nullptr, bar, "Help2", "&Help");
    addItem(m.help, MenuCommand::HelpTopics, "Help Topics", QKeySequence(Qt::Key_F1));
    m.playLastAudioMessage = addItem(m.help, MenuCommand::PlayLastAudioMessage, "Tell Me (Audio)", QKeySequence(Qt::Key_F2));
    addItem(m.help, MenuCommand::Tutorial, "Tutorial", QKeySequence(Qt::Key_F3));
    m.help->addSeparator();
    addItem(m.help, MenuCommand::MakerWebSite, "Display the Vantric Web Site");
    addItem(m.help, MenuCommand::MakerSupport, "Display the Vantric Help and Support Web Pages");
    addItem(m.help, MenuCommand::MakerDownloads, "Display the Vantric Downloads Web Pages");
    addItem(m.help, MenuCommand::MakerFeedback, "Display the Vantric Feedback Web Pages");
    m.help->addSeparator();
    addItem(m.help, MenuCommand::About, "About");
    return m;
}

QString MenuItemName(MenuCommand command)
{
    for (const NamedCommand& item : kItemNames)
        if (item.command == command)
            return QString::fromLatin1(item.name);
    return {};
}

std::optional<MenuCommand> MenuCommandNamed(const QString& name)
{
    for (const NamedCommand& item : kItemNames)
        if (name == QLatin1String(item.name))
            return item.command;
    return std::nullopt;
}

QAction* MainMenu::item(const QMainWindow& window, MenuCommand command)
{
    return window.findChild<QAction*>(MenuItemName(command));
}

}  // namespace dorvel
