// tavrin-cli backup, restore and eds as a script runs them: real processes against the simulator
// program on a pseudo-terminal, the EEPROM file it keeps, the exit statuses and the text on
// stderr, and the --log transcript against what the simulator received.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "../support/ConsoleRoom.h"
#include "../support/SimProcess.h"
#include "EepromFile.h"
#include "ExpectedDialogue.h"
#include "cli/ExitCodes.h"

namespace tavrin {
namespace {

using gatewaysim::Eeprom;
using testing::CommandResult;
using testing::ReadWholeFile;
using testing::WriteWholeFile;

constexpr int kBlock0FirstWord = 10;  // the configuration area starts at byte 40
constexpr std::uint32_t kTop = 16777216u;

// One gateway for a test: its EEPROM file in a scratch folder and the simulator serving it, bound
// to COM 1 for the command line.
class Gateway {
public:
    explicit Gateway(const Eeprom& eeprom, std::vector<std::string> simArgs = {}) {
        gatewaysim::SaveEeprom(m_eeprom, eeprom);
        Start(std::move(simArgs));
    }
    void Start(std::vector<std::string> simArgs = {}) { m_sim.emplace(m_eeprom, simArgs); }
    // Stops the simulator; the EEPROM file then holds everything stored.
    Eeprom Stop() {
        m_sim.reset();
        return gatewaysim::LoadEeprom(m_eeprom);
    }
    void Replace(const Eeprom& eeprom) {
        Stop();
        gatewaysim::SaveEeprom(m_eeprom, eeprom);
        Start();
    }
    CommandResult Cli(std::vector<std::string> args, const std::string& device = std::string(),
                      bool withPort = true) const {
        args.insert(args.begin(), TAVRIN_CLI_WATCHED_EXE);
        if (withPort) {
            args.insert(args.end(), {"--port", "1"});
        }
        const auto room = testing::CliRoom();
        args.insert(args.end(), room.begin(), room.end());
        return testing::RunCommand(args,
                                   {"TAVRIN_COM1=" + (device.empty() ? m_sim->Device() : device)});
    }
    std::string File(const std::string& name) const { return m_scratch.File(name); }

private:
    testing::ScratchDir m_scratch;
    std::string m_eeprom = m_scratch.File("eeprom.bin");
    std::optional<testing::SimProcess> m_sim;
};

// The words that differ, for a readable failure.
std::string Differences(const Eeprom& got, const Eeprom& expected) {
    std::ostringstream text;
    for (int b = 0; b < Eeprom::kBlocks; ++b) {
        for (int i = 0; i < Eeprom::kWordsPerBlock; ++i) {
            if (got.Word(b, i) != expected.Word(b, i)) {
                text << "block " << b << " word " << i << ": " << got.Word(b, i) << " not "
                     << expected.Word(b, i) << "\n";
            }
        }
    }
    return text.str();
}

// A parameter file for the gateway's words, with keys replaced or left out (nullopt).
using KeyOverrides = std::map<std::pair<std::string, int>, std::optional<std::string>>;
std::string ParameterFile(const Eeprom& eeprom, const KeyOverrides& overrides = {}) {
    std::string text;
    auto section = [&](const std::string& name, int keys, auto word) {
        text += "[" + name + "]\r\n";
        for (int k = 0; k < keys; ++k) {
            std::optional<std::string> value = std::to_string(word(k));
            if (const auto o = overrides.find({name, k}); o != overrides.end()) {
                value = o->second;
            }
            if (value) {
                text += "Add" + std::to_string(k) + "=" + *value + "\r\n";
            }
        }
    };
    section("EEPB_0", 30, [&](int k) { return k < 29 ? eeprom.Word(0, kBlock0FirstWord + k) : 0; });
    section("EEPB_1", 7, [&](int k) { return eeprom.Word(1, k); });
    return text;
}

std::string ReadLines(const std::string& port = "COM 1") {
    return "tavrin-cli: reading " + port + " ...\ntavrin-cli: reading " + port + ": done\n";
}

// ---- backup and restore ----

struct RoundTripCase {
    const char* name;
    // What happens to the gateway between the backup and the restore.
    std::function<void(Gateway&, Eeprom&)> change;
};

class CliRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(CliRoundTrip, RestoringTheBackupLeavesTheEepromAsItWas) {
    Gateway gateway(gatewaysim::DefaultEeprom());
    const std::string backup = gateway.File("5310G_EEP.ini");
    const CommandResult saved = gateway.Cli({"backup", backup});
    ASSERT_EQ(saved.status, cli::kExitOk) << saved.err;
    EXPECT_EQ(saved.err, ReadLines() + "tavrin-cli: saved " + backup + "\n");
    EXPECT_EQ(saved.out, "");
    const Eeprom original = gateway.Stop();
    gateway.Start();

