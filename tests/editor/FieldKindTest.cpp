#include "model/DefaultRecords.h"
#include "model/FieldKind.h"
#include "storage/Vtutils.h"

#include <gtest/gtest.h>

namespace dorvel {
namespace {

TEST(FieldKindTest, EachKindIsReadBackAndOnlyARangeAddsItsField)
{
    struct Case {
        FieldKind kind;
        const char* tType;
        const char* useRange;  // "" when the record has no such field
    };
    const Case cases[] = {
        {FieldKind::AnyText, "0", ""},
        {FieldKind::Numbers, "1", ""},
        {FieldKind::NumberRange, "1", "1"},
    };
    const std::string fresh = DefaultQuestionRecord();
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        const std::string record = WithFieldKind(fresh, 3, c.kind);
        EXPECT_EQ(FieldKindOf(record, 3), c.kind);
        EXPECT_EQ(GetTag(record, "tType3"), c.tType);
        EXPECT_EQ(GetTag(record, "useRange3"), c.useRange);
        EXPECT_EQ(GetTag(record, "tType2"), GetTag(fresh, "tType2")) << "other fields stay";
    }
    // A range switched back to numbers or text says so; it does not linger.
    const std::string range = WithFieldKind(fresh, 1, FieldKind::NumberRange);
    EXPECT_EQ(GetTag(WithFieldKind(range, 1, FieldKind::Numbers), "useRange1"), "0");
    EXPECT_EQ(FieldKindOf(WithFieldKind(range, 1, FieldKind::AnyText), 1), FieldKind::AnyText);
    // A range on a text field (a hand-made record) is text, as the pages take it.
    EXPECT_EQ(FieldKindOf(SetTag(fresh, "useRange1", "1"), 1), FieldKind::AnyText);
}

}  // namespace
}  // namespace dorvel
