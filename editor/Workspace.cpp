#include "editor/Workspace.h"
#include "model/PassMark.h"

#include "editor/EditorView.h"
#include "editor/QuestionListModel.h"
#include "editor/undo/SetHistory.h"
#include "languages/LangStrings.h"
#include "media/QuestionMedia.h"
#include "model/DefaultRecords.h"
#include "model/SetFields.h"
#include "model/SetFile.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <ctime>
#include <vector>

namespace dorvel {

namespace {

// Keeps the updating flag set for a scope and restores it on every way out.
class UpdatingScope {
public:
    explicit UpdatingScope(Workspace& w)
        : m_workspace(w)
        , m_was(w.updating())
    {
        w.setUpdating(true);
    }
    ~UpdatingScope() { m_workspace.setUpdating(m_was); }
    UpdatingScope(const UpdatingScope&) = delete;
    UpdatingScope& operator=(const UpdatingScope&) = delete;

private:
    Workspace& m_workspace;
    bool m_was;
};

// A caption is one line: line breaks in a stored title show as blanks.
std::string captionText(const std::string& stored)
{
    std::string text = DecodeText(stored);
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

std::string questionCaption(int n, const std::string& storedTitle)
{
    return "Q" + std::to_string(n) + ": " + captionText(storedTitle);
}

// File name without its last four characters (the ".vtd").
std::string shortName(const std::string& path)
{
    const std::string name = ExtractFileName(path);
    return name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
}

// Questions 1..100 with every empty slot squeezed out, order kept. Slot 0,
// the placeholder, stays where it is even when a file left it empty.
void closeGaps(OpenSet& set)
{
    std::vector<std::string> kept;
    for (std::size_t i = 1; i < set.questionSlots.size(); ++i)
        if (!set.questionSlots[i].empty())
            kept.push_back(std::move(set.questionSlots[i]));
    for (std::size_t i = 1; i < set.questionSlots.size(); ++i)
        set.questionSlots[i] = i - 1 < kept.size() ? std::move(kept[i - 1]) : std::string();
}

}  // namespace

// Makes everything done to one set while it lives one step of that set's
// history. Scopes nest: a drop that copies a question and then moves it is
// one step. Undo and redo themselves record nothing.
class Workspace::EditScope {
public:
    EditScope(Workspace& w, int entry, std::string mergeKey = {})
        : m_workspace(w)
        , m_entry(entry)
        , m_mergeKey(mergeKey.empty() ? std::move(mergeKey) : mergeKey + "#" + std::to_string(w.m_typingRun))
        , m_outer(w.m_editDepth++ == 0 && !w.m_restoring && w.history(entry))
        , m_before(m_outer ? SetRecords::of(w.set(entry)) : SetRecords{})
        , m_questionBefore(entry == w.m_currentSet ? w.m_currentQuestion : -1)
    {
    }
    ~EditScope()
    {
        --m_workspace.m_editDepth;
        if (!m_outer || !m_workspace.history(m_entry))
            return;
        OpenSet& set = m_workspace.set(m_entry);
        RecordChanges changes = RecordChanges::between(m_before, set);
        changes.questionBefore = m_questionBefore;
        changes.questionAfter = m_entry == m_workspace.m_currentSet ? m_workspace.m_currentQuestion : -1;
        if (changes.none())
            return;
        ++set.changeCount;
        m_workspace.history(m_entry)->record(std::move(changes), m_mergeKey);
        if (m_workspace.m_view)
            m_workspace.m_view->setEdited();
    }
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

private:
    Workspace& m_workspace;
    int m_entry;
    std::string m_mergeKey;
    bool m_outer;
    SetRecords m_before;
    int m_questionBefore;
};

Workspace::Workspace(UserInterface& ui, const LangStrings& lang)
    : m_ui(ui)
    , m_lang(lang)
    , m_list(new QuestionListModel)
{
    m_list->onDrop = [this](int ss, int sq, int ts, int tq) { TestTreeDragNodeEvent(ss, sq, ts, tq); };
}

Workspace::~Workspace()
{
    delete m_list;
}

void Workspace::setView(EditorView* view)
{
    m_view = view;
}

OpenSet* Workspace::current()
{
    if (m_currentSet < 0 || m_currentSet >= kMaxOpenSets || set(m_currentSet).isFree())
        return nullptr;
    return &set(m_currentSet);
}

int Workspace::openSetCount() const
{
    int n = 0;
    for (const OpenSet& s : m_sets)
        if (!s.isFree())
            ++n;
    return n;
}

int Workspace::firstFreeEntry() const
{
    for (int i = 0; i < kMaxOpenSets; ++i)
        if (set(i).isFree())
            return i;
    return -1;
}

// ---- History ------------------------------------------------------------------

SetHistory* Workspace::history(int entry) const
{
    if (entry < 0 || entry >= kMaxOpenSets)
        return nullptr;
    return m_histories[static_cast<std::size_t>(entry)].get();
}

void Workspace::startHistory(int entry)
{
    auto history = std::make_unique<SetHistory>(
        [this](const SetHistory& h, const RecordChanges& changes, bool undo) { restore(&h, changes, undo); });
    history->onStep = [this](const SetHistory& h) { followHistory(&h); };
    m_histories[static_cast<std::size_t>(entry)] = std::move(history);
    set(entry).unsaved = false;
}

int Workspace::entryOf(const SetHistory* history) const
{
    for (int i = 0; i < kMaxOpenSets; ++i)
        if (m_histories[static_cast<std::size_t>(i)].get() == history)
            return i;
    return -1;
}

void Workspace::followHistory(const SetHistory* history)
{
    const int entry = entryOf(history);
    if (entry < 0)
        return;
    set(entry).unsaved = !history->atSavedState();
    // "Saved to" is no longer true of a set changed since.
    if (set(entry).unsaved && !m_statusSavedPath.empty() && m_statusSavedPath == set(entry).filePath)
        showStatus(m_statusAfterSaved);
    if (m_view)
        m_view->savedStateChanged();
}

void Workspace::selectAndShow(int entry, int question)
{
    {
        UpdatingScope scope(*this);
        m_list->requestSelection(entry, question > 0 ? question : 0);
    }
    if (question > 0)
        showQuestion(question);
    else
        showTestDetails();
}

void Workspace::restore(const SetHistory* history, const RecordChanges& changes, bool undo)
{
    const int entry = entryOf(history);
    if (entry < 0)
        return;
    OpenSet& s = set(entry);
    changes.applyTo(s, undo);
    ++s.changeCount;
    if (m_view)
        m_view->setEdited();
    m_currentSet = entry;
    UpdatingScope scope(*this);
    if (changes.testDetails)
        m_list->setSetCaption(entry, setCaption(entry));
    rebuildQuestionNodes(entry);
    m_list->setExpanded(entry, true);
    // The place the step changed is shown, so the author sees what came back.
    int question = undo ? changes.questionBefore : changes.questionAfter;
    if (question > s.questionCount())
        question = -1;
    selectAndShow(entry, question);
    enableSetControls();
}

bool Workspace::canUndo() const
{
    const SetHistory* h = history(m_currentSet);
    return h && h->canUndo();
}

bool Workspace::canRedo() const
{
    const SetHistory* h = history(m_currentSet);
    return h && h->canRedo();
}

void Workspace::Undo()
{
    if (m_updating || !current() || !canUndo())
        return;
    m_restoring = true;
    history(m_currentSet)->undo();
    m_restoring = false;
}

void Workspace::Redo()
{
    if (m_updating || !current() || !canRedo())
        return;
    m_restoring = true;
    history(m_currentSet)->redo();
    m_restoring = false;
}

void Workspace::ShowMessageKey(const std::string& key)
{
    m_ui.announce(key);
    m_ui.showMessage(m_lang.key(key), Tone::Information);
}

std::string Workspace::setCaption(int entry) const
{
    const std::string name = GetTag(set(entry).testDetails, setfield::kTestName);
    return m_lang.at(Message::Set) + ": " + (name == "0" ? std::string() : captionText(name));
}

std::string Workspace::fileName(int entry) const
{
    const OpenSet& s = set(entry);
    return s.filePath.empty() ? saveDialog(entry).proposedName + ".vtd" : ExtractFileName(s.filePath);
}

void Workspace::showStatus(const std::string& text)
{
    m_statusSavedPath.clear();
    m_statusAfterSaved.clear();
    if (m_view)
        m_view->showStatus(text);
}

void Workspace::showSavedAnd(const std::string& made)
{
    showStatus(m_lastSavedPath.empty() ? made : m_lang.at(Message::SavedTo) + " " + m_lastSavedPath + ". " + made);
    if (!m_lastSavedPath.empty()) {
        m_statusSavedPath = m_lastSavedPath;
        m_statusAfterSaved = made;
    }
}

// ---- Views --------------------------------------------------------------------

void Workspace::showTestDetails()
{
    if (!current())
        return;
    m_currentQuestion = -1;
    if (m_view) {
        UpdatingScope scope(*this);
        m_view->showTestDetails();
    }
}

void Workspace::showQuestion(int n)
{
    if (n < 1 || n > kMaxQuestions || !current())
        return;
    m_currentQuestion = n;
    if (m_view) {
        UpdatingScope scope(*this);
        m_view->showQuestion(n);
    }
}

void Workspace::enableSetControls()
{
    if (m_view) {
        UpdatingScope scope(*this);
        m_view->enableSetControls(current() != nullptr);
    }
}

void Workspace::rebuildQuestionNodes(int entry)
{
    const OpenSet& s = set(entry);
    std::vector<std::string> captions;
    for (int n = 1; n <= kMaxQuestions; ++n) {
        const std::string& slot = s.questionSlots[static_cast<std::size_t>(n)];
        if (slot.empty())
            break;
        captions.push_back(questionCaption(n, GetTag(slot, setfield::kQuestionText)));
    }
    m_list->setQuestions(entry, captions);
    for (int n = 1; n <= static_cast<int>(captions.size()); ++n)
        if (GetTagInt(s.questionSlots[static_cast<std::size_t>(n)], setfield::kQuestionDisabled, 0) == 1)
            m_list->setQuestionLeftOut(entry, n, true, m_lang.at(Message::LeftOutOfTest));
}

// ---- Sets ---------------------------------------------------------------------

bool Workspace::NewSet()
{
    const int entry = firstFreeEntry();
    if (entry < 0) {
        ShowMessageKey(Message::TooManySets);
        return false;
    }
    OpenSet& s = set(entry);
    s.clear();
    m_currentQuestion = -1;
    s.questionSlots[0] = DefaultQuestionRecord();
    s.questionSlots[1] = DefaultQuestionRecord();
    s.testDetails = NewSetDetails();
    m_currentSet = entry;
    showTestDetails();
    m_list->appendSet(m_lang.at(Message::Set));
    rebuildQuestionNodes(entry);
    m_list->setExpanded(entry, true);
    {
        UpdatingScope scope(*this);
        m_list->requestSelection(entry, 0);
    }
    startHistory(entry);
    enableSetControls();
    return true;
}

bool Workspace::OpenSetFile(const std::string& path)
{
    // A folder named like a set is said to be unreadable below.
    if (!FileExists(path) && !DirectoryExists(path))
        return false;
    for (int i = 0; i < kMaxOpenSets; ++i) {
        if (!set(i).isFree() && set(i).filePath == path) {
            m_currentSet = i;
            {
                UpdatingScope scope(*this);
                m_list->requestSelection(i, 0);
            }
            showTestDetails();
            enableSetControls();
            return true;
        }
    }
    const int entry = firstFreeEntry();
    if (entry < 0) {
        ShowMessageKey(Message::TooManySets);
        return false;
    }
    OpenSet loaded;
    std::string readError;
    switch (ReadSetFile(path, loaded, &readError)) {
    case SetFileStatus::LaterVersion:
        // Nothing is taken: the entry stays free and the editor keeps showing what it showed.
        ShowMessageKey(Message::SetOfLaterVersion);
        return false;
    case SetFileStatus::NotASet:
        m_ui.announce(MessageKey(Message::NotASetFile));
        m_ui.showMessage(m_lang.at(Message::NotASetFile) + " " + path, Tone::Warning);
        return false;
    case SetFileStatus::Unreadable:
        // Not the file's fault: say that it could not be read, and why.
        m_ui.showMessage(m_lang.at(Message::FileNotRead) + " " + path + " (" + readError + ")", Tone::Warning);
        return false;
    case SetFileStatus::Ok:
        break;
    }
    takeRecords(entry, std::move(loaded), path);
    enableSetControls();
    return true;
}

void Workspace::takeRecords(int entry, OpenSet records, const std::string& setPath)
{
    OpenSet& s = set(entry);
    s.clear();
    s.testDetails = std::move(records.testDetails);
    s.questionSlots = std::move(records.questionSlots);
    s.filePath = setPath;
    m_currentQuestion = -1;
    m_currentSet = entry;
    showTestDetails();
    m_list->appendSet(setCaption(entry));
    rebuildQuestionNodes(entry);
    startHistory(entry);
}

bool Workspace::OpenRecoveredSet(OpenSet records, const std::string& setPath)
{
    const int entry = firstFreeEntry();
    if (entry < 0) {
        ShowMessageKey(Message::TooManySets);
        return false;
    }
    takeRecords(entry, std::move(records), setPath);
    m_list->setExpanded(entry, true);
    // Nothing of it is saved yet: closing asks, and the caption says so.
    history(entry)->markUnsaved();
    {
        UpdatingScope scope(*this);
        m_list->requestSelection(entry, 0);
    }
    enableSetControls();
    return true;
}

bool Workspace::OpenUnsavedSet(OpenSet records)
{
    // An import is a set that was never saved: the first save asks where.
    return OpenRecoveredSet(std::move(records), {});
}

void Workspace::FileOpen1Execute()
{
    FileDialog dialog = NamedFileDialog(NamedDialog::OpenSet);
    dialog.folder = m_lastDir;
    dialog.allowMultiple = true;
    const std::vector<std::string> chosen = m_ui.chooseOpenFiles(dialog);
    if (chosen.empty())
        return;
    m_lastDir = ExtractFilePath(chosen.front());
    for (const std::string& path : chosen) {
        if (!FileExists(path))
            continue;
        if (LowerCase(ExtractFileExt(path)) != ".vtd")
            continue;
        if (OpenSetFile(path) && m_view)
            m_view->addRecentFile(path);
    }
}

FileDialog Workspace::saveDialog(int entry) const
{
    // The test's name is proposed; a test never named is offered "Dorvel" and its entry's number.
    const std::string testName = GetTag(set(entry).testDetails, setfield::kTestName);
    FileDialog dialog = NamedFileDialog(NamedDialog::SaveSet);
    dialog.folder = m_lastDir;
    dialog.proposedName = testName == "0" ? "Dorvel " + std::to_string(entry + 1) : captionText(testName);
    dialog.defaultExtension = "vtd";
    return dialog;
}

std::optional<std::string> Workspace::chooseSetPath(int entry)
{
    const std::optional<std::string> chosen = m_ui.chooseSaveFile(saveDialog(entry));
    if (!chosen)
        return std::nullopt;
    m_lastDir = ExtractFilePath(*chosen);
    const std::string path = ChangeFileExt(*chosen, ".vtd");
    // The dialog asked about replacing the name typed ("Quiz.old"); the file
    // written is another one ("Quiz.vtd"), so that one is asked about here.
    if (path != *chosen && FileExists(path)
        && m_ui.ask(m_lang.at(Message::ReplaceExistingFile) + "\n" + path, Buttons::YesNo, Tone::Warning) != Answer::Yes)
        return std::nullopt;
    return path;
}

bool Workspace::writeSet(int entry, const std::string& path)
{
    OpenSet& s = set(entry);
    const std::string detailsBefore = s.testDetails;
    const std::array<std::string, kQuestionSlots> slotsBefore = s.questionSlots;
    // Pictures and sounds are named again relative to where the set now
    // lies, so that the set and its media folder can move together.
    for (std::string& q : s.questionSlots)
        if (!q.empty())
            q = WithMediaRelativeTo(q, s.filePath, path);
    const bool unnamed = GetTag(s.testDetails, setfield::kTestName) == "0";
    // Paths are UTF-8; the record keeps the name as stored text.
    if (unnamed)
        s.testDetails = SetTag(s.testDetails, setfield::kTestName, EncodeText(shortName(path)));
    const std::string text = PrepareSetFileText(s, std::time(nullptr));
    if (std::string why; !WriteStoredFile(path, text, &why)) {
        // Nothing changes unless the set was written: its name, caption and
        // path stay as they were, so the next Save asks where again. The
        // author learns where and why it failed.
        s.testDetails = detailsBefore;
        s.questionSlots = slotsBefore;
        m_ui.announce(MessageKey(Message::SetNotSaved));
        m_ui.showMessage(m_lang.at(Message::SetNotSaved) + " " + path + " (" + why + ")", Tone::Error);
        return false;
    }
    // Stepping back past the save keeps the name the set took from its file
    // and its media named from where it now lies.
    const std::string named = GetTag(s.testDetails, setfield::kTestName);
    const bool moved = s.filePath != path;
    if (unnamed || moved)
        history(entry)->rewriteRecords(
            [unnamed, &named](const std::string& details) {
                return unnamed && GetTag(details, setfield::kTestName) == "0" ? SetTag(details, setfield::kTestName, named) : details;
            },
            [moved, &s, &path](const std::string& question) {
                return moved ? WithMediaRelativeTo(question, s.filePath, path) : question;
            });
    s.filePath = path;
    if (unnamed) {
        m_list->setSetCaption(entry, "Test: " + shortName(path));
        if (entry == m_currentSet && m_view) {
            UpdatingScope scope(*this);
            m_view->testNameChanged(shortName(path));
        }
    }
    history(entry)->markSaved();
    m_lastSavedPath = path;
    showStatus(m_lang.at(Message::SavedTo) + " " + path);
    m_statusSavedPath = path;
    if (m_view) {
        m_view->addRecentFile(s.filePath);
        m_view->savedStateChanged();
    }
    return true;
}

bool Workspace::SaveSet(int entry)
{
    if (entry < 0 || entry >= kMaxOpenSets || set(entry).isFree())
        return false;
    m_lastSavedPath.clear();
    std::string path = set(entry).filePath;
    if (path.empty()) {
        const std::optional<std::string> chosen = chooseSetPath(entry);
        if (!chosen)
            return false;
        path = *chosen;
    }
    return writeSet(entry, path);
}

bool Workspace::SaveTest()
{
    if (!current())
        return false;
    UpdatingScope scope(*this);
    return SaveSet(m_currentSet);
}

bool Workspace::SaveTestAs()
{
    if (!current())
        return false;
    const std::optional<std::string> chosen = chooseSetPath(m_currentSet);
    if (!chosen)
        return false;
    // A failed write leaves the set where it was last saved.
    UpdatingScope scope(*this);
    return writeSet(m_currentSet, *chosen);
}

bool Workspace::AskSaveChanges(int entry)
{
    if (entry < 0 || entry >= kMaxOpenSets)
        return true;
    const OpenSet& s = set(entry);
    if (s.isFree() || !s.hasUnsavedChanges())
        return true;
    // The question names the set: with several open, the author must know
    // which one it is about (a set never saved by the name its caption shows).
    std::string question;
    if (s.filePath.empty()) {
        question = m_lang.at(Message::SaveUnsavedSet);
        const auto at = question.find("%1");
        if (at != std::string::npos)
            question.replace(at, 2, saveDialog(entry).proposedName);
    } else {
        question = m_lang.at(Message::SaveChangesTo) + " " + shortName(s.filePath) + "?";
    }
    m_ui.announce(MessageKey(s.filePath.empty() ? Message::SaveUnsavedSet : Message::SaveChangesTo));
    switch (m_ui.ask(question, Buttons::YesNoCancel, Tone::Question)) {
    case Answer::Yes:
        // A save that fails or is cancelled keeps the set: nothing is lost.
        return SaveSet(entry);
    case Answer::No:
        return true;
    case Answer::Cancel:
        return false;
    }
    return false;
}

void Workspace::CloseCurrentSet()
{
    if (!current())
        return;
    UpdatingScope scope(*this);
    // Unlike a plain close, Cancel (or a failed save) keeps the set open:
    // closing must never throw away unsaved work.
    if (set(m_currentSet).hasUnsavedChanges() && !AskSaveChanges(m_currentSet))
        return;
    m_list->removeSet(m_currentSet);
    for (int i = m_currentSet; i < kMaxOpenSets - 1; ++i) {
        set(i) = std::move(set(i + 1));
        m_histories[static_cast<std::size_t>(i)] = std::move(m_histories[static_cast<std::size_t>(i + 1)]);
    }
    set(kMaxOpenSets - 1).clear();
    m_histories[kMaxOpenSets - 1].reset();
    --m_currentSet;
    if (m_currentSet < 0 && !set(0).isFree())
        m_currentSet = 0;
    m_currentQuestion = -1;
    if (current()) {
        m_list->requestSelection(m_currentSet, 0);
        showTestDetails();
    } else {
        m_currentSet = -1;
    }
    setUpdating(false);
    enableSetControls();
}

// ---- Question editor ------------------------------------------------------------

void Workspace::TestChange(const std::string& field, const std::string& typedText)
{
    OpenSet* s = current();
    if (!s || m_updating)
        return;
    EditScope edit(*this, m_currentSet, "d:" + field);
    const std::string v = CleanText(typedText);
    s->testDetails = SetTag(s->testDetails, field, v);
    if (field == setfield::kTestName)
        m_list->setSetCaption(m_currentSet, m_lang.at(Message::Set) + ": " + captionText(v));
}

void Workspace::TestCheckChange(const std::string& field, bool ticked)
{
    OpenSet* s = current();
    if (!s || m_updating)
        return;
    EditScope edit(*this, m_currentSet);
    s->testDetails = SetTag(s->testDetails, field, ticked ? "1" : "0");
}

void Workspace::PassMarkChange(int percent)
{
    OpenSet* s = current();
    if (!s || m_updating || PassMarkOf(s->testDetails) == percent)
        return;
    EditScope edit(*this, m_currentSet, "d:PassMark");
    s->testDetails = WithPassMark(s->testDetails, percent);
}

void Workspace::GraphicStyleChange(const std::string& style)
{
    OpenSet* s = current();
    // Filling the style list while showing a set is not an edit.
    if (!s || m_updating)
        return;
    EditScope edit(*this, m_currentSet);
    s->testDetails = SetTag(s->testDetails, setfield::kGraphicStyle, style);
}

void Workspace::questionChange(const std::string& control, const std::string& value)
{
    OpenSet* s = current();
    if (!s || m_updating || m_currentQuestion < 1)
        return;
    std::string& q = s->questionSlots[static_cast<std::size_t>(m_currentQuestion)];
    if (q.empty())
        return;
    const bool multiLine = control == setfield::kQuestionText
        || (control.size() == setfield::kTextStem.size() + 1 && control.starts_with(setfield::kTextStem));
    const bool answerBox = control.size() == 3 && control[0] == 'a';
    // Typing in one box is one step until another edit comes between.
    EditScope edit(*this, m_currentSet,
                   multiLine || answerBox ? "q" + std::to_string(m_currentQuestion) + ":" + control : std::string());
    if (multiLine) {
        const std::string v = CleanText(value);
        q = SetTag(q, control, v);
        if (control == setfield::kQuestionText)
            m_list->setQuestionCaption(m_currentSet, m_currentQuestion, questionCaption(m_currentQuestion, v));
    } else if (control.compare(0, 6, "Select") == 0 && control.size() == 7) {
        if (value != "1")
            return;  // only the button that became chosen counts
        q = SetTag(q, setfield::kSelectAnswer, control.substr(6));
    } else if (answerBox) {
        q = SetTag(q, control, CleanText(value));
    } else if (control == "QuestionType") {
        q = SetTag(q, setfield::kQuestionType, value);
    } else {
        // Radio groups (tfK, tTypeK) store the item index; qDisabled stores 1 or 0.
        q = SetTag(q, control, value);
        if (control == setfield::kQuestionDisabled)
            m_list->setQuestionLeftOut(m_currentSet, m_currentQuestion, value == "1", m_lang.at(Message::LeftOutOfTest));
    }
}

bool Workspace::questionRecordChange(const std::string& record, const std::string& typingIn)
{
    OpenSet* s = current();
    if (!s || m_currentQuestion < 1)
        return false;
    std::string& q = s->questionSlots[static_cast<std::size_t>(m_currentQuestion)];
    if (q.empty() || record.empty())
        return false;
    if (q != record) {
        EditScope edit(*this, m_currentSet,
                       typingIn.empty() ? std::string() : "q" + std::to_string(m_currentQuestion) + ":" + typingIn);
        q = record;
    }
    return true;
}

void Workspace::NewQuestion()
{
    OpenSet* s = current();
    if (!s)
        return;
    int n = 1;
    while (n <= kMaxQuestions && !s->questionSlots[static_cast<std::size_t>(n)].empty())
        ++n;
    if (n > kMaxQuestions) {
        ShowMessageKey(Message::TooManyQuestions);
        return;
    }
    EditScope edit(*this, m_currentSet);
    s->questionSlots[static_cast<std::size_t>(n)] = DefaultQuestionRecord();
    m_list->appendQuestion(m_currentSet, "Q" + std::to_string(n) + ":");
    {
        UpdatingScope scope(*this);
        m_list->requestSelection(m_currentSet, n);
    }
    showQuestion(n);
}

// ---- Question list ----------------------------------------------------------------

void Workspace::TestTreeChange(int setIndex, int question)
{
    if (m_updating || setIndex < 0 || setIndex >= kMaxOpenSets || set(setIndex).isFree())
        return;
    m_currentSet = setIndex;
    if (question > 0 && question <= set(setIndex).questionCount()) {
        showQuestion(question);
    } else {
        m_currentQuestion = -1;
        showTestDetails();
    }
}

void Workspace::MoveQuestion(int from, int after)
{
    OpenSet* s = current();
    if (!s || from == after || from < 0 || from > kMaxQuestions || after < 0 || after > kMaxQuestions)
        return;
    EditScope edit(*this, m_currentSet);
    std::array<std::string, kQuestionSlots> moved;
    std::size_t out = 0;
    int newPosition = -1;
    for (int i = 0; i <= kMaxQuestions; ++i) {
        if (i == from)
            continue;
        moved[out++] = std::move(s->questionSlots[static_cast<std::size_t>(i)]);
        if (i == after) {
            newPosition = static_cast<int>(out);
            moved[out++] = std::move(s->questionSlots[static_cast<std::size_t>(from)]);
        }
    }
    // A target behind the last question must not leave a gap in the list:
    // the moved question's place is counted among the non-empty slots.
    int compactPosition = 1;
    for (int i = 1; i < newPosition; ++i)
        if (!moved[static_cast<std::size_t>(i)].empty())
            ++compactPosition;
    s->questionSlots = std::move(moved);
    closeGaps(*s);
    newPosition = compactPosition;
    rebuildQuestionNodes(m_currentSet);
    m_list->setExpanded(m_currentSet, true);
    {
        UpdatingScope scope(*this);
        m_list->requestSelection(m_currentSet, newPosition);
    }
    // The editor follows the moved question, so later edits go to it and not
    // to whichever question now holds the old number.
    showQuestion(newPosition);
}

void Workspace::TestTreeDragNodeEvent(int sourceSet, int sourceQuestion, int targetSet, int targetQuestion)
{
    if (!current() || sourceQuestion < 1)
        return;
    if (sourceSet == targetSet && sourceQuestion == targetQuestion)
        return;
    if (sourceSet < 0 || sourceSet >= kMaxOpenSets || targetSet < 0 || targetSet >= kMaxOpenSets)
        return;
    if (set(sourceSet).isFree() || set(targetSet).isFree())
        return;
    if (sourceQuestion > set(sourceSet).questionCount() || targetQuestion > set(targetSet).questionCount())
        return;
    UpdatingScope scope(*this);
    if (sourceSet == targetSet) {
        m_currentSet = sourceSet;
        MoveQuestion(sourceQuestion, targetQuestion);
        return;
    }
    m_ui.announce(MessageKey(Message::CopyQuestionToOtherSet));
    if (m_ui.ask(m_lang.at(Message::CopyQuestionToOtherSet), Buttons::YesNo, Tone::Question) != Answer::Yes)
        return;
    const std::string record = set(sourceSet).questionSlots[static_cast<std::size_t>(sourceQuestion)];
    OpenSet& target = set(targetSet);
    const int n = target.questionCount() + 1;
    // Refused before anything changes: the editor stays with the question it shows.
    if (n > kMaxQuestions) {
        ShowMessageKey(Message::TooManyQuestions);
        return;
    }
    EditScope edit(*this, targetSet);
    m_currentSet = targetSet;
    target.questionSlots[static_cast<std::size_t>(n)] = record;
    MoveQuestion(n, targetQuestion);
}

void Workspace::DeleteQuestion()
{
    OpenSet* s = current();
    if (!s || m_currentQuestion < 1)
        return;
    m_ui.announce(MessageKey(Message::DeleteQuestion));
    if (m_ui.ask(m_lang.at(Message::DeleteQuestion), Buttons::YesNo, Tone::Caution) != Answer::Yes)
        return;
    UpdatingScope scope(*this);
    EditScope edit(*this, m_currentSet);
    s->questionSlots[static_cast<std::size_t>(m_currentQuestion)].clear();
    closeGaps(*s);
    rebuildQuestionNodes(m_currentSet);
    m_list->setExpanded(m_currentSet, true);
    m_list->requestSelection(m_currentSet, 0);
    enableSetControls();
    showTestDetails();
}

void Workspace::DuplicateQuestion()
{
    OpenSet* s = current();
    if (!s || m_currentQuestion < 1)
        return;
    const int count = s->questionCount();
    if (count >= kMaxQuestions) {
        ShowMessageKey(Message::TooManyQuestions);
        return;
    }
    EditScope edit(*this, m_currentSet);
    const int n = m_currentQuestion;
    for (int i = count; i > n; --i)
        s->questionSlots[static_cast<std::size_t>(i + 1)] = s->questionSlots[static_cast<std::size_t>(i)];
    s->questionSlots[static_cast<std::size_t>(n + 1)] = s->questionSlots[static_cast<std::size_t>(n)];
    rebuildQuestionNodes(m_currentSet);
    m_list->setExpanded(m_currentSet, true);
    selectAndShow(m_currentSet, n + 1);
}

void Workspace::MoveQuestionUp()
{
    if (current() && m_currentQuestion >= 2)
        MoveQuestion(m_currentQuestion, m_currentQuestion - 2);
}

void Workspace::MoveQuestionDown()
{
    if (current() && m_currentQuestion >= 1 && m_currentQuestion < current()->questionCount())
        MoveQuestion(m_currentQuestion, m_currentQuestion + 1);
}

}  // namespace dorvel
