// The time stamp apply --stamp stores: only real calendar moments are taken.
#include "cli/TimeStamp.h"

#include <gtest/gtest.h>

namespace tavrin::cli {
namespace {

TEST(ParseTimeStamp, TakesRealMomentsOnly) {
    struct Case {
        const char* text;
        bool taken;
    };
    const Case cases[] = {
        {"2026-12-08 10:30:05", true},
        {"2026-12-08T10:30:05", true},
        {"2024-02-29 00:00:00", true},   // leap year
        {"2000-02-29 23:59:59", true},   // divisible by 400
        {"1900-02-29 12:00:00", false},  // divisible by 100 only
        {"2026-02-29 12:00:00", false},
        {"2026-04-31 12:00:00", false},
        {"2026-13-01 12:00:00", false},
        {"2026-00-10 12:00:00", false},
        {"2026-12-00 12:00:00", false},
        {"2026-12-08 24:00:00", false},
        {"2026-12-08 10:60:00", false},
        {"2026-12-08 10:30:60", false},
        {"0000-12-08 10:30:00", false},
        {"2026-12-08 10:30", false},
        {"2026-12-08 10:30:05 ", false},
        {"2026/12/08 10:30:05", false},
        {"2026-1a-08 10:30:05", false},
        {"+026-12-08 10:30:05", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseTimeStamp(c.text).has_value(), c.taken) << c.text;
    }
    const auto t = ParseTimeStamp("2026-12-08 10:30:05");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->year, 2026);
    EXPECT_EQ(t->month, 12);
    EXPECT_EQ(t->day, 8);
    EXPECT_EQ(t->hour, 10);
    EXPECT_EQ(t->minute, 30);
    EXPECT_EQ(t->second, 5);
}

}  // namespace
}  // namespace tavrin::cli
