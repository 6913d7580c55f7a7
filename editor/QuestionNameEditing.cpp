#include "editor/QuestionNameEditing.h"

#include "editor/Workspace.h"
#include "model/OpenSet.h"
#include "model/QuestionName.h"

namespace dorvel {

bool NameQuestion(Workspace& workspace, const std::string& name)
{
    const OpenSet* set = workspace.current();
    const int n = workspace.currentQuestion();
    if (!set || n < 1 || n > kMaxQuestions)
        return false;
    const std::string& record = set->questionSlots[static_cast<std::size_t>(n)];
    if (record.empty())
        return false;
    return workspace.questionRecordChange(WithQuestionName(record, name), kQuestionNameField);
}

}  // namespace dorvel
