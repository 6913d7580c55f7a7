#pragma once

#include "editor/undo/RecordChanges.h"

#include <QUndoStack>

#include <functional>
#include <string>

namespace dorvel {

// The undo history of one open set. Each edit is kept as the records it
// changed; consecutive edits with the same merge key (typing in one box)
// become one step, as in text editors. The set counts as changed unless the
// history stands where it was last saved.
class SetHistory {
public:
    // Called to put one side of an edit back into the set (undo: before).
    using Apply = std::function<void(const SetHistory&, const RecordChanges&, bool undo)>;

    static constexpr int kUndoLimit = 1000;

    explicit SetHistory(Apply apply);
    SetHistory(const SetHistory&) = delete;
    SetHistory& operator=(const SetHistory&) = delete;

    // An edit already made to the set. An empty merge key never merges.
    void record(RecordChanges changes, const std::string& mergeKey);
    bool canUndo() const { return m_stack.canUndo(); }
    bool canRedo() const { return m_stack.canRedo(); }
    // How many steps undo can take back.
    int undoSteps() const { return m_stack.index(); }
    void undo() { m_stack.undo(); }
    void redo() { m_stack.redo(); }
    // The set was saved as it stands.
    void markSaved() { m_stack.setClean(); }
    bool atSavedState() const { return m_stack.isClean(); }
    // No state of the history is the saved one (a recovered set).
    void markUnsaved() { m_stack.resetClean(); }
    // Rewrites the records every step holds, before and after: what a save
    // puts into the set (the name it takes from its file, media named from
    // its new folder) belongs to every state the author can step back to.
    using Rewrite = std::function<std::string(const std::string&)>;
    void rewriteRecords(const Rewrite& testDetails, const Rewrite& question);

    // Called after every step (an edit, undo, redo or a save).
    std::function<void(const SetHistory&)> onStep;

private:
    friend class SetEdit;
    Apply m_apply;
    QUndoStack m_stack;
};

}  // namespace dorvel
