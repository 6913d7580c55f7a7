#include "model/QuestionName.h"

#include "editor/Workspace.h"
#include "model/OpenSet.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

namespace dorvel {

std::string QuestionName(const std::string& record)
{
    const std::string name = DecodeText(GetTag(record, kQuestionNameField));
    return name == " " ? std::string() : name;  // how an empty field was once stored
}

std::string WithQuestionName(const std::string& record, const std::string& name)
{
    return WithTypedLine(record, kQuestionNameField, name);
}

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
