// tavrin-cli fleet as a script runs it: real simulators on pseudo-terminals, one job per port at
// the same time. A port that fails fails its job alone; a manifest with a fault reaches no
// gateway at all.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <memory>

#include "../support/SimProcess.h"
#include "EepromFile.h"
#include "cli/ExitCodes.h"

namespace tavrin {
namespace {

using gatewaysim::Eeprom;
using testing::CommandResult;
using testing::ReadWholeFile;
using testing::WriteWholeFile;

constexpr int kBlock0FirstWord = 10;  // the configuration area starts at byte 40
constexpr int kGateways = 3;

// This test is not about the console's answer window: where the verbs take --answer-window, each
// job gets plenty of room, so a busy machine cannot turn an answer into a timeout. (An option
// the command line does not know is refused even beside --help.)
std::string RoomyWindow() {
    static const std::string options = [] {
        const CommandResult help = testing::RunCommand(
            {TAVRIN_CLI_WATCHED_EXE, "restore", "--answer-window", "10000", "--help"});
        return help.status != 0 ? std::string()
                                : std::string(R"(, "options": ["--answer-window", "10000"])");
    }();
    return options;
}

std::string Job(const std::string& port, const std::string& verb, const std::string& file) {
    return R"({"port": ")" + port + R"(", "verb": ")" + verb + R"(", "file": ")" + file + "\"" +
           RoomyWindow() + "}";
}

// The configuration words a restore types: block 0's area and block 1's connection words.
std::vector<std::uint32_t> ConfigurationWords(const Eeprom& eeprom) {
    std::vector<std::uint32_t> words;
    for (int k = 0; k < 29; ++k) {
        words.push_back(eeprom.Word(0, kBlock0FirstWord + k));
    }
    for (int k = 0; k < 7; ++k) {
        words.push_back(eeprom.Word(1, k));
    }
    return words;
}

struct Fleet {
    testing::ScratchDir scratch;
    std::vector<std::unique_ptr<testing::SimProcess>> sims;

    explicit Fleet(const std::vector<Eeprom>& eeproms) {
        for (std::size_t i = 0; i < eeproms.size(); ++i) {
            gatewaysim::SaveEeprom(Eeprom(i), eeproms[i]);
            sims.push_back(std::make_unique<testing::SimProcess>(
                Eeprom(i), std::vector<std::string>{"--transcript", Transcript(i)}));
        }
    }
    std::string Eeprom(std::size_t i) const {
        return scratch.File("eeprom" + std::to_string(i) + ".bin");
    }
    std::string Transcript(std::size_t i) const {
        return scratch.File("sim" + std::to_string(i) + ".log");
    }
    CommandResult Cli(const std::vector<std::string>& args) const {
        std::vector<std::string> argv{TAVRIN_CLI_WATCHED_EXE};
        argv.insert(argv.end(), args.begin(), args.end());
        return testing::RunCommand(argv);
    }
    std::string Manifest(const std::vector<std::string>& jobs) const {
        std::string text = R"({"jobs": [)";
        for (const std::string& job : jobs) {
            text += (text.back() == '[' ? "" : ", ") + job;
        }
        const std::string path = scratch.File("fleet.json");
        WriteWholeFile(path, text + "]}\n");
        return path;
    }
};

TEST(CliFleet, ABadPortFailsItsJobAloneAndTheOthersAreWritten) {
    Eeprom source = gatewaysim::DefaultEeprom();
    source.SetWord(0, kBlock0FirstWord + 2, 17u * 65536u + 256u);
    source.SetWord(1, 4, 4294967295u);
    Fleet fleet({source, gatewaysim::DefaultEeprom(), gatewaysim::DefaultEeprom()});
    const std::string file = fleet.scratch.File("line.ini");
    ASSERT_EQ(fleet.Cli({"backup", file, "--port", fleet.sims[0]->Device()}).status, 0);
    fleet.sims[0]->Stop();
    const std::string badPort = fleet.scratch.File("no-such-port");
    std::vector<std::string> jobs;
    for (int i = 1; i < kGateways; ++i) {
        jobs.push_back(Job(fleet.sims[i]->Device(), "restore", file));
    }
    jobs.insert(jobs.begin() + 1, Job(badPort, "restore", file));
    const std::string logs = fleet.scratch.File("logs");
    std::filesystem::create_directory(logs);

    const CommandResult result =
        fleet.Cli({"fleet", fleet.Manifest(jobs), "--json", "--log-dir", logs});
    EXPECT_EQ(result.status, cli::kExitPort) << result.err;
    const QJsonArray rows = QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).array();
    ASSERT_EQ(rows.size(), 3) << result.out;
    const int expected[] = {cli::kExitOk, cli::kExitPort, cli::kExitOk};
    for (int i = 0; i < 3; ++i) {
        const QJsonObject row = rows[i].toObject();
        EXPECT_EQ(row["job"].toInt(), i);
        EXPECT_EQ(row["status"].toInt(), expected[i]) << result.err;
        EXPECT_TRUE(std::filesystem::exists(row["log"].toString().toStdString())) << i;
    }
    EXPECT_EQ(rows[1].toObject()["device"].toString().toStdString(), badPort);
    for (int i = 1; i < kGateways; ++i) {
        const std::string device = fleet.sims[i]->Device();
        EXPECT_NE(result.err.find(device + ": tavrin-cli: writing " + file + " into " + device +
                                  ": done\n"),
                  std::string::npos)
            << result.err;
        fleet.sims[i]->Stop();
        EXPECT_EQ(ConfigurationWords(gatewaysim::LoadEeprom(fleet.Eeprom(i))),
                  ConfigurationWords(source))
            << device;
    }
}

// The second job's port is the first one's, named as it is or through a link to it: refused
// before the first job starts.
TEST(CliFleet, AManifestWithAFaultReachesNoGateway) {
    Fleet fleet({gatewaysim::DefaultEeprom()});
    const std::string device = fleet.sims[0]->Device();
    const std::string link = fleet.scratch.File("gateway-link");
    std::filesystem::create_symlink(device, link);
    for (const std::string& second : {device, link}) {
        const CommandResult result = fleet.Cli(
            {"fleet", fleet.Manifest({R"({"port": ")" + device + R"(", "verb": "read"})",
                                      R"({"port": ")" + second + R"(", "verb": "eds"})"})});
        EXPECT_EQ(result.status, cli::kExitInvalidInput) << second;
        EXPECT_NE(result.err.find("jobs[1].port: " + second + " is also the port of jobs[0]"),
                  std::string::npos)
            << result.err;
        EXPECT_EQ(result.out, "");
    }
    fleet.sims[0]->Stop();
    EXPECT_EQ(ReadWholeFile(fleet.Transcript(0)), "");
}

}  // namespace
}  // namespace tavrin
