#include "editor/undo/RecordChanges.h"

#include <algorithm>

namespace dorvel {

RecordChanges RecordChanges::between(const SetRecords& before, const OpenSet& after)
{
    RecordChanges changes;
    if (before.testDetails != after.testDetails)
        changes.testDetails = std::make_pair(before.testDetails, after.testDetails);
    for (int i = 0; i < kQuestionSlots; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (before.questionSlots[k] != after.questionSlots[k])
            changes.changedSlots.push_back({i, before.questionSlots[k], after.questionSlots[k]});
    }
    return changes;
}

void RecordChanges::applyTo(OpenSet& set, bool undo) const
{
    if (testDetails)
        set.testDetails = undo ? testDetails->first : testDetails->second;
    for (const Slot& slot : changedSlots)
        set.questionSlots[static_cast<std::size_t>(slot.index)] = undo ? slot.before : slot.after;
}

void RecordChanges::absorb(const RecordChanges& later)
{
    if (later.testDetails) {
        if (testDetails)
            testDetails->second = later.testDetails->second;
        else
            testDetails = later.testDetails;
    }
    for (const Slot& slot : later.changedSlots) {
        auto mine = std::find_if(changedSlots.begin(), changedSlots.end(), [&](const Slot& s) { return s.index == slot.index; });
        if (mine != changedSlots.end())
            mine->after = slot.after;
        else
            changedSlots.push_back(slot);
    }
    questionAfter = later.questionAfter;
}

}  // namespace dorvel
