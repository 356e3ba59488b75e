// tavrin-cli read as a user runs it: a real process, a real simulator, messages on stderr and the
// exit status scripts rely on.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <sstream>

#include "../support/ConsoleRoom.h"
#include "../support/SimProcess.h"
#include "EepromFile.h"
#include "cli/ExitCodes.h"

namespace tavrin {
namespace {

using testing::RunCommand;

struct CliCase {
    const char* name;
    std::vector<std::string> simArgs;
    bool blank;
    int status;
    const char* stderrText;  // a regular expression: a held port's line names its holder's pid
};

class CliRead : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliRead, PrintsTheMessageAndExitStatus) {
    const CliCase& c = GetParam();
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath,
                           c.blank ? gatewaysim::Eeprom{} : gatewaysim::DefaultEeprom());
    testing::SimProcess sim(eepromPath, c.simArgs);

    std::vector<std::string> argv = {TAVRIN_CLI_WATCHED_EXE, "read", "--port", "1", "--json"};
    if (c.status != cli::kExitTimeout) {
        // The faults that end in a timeout come before any answer is needed.
        const auto room = testing::CliRoom();
        argv.insert(argv.end(), room.begin(), room.end());
    }
    const auto result = RunCommand(argv, {"TAVRIN_COM1=" + sim.Device()});
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_TRUE(std::regex_match(result.err, std::regex(c.stderrText))) << result.err;
    if (c.status == cli::kExitOk) {
        EXPECT_NE(result.out.find("\"ModulePrompt\": \"6420RT>\""), std::string::npos);
        EXPECT_NE(result.out.find("\"ReadBlock0Words\": ["), std::string::npos);
    } else if (c.status == cli::kExitPort) {
        EXPECT_NE(result.out.find("\"reason\": \"busy\""), std::string::npos) << result.out;
    } else {
        EXPECT_EQ(result.out, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliRead,
    ::testing::Values(CliCase{"Read", {}, false, cli::kExitOk, ""},
                      CliCase{"BlankWarnsButSucceeds",
                              {},
                              true,
                              cli::kExitOk,
                              "The configuration stored in EEPROM is wrong!\n"},
                      CliCase{
                          "Silent", {"--silent-from", "1"}, false, cli::kExitTimeout, "Timeout\n"},
                      CliCase{"Slow", {"--late"}, false, cli::kExitTimeout, "Timeout\n"},
                      CliCase{"Foreign",
                              {"--module", "7188XB"},
                              false,
                              cli::kExitForeignModule,
                              "This modules is not 6420RT!\n"},
                      CliCase{"Held",
                              {"--hold"},
                              false,
                              cli::kExitPort,
                              "COM 1 has been occupied\nThe port is held by tavrin-gatewaysim "
                              "\\(pid [0-9]+\\)\\.\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliReadJson, CarriesTheDecodedConfiguration) {
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    testing::SimProcess sim(eepromPath);
    const std::string log = scratch.File("session.log");

    const auto result =
        RunCommand({TAVRIN_CLI_WATCHED_EXE, "read", "--port", sim.Device(), "--json", "--log", log,
                    "--answer-window", testing::kCliAnswerWindow});
    ASSERT_EQ(result.status, 0) << result.err;
    for (const char* expected :
         {"\"NodeId\": 5", "\"AppLayer\": 1", "\"ComTimeout\": 200", "\"ReadAppCount\": 4",
          "\"ConfigWrong\": false", "\"ReadBlock0Words\": [\n    28573804,",
          "\"StoredIOTotals\": [\n    13,\n    2,\n    0,\n    1\n  ]",
          "\"MBID\": 3,\n      \"IOType\": 3,\n      \"FCSel\": 1,\n      \"MBSA\": 10"}) {
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected;
    }
    // The transcript holds every line typed, the block 0 walk included.
    const std::string transcript = testing::ReadWholeFile(log);
    for (const char* line : {"sent \"use eeprom\"", "sent \"el 40\"", "sent \" 28573804\"",
                             "sent \"block 1\"", "recv "}) {
        EXPECT_NE(transcript.find(line), std::string::npos) << line;
    }
}

// The pace and the answer window reach the console: tavrin-cli itself, on the real clock, times a
// console that answers seconds late out in the default window, and a long window reads from a
// console whose first answer is 400 ms late exactly what the default read reads of a prompt
// console; a 5 ms pace spaces every character typed (a lower bound on the time). The margins are
// wide so that neither process's scheduling can turn one outcome into the other.
TEST(CliReadTiming, PaceAndAnswerWindowReachTheConsole) {
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    const auto read = [&](const char* program, const std::vector<std::string>& simArgs,
                          const std::vector<std::string>& options) {
        testing::SimProcess sim(eepromPath, simArgs);
        std::vector<std::string> argv = {program, "read", "--port", sim.Device(), "--json"};
        argv.insert(argv.end(), options.begin(), options.end());
        return RunCommand(argv);
    };
    const auto plain = read(TAVRIN_CLI_WATCHED_EXE, {}, testing::CliRoom());
    ASSERT_EQ(plain.status, cli::kExitOk) << plain.err;

    const auto late = read(TAVRIN_CLI_EXE, {"--answer-delay", "5000"}, {});
    EXPECT_EQ(late.status, cli::kExitTimeout);
    EXPECT_EQ(late.err, "Timeout\n");
    const auto waited =
        read(TAVRIN_CLI_WATCHED_EXE, {"--slow-ms", "400", "--slow-at", "1"}, testing::CliRoom());
    EXPECT_EQ(waited.status, cli::kExitOk) << waited.err;
    EXPECT_EQ(waited.out, plain.out);

    const std::string log = scratch.File("paced.log");
    const auto start = std::chrono::steady_clock::now();
    const auto paced =
        read(TAVRIN_CLI_WATCHED_EXE, {},
             {"--pace", "5", "--log", log, "--answer-window", testing::kCliAnswerWindow});
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(paced.status, cli::kExitOk) << paced.err;
    EXPECT_EQ(paced.out, plain.out);
    // Every typed line is its characters and a carriage return, each followed by one pace.
    long typed = 0;
    std::istringstream lines(testing::ReadWholeFile(log));
    for (std::string line; std::getline(lines, line);) {
        const auto at = line.find(" sent \"");
        if (at != std::string::npos) {
            typed += static_cast<long>(line.size() - (at + 7) - 1) + 1;
        }
    }
    EXPECT_GT(typed, 100) << "the log holds the lines typed";
    EXPECT_GE(elapsed, std::chrono::milliseconds(5 * typed));
}

// A port owned by root:dialout, mode 660, refused to a user outside that group: the message, the
// group and the command that grants it, exit 3. Needs root to stage the node and drop to nobody.
TEST(CliReadNoAccess, NamesTheGroupAndTheCommandThatGrantsIt) {
    const group* dialout = ::getgrnam("dialout");
    if (::geteuid() != 0 || dialout == nullptr || !std::filesystem::exists("/usr/bin/setpriv")) {
        GTEST_SKIP() << "needs root, a dialout group and setpriv";
    }
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    testing::SimProcess sim(eepromPath);
    ASSERT_EQ(::chown(sim.Device().c_str(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(::chmod(sim.Device().c_str(), 0660), 0);

    const auto result =
        RunCommand({"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                    TAVRIN_CLI_WATCHED_EXE, "read", "--port", "1", "--json"},
                   {"TAVRIN_COM1=" + sim.Device()});
    EXPECT_EQ(result.status, cli::kExitPort) << result.err;
    EXPECT_EQ(result.err, "Can't open COM 1!\nYou may not use " + sim.Device() +
                              ": it is open to the group dialout, and you are not in it.\n"
                              "To join it: sudo usermod -aG dialout $USER, then log out and in "
                              "again.\n");
    for (const char* field : {"\"error\": \"Can't open COM 1!\"", "\"reason\": \"no access\"",
                              "\"group\": \"dialout\""}) {
        EXPECT_NE(result.out.find(field), std::string::npos) << field << " in " << result.out;
    }
}

// ports lists what the window would: COM 1 bound to a live simulator is openable, COM 2 bound to
// nothing is missing, and the list ends without "Other port...".
TEST(CliPorts, ListsTheComEntriesWithWhetherEachOpens) {
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    testing::SimProcess sim(eepromPath);
    const std::vector<std::string> env = {"TAVRIN_COM1=" + sim.Device(),
                                          "TAVRIN_COM2=/nonexistent/port"};
    const auto json = RunCommand({TAVRIN_CLI_WATCHED_EXE, "ports", "--json"}, env);
    EXPECT_EQ(json.status, cli::kExitOk) << json.err;
    const std::string com1 = "{\n    \"label\": \"COM 1\",\n    \"device\": \"" + sim.Device() +
                             "\",\n    \"byId\": null,";
    EXPECT_NE(json.out.find(com1), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"com\": 1,\n    \"openable\": true\n"), std::string::npos);
    EXPECT_NE(json.out.find("\"com\": 2,\n    \"openable\": false,\n    \"reason\": \"missing\""),
              std::string::npos);
    EXPECT_EQ(json.out.find("Other port"), std::string::npos);
    const auto table = RunCommand({TAVRIN_CLI_WATCHED_EXE, "ports"}, env);
    EXPECT_EQ(table.status, cli::kExitOk);
    EXPECT_EQ(table.out.rfind("COM 1\t" + sim.Device() +
                                  "\topenable\n"
                                  "COM 2\t/nonexistent/port\tnot openable (missing)\n",
                              0),
              0u)
        << table.out;
}

TEST(CliReadUsage, RejectsBadCommandLines) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{TAVRIN_CLI_WATCHED_EXE},
          {TAVRIN_CLI_WATCHED_EXE, "read"},
          {TAVRIN_CLI_WATCHED_EXE, "read", "--port", "17"},
          {TAVRIN_CLI_WATCHED_EXE, "fly", "--port", "1"},
          {TAVRIN_CLI_WATCHED_EXE, "read", "--port", "1", "--colour"}}) {
        EXPECT_EQ(RunCommand(args).status, cli::kExitUsage) << args.back();
    }
    const auto missing = RunCommand({TAVRIN_CLI_WATCHED_EXE, "read", "--port", "2"},
                                    {"TAVRIN_COM2=/nonexistent/port"});
    EXPECT_EQ(missing.status, cli::kExitPort);
    EXPECT_TRUE(std::regex_match(
        missing.err, std::regex("Can't open COM 2!\nThere is no /nonexistent/port[^\n]*\n")))
        << missing.err;
    EXPECT_EQ(RunCommand({TAVRIN_CLI_WATCHED_EXE, "read", "--help"}).status, 0);
}

}  // namespace
}  // namespace tavrin
