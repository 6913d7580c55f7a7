#pragma once

#include <string>

// What a typed question's field accepts. The record keeps it in two
// fields: tTypeN (0 any text, 1 numbers) and, for a number within a range,
// useRangeN = 1, which makes the field's first two accepted answers the
// lowest and highest number accepted. Records that never had a range carry
// no useRangeN, and older readers see a range as a numbers field.
namespace dorvel {

enum class FieldKind { AnyText = 0,
                       Numbers = 1,
                       NumberRange = 2 };

// Field numbers count from 1.
FieldKind FieldKindOf(const std::string& record, int field);
// The record with the field set to accept `kind`. useRangeN is written only
// when the field becomes or stops being a range, so choosing text or
// numbers leaves a record that never had a range as it was.
std::string WithFieldKind(const std::string& record, int field, FieldKind kind);

}  // namespace dorvel
