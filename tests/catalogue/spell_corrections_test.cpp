// The built-in correction table: its size, order and the entries the spell check relies on.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "catalogue/SpellCorrections.h"

namespace {

using namespace catalogue;

TEST(SpellCorrectionsTest, TheTableHoldsItsPairsInOrder) {
    ASSERT_EQ(SpellCorrections.size(), 243u);
    EXPECT_EQ(SpellCorrections.front().misspelling, "abbout");
    EXPECT_EQ(SpellCorrections.back().misspelling, "yuor");
    EXPECT_EQ(SpellCorrections.back().correction, "your");
    // Pairs 157 and 159 (counting from 1) are the same and both stand.
    EXPECT_EQ(SpellCorrections[156].misspelling, "reccomend");
    EXPECT_EQ(SpellCorrections[158].misspelling, "reccomend");
    EXPECT_EQ(SpellCorrections[157].misspelling, "recieve");
    EXPECT_EQ(SpellCorrections[157].correction, "receive");
}

TEST(SpellCorrectionsTest, EveryPairIsLowerCaseAndChangesItsWord) {
    std::set<std::string_view> twoWords;
    for (const SpellCorrection& c : SpellCorrections) {
        EXPECT_NE(c.misspelling, c.correction);
        for (char ch : c.misspelling) EXPECT_FALSE(std::isupper((unsigned char)ch)) << c.misspelling;
        if (c.correction != "I")
            for (char ch : c.correction) EXPECT_FALSE(std::isupper((unsigned char)ch)) << c.correction;
        if (c.misspelling.find(' ') != std::string_view::npos) twoWords.insert(c.misspelling);
    }
    EXPECT_EQ(twoWords, (std::set<std::string_view>{"their are", "their is"}));
}

}  // namespace
