#pragma once

#include <string>

namespace dorvel {

// What the workspace tells the editor window after it changed the records.
// Every call has a no-op default, so tests and the command line need none.
class EditorView {
public:
    virtual ~EditorView() = default;

    // Fill the test details page from the current set (currentQuestion is -1).
    virtual void showTestDetails() {}
    // Fill the question page from question n of the current set.
    virtual void showQuestion(int /*n*/) {}
    // Enable or disable the controls that need a current set.
    virtual void enableSetControls(bool /*enabled*/) {}
    // A path was saved or opened from the Open dialog: a recent file.
    virtual void addRecentFile(const std::string& /*path*/) {}
    // Show the new text of the TestName box after a save named the test.
    virtual void testNameChanged(const std::string& /*name*/) {}
    // A set became changed or unchanged (an edit, undo, redo, a save), or was
    // saved under another name.
    virtual void savedStateChanged() {}
    // The records of a set changed (every edit, each key typed, undo, redo).
    virtual void setEdited() {}
    // A line for the status bar: what a command did and where its output went.
    virtual void showStatus(const std::string& /*text*/) {}
};

}  // namespace dorvel
