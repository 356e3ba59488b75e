// The fleet's manifest: every fault is found before any job starts, with the job it is about;
// what each job's process is given; and which failure the fleet's exit status reports.
#include "cli/FleetManifest.h"

#include <gtest/gtest.h>

#include "cli/FleetReport.h"

namespace tavrin::cli {
namespace {

// COM n is /dev/ttyS<n-1>, whatever the test machine's environment says.
std::optional<std::string> NoEnv(const std::string&) {
    return std::nullopt;
}

// Files named "missing..." cannot be read; the real checks have a table of their own below.
std::optional<std::string> FakeFiles(const std::string&, const std::string& path) {
    if (path.rfind("missing", 0) == 0) {
        return std::string("cannot read the file");
    }
    return std::nullopt;
}

FleetManifest Read(const std::string& text, const std::string& logDir = "") {
    return ReadFleetManifest(text, logDir, FakeFiles, NoEnv);
}

struct Refusal {
    const char* name;
    std::string manifest;
    std::vector<std::string> faults;  // each the start of one fault, in order
    std::string logDir = std::string();
};

class FleetManifestRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(FleetManifestRefuses, NamesTheJobAndWhatIsWrong) {
    const Refusal& c = GetParam();
    const FleetManifest manifest = Read(c.manifest, c.logDir);
    ASSERT_EQ(manifest.faults.size(), c.faults.size()) << ::testing::PrintToString(manifest.faults);
    for (std::size_t i = 0; i < c.faults.size(); ++i) {
        EXPECT_EQ(manifest.faults[i].substr(0, c.faults[i].size()), c.faults[i]);
    }
    EXPECT_FALSE(manifest.Valid());
}

const std::string kRead = R"({"port": 2, "verb": "read"})";

INSTANTIATE_TEST_SUITE_P(
    Table, FleetManifestRefuses,
    ::testing::Values(
        Refusal{"NotJson", R"({"jobs": [)", {"not JSON: "}},
        Refusal{"BareArray", "[" + kRead + "]", {"jobs: missing"}},
        Refusal{"NoJob", R"({"jobs": []})", {"jobs: no job listed"}},
        Refusal{"UnknownTopKey", R"({"jobs": [)" + kRead + R"(], "job": 1})", {"job: unknown key"}},
        Refusal{"JobNotObject",
                R"({"jobs": [)" + kRead + R"(, "read"]})",
                {"jobs[1]: must be an object"}},
        Refusal{"UnknownVerbAndBadPort",
                R"({"jobs": [)" + kRead + R"(, {"port": 17, "verb": "ports"}]})",
                {"jobs[1].verb: unknown verb \"ports\"", "jobs[1].port: \"17\" is neither"}},
        Refusal{"FleetIsNoJob",
                R"({"jobs": [{"port": 1, "verb": "fleet", "file": "m.json"}]})",
                {"jobs[0].verb: unknown verb \"fleet\""}},
        Refusal{"MissingPortAndVerb",
                R"({"jobs": [{"file": "a.ini"}]})",
                {"jobs[0].port: missing", "jobs[0].verb: missing"}},
        // COM 1 is /dev/ttyS0: one port, however it is written.
        Refusal{"PortTwice",
                R"({"jobs": [{"port": 1, "verb": "read"}, )" + kRead +
                    R"(, {"port": "/dev/ttyS0", "verb": "eds"}]})",
                {"jobs[2].port: /dev/ttyS0 is also the port of jobs[0]"}},
        Refusal{"MissingFile",
                R"({"jobs": [)" + kRead +
                    R"(, {"port": 3, "verb": "restore", "file": "missing.ini"}]})",
                {"jobs[1].file: missing.ini: cannot read the file"}},
        Refusal{"NoFile",
                R"({"jobs": [{"port": 3, "verb": "apply"}]})",
                {"jobs[0]: apply needs a FILE"}},
        Refusal{"FileForRead",
                R"({"jobs": [{"port": 3, "verb": "read", "file": "a.ini"}]})",
                {"jobs[0]: unexpected argument a.ini"}},
        Refusal{
            "OptionOfAnotherVerb",
            R"({"jobs": [{"port": 3, "verb": "restore", "file": "a.ini", "options": ["--out", "d"]}]})",
            {"jobs[0]: --out is not an option of restore"}},
        Refusal{"OptionWithoutValue",
                R"({"jobs": [{"port": 3, "verb": "eds", "options": ["--author"]}]})",
                {"jobs[0]: --author needs a value"}},
        Refusal{"PortAmongOptions",
                R"({"jobs": [{"port": 3, "verb": "read", "options": ["--port", "4"]}]})",
                {"jobs[0].options: --port is set by fleet"}},
        Refusal{"LogBesideLogDir",
                R"({"jobs": [{"port": 3, "verb": "read", "options": ["--log", "a.log"]}]})",
                {"jobs[0].options: --log is set by fleet"},
                "logs"},
        Refusal{"OptionsNotTexts",
                R"({"jobs": [{"port": 3, "verb": "eds", "options": ["--out", 5]}]})",
                {"jobs[0].options[1]: must be a text"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FleetManifest, GivesEachJobItsCommandLine) {
    const FleetManifest manifest = Read(R"({"jobs": [
        {"port": 3, "verb": "restore", "file": "a.ini"},
        {"port": "/dev/ttyUSB1", "verb": "read"},
        {"port": "4", "verb": "eds", "options": ["--out", "eds dir", "--author", ""]}]})",
                                        "logs");
    ASSERT_TRUE(manifest.Valid()) << ::testing::PrintToString(manifest.faults);
    ASSERT_EQ(manifest.jobs.size(), 3u);
    const FleetJob& restore = manifest.jobs[0];
    EXPECT_EQ(restore.portLabel, "COM 3");
    EXPECT_EQ(restore.device, "/dev/ttyS2");
    EXPECT_EQ(restore.logPath, "logs/0-COM3.log");
    EXPECT_EQ(restore.arguments, (std::vector<std::string>{"restore", "a.ini", "--port", "3",
                                                           "--log", "logs/0-COM3.log", "--json"}));
    const FleetJob& read = manifest.jobs[1];
    EXPECT_TRUE(read.json);
    EXPECT_EQ(read.arguments, (std::vector<std::string>{"read", "--port", "/dev/ttyUSB1", "--log",
                                                        "logs/1-dev-ttyUSB1.log", "--json"}));
    EXPECT_EQ(manifest.jobs[2].arguments,
              (std::vector<std::string>{"eds", "--port", "4", "--log", "logs/2-COM4.log", "--out",
                                        "eds dir", "--author", ""}));
}

TEST(CheckJobFile, UsesTheVerbsOwnChecks) {
    const struct {
        const char* verb;
        std::string path;
        std::string fault;  // its start; empty when the file is fit
    } cases[] = {
        {"restore", "/nonexistent/a.ini", "cannot read the file"},
        {"restore", TAVRIN_APPLY_EXAMPLE, "[EEPB_0] Add0"},  // no keys at all
        {"apply", TAVRIN_APPLY_EXAMPLE, ""},
        {"apply", "/nonexistent/a.json", "cannot read the file"},
        {"backup", "/nonexistent/a.ini", "its folder does not exist"},
        {"backup", "/tmp", "is a folder"},
        {"backup", "/tmp/not-yet-there.ini", ""},
    };
    for (const auto& c : cases) {
        const auto fault = CheckJobFile(c.verb, c.path);
        EXPECT_EQ(fault.value_or("").substr(0, c.fault.size()), c.fault) << c.verb << " " << c.path;
        EXPECT_EQ(fault.has_value(), !c.fault.empty())
            << c.verb << " " << c.path << ": " << fault.value_or("");
    }
}

TEST(FleetExitStatus, IsTheHighestRankingFailure) {
    const std::pair<std::vector<int>, int> cases[] = {
        {{0, 0}, 0},
        {{0, 3, 0}, 3},
        {{3, 4}, 4},
        {{4, 3}, 4},
        {{6, 3}, 3},
        {{5, 1}, 1},
        {{2, 6}, 6},
        {{6, 5}, 5},
        {{3, 7, 4}, 7},
        {{9, 5}, 9},  // a status not ranked counts as
                      // 1
        {{1, 9}, 1},  // the first among equals
    };
    for (const auto& [statuses, expected] : cases) {
        std::vector<FleetOutcome> outcomes;
        for (const int status : statuses) {
            outcomes.push_back({status, std::nullopt, 0, ""});
        }
        EXPECT_EQ(FleetExitStatus(outcomes), expected) << ::testing::PrintToString(statuses);
    }
}

}  // namespace
}  // namespace tavrin::cli
