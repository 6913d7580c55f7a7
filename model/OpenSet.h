#pragma once

#include <array>
#include <string>

namespace dorvel {

constexpr int kMaxOpenSets = 20;
constexpr int kMaxQuestions = 100;
constexpr int kQuestionSlots = kMaxQuestions + 1;

// One entry of the table of open sets. Records stay tagged text; slot 0 is a
// placeholder that is saved but never shown, slots 1..k are the questions.
struct OpenSet {
    std::string testDetails;  // empty: the entry is free
    std::string filePath;     // empty until the set is first saved
    std::array<std::string, kQuestionSlots> questionSlots;
    int changeCount = 0;     // edits made since the set was opened (undo and redo count too)
    bool unsaved = false;    // the records differ from the saved file (the workspace keeps it)
    std::string recoveryId;  // names the set's recovery copy, once it has one

    bool isFree() const { return testDetails.empty(); }
    bool hasUnsavedChanges() const { return unsaved; }
    // Number of questions: slots 1.. up to the first empty one.
    int questionCount() const;
    void clear();
};

}  // namespace dorvel
