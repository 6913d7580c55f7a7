#include "model/QuestionName.h"

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

}  // namespace dorvel
