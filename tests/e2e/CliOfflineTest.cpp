// Configurations as files, against the gateway simulator: what goes through a JSON configuration
// or a parameter file prepared without a gateway must come out in the EEPROM word for word, and
// the EDS file of a file must be the one a store of it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../support/ConsoleRoom.h"
#include "../support/SimProcess.h"
#include "EepromFile.h"
#include "cli/ExitCodes.h"

namespace tavrin {
namespace {

using testing::CommandResult;
using testing::RunCommand;

constexpr const char* kStamp = "2026-11-30 08:15:00";

// Block 0's configuration area is EEPROM words 10..38 (bytes 40..155), block 1's connection
// words are words 0..6.
std::vector<std::uint32_t> ConfigurationWords(const gatewaysim::Eeprom& e) {
    std::vector<std::uint32_t> words;
    for (int k = 0; k < 29; ++k) {
        words.push_back(e.Word(0, 10 + k));
    }
    for (int k = 0; k < 7; ++k) {
        words.push_back(e.Word(1, k));
    }
    return words;
}

// A simulator on its own EEPROM file, started from the default image.
class Gateway {
public:
    explicit Gateway(const testing::ScratchDir& scratch, const std::string& name)
        : m_path(scratch.File(name + ".bin")) {
        gatewaysim::SaveEeprom(m_path, gatewaysim::DefaultEeprom());
        m_sim = std::make_unique<testing::SimProcess>(m_path);
    }
    const std::string& Device() const { return m_sim->Device(); }
    // Runs tavrin-cli VERB ... --port DEVICE with the roomy answer window.
    CommandResult Cli(std::vector<std::string> args) const {
        args.insert(args.begin(), TAVRIN_CLI_WATCHED_EXE);
        args.insert(args.end(), {"--port", Device()});
        const auto room = testing::CliRoom();
        args.insert(args.end(), room.begin(), room.end());
        return RunCommand(args);
    }
    gatewaysim::Eeprom Stop() {
        m_sim->Stop();
        return gatewaysim::LoadEeprom(m_path);
    }

private:
    std::string m_path;
    std::unique_ptr<testing::SimProcess> m_sim;
};

CommandResult Offline(const std::vector<std::string>& args) {
    std::vector<std::string> argv{TAVRIN_CLI_EXE};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv);
}

// The lines of a text without those whose first word starts with one of `skipped`.
std::string Without(const std::string& text, const std::vector<std::string>& skipped) {
    std::string kept;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string line = text.substr(start, end - start);
        const std::string content = line.substr(std::min(line.find_first_not_of(' '), line.size()));
        bool skip = false;
        for (const std::string& prefix : skipped) {
            skip = skip || content.rfind(prefix, 0) == 0;
        }
        if (!skip) {
            kept += line;
        }
        start = end;
    }
    return kept;
}

// gateway -> config -> apply to a second gateway: the same configuration words, stamp and all
// when both stores are given one.
TEST(CliOffline, AGatewaysConfigurationAppliedToAnotherGivesItsWords) {
    testing::ScratchDir scratch;
    Gateway first(scratch, "first");
    const auto prepared =
        first.Cli({"apply", TAVRIN_APPLY_EXAMPLE, "--out", scratch.Path(), "--stamp", kStamp});
    ASSERT_EQ(prepared.status, cli::kExitOk) << prepared.err;
    const std::string json = scratch.File("first.json");
    const auto exported = RunCommand({TAVRIN_CLI_WATCHED_EXE, "config", first.Device(), "--out",
                                      json, "--answer-window", testing::kCliAnswerWindow});
    ASSERT_EQ(exported.status, cli::kExitOk) << exported.err;
    const std::string text = testing::ReadWholeFile(json);
    EXPECT_NE(text.find("\"revision\": \"1.05\""), std::string::npos) << text;

    Gateway second(scratch, "second");
    const auto applied = second.Cli({"apply", json, "--out", scratch.Path(), "--stamp", kStamp});
    ASSERT_EQ(applied.status, cli::kExitOk) << applied.err;
    EXPECT_EQ(ConfigurationWords(second.Stop()), ConfigurationWords(first.Stop()));
}

// JSON -> parameter file without a gateway -> restore: the EEPROM apply of the JSON leaves.
TEST(CliOffline, ASavedParameterFileRestoresWhatApplyStores) {
    testing::ScratchDir scratch;
    const std::string ini = scratch.File("job.ini");
    const auto saved = Offline({"apply", TAVRIN_APPLY_EXAMPLE, "--save", ini, "--stamp", kStamp});
    ASSERT_EQ(saved.status, cli::kExitOk) << saved.err;

    Gateway restored(scratch, "restored");
    const auto restore = restored.Cli({"restore", ini});
    ASSERT_EQ(restore.status, cli::kExitOk) << restore.err;
    Gateway applied(scratch, "applied");
    const auto apply =
        applied.Cli({"apply", TAVRIN_APPLY_EXAMPLE, "--out", scratch.Path(), "--stamp", kStamp});
    ASSERT_EQ(apply.status, cli::kExitOk) << apply.err;
    EXPECT_EQ(restored.Stop(), applied.Stop());
}

