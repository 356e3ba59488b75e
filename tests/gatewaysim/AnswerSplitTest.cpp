#include "AnswerSplit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gatewaysim {
namespace {

using Pieces = std::vector<std::string>;

struct SplitCase {
    const char* answer;
    int offset;
    Pieces pieces;
};

class SplitInMarkerTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitInMarkerTest, CutsInsideTheEndingMarkerOnly) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitInMarker(c.answer, "6420RT", c.offset), c.pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SplitInMarkerTest,
    testing::Values(
        // The edit arrow: before it, inside it, and past its end (whole).
        SplitCase{"Long(40)=-7-->", 0, {"Long(40)=-7", "-->"}},
        SplitCase{"Long(40)=-7-->", 2, {"Long(40)=-7--", ">"}},
        SplitCase{"Long(40)=-7-->", 3, {"Long(40)=-7-->"}},
        // The EEPROM prompt alone: no cut before it, since the first piece would be empty.
        SplitCase{"[EEPROM:]", 0, {"[EEPROM:]"}}, SplitCase{"[EEPROM:]", 1, {"[", "EEPROM:]"}},
        SplitCase{"[EEPROM:]", 8, {"[EEPROM:", "]"}},
        SplitCase{"Bad address\r\n[EEPROM:]", 0, {"Bad address\r\n", "[EEPROM:]"}},
        // The main prompt is the module name and ">".
        SplitCase{"Unknown command\r\n6420RT>", 0, {"Unknown command\r\n", "6420RT>"}},
        SplitCase{"6420RT>", 6, {"6420RT", ">"}}, SplitCase{"6420RT>", 7, {"6420RT>"}},
        // No known marker at the end, or no cut asked for.
        SplitCase{"6420e>", 2, {"6420e>"}}, SplitCase{"Long(40)=5-->", -1, {"Long(40)=5-->"}}));

TEST(EndingMarkerStartTest, FindsEachMarkerAtTheEnd) {
    EXPECT_EQ(EndingMarkerStart("Long(4)=1-->", "6420RT"), 9u);
    EXPECT_EQ(EndingMarkerStart("x[EEPROM:]", "6420RT"), 1u);
    EXPECT_EQ(EndingMarkerStart("\r\n6420e>", "6420e"), 2u);
    EXPECT_EQ(EndingMarkerStart("[EEPROM:] ", "6420RT"), std::string::npos);
    EXPECT_EQ(EndingMarkerStart("", "6420RT"), std::string::npos);
}

}  // namespace
}  // namespace gatewaysim
