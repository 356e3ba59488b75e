#include <gtest/gtest.h>

#include "console/ConsoleText.h"

namespace tavrin {
namespace {

TEST(StripBlanks, OnlySpacesAtTheEdgesGo) {
    EXPECT_EQ(StripBlanks("  a b  "), "a b");
    EXPECT_EQ(StripBlanks("\r\n6420RT> "), "\r\n6420RT>");
    EXPECT_EQ(StripBlanks("   "), "");
    EXPECT_EQ(StripBlanks("\t x\t"), "\t x\t");
}

struct NumberCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

class ReadConsoleNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadConsoleNumberTest, ReadsLikeTheConsolePrintsIt) {
    EXPECT_EQ(ReadConsoleNumber(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadConsoleNumberTest,
    ::testing::Values(NumberCase{"28573804", 28573804}, NumberCase{" 28573804 ", 28573804},
                      NumberCase{"-1", -1}, NumberCase{"\t\n 12 34", 1234}, NumberCase{"- 5", -5},
                      NumberCase{"+7", 7}, NumberCase{"12abc", 12}, NumberCase{"12\r\n", 12},
                      NumberCase{"2147483647", 2147483647},
                      NumberCase{"-2147483648", -2147483647 - 1},
                      // Anything that cannot be the word as stored fails rather than reading 0
                      // or wrapping: the read types every value back into the EEPROM.
                      NumberCase{"2147483648", std::nullopt},
                      NumberCase{"-2147483649", std::nullopt},
                      NumberCase{"99999999999999999999", std::nullopt},
                      NumberCase{"?x#", std::nullopt}, NumberCase{"", std::nullopt},
                      NumberCase{"-", std::nullopt}, NumberCase{"--5", std::nullopt}));

struct ScanCase {
    const char* name;
    const char* reply;
    const char* key;
    ValueScan expected;
    std::int32_t value;
};

class ScanWordValueTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanWordValueTest, FindsTheValueBetweenKeyAndArrow) {
    std::int32_t value = -777;
    EXPECT_EQ(ScanWordValue(GetParam().reply, GetParam().key, value), GetParam().expected);
    EXPECT_EQ(value, GetParam().expected == ValueScan::Found ? GetParam().value : -777);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScanWordValueTest,
    ::testing::Values(
        ScanCase{"Plain", "el 40\r\nLong(40)=28573804-->", "Long(40)=", ValueScan::Found, 28573804},
        ScanCase{"Negative", " 5\r\nLong(44)=-1-->", "Long(44)=", ValueScan::Found, -1},
        ScanCase{"BlanksAroundKey", "Long(4)=  77 -->", " Long(4)= ", ValueScan::Found, 77},
        ScanCase{"NoArrowYet", "el 40\r\nLong(40)=2857", "Long(40)=", ValueScan::Incomplete, 0},
        ScanCase{"ArrowOnlyBeforeKey", "-->Long(40)=5", "Long(40)=", ValueScan::Incomplete, 0},
        ScanCase{"KeyAbsent", "Long(40)=5-->", "Long(44)=", ValueScan::NoKey, 0},
        ScanCase{"EmptyKey", "Long(40)=5-->", "", ValueScan::NoKey, 0},
        ScanCase{"BlankKey", "Long(40)=5-->", "   ", ValueScan::NoKey, 0},
        ScanCase{"Garbage", "Long(40)=?x#-->", "Long(40)=", ValueScan::BadNumber, 0},
        ScanCase{"Overflow", "Long(40)=4294967295-->", "Long(40)=", ValueScan::BadNumber, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavrin
