#include "model/FieldKind.h"

#include "storage/Vtutils.h"

namespace dorvel {

FieldKind FieldKindOf(const std::string& record, int field)
{
    const std::string n = std::to_string(field);
    if (GetTagInt(record, "tType" + n, 0) != 1)
        return FieldKind::AnyText;
    return GetTagInt(record, "useRange" + n, 0) == 1 ? FieldKind::NumberRange : FieldKind::Numbers;
}

std::string WithFieldKind(const std::string& record, int field, FieldKind kind)
{
    const std::string n = std::to_string(field);
    std::string out = SetTag(record, "tType" + n, kind == FieldKind::AnyText ? "0" : "1");
    const bool range = kind == FieldKind::NumberRange;
    if (range || GetTagInt(out, "useRange" + n, 0) == 1)
        out = SetTag(out, "useRange" + n, range ? "1" : "0");
    return out;
}

}  // namespace dorvel
