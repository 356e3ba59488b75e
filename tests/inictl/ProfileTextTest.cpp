// The finer profile rules, on a file's bytes in memory. The worked examples shared with the other
// tools are in ProfileFileTest.cpp, where each runs both in memory and on a real file.
#include "inictl/ProfileText.h"

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

namespace quillon {
namespace {

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

// Test listings name a case by its name, not by its bytes.
void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.name;
}

const ReadCase kReadCases[] = {
    {"EmptyValueIsFound", "[S]\r\nk=\r\n", "S", "k", ""},
    {"OnlyOuterQuotesGo", "[S]\r\nk=''x''\r\n", "S", "k", "'x'"},
    {"LoneQuoteStays", "[S]\r\nk= \" \r\n", "S", "k", "\""},
    {"LinesBeforeFirstHeaderUnreadable", "k=0\r\n[]\r\nj=2\r\n", "", "k", std::nullopt},
    {"EmptySectionName", "k=0\r\n[]\r\nj=2\r\n", "", "j", "2"},
    {"LfOnly", "[S]\nk=1\nj=2\n", "S", "j", "2"},
    {"CrOnly", "[S]\rk=1\rj=2\r", "S", "j", "2"},
    {"CrLfThenLoneCr", "[S]\r\n\rj=2", "S", "j", "2"},
    {"FileKeyTrimmedOfVerticalTab", "[S]\r\n\vk\v=\v1\v\r\n", "S", "k", "1"},
    {"CallerKeyTrimmedOfSpacesOnly", "[S]\r\nk=1\r\n", "S", "\tk", std::nullopt},
    {"AsciiCaseFolds", "[s]\r\nKEY=v\r\n", "S", "key", "v"},
    {"Latin1CaseDoesNotFold", "[\xC4]\r\nk=v\r\n", "\xE4", "k", std::nullopt},
    {"TextAfterBracketIgnored", "[S] ; x=1\r\nk=v\r\n", "S", "k", "v"},
    {"NextHeaderEndsSection", "[S]\r\n[T]\r\nk=v\r\n", "S", "k", std::nullopt},
};

class ReadCaseTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadCaseTest, FindsValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(FindProfileValue(c.file, c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(Rules, ReadCaseTest, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct Write {
    std::string section;
    std::string key;
    std::string value;
};

struct WriteCase {
    const char* name;
    std::string before;
    std::vector<Write> writes;
    std::string after;
};

// Test listings name a case by its name, not by its bytes.
void PrintTo(const WriteCase& c, std::ostream* out) {
    *out << c.name;
}

const WriteCase kWriteCases[] = {
    {"NewKeysKeepOrderWritten",
     "[S]\r\nk=1\r\n\r\n[T]\r\n",
     {{"S", "a", "1"}, {"S", "b", "2"}, {"S", "c", "3"}},
     "[S]\r\nk=1\r\na=1\r\nb=2\r\nc=3\r\n\r\n[T]\r\n"},
    {"ReplacementKeepsEverythingAround",
     "; head\r\n\r\n[S]\r\n; about k\r\n  k = old \r\n\r\n; tail\r\n",
     {{"S", "k", "new"}},
     "; head\r\n\r\n[S]\r\n; about k\r\nk=new\r\n\r\n; tail\r\n"},
    {"ReplacementKeepsKeySpelling",
     "[s]\r\n\t PORT \t= 80\r\n",
     {{"S", "port", "1"}},
     "[s]\r\nPORT=1\r\n"},
    {"ReplacesFirstOfDuplicates",
     "[S]\r\nk=1\r\nk=2\r\n",
     {{"S", "k", "9"}},
     "[S]\r\nk=9\r\nk=2\r\n"},
    {"InsertsIntoFirstOfDuplicateSections",
     "[S]\r\nk=1\r\n[S]\r\nj=2\r\n",
     {{"S", "j", "3"}},
     "[S]\r\nk=1\r\nj=3\r\n[S]\r\nj=2\r\n"},
    {"KeyBeforeFirstHeaderIsNoMatch", "k=0\r\n[S]\r\n", {{"S", "k", "1"}}, "k=0\r\n[S]\r\nk=1\r\n"},
    {"InsertsBeforeTrailingOddLine",
     "[S]\r\nk=1\r\njunk\r\n",
     {{"S", "n", "2"}},
     "[S]\r\nk=1\r\nn=2\r\njunk\r\n"},
    {"EmptySectionGetsKeyAfterHeader",
     "[S]\r\n; c\r\n[T]\r\n",
     {{"S", "k", "v"}},
     "[S]\r\nk=v\r\n; c\r\n[T]\r\n"},
    {"HeaderWithoutLineEnd", "[S]", {{"S", "k", "v"}}, "[S]\r\nk=v\r\n"},
    {"NamesTrimmedValueAsGiven", "", {{" S ", " k ", "  \"v\"\t"}}, "[S]\r\nk=  \"v\"\t\r\n"},
    {"LfOnlyReplace", "[S]\nk=1\nj=2\n", {{"S", "k", "9"}}, "[S]\nk=9\r\nj=2\n"},
    {"LfOnlyInsert", "[S]\nk=1\nj=2\n", {{"S", "n", "3"}}, "[S]\nk=1\nj=2\nn=3\r\n"},
    {"CrOnlyReplace", "[S]\rk=1\rj=2\r", {{"S", "k", "9"}}, "[S]\rk=9\r\nj=2\r"},
    {"CrOnlyInsert", "[S]\rk=1\rj=2\r", {{"S", "n", "3"}}, "[S]\rk=1\rj=2\rn=3\r\n"},
    {"CrOnlyNewSection", "[S]\rk=1\r", {{"T", "a", "1"}}, "[S]\rk=1\r[T]\r\na=1\r\n"},
};

class WriteCaseTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteCaseTest, GivesBytes) {
    const WriteCase& c = GetParam();
    std::string file = c.before;
    for (const Write& w : c.writes)
        file = SetProfileValue(file, w.section, w.key, w.value);
    EXPECT_EQ(file, c.after);
}

INSTANTIATE_TEST_SUITE_P(Rules, WriteCaseTest, testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon
