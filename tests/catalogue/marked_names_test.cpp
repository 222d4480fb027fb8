// The names the specification texts mark: one per specification, none for the two overview
// entries.
#include "catalogue/NameHighlighting.h"

#include <gtest/gtest.h>

namespace {

// The name table: the two overview entries and numbers outside 1..47 have no name.
TEST(MarkedSpecNames, OverviewEntriesAndOtherNumbersHaveNone) {
    for (int k : {0, 43, 46, 48, -1}) EXPECT_TRUE(catalogue::markedSpecName(k).empty()) << k;
    EXPECT_EQ(catalogue::markedSpecName(1), "Risk Analysis");
    EXPECT_EQ(catalogue::markedSpecName(16), "response and reporting");
    EXPECT_EQ(catalogue::markedSpecName(42), "Encryption");
    EXPECT_EQ(catalogue::markedSpecName(47), "Documentation");
    int named = 0;
    for (int k = 1; k <= 47; ++k) named += catalogue::markedSpecName(k).empty() ? 0 : 1;
    EXPECT_EQ(named, 45);
}

}  // namespace
