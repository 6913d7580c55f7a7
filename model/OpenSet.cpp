#include "model/OpenSet.h"

namespace dorvel {

int OpenSet::questionCount() const
{
    int n = 0;
    while (n < kMaxQuestions && !questionSlots[static_cast<std::size_t>(n + 1)].empty())
        ++n;
    return n;
}

void OpenSet::clear()
{
    testDetails.clear();
    filePath.clear();
    for (auto& slot : questionSlots)
        slot.clear();
    changeCount = 0;
    unsaved = false;
    recoveryId.clear();
}

}  // namespace dorvel
