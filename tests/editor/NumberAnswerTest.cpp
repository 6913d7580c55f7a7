#include "model/NumberAnswer.h"

#include <gtest/gtest.h>

namespace dorvel {
namespace {

TEST(NumberAnswerTest, SignedDecimalsWithPointOrCommaAreNumbers)
{
    for (const char* number : {"42", " -3.5 ", "+7", "0,25", ".5", "12."})
        EXPECT_TRUE(IsNumberAnswer(number)) << number;
    for (const char* other : {"", " ", "abc", "1.2.3", "1,2.3", "-", "4 5", "1e3", "12a", "--1"})
        EXPECT_FALSE(IsNumberAnswer(other)) << other;
}

}  // namespace
}  // namespace dorvel
