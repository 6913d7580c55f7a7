#pragma once

#include "languages/Messages.h"
#include "model/OpenSet.h"
#include "platform/UserInterface.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace dorvel {

class EditorView;
class LangStrings;
class QuestionListModel;
class SetHistory;
struct RecordChanges;

// The table of open sets with the editor state, and every operation that
// changes the records: opening, saving and closing sets, the question
// editor's writes and the question list's structural changes. The window
// only shows and forwards; this class never touches a widget.
class Workspace {
public:
    Workspace(UserInterface& ui, const LangStrings& lang);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    void setView(EditorView* view);
    QuestionListModel& questionList() { return *m_list; }

    // ---- State -----------------------------------------------------------
    OpenSet& set(int i) { return m_sets.at(static_cast<std::size_t>(i)); }
    const OpenSet& set(int i) const { return m_sets.at(static_cast<std::size_t>(i)); }
    int currentSet() const { return m_currentSet; }
    int currentQuestion() const { return m_currentQuestion; }
    bool updating() const { return m_updating; }
    void setUpdating(bool on) { m_updating = on; }
    const std::string& lastDir() const { return m_lastDir; }
    void setLastDir(const std::string& folder) { m_lastDir = folder; }
    // The current set, or nullptr when none is open.
    OpenSet* current();
    int openSetCount() const;

    // ---- Sets --------------------------------------------------------------
    bool NewSet();
    // False when nothing was opened (missing file, table full, refused file).
    bool OpenSetFile(const std::string& path);
    // A set brought back from a recovery copy: open, changed, to be saved to
    // `setPath` (a set never saved asks where). False when the table is full.
    bool OpenRecoveredSet(OpenSet records, const std::string& setPath);
    // Opens records made elsewhere (an import) as a new set with unsaved
    // changes and no file; false when no entry is free (s19 shown).
    bool OpenUnsavedSet(OpenSet records);
    // The Open menu: asks for files, opens each one.
    void FileOpen1Execute();
    // False when the set was not written (cancelled or failed).
    bool SaveSet(int entry);
    bool SaveTest();
    bool SaveTestAs();
    void CloseCurrentSet();
    // False when the author cancels, or when a wanted save failed.
    bool AskSaveChanges(int entry);
    // Announces a message key and shows its text.
    void ShowMessageKey(const std::string& key);
    void ShowMessageKey(Message message) { ShowMessageKey(MessageKey(message)); }

    // ---- Question editor ------------------------------------------------------
    // A test-details text box (TestName, ExaminerName): the typed text.
    void TestChange(const std::string& field, const std::string& typedText);
    // A test-details check box (allowCheating, allowPrinting, allowFinishedQuestionViewing).
    void TestCheckChange(const std::string& field, bool ticked);
    void GraphicStyleChange(const std::string& style);
    // The pass mark box: a percentage, 0 for none.
    void PassMarkChange(int percent);
    // Any question control: `control` is its name (Title, Text1..4, Select0..3,
    // tf1..4, tType1..4, aFN, QuestionType, qDisabled); `value` is the typed
    // text, the chosen item index or "1"/"0" for a check box / radio button.
    void questionChange(const std::string& control, const std::string& value);
    // The current question's whole record replaced in one change (several
    // fields that only make sense together, such as a picture's two paths).
    // Changes with the same `typingIn` (the box typed in) are one undo step
    // until another edit comes between. False when no question is shown.
    bool questionRecordChange(const std::string& record, const std::string& typingIn = {});
    void NewQuestion();

    // ---- Question list ---------------------------------------------------------
    // Selection of a node: question -1 for a set's node, else 1-based number.
    void TestTreeChange(int setIndex, int question);
    void MoveQuestion(int from, int after);
    // A drop of question node (sourceSet, sourceQuestion) onto
    // (targetSet, targetQuestion); targetQuestion 0 is the set's node.
    void TestTreeDragNodeEvent(int sourceSet, int sourceQuestion, int targetSet, int targetQuestion);
    void DeleteQuestion();
    // A copy of the current question right after it, shown.
    void DuplicateQuestion();
    // The current question one place up or down in its set.
    void MoveQuestionUp();
    void MoveQuestionDown();

    // ---- Undo and redo ---------------------------------------------------------
    // Each open set has its own history; these act on the current set's.
    bool canUndo() const;
    bool canRedo() const;
    void Undo();
    void Redo();
    // The next typing starts a step of its own (a spelling replacement is
    // one step, not part of the typing around it).
    void breakTypingStep() { ++m_typingRun; }
    // The history of an open set (nullptr for a free entry).
    SetHistory* history(int entry) const;

    // Caption helpers shared with the window.
    std::string setCaption(int entry) const;
    // The set's file name, or the name the first save will propose.
    std::string fileName(int entry) const;
    // Tells the author on the status bar what a command did. A command that
    // saved the set first (Build, Create Web Pages) passes what it made as
    // `made`, and the line says both.
    void showStatus(const std::string& text);
    void showSavedAnd(const std::string& made);

private:
    class EditScope;
    friend class EditScope;

    FileDialog saveDialog(int entry) const;
    // The save dialog's choice as the path that will be written (".vtd" put
    // on); nothing when the author cancels.
    std::optional<std::string> chooseSetPath(int entry);
    // Writes the set to `path`; the set changes only when the write succeeded.
    bool writeSet(int entry, const std::string& path);
    void showTestDetails();
    void showQuestion(int n);
    void enableSetControls();
    void rebuildQuestionNodes(int entry);
    int firstFreeEntry() const;
    // Puts read or recovered records into the free entry `entry`, shows them and
    // starts their history.
    void takeRecords(int entry, OpenSet records, const std::string& setPath);
    // A fresh history for a set just opened or made.
    void startHistory(int entry);
    int entryOf(const SetHistory* history) const;
    // Puts one side of an edit back and shows where it changed the set.
    void restore(const SetHistory* history, const RecordChanges& changes, bool undo);
    // The set's changed state follows its history.
    void followHistory(const SetHistory* history);
    void selectAndShow(int entry, int question);

    UserInterface& m_ui;
    const LangStrings& m_lang;
    EditorView* m_view = nullptr;
    std::array<OpenSet, kMaxOpenSets> m_sets;
    std::array<std::unique_ptr<SetHistory>, kMaxOpenSets> m_histories;
    int m_editDepth = 0;
    int m_typingRun = 0;
    bool m_restoring = false;
    std::string m_lastSavedPath;  // written by the last save, until the next command
    // The status line's "Saved to" names this file; it goes once the set
    // changes again, leaving what the status said after it.
    std::string m_statusSavedPath;
    std::string m_statusAfterSaved;
    QuestionListModel* m_list;
    int m_currentSet = -1;
    int m_currentQuestion = -1;
    bool m_updating = false;
    std::string m_lastDir;
};

}  // namespace dorvel
