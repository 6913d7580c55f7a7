#include "storage/ScrambleData.h"
#include "storage/Vtutils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>

namespace dorvel {
namespace {

using namespace scramble;

std::string base()
{
    return std::string(kBaseOrdering, kBaseLength);
}

TEST(ScrambleData, BaseOrderingHoldsThe94Characters)
{
    ASSERT_EQ(std::strlen(kBaseOrdering), 94u);
    const std::string b = base();
    std::set<unsigned char> chars(b.begin(), b.end());
    EXPECT_EQ(chars.size(), 94u);
    for (int c = 32; c <= 126; ++c) {
        const bool expected = c != '"' && c != '\\';
        EXPECT_EQ(chars.count(static_cast<unsigned char>(c)) == 1, expected) << c;
    }
    EXPECT_EQ(chars.count(163), 1u);
}

TEST(ScrambleData, EveryAlphabetIsAPermutationOfTheBase)
{
    std::string sortedBase = base();
    std::sort(sortedBase.begin(), sortedBase.end());
    for (int a = 0; a < kAlphabetCount; ++a) {
        std::string alphabet(kAlphabets[a]);
        ASSERT_EQ(alphabet.size(), 94u) << a;
        std::sort(alphabet.begin(), alphabet.end());
        EXPECT_EQ(alphabet, sortedBase) << a;
    }
}

TEST(ScrambleData, KeysAreBaseCharactersOfTheRightLength)
{
    const std::string b = base();
    auto allBase = [&](const std::string& k) { return k.find_first_not_of(b) == std::string::npos; };
    for (int r = 0; r < kKeyRows; ++r) {
        for (int k = 0; k < kKeyColumns; ++k) {
            const std::string key = kKeys[r][k];
            EXPECT_GE(key.size(), 92u);
            EXPECT_LE(key.size(), 224u);
            EXPECT_TRUE(allBase(key)) << r << "," << k;
            // The prepared key keeps its length and stays within the base.
            EXPECT_EQ(ScrambleKey(r, k).size(), key.size());
            EXPECT_TRUE(allBase(ScrambleKey(r, k)));
        }
    }
    const std::string startup = kStartupKey;
    EXPECT_EQ(startup.size(), 114u);
    EXPECT_TRUE(allBase(startup));
    const std::string marker = kMarker;
    ASSERT_EQ(marker.size(), 17u);
    EXPECT_TRUE(std::all_of(marker.begin(), marker.end(), [](unsigned char c) { return std::isalnum(c); }));
}

// Files written today must read back in every later version: a fixed
// scrambled text pins the tables and the generator.
TEST(ScrambleData, FrozenOutputStaysTheSame)
{
    const std::string plain = "<vtDorvel><TestName>Frozen</TestName></vtDorvel>";
    const std::string scrambled = ScrambleTextSeeded(plain, 2, 1234567u);
    EXPECT_EQ(UnscrambleText(scrambled, 2), plain);
    EXPECT_EQ(scrambled.substr(0, 24), "^EBF^%x;*%r1LF=.e-2AyJ'u");
}

}  // namespace
}  // namespace dorvel
