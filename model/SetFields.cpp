#include "model/SetFields.h"

namespace dorvel::setfield {

namespace {

std::string numbered(std::string_view stem, int k)
{
    std::string name(stem);
    name += std::to_string(k);
    return name;
}

}  // namespace

std::string TextField(int k)
{
    return numbered(kTextStem, k);
}

std::string StatementAnswerField(int k)
{
    return numbered(kStatementAnswerStem, k);
}

std::string FieldTypeField(int f)
{
    return numbered(kFieldTypeStem, f);
}

std::string FieldRangeField(int f)
{
    return numbered(kFieldRangeStem, f);
}

std::string AnswerField(int f, int n)
{
    return numbered(kAnswerStem, f) + std::to_string(n);
}

}  // namespace dorvel::setfield