    Eeprom changed = original;
    GetParam().change(gateway, changed);
    const CommandResult restored = gateway.Cli({"restore", backup});
    ASSERT_EQ(restored.status, cli::kExitOk) << restored.err;
    EXPECT_EQ(Differences(gateway.Stop(), original), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliRoundTrip,
    ::testing::Values(
        RoundTripCase{"Unchanged", [](Gateway&, Eeprom&) {}},
        RoundTripCase{"NodeAndConnectionWordChanged",
                      [](Gateway& g, Eeprom& e) {
                          e.SetWord(0, kBlock0FirstWord + 2, 17u * 65536u + 256u);
                          e.SetWord(1, 4, 4294967295u);  // typed as -1
                          g.Replace(e);
                      }},
        // The read then warns and shows defaults; the file's words are written all the same.
        RoundTripCase{"ConfigurationAreaWiped",
                      [](Gateway& g, Eeprom& e) {
                          for (int k = 0; k < 29; ++k) {
                              e.SetWord(0, kBlock0FirstWord + k, 0);
                          }
                          for (int k = 0; k < 7; ++k) {
                              e.SetWord(1, k, 0);
                          }
                          g.Replace(e);
                      }},
        // Another gateway's configuration written by the command line itself.
        RoundTripCase{"AnotherFileRestored",
                      [](Gateway& g, Eeprom& e) {
                          for (int k = 0; k < 29; ++k) {
                              e.SetWord(0, kBlock0FirstWord + k, 1000u + k);
                          }
                          const std::string other = g.File("other.ini");
                          WriteWholeFile(other, ParameterFile(e));
                          ASSERT_EQ(g.Cli({"restore", other}).status, cli::kExitOk);
                      }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliBackup, WritesTheWindowsKeysAndKeepsOtherLines) {
    Eeprom eeprom = gatewaysim::DefaultEeprom();
    eeprom.SetWord(1, 6, 4294967295u);
    Gateway gateway(eeprom);
    const std::string path = gateway.File("kept.ini");
    WriteWholeFile(path, "; line 3\r\n[EEPB_1]\r\nAdd6=1\r\nNote=keep\r\n");
    ASSERT_EQ(gateway.Cli({"backup", path}).status, cli::kExitOk);
    // Keys new to a section go to its end, sections new to the file to the file's end.
    const std::string saved = ParameterFile(eeprom);
    const std::string block0 = saved.substr(0, saved.find("[EEPB_1]"));
    const std::string block1 = saved.substr(saved.find("[EEPB_1]\r\n") + 10);
    const std::string expected = "; line 3\r\n[EEPB_1]\r\nAdd6=4294967295\r\nNote=keep\r\n" +
                                 block1.substr(0, block1.find("Add6=")) + block0;
    EXPECT_EQ(ReadWholeFile(path), expected);
}

TEST(CliBackup, AFileThatCannotBeWrittenSaysSo) {
    Gateway gateway(gatewaysim::DefaultEeprom());
    const std::string path = gateway.File("no-such-folder/5310G_EEP.ini");
    const CommandResult result = gateway.Cli({"backup", path});
    EXPECT_EQ(result.status, cli::kExitInvalidInput);
    // Found before the gateway is read: no read lines.
    EXPECT_EQ(result.err,
              "Can't write the parameter file!\n" + path + ": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(path));
}

// An ordinary user and a folder that is not theirs to write: backup says so before it reads the
// gateway, and apply before it types anything, each naming the file and the system's reason;
// the gateway receives not one line from backup and keeps its configuration. Run as root, the
// commands drop to nobody.
TEST(CliUnwritableFolder, BackupAndApplyRefuseBeforeTheGatewayIsTouched) {
    const bool root = ::geteuid() == 0;
    if (root && !std::filesystem::exists("/usr/bin/setpriv")) {
        GTEST_SKIP() << "needs setpriv to run as an ordinary user";
    }
    const Eeprom original = gatewaysim::DefaultEeprom();
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, original);
    testing::SimProcess sim(eepromPath);
    const std::string locked = scratch.File("locked");
    std::filesystem::create_directory(locked);
    namespace fs = std::filesystem;
    fs::permissions(scratch.Path(),
                    fs::perms::all ^ fs::perms::group_write ^ fs::perms::others_write);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    fs::permissions(sim.Device(), fs::perms::all ^ fs::perms::owner_exec ^ fs::perms::group_exec ^
                                      fs::perms::others_exec);
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), TAVRIN_CLI_WATCHED_EXE);
        if (root) {
            args.insert(args.begin(),
                        {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
        }
        args.insert(args.end(), {"--port", sim.Device()});
        const auto room = testing::CliRoom();
        args.insert(args.end(), room.begin(), room.end());
        return testing::RunCommand(args);
    };

    const std::string ini = locked + "/5310G_EEP.ini";
    const CommandResult backup = run({"backup", ini});
    EXPECT_EQ(backup.status, cli::kExitInvalidInput) << backup.err;
    EXPECT_EQ(backup.err, "Can't write the parameter file!\n" + ini + ": Permission denied\n");
    EXPECT_EQ(ReadWholeFile(sim.TranscriptPath()).find("use eeprom"), std::string::npos);

    const CommandResult apply = run({"apply", TAVRIN_APPLY_EXAMPLE, "--out", locked, "--json"});
    EXPECT_EQ(apply.status, cli::kExitInvalidInput) << apply.err;
    const std::string refusal = "Can't write " + locked +
                                "/RODAR_ 12.eds: Permission denied\n"
                                "Nothing was written to the gateway. Choose a folder you may "
                                "write for the EDS file, then press Finish again.";
    EXPECT_NE(apply.err.find(refusal), std::string::npos) << apply.err;
    EXPECT_NE(apply.out.find("\"written\": false"), std::string::npos) << apply.out;
    EXPECT_NE(apply.out.find("Permission denied"), std::string::npos) << apply.out;
    EXPECT_TRUE(fs::is_empty(locked));
    sim.Stop();
    EXPECT_EQ(Differences(gatewaysim::LoadEeprom(eepromPath), original), "");
}

struct BadFileCase {
    const char* name;
    KeyOverrides overrides;
    const char* why;
};

class CliRestoreRefuses : public ::testing::TestWithParam<BadFileCase> {};

// A file that is refused never reaches the port: the simulator receives not one line.
TEST_P(CliRestoreRefuses, NamesTheKeyAndWritesNothing) {
    const BadFileCase& c = GetParam();
    testing::ScratchDir scratch;
    const std::string simLog = scratch.File("sim.log");
    const Eeprom original = gatewaysim::DefaultEeprom();
    Gateway gateway(original, {"--transcript", simLog});
    const std::string path = gateway.File("bad.ini");
    WriteWholeFile(path, ParameterFile(original, c.overrides));

    const CommandResult result = gateway.Cli({"restore", path});
    EXPECT_EQ(result.status, cli::kExitInvalidInput);
    EXPECT_EQ(result.err, "tavrin-cli: " + path + ": " + c.why + "; nothing was written\n");
    EXPECT_EQ(Differences(gateway.Stop(), original), "");
    EXPECT_EQ(ReadWholeFile(simLog).find(" < "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliRestoreRefuses,
    ::testing::Values(
        BadFileCase{
            "Key29Missing", {{{"EEPB_0", 29}, std::nullopt}}, "[EEPB_0] Add29 is missing or empty"},
        BadFileCase{"LastConnectionKeyMissing",
                    {{{"EEPB_1", 6}, std::nullopt}},
                    "[EEPB_1] Add6 is missing or empty"},
        BadFileCase{"EmptyValue", {{{"EEPB_1", 2}, ""}}, "[EEPB_1] Add2 is missing or empty"},
        BadFileCase{"NotANumber",
                    {{{"EEPB_0", 3}, "12x"}},
                    "[EEPB_0] Add3 = \"12x\" is not a number 0..4294967295"},
        BadFileCase{"Negative",
                    {{{"EEPB_1", 1}, "-1"}},
                    "[EEPB_1] Add1 = \"-1\" is not a number 0..4294967295"},
        BadFileCase{"TooLarge",
                    {{{"EEPB_0", 0}, "4294967296"}},
                    "[EEPB_0] Add0 = \"4294967296\" is not a number 0..4294967295"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliRestore, AMissingOrUnreadableFileWritesNothing) {
    const Eeprom original = gatewaysim::DefaultEeprom();
    Gateway gateway(original);
    for (const std::string& path : {gateway.File("none.ini"), gateway.File("")}) {
        const CommandResult result = gateway.Cli({"restore", path});
        EXPECT_EQ(result.status, cli::kExitInvalidInput) << path;
        EXPECT_EQ(result.err,
                  "tavrin-cli: " + path + ": cannot read the file; nothing was written\n");
    }
    EXPECT_EQ(Differences(gateway.Stop(), original), "");
}

// A write that stops answering part way: the words typed before are stored, and the exit status
// tells the script to run the restore again.
TEST(CliRestore, ATimeoutWhileWritingIsReported) {
    Eeprom other = gatewaysim::DefaultEeprom();
    for (int k = 0; k < 29; ++k) {
        other.SetWord(0, kBlock0FirstWord + k, 1000u + k);
    }
    // The read types 53 lines; the write's first value is its eighth line.
    Gateway gateway(gatewaysim::DefaultEeprom(), {"--silent-from", std::to_string(53 + 8 + 3)});
    const std::string path = gateway.File("other.ini");
    WriteWholeFile(path, ParameterFile(other));
    const CommandResult result = gateway.Cli({"restore", path});
    EXPECT_EQ(result.status, cli::kExitTimeout);
    EXPECT_EQ(result.err, ReadLines() + "tavrin-cli: writing " + path +
                              " into COM 1 ...\nTimeout\n" + "tavrin-cli: writing " + path +
                              " into COM 1: failed\n");
    const Eeprom stored = gateway.Stop();
    EXPECT_EQ(stored.Word(0, kBlock0FirstWord + 2), 1002u);
    EXPECT_EQ(stored.Word(0, kBlock0FirstWord + 3), gatewaysim::DefaultEeprom().Word(0, 13));
}

// ---- every verb against the ways a port or console fails ----

struct FaultCase {
    const char* name;
    std::vector<std::string> simArgs;
    bool noDevice;  // COM 1 names a device that does not exist
    int status;
    const char* message;  // a regular expression: the port lines name a pid or the ports there
};

class CliVerbFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CliVerbFaults, EveryVerbReportsTheMessageAndExitStatus) {
    const FaultCase& c = GetParam();
    const Eeprom original = gatewaysim::DefaultEeprom();
    Gateway gateway(original, c.simArgs);
    const std::string file = gateway.File("5310G_EEP.ini");
    const std::string edsFolder = gateway.File("eds");
    std::filesystem::create_directory(edsFolder);
    const std::vector<std::vector<std::string>> verbs{
        {"backup", gateway.File("new.ini")}, {"restore", file}, {"eds", "--out", edsFolder}};
    WriteWholeFile(file, ParameterFile(original));
    for (const auto& verb : verbs) {
        const CommandResult result =
            gateway.Cli(verb, c.noDevice ? "/nonexistent/tty" : std::string());
        EXPECT_EQ(result.status, c.status) << verb[0] << ": " << result.err;
        EXPECT_TRUE(std::regex_match(
            result.err,
            std::regex("tavrin-cli: reading COM 1 \\.\\.\\.\n" + std::string(c.message) +
                       "\ntavrin-cli: reading COM 1: failed\n")))
            << verb[0] << ": " << result.err;
        EXPECT_EQ(result.out, "") << verb[0];
    }
    EXPECT_FALSE(std::filesystem::exists(gateway.File("new.ini")));
    EXPECT_TRUE(std::filesystem::is_empty(edsFolder));
    EXPECT_EQ(Differences(gateway.Stop(), original), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliVerbFaults,
    ::testing::Values(
        FaultCase{
            "Held",
            {"--hold"},
            false,
            cli::kExitPort,
            "COM 1 has been occupied\nThe port is held by tavrin-gatewaysim \\(pid [0-9]+\\)\\."},
        FaultCase{"CannotOpen",
                  {},
                  true,
                  cli::kExitPort,
                  "Can't open COM 1!\nThere is no /nonexistent/tty[^\n]*"},
        FaultCase{"Silent", {"--silent-from", "1"}, false, cli::kExitTimeout, "Timeout"},
        FaultCase{"Foreign",
                  {"--module", "7188XB"},
                  false,
                  cli::kExitForeignModule,
                  "This modules is not 6420RT!"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the --log transcript ----

// The lines a transcript says were typed: the CLI's "sent" entries, the simulator's "<" entries.
std::vector<std::string> LinesOf(const std::string& transcript, const std::string& marker,
                                 bool quoted) {
    std::vector<std::string> lines;
    std::istringstream in(transcript);
    std::string line;
    while (std::getline(in, line)) {
        const auto at = line.find(marker);
        if (at == std::string::npos) {
            continue;
        }
        std::string text = line.substr(at + marker.size());
        if (quoted) {
            text = text.substr(0, text.size() - 1);  // the closing quote
        }
        lines.push_back(text);
    }
    return lines;
}

TEST(CliLog, HoldsEveryLineTheGatewayReceivedTimeStamped) {
    testing::ScratchDir scratch;
    const std::string simLog = scratch.File("sim.log");
    const std::string log = scratch.File("session.log");
    const Eeprom original = gatewaysim::DefaultEeprom();
    Gateway gateway(original, {"--transcript", simLog});
    const std::string file = gateway.File("5310G_EEP.ini");
    WriteWholeFile(file, ParameterFile(original));
    ASSERT_EQ(gateway.Cli({"backup", gateway.File("b.ini"), "--log", log}).status, 0);
    ASSERT_EQ(gateway.Cli({"restore", file, "--log", log}).status, 0);
    ASSERT_EQ(gateway.Cli({"eds", "--out", scratch.Path(), "--log", log}).status, 0);
    gateway.Stop();

    const std::string transcript = ReadWholeFile(log);
    const auto sent = LinesOf(transcript, " sent \"", true);
    EXPECT_EQ(sent, LinesOf(ReadWholeFile(simLog), " < ", false));
    // Three reads of 53 lines and one write of 48, which is read back (53 more).
    EXPECT_EQ(sent.size(), 4u * 53u + 48u);
    EXPECT_NE(transcript.find("sent \"28573804\""), std::string::npos);  // a word typed back
    std::istringstream in(transcript);
    std::string line;
    while (std::getline(in, line)) {
        // "2026-12-08 03:45:13 +0.004 sent ..." or "... recv ..."
        ASSERT_GE(line.size(), 27u) << line;
        EXPECT_EQ(line[4], '-') << line;
        EXPECT_EQ(line[13], ':') << line;
        EXPECT_TRUE(line.find(" sent \"") == 26 || line.find(" recv \"") == 26 ||
                    line.find(" sent \"") == 27 || line.find(" recv \"") == 27)
            << line;
    }
}

// ---- eds ----

struct EdsCase {
    const char* name;
    std::function<void(Eeprom&)> stored;
    std::string err;                   // all of stderr
    std::vector<std::string> inputs;   // Default Input of Poll, Strobe, COS, Cyclic
    std::vector<std::string> outputs;  // Default Output of Poll and Strobe
    const char* fileName = "RODAR_ 5.eds";
};

class CliEds : public ::testing::TestWithParam<EdsCase> {};

std::vector<std::string> After(const std::string& text, const std::string& marker) {
    std::vector<std::string> found;
    for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1)) {
        const auto start = at + marker.size();
        found.push_back(text.substr(start, text.find("\r\n", start) - start));
    }
    return found;
}

// The simulator's gateway: outputs DO App.01 (10 bits), AO App.02, DO App.03; input AI App.04 (1
// register). Output list: None, Assembly 01, Assembly 02, DO App.01, DO App.03, AO App.02; input
// list: None, Assembly 03, AI App.04.
TEST_P(CliEds, WritesTheFileOfTheStoredChoicesWithoutWritingTheGateway) {
    const EdsCase& c = GetParam();
    Eeprom eeprom = gatewaysim::DefaultEeprom();
    c.stored(eeprom);
    Gateway gateway(eeprom);
    const std::string folder = gateway.File("eds");
    std::filesystem::create_directory(folder);
    const CommandResult result = gateway.Cli(
        {"eds", "--out", folder, "--description", "Line 3 packer", "--author", "J. Okafor"});
    ASSERT_EQ(result.status, cli::kExitOk) << result.err;
    EXPECT_EQ(result.err, c.err);
    const std::string path = folder + "/" + c.fileName;
    EXPECT_EQ(result.out, path + "\n");

    const std::string eds = ReadWholeFile(path);
    EXPECT_EQ(After(eds, "$ Default Input = Input"), c.inputs);
    EXPECT_EQ(After(eds, "$ Default Ouput = Output"), c.outputs);
    EXPECT_NE(eds.find("$ File Description Section : Line 3 packer\r\n"), std::string::npos);
    EXPECT_NE(eds.find("$ Created by : J. Okafor\r\n"), std::string::npos);
    EXPECT_EQ(Differences(gateway.Stop(), eeprom), "");
}

void StoreChoices(Eeprom& e, std::uint32_t poll, std::uint32_t strobe, std::uint32_t cos,
                  std::uint32_t pollOutput) {
    e.SetWord(1, 1, poll * kTop);
    e.SetWord(1, 2, strobe * kTop);
    e.SetWord(1, 3, cos * kTop);
    e.SetWord(1, 4, pollOutput * kTop);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliEds,
    ::testing::Values(
        EdsCase{"Restored",
                [](Eeprom& e) { StoreChoices(e, 1, 2, 2, 5); },
                ReadLines(),
                {" 1", " 2", " 2", " 2"},
                {" 5", " 0"}},
        EdsCase{"PositionBeyondTheList",
                [](Eeprom& e) { StoreChoices(e, 3, 1, 1, 1); },
                ReadLines() + "EEPROM ERROR,We show the default value.\n",
                {" 0", " 0", " 0", " 0"},
                {" 0", " 0"}},
        // The AI object made 5 registers long: assembly 03 and the object carry 10 bytes.
        EdsCase{"StrobeTooLong",
                [](Eeprom& e) {
                    e.SetWord(0, kBlock0FirstWord + 14, 10u * 65536u + 5u);
                    e.SetWord(0, kBlock0FirstWord + 28, 10u);
                    StoreChoices(e, 2, 1, 1, 1);
                },
                ReadLines() + "Error! The selected data length > 8 bytes\n",
                {" 2", " 0", " 1", " 1"},
                {" 1", " 0"}},
        // A timeout of 40000 ms fails validation: defaults (node 1), no objects, every choice
        // None; with no objects the file has no [IO_Info]. The warning belongs to the read.
        EdsCase{"ConfigurationDefaulted",
                [](Eeprom& e) {
                    e.SetWord(0, kBlock0FirstWord + 6, 40000u * 65536u + 174u * 256u);
                    StoreChoices(e, 1, 1, 1, 1);
                },
                "tavrin-cli: reading COM 1 ...\n"
                "The configuration stored in EEPROM is wrong!\n"
                "tavrin-cli: reading COM 1: done\n"
                "This is a new Setting for XQV gateway\n",
                {},
                {},
                "RODAR_ 1.eds"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliEdsStamp, CreateDateIsTheStoredTimeStamp) {
    Eeprom eeprom = gatewaysim::DefaultEeprom();
    eeprom.SetWord(0, kBlock0FirstWord + 3, 2031u * 65536u + 11u * 256u + 7u);
    eeprom.SetWord(
        0, kBlock0FirstWord + 4,
        (eeprom.Word(0, kBlock0FirstWord + 4) & 0xFFu) + 23u * kTop + 4u * 65536u + 59u * 256u);
    Gateway gateway(eeprom);
    const std::string folder = gateway.File("");
    ASSERT_EQ(gateway.Cli({"eds", "--out", folder}).status, cli::kExitOk);
    const std::string eds = ReadWholeFile(folder + "/RODAR_ 5.eds");
    EXPECT_NE(eds.find("CreateDate = 11-07-2031;"), std::string::npos);
    EXPECT_NE(eds.find("CreateTime = 23:04:59;"), std::string::npos);
}

TEST(CliEdsRefuses, ACanOpenGatewayOrAFolderThatIsNotOne) {
    Eeprom canOpen = gatewaysim::DefaultEeprom();
    canOpen.SetWord(0, kBlock0FirstWord + 2, 5u * 65536u);  // node 5, CANopen
    Gateway gateway(canOpen);
    const std::string folder = gateway.File("eds");
    std::filesystem::create_directory(folder);
    const CommandResult layer = gateway.Cli({"eds", "--out", folder});
    EXPECT_EQ(layer.status, cli::kExitFailure);
    EXPECT_EQ(layer.err, ReadLines() +
                             "tavrin-cli: the gateway is set to CANopen; an EDS file describes "
                             "a DeviceNet gateway\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder));

    const std::string notAFolder = gateway.File("file.txt");
    WriteWholeFile(notAFolder, "x");
    const CommandResult out = gateway.Cli({"eds", "--out", notAFolder});
    EXPECT_EQ(out.status, cli::kExitInvalidInput);
    EXPECT_EQ(out.err, "tavrin-cli: --out " + notAFolder + " is not a folder\n");
}

// ---- the command line itself ----

TEST(CliVerbUsage, RejectsBadCommandLinesAndHelpsEveryVerb) {
    const std::vector<std::vector<std::string>> bad{
        {"backup", "--port", "1"},
        {"restore", "a.ini", "b.ini", "--port", "1"},
        {"eds", "extra", "--port", "1"},
        {"backup", "a.ini"},
        {"backup", "a.ini", "--port", "1", "--json"},
        {"read", "--port", "1", "--out", "."},
        {"restore", "a.ini", "--port", "1", "--author", "x"},
        {"eds", "--port", "1", "--out"},
        {"backup", "a.ini", "--port", "17"},
    };
    for (auto args : bad) {
        args.insert(args.begin(), TAVRIN_CLI_WATCHED_EXE);
        const CommandResult result = testing::RunCommand(args);
        EXPECT_EQ(result.status, cli::kExitUsage) << args[1] << " " << args.back();
        EXPECT_NE(result.err.find("tavrin-cli: "), std::string::npos) << result.err;
    }
    for (const std::string verb : {"backup", "restore", "eds"}) {
        const CommandResult help = testing::RunCommand({TAVRIN_CLI_WATCHED_EXE, verb, "--help"});
        EXPECT_EQ(help.status, cli::kExitOk);
        EXPECT_EQ(help.out.rfind("Usage: tavrin-cli " + verb, 0), 0u) << help.out;
        EXPECT_NE(help.out.find("Exit status: 0"), std::string::npos) << verb;
    }
    const CommandResult usage = testing::RunCommand({TAVRIN_CLI_WATCHED_EXE, "--help"});
    for (const char* verb : {"\n  read ", "\n  backup ", "\n  restore ", "\n  eds "}) {
        EXPECT_NE(usage.out.find(verb), std::string::npos) << verb;
    }
}

// ---- proven writes: the read-back, diff and --dry-run ----

// What the simulator received in a case: the first read, then what follows it.
enum class Dialogue {
    ReadWriteRead,  // connect, the write, the read-back
    ReadWrite,      // connect and the write alone
    ReadOnly,       // connect only: nothing typed into a word
};

struct ProofCase {
    const char* name;
    std::vector<std::string> simArgs;
    // The command, given the parameter file (its node id changed from 5 to 12 when `changed`).
    std::vector<std::string> args;
    bool changed;
    bool withPort;
    int status;
    std::vector<std::string> errHas;
    std::vector<std::string> outHas;
    Dialogue dialogue;
};

class CliProof : public ::testing::TestWithParam<ProofCase> {};

TEST_P(CliProof, ExitStatusTextAndDialogue) {
    const ProofCase& c = GetParam();
    testing::ScratchDir scratch;
    const std::string simLog = scratch.File("sim.log");
    const Eeprom original = gatewaysim::DefaultEeprom();
    std::vector<std::string> simArgs{"--transcript", simLog};
    simArgs.insert(simArgs.end(), c.simArgs.begin(), c.simArgs.end());
    Gateway gateway(original, simArgs);
    const std::string file = gateway.File("gw.ini");
    const std::uint32_t nodeWord = original.Word(0, kBlock0FirstWord + 2);
    const std::uint32_t changedNode = (nodeWord & 0xFFFFu) + 12u * 65536u;
    ASSERT_EQ(nodeWord >> 16, 5u);
    WriteWholeFile(
        file, ParameterFile(original,
                            c.changed ? KeyOverrides{{{"EEPB_0", 2}, std::to_string(changedNode)}}
                                      : KeyOverrides{}));
    std::vector<std::string> args;
    for (const std::string& a : c.args) {
        args.push_back(a == "FILE" ? file : a);
    }
    const CommandResult result = gateway.Cli(args, std::string(), c.withPort);
    EXPECT_EQ(result.status, c.status) << result.err;
    for (const std::string& text : c.errHas) {
        EXPECT_NE(result.err.find(text), std::string::npos) << text << "\n" << result.err;
    }
    for (const std::string& text : c.outHas) {
        EXPECT_NE(result.out.find(text), std::string::npos) << text << "\n" << result.out;
    }
    const Eeprom stored = gateway.Stop();

    // The write's lines stand between the connect and the read-back exactly as without one.
    const auto lines = LinesOf(ReadWholeFile(simLog), " < ", false);
    const auto read = testing::ExpectedReadLines(original);
    ASSERT_GE(lines.size(), read.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + read.size()), read);
    const std::size_t written = c.dialogue == Dialogue::ReadOnly ? 0u : 48u;
    const std::size_t readBack = c.dialogue == Dialogue::ReadWriteRead ? read.size() : 0u;
    ASSERT_EQ(lines.size(), read.size() + written + readBack);
    if (written) {
        EXPECT_EQ(lines[read.size()], "/q");
        EXPECT_EQ(lines[read.size() + written - 1], "exit");
    }
    if (readBack) {
        EXPECT_EQ(std::vector<std::string>(lines.end() - readBack, lines.end()),
                  testing::ExpectedReadLines(stored));
    }
    if (c.dialogue == Dialogue::ReadOnly) {
        EXPECT_EQ(Differences(stored, original), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliProof,
    ::testing::Values(
        ProofCase{"RestoreIsVerified",
                  {},
                  {"restore", "FILE", "--json"},
                  true,
                  true,
                  cli::kExitOk,
                  {"tavrin-cli: reading COM 1 back: done\ntavrin-cli: Verified\n"},
                  {"\"verified\": true"},
                  Dialogue::ReadWriteRead},
        ProofCase{"NoVerifyWritesAlone",
                  {},
                  {"restore", "FILE", "--no-verify"},
                  true,
                  true,
                  cli::kExitOk,
                  {},
                  {},
                  Dialogue::ReadWrite},
        ProofCase{"StuckWordExits7NamingIt",
                  {"--stuck", "0:48"},
                  {"restore", "FILE", "--json"},
                  true,
                  true,
                  cli::kExitNotVerified,
                  {"The gateway does not hold what was written:\nblock 0 byte 48 (NodeId): "
                   "written " +
                   std::to_string(12u * 65536u + 256u)},
                  {"\"verified\": false", "\"field\": \"NodeId\""},
                  Dialogue::ReadWriteRead},
        ProofCase{"DiffOfItsBackupIsEqual",
                  {},
                  {"diff", "1", "FILE"},
                  false,
                  false,
                  cli::kExitOk,
                  {},
                  {"no differences"},
                  Dialogue::ReadOnly},
        ProofCase{"DiffNamesTheChangedField",
                  {},
                  {"diff", "1", "FILE", "--json"},
                  true,
                  false,
                  cli::kExitDiffer,
                  {},
                  {"\"field\": \"NodeId\",\n      \"a\": \"5\",\n      \"b\": \"12\""},
                  Dialogue::ReadOnly},
        ProofCase{"DryRunSendsNoWord",
                  {},
                  {"restore", "FILE", "--dry-run"},
                  true,
                  true,
                  cli::kExitDiffer,
                  {},
                  {"NodeId: 5 | 12\n"},
                  Dialogue::ReadOnly}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavrin
