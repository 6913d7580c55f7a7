#pragma once

#include "model/OpenSet.h"

#include <optional>
#include <string>
#include <vector>

namespace dorvel {

// The records of a set as they stood before an edit, for comparing after it.
struct SetRecords {
    std::string testDetails;
    std::array<std::string, kQuestionSlots> questionSlots;

    static SetRecords of(const OpenSet& set) { return {set.testDetails, set.questionSlots}; }
};

// What one edit did to a set's records: only the records that changed, each
// before and after, so an edit to one question costs that question's record
// and undoing it leaves every other record as it now is. `questionBefore`
// and `questionAfter` are what the editor showed (-1: the test details), so
// undo and redo show the place they change.
struct RecordChanges {
    struct Slot {
        int index = 0;
        std::string before;
        std::string after;
    };
    std::optional<std::pair<std::string, std::string>> testDetails;  // before, after
    std::vector<Slot> changedSlots;
    int questionBefore = -1;
    int questionAfter = -1;

    static RecordChanges between(const SetRecords& before, const OpenSet& after);
    bool empty() const { return !testDetails && changedSlots.empty(); }
    // Nothing to step back to: no record changed and the editor shows the
    // same place. (A copy moved past its original changes no record, yet it
    // is a command of its own that undo takes back.)
    bool none() const { return empty() && questionBefore == questionAfter; }
    // Puts the records of one side (undo: before) into `set`.
    void applyTo(OpenSet& set, bool undo) const;
    // Takes a later edit of the same records into this one (typing).
    void absorb(const RecordChanges& later);
};

}  // namespace dorvel
