// tavrin-cli apply as a user runs it, against the gateway simulator: a valid file ends up in the
// EEPROM and in an EDS file; an invalid one is refused as a whole with the gateway untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/ConsoleRoom.h"
#include "../support/ExpectedDialogue.h"
#include "../support/SimProcess.h"
#include "EepromFile.h"
#include "cli/ExitCodes.h"

namespace tavrin {
namespace {

using testing::RunCommand;

// Block 0 configuration word k is EEPROM word 10 + k (byte 40 + 4k); block 1 word k is word k.
constexpr int kConfigFirstWord = 10;
constexpr int kConfigWords = 29;
constexpr int kConnectionWords = 7;

// What stderr holds besides the progress lines ("tavrin-cli: reading COM 1 ...", "...: done") and
// the read-back's "tavrin-cli: Verified": the system's messages.
std::string Messages(const std::string& err) {
    std::string kept;
    std::size_t start = 0;
    while (start < err.size()) {
        const std::size_t end = err.find('\n', start);
        const std::string line =
            err.substr(start, end == std::string::npos ? end : end - start + 1);
        if (line.rfind("tavrin-cli: reading ", 0) != 0 &&
            line.rfind("tavrin-cli: writing ", 0) != 0 && line != "tavrin-cli: Verified\n") {
            kept += line;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return kept;
}

std::uint32_t ConfigWord(const gatewaysim::Eeprom& e, int k) {
    return e.Word(0, kConfigFirstWord + k);
}

struct Applied {
    testing::CommandResult result;
    gatewaysim::Eeprom eeprom;
};

// Applies `file` to a simulator started on `start`; the EEPROM as the simulator left it.
Applied ApplyTo(const gatewaysim::Eeprom& start, const std::string& file, const std::string& outDir,
                const std::vector<std::string>& extraArgs = {}) {
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, start);
    testing::SimProcess sim(eepromPath);
    Applied applied;
    std::vector<std::string> argv{TAVRIN_CLI_WATCHED_EXE, "apply", file,  "--port",
                                  sim.Device(),           "--out", outDir};
    argv.insert(argv.end(), extraArgs.begin(), extraArgs.end());
    const auto room = testing::CliRoom();
    argv.insert(argv.end(), room.begin(), room.end());
    applied.result = RunCommand(argv);
    sim.Stop();
    applied.eeprom = gatewaysim::LoadEeprom(eepromPath);
    return applied;
}

// What a dry run and diff put a configuration file onto a gateway as must be exactly what apply
// stores: once applied, neither shows a difference.
TEST(CliApply, ADryRunAndDiffOfTheAppliedFileAreEqual) {
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    testing::SimProcess sim(eepromPath);
    const std::vector<std::string> dryRun{
        TAVRIN_CLI_WATCHED_EXE, "apply", TAVRIN_APPLY_EXAMPLE, "--port", sim.Device(), "--dry-run"};
    const auto before = RunCommand(dryRun);
    EXPECT_EQ(before.status, cli::kExitDiffer) << before.err;
    EXPECT_NE(before.out.find("NodeId: 5 | 12\n"), std::string::npos) << before.out;

    const auto applied = RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", TAVRIN_APPLY_EXAMPLE,
                                     "--port", sim.Device(), "--out", scratch.Path()});
    ASSERT_EQ(applied.status, cli::kExitOk) << applied.err;
    const auto after = RunCommand(dryRun);
    EXPECT_EQ(after.status, cli::kExitOk) << after.out << after.err;
    const auto diff =
        RunCommand({TAVRIN_CLI_WATCHED_EXE, "diff", TAVRIN_APPLY_EXAMPLE, sim.Device()});
    EXPECT_EQ(diff.status, cli::kExitOk) << diff.out << diff.err;

    // The read table names the function codes the file gave, as the editor lists them.
    const auto table = RunCommand({TAVRIN_CLI_WATCHED_EXE, "read", "--port", sim.Device()});
    ASSERT_EQ(table.status, cli::kExitOk) << table.err;
    for (const char* code : {"(FC03)", "(FC01)", "(FC16)", "(FC15)"}) {
        EXPECT_NE(table.out.find(code), std::string::npos) << code << " in " << table.out;
    }
    EXPECT_EQ(table.out.find("variant"), std::string::npos) << table.out;

    // A slip in a file name is not opened as a port; one operand is diff's own usage error.
    const std::string slip = scratch.File("gatway.ini");
    const auto missing = RunCommand({TAVRIN_CLI_WATCHED_EXE, "diff", slip, sim.Device()});
    EXPECT_EQ(missing.status, cli::kExitInvalidInput);
    EXPECT_EQ(missing.err, "tavrin-cli: " + slip + ": no such file or port\n");
    const auto one = RunCommand({TAVRIN_CLI_WATCHED_EXE, "diff", TAVRIN_APPLY_EXAMPLE});
    EXPECT_EQ(one.status, cli::kExitUsage);
    EXPECT_EQ(one.err.rfind("tavrin-cli: diff needs two operands A and B\n\nUsage: tavrin-cli diff "
                            "A B",
                            0),
              0u)
        << one.err;
}

TEST(CliApply, StoresTheFileAndWritesTheEdsFile) {
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    testing::SimProcess sim(eepromPath);

    const auto applied =
        RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", TAVRIN_APPLY_EXAMPLE, "--port", sim.Device(),
                    "--out", scratch.Path(), "--answer-window", testing::kCliAnswerWindow});
    ASSERT_EQ(applied.status, cli::kExitOk) << applied.err;
    EXPECT_EQ(Messages(applied.err), "");
    const std::string done = "Produce EDS File OK: ";
    ASSERT_EQ(applied.out.rfind(done, 0), 0u) << applied.out;
    ASSERT_EQ(applied.out.back(), '\n');
    const std::string edsFile =
        applied.out.substr(done.size(), applied.out.size() - done.size() - 1);
    EXPECT_EQ(edsFile, scratch.Path() + "/RODAR_ 12.eds");
    const std::string eds = testing::ReadWholeFile(edsFile);
    EXPECT_NE(eds.find("Line 3 pumps and valves"), std::string::npos);
    EXPECT_NE(eds.find("Plant engineering"), std::string::npos);

    // A fresh connect reads the file's configuration back as valid.
    const auto read = RunCommand({TAVRIN_CLI_WATCHED_EXE, "read", "--port", sim.Device(), "--json",
                                  "--answer-window", testing::kCliAnswerWindow});
    ASSERT_EQ(read.status, cli::kExitOk) << read.err;
    for (const char* expected :
         {"\"NodeId\": 12", "\"AppLayer\": 1", "\"CanBaudIndex\": 2", "\"ComBaudIndex\": 4",
          "\"ComParity\": 1", "\"ComTimeout\": 300", "\"ReadAppCount\": 4",
          "\"ConfigWrong\": false", "\"ConnInfoValid\": true",
          "\"StoredIOTotals\": [\n    10,\n    2,\n    16,\n    4\n  ]"}) {
        EXPECT_NE(read.out.find(expected), std::string::npos) << expected << "\n" << read.out;
    }
    sim.Stop();

    const gatewaysim::Eeprom e = gatewaysim::LoadEeprom(eepromPath);
    EXPECT_EQ(ConfigWord(e, 2), 12u * 65536 + 1 * 256 + 2);          // node 12, DeviceNet, 500k
    EXPECT_EQ(ConfigWord(e, 4) & 0xFF, 4u);                          // four objects
    EXPECT_EQ(ConfigWord(e, 5), 4u << 24 | 8u << 16 | 1u << 8 | 1);  // 19200, 8, even, 1
    EXPECT_EQ(ConfigWord(e, 6), 300u * 65536 + 85 * 256);            // timeout and check byte
    EXPECT_EQ(ConfigWord(e, 7), 1u << 24 | 3u << 16 | 1u << 8);      // FC03 on device 1
    EXPECT_EQ(ConfigWord(e, 8), 0u * 65536 + 4);
    EXPECT_EQ(ConfigWord(e, 13), 2u << 24 | 0u << 16);  // FC15 on device 2
    EXPECT_EQ(ConfigWord(e, 14), 0u * 65536 + 10);
    EXPECT_EQ(ConfigWord(e, 15), 0u);  // the default image's fifth object is gone
    EXPECT_EQ(e.Word(1, 1), 1u * 16777216 + 4 * 65536 + 3 * 256 + 3);     // Poll: assembly 03
    EXPECT_EQ(e.Word(1, 2), 3u * 16777216 + 100 * 65536 + 2 * 256 + 22);  // Strobe: DI App.02
    EXPECT_EQ(e.Word(1, 3), 2u * 16777216 + 4 * 65536 + 4 * 256 + 3);     // COS: assembly 04
    EXPECT_EQ(e.Word(1, 4), 1u * 16777216 + 4 * 65536 + 1 * 256 + 3);     // consumes assembly 01
    EXPECT_EQ(e.Word(1, 6), 43u * 65536 + 1 * 256);  // COS/Cyclic acknowledge handler
}