// A gateway's parameter file, taken to JSON and saved back with its own stamp: the same 37 keys.
TEST(CliOffline, AParameterFileThroughJsonComesBackUnchanged) {
    testing::ScratchDir scratch;
    Gateway gateway(scratch, "gateway");
    ASSERT_EQ(
        gateway.Cli({"apply", TAVRIN_APPLY_EXAMPLE, "--out", scratch.Path(), "--stamp", kStamp})
            .status,
        cli::kExitOk);
    const std::string backup = scratch.File("backup.ini");
    const auto saved = gateway.Cli({"backup", backup});
    ASSERT_EQ(saved.status, cli::kExitOk) << saved.err;
    gateway.Stop();

    const std::string json = scratch.File("backup.json");
    const auto exported = Offline({"config", backup, "--out", json});
    ASSERT_EQ(exported.status, cli::kExitOk) << exported.err;
    const std::string again = scratch.File("again.ini");
    const auto resaved = Offline({"apply", json, "--save", again, "--stamp", kStamp});
    ASSERT_EQ(resaved.status, cli::kExitOk) << resaved.err;
    EXPECT_EQ(testing::ReadWholeFile(again), testing::ReadWholeFile(backup));
}

// The EDS file of a configuration file is the one its store writes, but for the moment of
// writing; the revision comes from the command line or from the file.
TEST(CliOffline, TheEdsFileOfAFileIsTheOneItsStoreWrites) {
    testing::ScratchDir scratch;
    Gateway gateway(scratch, "gateway");
    const std::string online = scratch.File("online");
    std::filesystem::create_directory(online);
    ASSERT_EQ(
        gateway.Cli({"apply", TAVRIN_APPLY_EXAMPLE, "--out", online, "--stamp", kStamp}).status,
        cli::kExitOk);
    const std::string json = scratch.File("gateway.json");
    ASSERT_EQ(RunCommand({TAVRIN_CLI_WATCHED_EXE, "config", gateway.Device(), "--out", json,
                          "--answer-window", testing::kCliAnswerWindow})
                  .status,
              cli::kExitOk);
    gateway.Stop();
    const std::string expected =
        Without(testing::ReadWholeFile(online + "/RODAR_ 12.eds"), {"ModDate", "ModTime"});

    const std::string ini = scratch.File("job.ini");
    ASSERT_EQ(Offline({"apply", TAVRIN_APPLY_EXAMPLE, "--save", ini, "--stamp", kStamp}).status,
              cli::kExitOk);
    struct Case {
        const char* name;
        std::vector<std::string> args;
    };
    const std::vector<Case> cases{
        {"configuration file, --revision",
         {"--from", TAVRIN_APPLY_EXAMPLE, "--revision", "1.05", "--stamp", kStamp}},
        {"configuration file with its revision",
         {"--from", json, "--stamp", kStamp, "--description", "Line 3 pumps and valves", "--author",
          "Plant engineering"}},
        {"parameter file",
         {"--from", ini, "--revision", "1.05", "--description", "Line 3 pumps and valves",
          "--author", "Plant engineering"}},
    };
    for (const Case& c : cases) {
        const std::string out =
            scratch.File(std::string("offline-") + std::to_string(&c - &cases[0]));
        std::filesystem::create_directory(out);
        std::vector<std::string> args{"eds", "--out", out};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto eds = Offline(args);
        ASSERT_EQ(eds.status, cli::kExitOk) << c.name << "\n" << eds.err;
        EXPECT_EQ(eds.out, out + "/RODAR_ 12.eds\n") << c.name;
        EXPECT_EQ(Without(testing::ReadWholeFile(out + "/RODAR_ 12.eds"), {"ModDate", "ModTime"}),
                  expected)
            << c.name;
    }
}

// Files that are not configurations are refused with the existing checks' messages, naming the
// file; nothing is written.
TEST(CliOffline, BadFilesAreRefusedNamingThem) {
    testing::ScratchDir scratch;
    const std::string notJson = scratch.File("broken.json");
    testing::WriteWholeFile(notJson, "{ \"can\": ");
    const std::string shortIni = scratch.File("short.ini");
    testing::WriteWholeFile(shortIni, "[EEPB_0]\nAdd0=1\n");
    const std::string noRevision = scratch.File("norev.ini");
    testing::WriteWholeFile(noRevision, "");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;  // the start of stderr
    };
    const std::vector<Case> cases{
        {{"eds", "--from", notJson, "--revision", "1.05", "--out", scratch.Path()},
         cli::kExitInvalidInput,
         notJson + ": line 1, column 10: not valid JSON"},
        {{"eds", "--from", shortIni, "--revision", "1.05", "--out", scratch.Path()},
         cli::kExitInvalidInput,
         shortIni + ": [EEPB_0] Add1 is missing or empty\n"},
        {{"eds", "--from", TAVRIN_APPLY_EXAMPLE, "--out", scratch.Path()},
         cli::kExitUsage,
         std::string("tavrin-cli: ") + TAVRIN_APPLY_EXAMPLE + " holds no firmware revision"},
        {{"eds", "--from", TAVRIN_APPLY_EXAMPLE, "--revision", "1.5"},
         cli::kExitUsage,
         "tavrin-cli: --revision \"1.5\" is not a firmware revision"},
        {{"eds", "--from", TAVRIN_APPLY_EXAMPLE, "--port", "1"},
         cli::kExitUsage,
         "tavrin-cli: --from and --port exclude each other"},
        {{"config", shortIni}, cli::kExitInvalidInput, shortIni + ": [EEPB_0] Add1 is missing"},
        {{"apply", notJson, "--save", scratch.File("out.ini")},
         cli::kExitInvalidInput,
         notJson + ": line 1"},
    };
    for (const Case& c : cases) {
        const auto run = Offline(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[0] << " " << c.args[2] << "\n" << run.err;
        EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(scratch.File("RODAR_ 12.eds")));
    EXPECT_FALSE(std::filesystem::exists(scratch.File("out.ini")));
}

}  // namespace
}  // namespace tavrin
