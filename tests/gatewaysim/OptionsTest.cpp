#include "Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gatewaysim {
namespace {

TEST(OptionsTest, DefaultsServeAConfiguredSixFourTwentyRt) {
    const Options o = ParseOptions({});
    EXPECT_EQ(o.eepromPath, "gatewaysim-eeprom.bin");
    EXPECT_EQ(o.module, "6420RT");
    EXPECT_FALSE(o.blank || o.hold || o.timing.pace || o.timing.split);
    EXPECT_EQ(o.faults.silentFromLine, 0);
    EXPECT_EQ(o.faults.garbageAtLine, 0);
    EXPECT_EQ(o.hangupAfterLine, 0);
}

TEST(OptionsTest, TakesEveryOptionInBothSpellings) {
    const Options o = ParseOptions(
        {"--eeprom",      "e.bin",   "--module=6420e", "--blank",        "--link", "/tmp/gw",
         "--silent-from", "7",       "--garbage-at=3", "--hangup-after", "9",      "--slow-ms",
         "250",           "--split", "--seed",         "4294967295",     "--pace", "--hold",
         "--transcript",  "t.log",   "--late"});
    EXPECT_EQ(o.eepromPath, "e.bin");
    EXPECT_EQ(o.module, "6420e");
    EXPECT_EQ(o.linkPath, "/tmp/gw");
    EXPECT_EQ(o.transcriptPath, "t.log");
    EXPECT_EQ(o.faults.silentFromLine, 7);
    EXPECT_EQ(o.faults.garbageAtLine, 3);
    EXPECT_EQ(o.hangupAfterLine, 9);
    EXPECT_EQ(o.slowMs, 250);
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_TRUE(o.blank && o.hold && o.timing.pace && o.timing.split && o.lateAll);
}

TEST(OptionsTest, TakesTheFaultsAtOneLine) {
    const Options none = ParseOptions({});
    EXPECT_EQ(none.slowAtLine, 0);
    EXPECT_EQ(none.splitMarkerAt, -1);
    EXPECT_EQ(none.hangupAtLine, 0);
    EXPECT_EQ(none.lateAtLine, 0);
    EXPECT_FALSE(none.lateAll);
    const Options o = ParseOptions({"--slow-at", "12", "--slow-ms=260", "--split-marker-at", "0",
                                    "--hangup-at=31", "--late-at=5"});
    EXPECT_EQ(o.slowAtLine, 12);
    EXPECT_EQ(o.slowMs, 260);
    EXPECT_EQ(o.splitMarkerAt, 0);
    EXPECT_EQ(o.hangupAtLine, 31);
    EXPECT_EQ(o.lateAtLine, 5);
}

TEST(OptionsTest, TakesASlowConsoleAndWornCells) {
    const Options none = ParseOptions({});
    EXPECT_EQ(none.answerDelayMs, 0);
    EXPECT_EQ(none.minCharGapMs, 0);
    EXPECT_TRUE(none.faults.stuck.empty());
    const Options o = ParseOptions(
        {"--answer-delay", "400", "--min-char-gap=3", "--stuck", "1:252", "--stuck=0:40"});
    EXPECT_EQ(o.answerDelayMs, 400);
    EXPECT_EQ(o.minCharGapMs, 3);
    const std::vector<StuckWord> stuck = {{1, 252}, {0, 40}};
    EXPECT_EQ(o.faults.stuck, stuck);
}

class BadOptionsTest : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(BadOptionsTest, AreRefused) {
    EXPECT_THROW(ParseOptions(GetParam()), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Options, BadOptionsTest,
    testing::Values(
        std::vector<std::string>{"--frobnicate"}, std::vector<std::string>{"--eeprom"},
        std::vector<std::string>{"--silent-from", "0"},
        std::vector<std::string>{"--garbage-at", "3x"},
        std::vector<std::string>{"--hangup-after", "-1"}, std::vector<std::string>{"--slow-ms", ""},
        std::vector<std::string>{"--seed", "4294967296"}, std::vector<std::string>{"--pace=1"},
        std::vector<std::string>{"--module", ""}, std::vector<std::string>{"--slow-at", "0"},
        std::vector<std::string>{"--late-at", "0"}, std::vector<std::string>{"--hangup-at", "x"},
        std::vector<std::string>{"--split-marker-at", "-1"},
        std::vector<std::string>{"--split-marker-at", "64"},
        std::vector<std::string>{"--answer-delay", "-1"},
        std::vector<std::string>{"--min-char-gap", "10001"},
        std::vector<std::string>{"--stuck", "2:0"}, std::vector<std::string>{"--stuck", "0:42"},
        std::vector<std::string>{"--stuck", "0:256"}, std::vector<std::string>{"--stuck", "0"},
        std::vector<std::string>{"--stuck", ":4"}, std::vector<std::string>{"--stuck", "0:4:8"}));

}  // namespace
}  // namespace gatewaysim