TEST(CliApply, InvalidFileListsEveryFaultAndLeavesTheGatewayAlone) {
    testing::ScratchDir scratch;
    const std::string config = scratch.File("bad.json");
    testing::WriteWholeFile(config, R"({
  "can": { "nodeId": 64, "bitRate": 0 },
  "com": { "baudRate": 9600, "dataBits": 8, "parity": "NONE", "stopBits": 1, "timeout": 0 },
  "applicationObjects": [
    { "deviceId": 0, "functionCode": "FC03", "startAddress": 0, "length": 121 }
  ],
  "connections": {
    "poll": { "produced": 0, "consumed": 0 },
    "bitStrobe": { "produced": 0 },
    "cosCyclic": { "produced": 0 }
  }
}
)");
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    const std::string before = testing::ReadWholeFile(eepromPath);
    testing::SimProcess sim(eepromPath);
    const std::string log = scratch.File("session.log");

    const auto result = RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", config, "--port", sim.Device(),
                                    "--out", scratch.Path(), "--log", log});
    sim.Stop();
    EXPECT_EQ(result.status, cli::kExitInvalidInput);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              config + ": can.nodeId: Node ID is not supported!(1~63)\n" + config +
                  ": com.timeout: Timeout value is out of range!(1ms~32767ms)\n" + config +
                  ": applicationObjects[0].deviceId: ModBus Device Address Error. (1-247)\n" +
                  config + ": applicationObjects[0].length: Communication Length Error. (1-120)\n" +
                  config +
                  ": connections: not checked, since the lists follow from the application "
                  "objects, which have faults\n");
    EXPECT_EQ(testing::ReadWholeFile(eepromPath), before);
    // Not even a connect: the port was never opened, so no transcript was started.
    EXPECT_FALSE(std::filesystem::exists(log));
    for (const auto& entry : std::filesystem::directory_iterator(scratch.Path())) {
        EXPECT_NE(entry.path().extension(), ".eds") << entry.path();
    }
}

