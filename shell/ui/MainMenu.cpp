#include "shell/ui/MainMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace dorvel {

namespace {

QAction* addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {})
{
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
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
    addItem(edit, "EditUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = addItem(edit, "EditRedo", "&Redo");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    addItem(edit, "EditCut", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
    addItem(edit, "EditCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(edit, "EditPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    edit->addSeparator();
    addItem(edit, "DuplicateQuestion", "&Duplicate Question", QKeySequence(Qt::CTRL | Qt::Key_D));
    addItem(edit, "MoveQuestionUp", "Move Question &Up", QKeySequence(Qt::ALT | Qt::Key_Up));
    addItem(edit, "MoveQuestionDown", "Move Question &Down", QKeySequence(Qt::ALT | Qt::Key_Down));
    return edit;
}

}  // namespace

MainMenu MainMenu::build(QMainWindow& window)
{
    MainMenu m;
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    m.file = addMenu(nullptr, bar, "File1", "&File");
    addItem(m.file, "NewFileM", "New Set", QKeySequence(Qt::CTRL | Qt::Key_N));
    addItem(m.file, "Open", "Open", QKeySequence(Qt::CTRL | Qt::Key_O));
    m.reopen = addMenu(m.file, nullptr, "Reopen", "Reopen");
    addItem(m.file, "CloseMenu", "Close");
    m.file->addSeparator();
    addItem(m.file, "Save1", "Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(m.file, "SaveAs1", "Save As");
    m.file->addSeparator();
    // The Create Web Pages button's choice: a web test or a learning platform package.
    addItem(m.file, "CreateWebPagesM", "Create Web Pages...");
    addItem(m.file, "ImportQuestionsM", "Import...");
    addItem(m.file, "ExportQuestionsM", "Export Questions...");
    m.file->addSeparator();
    // The desktop's print key prints the test, as a teacher expects.
    addItem(m.file, "PrintTestM", "Print Test...", QKeySequence(Qt::CTRL | Qt::Key_P));
    addItem(m.file, "PrintSetup1", "Print Setup");
    m.file->addSeparator();
    addItem(m.file, "FileExit1", "Exit");

    m.edit = buildEditMenu(bar);

    m.options = addMenu(nullptr, bar, "Options1", "&Options");
    m.audioMessages = addItem(m.options, "AudioMessages", "Audio Messages");
    m.audioMessages->setCheckable(true);
    m.languages = addMenu(m.options, nullptr, "LangChoices", "Language");
    m.languages->menuAction()->setVisible(false);
    // Filled at start with the dictionaries installed.
    m.dictionaries = addMenu(m.options, nullptr, "SpellingDictionary", "Spelling Dictionary");
    // How to make set files open in Dorvel by double-click (the help's installation page).
    addItem(m.options, "FileAssociationM", "Open Set Files with Dorvel...");

    m.help = addMenu(nullptr, bar, "Help2", "&Help");
    addItem(m.help, "Help1", "Help Topics", QKeySequence(Qt::Key_F1));
    m.playLastAudioMessage = addItem(m.help, "PlayLastAudioMessage", "Tell Me (Audio)", QKeySequence(Qt::Key_F2));
    addItem(m.help, "Tutorial1", "Tutorial", QKeySequence(Qt::Key_F3));
    m.help->addSeparator();
    addItem(m.help, "DisplayVantricWebSite", "Display the Vantric Web Site");
    addItem(m.help, "DisplayVantricHelpAndSupportWebPages", "Display the Vantric Help and Support Web Pages");
    addItem(m.help, "DisplayVantricDownloadWebPage", "Display the Vantric Downloads Web Pages");
    addItem(m.help, "DisplayVantricFeedbackForm", "Display the Vantric Feedback Web Pages");
    m.help->addSeparator();
    addItem(m.help, "HelpAbout1", "About");
    return m;
}

QAction* MainMenu::item(const QMainWindow& window, const QString& name)
{
    return window.findChild<QAction*>(name);
}

}  // namespace dorvel
