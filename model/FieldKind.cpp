#include "model/FieldKind.h"

#include "model/SetFields.h"
#include "storage/Vtutils.h"

namespace dorvel {

FieldKind FieldKindOf(const std::string& record, int field)
{
    if (GetTagInt(record, setfield::FieldTypeField(field), 0) != 1)
        return FieldKind::AnyText;
    return GetTagInt(record, setfield::FieldRangeField(field), 0) == 1 ? FieldKind::NumberRange : FieldKind::Numbers;
}

std::string WithFieldKind(const std::string& record, int field, FieldKind kind)
{
    std::string out = SetTag(record, setfield::FieldTypeField(field), kind == FieldKind::AnyText ? "0" : "1");
    const bool range = kind == FieldKind::NumberRange;
    if (range || GetTagInt(out, setfield::FieldRangeField(field), 0) == 1)
        out = SetTag(out, setfield::FieldRangeField(field), range ? "1" : "0");
    return out;
}

}  // namespace dorvel