// The same file applied to two gateways gives the same words, apart from the time stamp; words
// outside the configuration area (firmware and the rest of the EEPROM) stay each gateway's own.
TEST(CliApply, SameFileGivesTheSameWordsOnTwoGateways) {
    testing::ScratchDir outA;
    testing::ScratchDir outB;
    const Applied a = ApplyTo(gatewaysim::DefaultEeprom(), TAVRIN_APPLY_EXAMPLE, outA.Path());
    // The second gateway starts blank: the read falls back to defaults, and the file decides.
    const Applied b = ApplyTo(gatewaysim::Eeprom{}, TAVRIN_APPLY_EXAMPLE, outB.Path());
    ASSERT_EQ(a.result.status, cli::kExitOk) << a.result.err;
    ASSERT_EQ(b.result.status, cli::kExitOk) << b.result.err;
    EXPECT_EQ(Messages(b.result.err), "The configuration stored in EEPROM is wrong!\n");

    for (int k = 0; k < kConfigWords; ++k) {
        std::uint32_t wa = ConfigWord(a.eeprom, k);
        std::uint32_t wb = ConfigWord(b.eeprom, k);
        if (k == 3) {
            continue;  // year, month, day of the store
        }
        if (k == 4) {
            wa &= 0xFF;  // hour, minute, second of the store above the object count
            wb &= 0xFF;
        }
        EXPECT_EQ(wa, wb) << "configuration word " << k;
    }
    for (int k = 0; k < kConnectionWords; ++k) {
        EXPECT_EQ(a.eeprom.Word(1, k), b.eeprom.Word(1, k)) << "connection word " << k;
    }
    // Every other word is the gateway's own and was left as it was: on these two gateways the
    // firmware words at bytes 0 and 4 and the word at byte 8 differ, since one of them is blank.
    const gatewaysim::Eeprom factory = gatewaysim::DefaultEeprom();
    for (int block = 0; block < gatewaysim::Eeprom::kBlocks; ++block) {
        for (int i = 0; i < gatewaysim::Eeprom::kWordsPerBlock; ++i) {
            const bool written = block == 0
                                     ? i >= kConfigFirstWord && i < kConfigFirstWord + kConfigWords
                                     : i < kConnectionWords;
            if (!written) {
                EXPECT_EQ(a.eeprom.Word(block, i), factory.Word(block, i)) << block << "/" << i;
                EXPECT_EQ(b.eeprom.Word(block, i), 0u) << block << "/" << i;
            }
        }
    }
    // Applying once more to a copy of the first gateway's result changes nothing but the time.
    const Applied again = ApplyTo(a.eeprom, TAVRIN_APPLY_EXAMPLE, outA.Path());
    ASSERT_EQ(again.result.status, cli::kExitOk) << again.result.err;
    for (int block = 0; block < gatewaysim::Eeprom::kBlocks; ++block) {
        for (int i = 0; i < gatewaysim::Eeprom::kWordsPerBlock; ++i) {
            const bool stamp =
                block == 0 && (i == kConfigFirstWord + 3 || i == kConfigFirstWord + 4);
            if (!stamp) {
                EXPECT_EQ(again.eeprom.Word(block, i), a.eeprom.Word(block, i))
                    << "block " << block << " word " << i;
            }
        }
    }
    EXPECT_EQ(testing::ReadWholeFile(outA.File("RODAR_ 12.eds")).empty(), false);
}

// A line of gateways configured from one file with one --stamp: identical EEPROM images and EDS
// files apart from ModDate/ModTime, the stamp stored as the configuration's and CreateDate's.
TEST(CliApply, OneStampGivesIdenticalGateways) {
    testing::ScratchDir outA;
    testing::ScratchDir outB;
    const std::vector<std::string> stamp{"--stamp", "2026-12-08 10:30:05"};
    const Applied a =
        ApplyTo(gatewaysim::DefaultEeprom(), TAVRIN_APPLY_EXAMPLE, outA.Path(), stamp);
    const Applied b =
        ApplyTo(gatewaysim::DefaultEeprom(), TAVRIN_APPLY_EXAMPLE, outB.Path(), stamp);
    ASSERT_EQ(a.result.status, cli::kExitOk) << a.result.err;
    ASSERT_EQ(b.result.status, cli::kExitOk) << b.result.err;
    for (int block = 0; block < gatewaysim::Eeprom::kBlocks; ++block) {
        for (int i = 0; i < gatewaysim::Eeprom::kWordsPerBlock; ++i) {
            EXPECT_EQ(a.eeprom.Word(block, i), b.eeprom.Word(block, i)) << block << "/" << i;
        }
    }
    EXPECT_EQ(ConfigWord(a.eeprom, 3), 2026u * 65536 + 12 * 256 + 8);
    EXPECT_EQ(ConfigWord(a.eeprom, 4) >> 8, 10u * 65536 + 30 * 256 + 5);
    const std::string eds = testing::ReadWholeFile(outA.File("RODAR_ 12.eds"));
    EXPECT_NE(eds.find("CreateDate = 12-08-2026;"), std::string::npos) << eds;

    const auto refused = RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", TAVRIN_APPLY_EXAMPLE,
                                     "--port", "1", "--stamp", "2026-02-30 10:00:00"});
    EXPECT_EQ(refused.status, cli::kExitUsage);
    EXPECT_NE(refused.err.find("--stamp 2026-02-30 10:00:00 is not a time stamp"),
              std::string::npos)
        << refused.err;
}

