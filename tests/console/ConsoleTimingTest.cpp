#include <gtest/gtest.h>

#include "console/ConsoleTiming.h"

namespace tavrin {
namespace {

struct TimingCase {
    ConsoleTiming timing;
    const char* refusal;
};

TEST(ConsoleTiming, RefusesValuesOutsideTheirRanges) {
    const char* pace = "The pace between characters must be 0 to 100 ms.";
    const char* window = "The answer window must be 50 to 10000 ms.";
    for (const TimingCase& c :
         {TimingCase{{}, ""}, TimingCase{{0, 50}, ""}, TimingCase{{100, 10000}, ""},
          TimingCase{{-1, 200}, pace}, TimingCase{{101, 200}, pace}, TimingCase{{1, 49}, window},
          TimingCase{{1, 10001}, window}, TimingCase{{101, 10001}, pace}}) {
        EXPECT_EQ(ConsoleTimingRefusal(c.timing), c.refusal)
            << c.timing.paceMs << " " << c.timing.answerWindowMs;
    }
}

TEST(ConsoleTiming, ReadsOnlyPlainDecimalMilliseconds) {
    EXPECT_EQ(ParseMilliseconds("0"), 0);
    EXPECT_EQ(ParseMilliseconds("10000"), 10000);
    for (const char* text : {"", "-5", "+5", " 5", "5 ", "5ms", "1e3", "0x10", "99999999999"}) {
        EXPECT_EQ(ParseMilliseconds(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace tavrin
