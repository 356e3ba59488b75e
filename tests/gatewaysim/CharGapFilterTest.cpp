#include "CharGapFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gatewaysim {
namespace {

struct Arrival {
    int atMs;
    std::string bytes;
    std::string taken;
};

struct GapCase {
    std::string name;
    int gapMs;
    std::vector<Arrival> arrivals;
};

void PrintTo(const GapCase& c, std::ostream* os) {
    *os << c.name;
}

class CharGapFilterTest : public testing::TestWithParam<GapCase> {};

TEST_P(CharGapFilterTest, LosesCharactersThatComeTooSoon) {
    CharGapFilter filter{std::chrono::milliseconds(GetParam().gapMs)};
    const Clock::time_point start{};
    for (const Arrival& a : GetParam().arrivals) {
        EXPECT_EQ(filter.Take(a.bytes, start + std::chrono::milliseconds(a.atMs)), a.taken)
            << "at " << a.atMs << " ms";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gateway, CharGapFilterTest,
    testing::Values(GapCase{"NoGapKeepsEverything", 0, {{0, "el 40\r", "el 40\r"}, {0, "x", "x"}}},
                    GapCase{"OneReadKeepsOnlyItsFirst", 5, {{0, "el 40\r", "e"}}},
                    // The gap counts from the last taken character, not from a lost one.
                    GapCase{"GapCountsFromTheLastTaken",
                            5,
                            {{0, "a", "a"}, {3, "b", ""}, {5, "c", "c"}, {9, "d", ""}}},
                    GapCase{"PacedInputPassesWhole",
                            2,
                            {{0, "e", "e"}, {2, "l", "l"}, {4, " ", " "}, {7, "\r", "\r"}}}),
    [](const testing::TestParamInfo<GapCase>& info) { return info.param.name; });

}  // namespace
}  // namespace gatewaysim