// The console stops answering in the middle of the store: the timeout's message and exit status,
// no EDS file, and the words typed before the silence are in the EEPROM (nothing is rolled back).
TEST(CliApply, ConsoleTimeoutDuringTheStore) {
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    constexpr int kFirstValueLine = 8;  // the write's line that types configuration word 0
    testing::SimProcess sim(
        eepromPath, {"--silent-from", std::to_string(testing::kReadLines + kFirstValueLine + 5)});
    const auto result =
        RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", TAVRIN_APPLY_EXAMPLE, "--port", sim.Device(),
                    "--out", scratch.Path(), "--answer-window", testing::kCliAnswerWindow});
    sim.Stop();
    EXPECT_EQ(result.status, cli::kExitTimeout);
    EXPECT_EQ(Messages(result.err), "Timeout\n");
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(std::filesystem::exists(scratch.File("RODAR_ 12.eds")));
    const gatewaysim::Eeprom e = gatewaysim::LoadEeprom(eepromPath);
    const gatewaysim::Eeprom factory = gatewaysim::DefaultEeprom();
    EXPECT_EQ(ConfigWord(e, 2), 12u * 65536 + 1 * 256 + 2);  // typed before the silence
    EXPECT_EQ(ConfigWord(e, 5), ConfigWord(factory, 5));     // not reached
    EXPECT_EQ(e.Word(1, 1), factory.Word(1, 1));
}

// The EDS file cannot take the place of what stands there (a folder of that name): the store has
// happened, the error's description is told and the exit status says the job is not complete.
TEST(CliApply, EdsFileThatCannotBeWrittenAfterTheStore) {
    testing::ScratchDir scratch;
    std::filesystem::create_directories(scratch.File("RODAR_ 12.eds") + "/inside");
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    testing::SimProcess sim(eepromPath);
    const auto result =
        RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", TAVRIN_APPLY_EXAMPLE, "--port", sim.Device(),
                    "--out", scratch.Path(), "--answer-window", testing::kCliAnswerWindow});
    sim.Stop();
    EXPECT_EQ(result.status, cli::kExitFailure);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("RODAR_ 12.eds"), std::string::npos) << result.err;
    EXPECT_EQ(ConfigWord(gatewaysim::LoadEeprom(eepromPath), 2), 12u * 65536 + 1 * 256 + 2);
}

TEST(CliApplyUsage, RejectsBadCommandLines) {
    EXPECT_EQ(RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", "--port", "1"}).status, cli::kExitUsage);
    EXPECT_EQ(
        RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", "a.json", "b.json", "--port", "1"}).status,
        cli::kExitUsage);
    EXPECT_EQ(RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", "a.json", "--out"}).status,
              cli::kExitUsage);
    const auto help = RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", "--help"});
    EXPECT_EQ(help.status, cli::kExitOk);
    EXPECT_EQ(help.out.rfind("Usage: tavrin-cli apply CONFIG.json", 0), 0u);
    // A missing file is invalid input, told before any port is touched.
    const auto missing =
        RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", "/nonexistent/a.json", "--port", "2"},
                   {"TAVRIN_COM2=/nonexistent/port"});
    EXPECT_EQ(missing.status, cli::kExitInvalidInput);
    EXPECT_EQ(missing.err.rfind("/nonexistent/a.json: cannot read the file", 0), 0u) << missing.err;
    // A valid file but no such EDS folder: refused before connecting.
    const auto noFolder = RunCommand({TAVRIN_CLI_WATCHED_EXE, "apply", TAVRIN_APPLY_EXAMPLE,
                                      "--port", "2", "--out", "/nonexistent/eds"},
                                     {"TAVRIN_COM2=/nonexistent/port"});
    EXPECT_EQ(noFolder.status, cli::kExitInvalidInput);
    EXPECT_EQ(noFolder.err, "tavrin-cli: the EDS folder /nonexistent/eds does not exist\n");
}

}  // namespace
}  // namespace tavrin
