#include "OutputPlanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gatewaysim {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

const Clock::time_point t0 = Clock::time_point{} + std::chrono::hours(1);

std::string Joined(const std::vector<OutputSlice>& slices) {
    std::string out;
    for (const auto& s : slices) {
        out += s.bytes;
    }
    return out;
}

TEST(OutputPlannerTest, PlainOutputGoesInOneSliceButNeverOvertakesEarlierOutput) {
    OutputPlanner planner({});
    const auto answer = planner.Plan("6420RT>", t0 + milliseconds(50));
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0].at, t0 + milliseconds(50));
    EXPECT_EQ(answer[0].bytes, "6420RT>");
    // An echo planned now must still wait for the delayed answer before it.
    const auto echo = planner.Plan("x", t0);
    ASSERT_EQ(echo.size(), 1u);
    EXPECT_EQ(echo[0].at, t0 + milliseconds(50));
}

TEST(OutputPlannerTest, PacingKeepsTheExactLineRateWithoutDrift) {
    OutputPlanner planner({.pace = true});
    // 1152 bytes of 10 bits are exactly 100 ms at 115200 baud, even when planned in two pieces.
    auto slices = planner.Plan(std::string(576, 'a'), t0);
    const auto more = planner.Plan(std::string(576, 'b'), t0);
    slices.insert(slices.end(), more.begin(), more.end());
    ASSERT_EQ(slices.size(), 1152u);
    EXPECT_EQ(slices.front().at, t0 + nanoseconds(86805));
    EXPECT_EQ(slices.back().at, t0 + milliseconds(100));
    for (std::size_t i = 1; i < slices.size(); ++i) {
        const auto gap = slices[i].at - slices[i - 1].at;
        ASSERT_TRUE(gap == nanoseconds(86805) || gap == nanoseconds(86806)) << gap.count();
        ASSERT_EQ(slices[i].bytes.size(), 1u);
    }
    // After the line has been idle, a new burst starts from its own time.
    const auto later = planner.Plan("z", t0 + milliseconds(500));
    EXPECT_EQ(later.front().at, t0 + milliseconds(500) + nanoseconds(86805));
}

class SplitTest : public testing::TestWithParam<std::uint32_t> {};

TEST_P(SplitTest, CutsIntoShortChunksWithShortGapsAndRepeatsForASeed) {
    const std::string text = "Long(40)=28573804-->Long(44)=1835020-->[EEPROM:]6420RT>";
    OutputPlanner planner({.split = true, .seed = GetParam()});
    const auto slices = planner.Plan(text, t0);
    EXPECT_EQ(Joined(slices), text);
    EXPECT_EQ(slices.front().at, t0);
    for (std::size_t i = 0; i < slices.size(); ++i) {
        EXPECT_GE(slices[i].bytes.size(), 1u);
        EXPECT_LE(slices[i].bytes.size(), 8u);
        if (i > 0) {
            EXPECT_GE(slices[i].at, slices[i - 1].at);
            EXPECT_LE(slices[i].at - slices[i - 1].at, milliseconds(2));
        }
    }
    EXPECT_GT(slices.size(), text.size() / 8);

    OutputPlanner again({.split = true, .seed = GetParam()});
    const auto repeated = again.Plan(text, t0);
    ASSERT_EQ(repeated.size(), slices.size());
    for (std::size_t i = 0; i < slices.size(); ++i) {
        EXPECT_EQ(repeated[i].at, slices[i].at);
        EXPECT_EQ(repeated[i].bytes, slices[i].bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SplitTest, testing::Values(0u, 1u, 42u, 4294967295u));

}  // namespace
}  // namespace gatewaysim
