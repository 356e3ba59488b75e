// The command line of tavrin-cli: what each command takes, and the error a script sees otherwise.
#include "cli/CliArgs.h"

#include <gtest/gtest.h>

namespace tavrin::cli {
namespace {

struct Accepted {
    std::vector<std::string> args;
    CliArgs expected;
};

TEST(ParseCliArgs, FillsTheFieldsOfEachCommand) {
    const Accepted cases[] = {
        {{"read", "--port", "1", "--json"}, {"read", "1", "", true, false, "", "", "", ""}},
        {{"backup", "gw.ini", "--port", "/dev/ttyUSB0", "--log", "s.log"},
         {"backup", "/dev/ttyUSB0", "s.log", false, false, "gw.ini", "", "", ""}},
        {{"--port", "3", "restore", "gw.ini"},
         {"restore", "3", "", false, false, "gw.ini", "", "", ""}},
        {{"eds", "--port", "1", "--out", "out", "--description", "Line 3", "--author", ""},
         {"eds", "1", "", false, false, "", "out", "Line 3", ""}},
        {{"apply", "line.json", "--port", "2", "--out", "eds", "--stamp", "2026-12-08 10:00:00"},
         {"apply", "2", "", false, false, "line.json", "eds", "", "", "2026-12-08 10:00:00"}},
        {{"eds", "--help"}, {"eds", "", "", false, true, "", "", "", ""}},
        {{"-h"}, {"", "", "", false, true, "", "", "", ""}},
        {{"ports", "--json"}, {"ports", "", "", true, false, "", "", "", ""}},
        {{"read", "--port", "1", "--pace", "0", "--answer-window", "10000"},
         {.verb = "read", .port = "1", .timing = {0, 10000}, .timingGiven = true}},
        {{"apply", "a.json", "--answer-window", "50", "--pace", "100", "--port", "1"},
         {.verb = "apply",
          .port = "1",
          .file = "a.json",
          .timing = {100, 50},
          .timingGiven = true}},
    };
    for (const Accepted& c : cases) {
        std::string error;
        const auto parsed = ParseCliArgs(c.args, error);
        ASSERT_TRUE(parsed) << c.args[0] << ": " << error;
        EXPECT_EQ(parsed->verb, c.expected.verb);
        EXPECT_EQ(parsed->port, c.expected.port);
        EXPECT_EQ(parsed->logPath, c.expected.logPath);
        EXPECT_EQ(parsed->json, c.expected.json);
        EXPECT_EQ(parsed->help, c.expected.help);
        EXPECT_EQ(parsed->file, c.expected.file);
        EXPECT_EQ(parsed->outDir, c.expected.outDir);
        EXPECT_EQ(parsed->description, c.expected.description);
        EXPECT_EQ(parsed->author, c.expected.author);
        EXPECT_EQ(parsed->stamp, c.expected.stamp);
        EXPECT_EQ(parsed->timing, c.expected.timing);
    }
}

TEST(ParseCliArgs, SaysWhatIsWrong) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "no command given"},
        {{"fly", "--port", "1"}, "unknown command fly"},
        {{"backup", "--port", "1"}, "backup needs a FILE"},
        {{"restore", "", "--port", "1"}, "restore needs a FILE"},
        {{"restore", "a.ini", "b.ini", "--port", "1"}, "unexpected argument b.ini"},
        {{"eds", "a", "--port", "1"}, "unexpected argument a"},
        {{"read", "", "--port", "1"}, "unexpected argument "},
        {{"backup", "a.ini", "--port", "1", "--json"}, "--json is not an option of backup"},
        {{"read", "--port", "1", "--out", "d"}, "--out is not an option of read"},
        {{"restore", "a.ini", "--port", "1", "--description", "x"},
         "--description is not an option of restore"},
        {{"eds", "--port", "1", "--author"}, "--author needs a value"},
        {{"eds", "--out", "d"}, "--port is required"},
        {{"eds", "--port", "1", "--colour"}, "unknown option --colour"},
        {{"apply", "--port", "1"}, "apply needs a FILE"},
        {{"eds", "--port", "1", "--stamp", "2026-12-08 10:00:00"}, "--stamp goes with --from"},
        {{"eds", "--port", "1", "--revision", "1.05"}, "--revision goes with --from"},
        {{"eds", "--from", "a.ini", "--port", "1"}, "--from and --port exclude each other"},
        {{"eds", "--from", "a.ini", "--pace", "5"},
         "--log, --pace and --answer-window need a gateway, not --from"},
        {{"apply", "a.json", "--save", "a.ini", "--port", "1"},
         "--save and --port exclude each other"},
        {{"apply", "a.json", "--save", "a.ini", "--dry-run"},
         "--dry-run is not an option of apply --save"},
        {{"apply", "a.json", "--save", "a.ini", "--out", "d"},
         "--out is not an option of apply --save"},
        {{"config"}, "config needs a FILE"},
        {{"config", "1", "--port", "1"}, "--port is not an option of config"},
        {{"config", "1", "--save", "a.ini"}, "--save is not an option of config"},
        {{"ports", "--port", "1"}, "--port is not an option of ports"},
        {{"ports", "--log", "s.log"}, "--log is not an option of ports"},
        {{"ports", "x"}, "unexpected argument x"},
        {{"read", "--port", "1", "--pace", "101"},
         "--pace 101: The pace between characters must be 0 to 100 ms."},
        {{"eds", "--port", "1", "--answer-window", "49"},
         "--answer-window 49: The answer window must be 50 to 10000 ms."},
        {{"backup", "a.ini", "--port", "1", "--answer-window", "1s"},
         "--answer-window takes a whole number of milliseconds, not \"1s\""},
        {{"restore", "a.ini", "--port", "1", "--pace"}, "--pace needs a value"},
        {{"ports", "--pace", "5"}, "--pace and --answer-window are not options of ports"},
    };
    for (const auto& [args, text] : cases) {
        std::string error;
        EXPECT_FALSE(ParseCliArgs(args, error)) << text;
        EXPECT_EQ(error, text);
    }
}

TEST(VerbHelp, EveryCommandHasItsOwnUsageAndExitStatuses) {
    for (const std::string verb :
         {"read", "backup", "restore", "eds", "apply", "ports", "config"}) {
        const std::string help = VerbHelp(verb);
        EXPECT_EQ(help.rfind("Usage: tavrin-cli " + verb + " ", 0), 0u) << help;
        EXPECT_NE(help.find("Exit status: 0"), std::string::npos) << verb;
        EXPECT_EQ(help.find(TimingOptionsHelp()) != std::string::npos, verb != "ports") << verb;
    }
    EXPECT_EQ(VerbHelp("fly"), UsageText());
}

}  // namespace
}  // namespace tavrin::cli
