// tavrin-cli modbus-check as a technician runs it, against the Modbus slave simulator on a
// pseudo-terminal: the shipped objects answer with the map's values, and each fault of the bus
// shows as its own outcome, every case on a simulator of its own. No case writes to a slave.
//
// Where an answer is expected the reply timeout is long (an answer ends the wait at once, however
// loaded the machine); where none can come it is short, and no answer is certain.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <string>
#include <vector>

#include "../support/ModbusSimProcess.h"
#include "../support/SimProcess.h"
#include "EepromFile.h"
#include "cli/ExitCodes.h"

namespace tavrin {
namespace {

using testing::ModbusSimProcess;
using testing::RunCommand;
using testing::ScratchDir;

constexpr int kAnswerExpectedMs = 10000;
constexpr int kNoAnswerMs = 300;

struct Object {
    int deviceId;
    const char* functionCode;
    int start;
    int length;
};

// The gateway simulator's four factory objects, which the Modbus simulator's map serves.
const std::vector<Object> kShippedObjects{
    {1, "FC15", 0, 10}, {2, "FC16", 100, 2}, {1, "FC15", 20, 3}, {3, "FC03", 10, 1}};

// A configuration file as apply takes it, with the COM settings and objects given.
std::string ConfigurationText(const std::vector<Object>& objects, int timeoutMs, int baud = 9600,
                              const char* parity = "NONE") {
    std::string text = "{\"can\": {\"nodeId\": 5, \"bitRate\": 0},\n \"com\": {\"baudRate\": " +
                       std::to_string(baud) + ", \"dataBits\": 8, \"parity\": \"" + parity +
                       "\", \"stopBits\": 1, \"timeout\": " + std::to_string(timeoutMs) +
                       "},\n \"applicationObjects\": [";
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const Object& o = objects[i];
        text += std::string(i > 0 ? ",\n" : "\n") +
                "  {\"deviceId\": " + std::to_string(o.deviceId) + ", \"functionCode\": \"" +
                o.functionCode + "\", \"startAddress\": " + std::to_string(o.start) +
                ", \"length\": " + std::to_string(o.length) + "}";
    }
    text +=
        "],\n \"connections\": {\"poll\": {\"produced\": 0, \"consumed\": 0}, "
        "\"bitStrobe\": {\"produced\": 0}, \"cosCyclic\": {\"produced\": 0}}}\n";
    return text;
}

struct Checked {
    testing::CommandResult result;
    std::vector<std::string> outcomes;  // the "text" of each row, from --json
    long writes = -1;                   // write requests the simulator saw
};

Checked CheckOnSimulator(const std::vector<std::string>& simArgs, const std::string& config,
                         const std::vector<std::string>& extraArgs = {}) {
    ScratchDir scratch;
    const std::string configPath = scratch.File("gateway.json");
    testing::WriteWholeFile(configPath, config);
    ModbusSimProcess sim(scratch.File("status"), simArgs);
    std::vector<std::string> argv{TAVRIN_CLI_EXE, "modbus-check", configPath,
                                  "--bus",        sim.Device(),   "--json"};
    argv.insert(argv.end(), extraArgs.begin(), extraArgs.end());
    Checked checked;
    checked.result = RunCommand(argv);
    sim.Stop();
    checked.writes = sim.Count("writes");
    const QJsonArray rows =
        QJsonDocument::fromJson(QByteArray::fromStdString(checked.result.out)).array();
    for (const QJsonValue& row : rows) {
        checked.outcomes.push_back(row.toObject().value("text").toString().toStdString());
    }
    return checked;
}

const char* const kShippedValues[] = {
    "OK: 1 0 1 1 0 0 1 0 1 1",
    "OK: 1234 (0x04D2), 48879 (0xBEEF)",
    "OK: 0 1 1",
    "OK: 42 (0x002A)",
};

struct BusCase {
    const char* name;
    std::vector<std::string> simArgs;
    std::vector<Object> objects;
    int timeoutMs;
    int baud;
    const char* parity;
    int status;
    std::vector<std::string> outcomes;
};

class ModbusCheckFaults : public ::testing::TestWithParam<BusCase> {};

TEST_P(ModbusCheckFaults, EachRowSaysWhatCameBackAndNothingIsWritten) {
    const BusCase& c = GetParam();
    const Checked checked =
        CheckOnSimulator(c.simArgs, ConfigurationText(c.objects, c.timeoutMs, c.baud, c.parity));
    EXPECT_EQ(checked.result.status, c.status) << checked.result.err;
    EXPECT_EQ(checked.outcomes, c.outcomes) << checked.result.out;
    EXPECT_EQ(checked.writes, 0);
    EXPECT_NE(checked.result.err.find("Reads only"), std::string::npos);
}

const std::vector<std::string> kFourNoAnswers(4, "no answer");

INSTANTIATE_TEST_SUITE_P(Bus, ModbusCheckFaults,
                         ::testing::Values(BusCase{"ShippedObjects",
                                                   {},
                                                   kShippedObjects,
                                                   kAnswerExpectedMs,
                                                   9600,
                                                   "NONE",
                                                   cli::kExitOk,
                                                   {kShippedValues[0], kShippedValues[1],
                                                    kShippedValues[2], kShippedValues[3]}},
                                           BusCase{"WrongDeviceId",
                                                   {},
                                                   {{9, "FC03", 10, 1}},
                                                   kNoAnswerMs,
                                                   9600,
                                                   "NONE",
                                                   cli::kExitBusFault,
                                                   {"no answer"}},
                                           BusCase{"AddressOutsideTheMap",
                                                   {},
                                                   {{3, "FC03", 500, 2}, {1, "FC15", 8, 4}},
                                                   kAnswerExpectedMs,
                                                   9600,
                                                   "NONE",
                                                   cli::kExitBusFault,
                                                   {"exception 02 (illegal data address)",
                                                    "exception 02 (illegal data address)"}},
                                           BusCase{"ParityMismatch",
                                                   {"--parity", "E"},
                                                   kShippedObjects,
                                                   kNoAnswerMs,
                                                   9600,
                                                   "NONE",
                                                   cli::kExitBusFault,
                                                   kFourNoAnswers},
                                           BusCase{"BaudMismatch",
                                                   {"--baud", "19200"},
                                                   kShippedObjects,
                                                   kNoAnswerMs,
                                                   9600,
                                                   "NONE",
                                                   cli::kExitBusFault,
                                                   kFourNoAnswers},
                                           BusCase{"SilentSlave",
                                                   {"--silent", "2"},
                                                   {{2, "FC16", 100, 2}},
                                                   kNoAnswerMs,
                                                   9600,
                                                   "NONE",
                                                   cli::kExitBusFault,
                                                   {"no answer"}},
                                           BusCase{"ExceptionForARange",
                                                   {"--exception", "3:10:1:4"},
                                                   {{3, "FC03", 10, 1}},
                                                   kAnswerExpectedMs,
                                                   9600,
                                                   "NONE",
                                                   cli::kExitBusFault,
                                                   {"exception 04 (slave device failure)"}},
                                           BusCase{"CorruptedCrc",
                                                   {"--bad-crc", "3"},
                                                   {{3, "FC03", 10, 1}},
                                                   kAnswerExpectedMs,
                                                   9600,
                                                   "NONE",
                                                   cli::kExitBusFault,
                                                   {"bad reply"}},
                                           BusCase{"AnswerLaterThanTheTimeout",
                                                   {"--late", "3:30000"},
                                                   {{3, "FC03", 10, 1}},
                                                   kNoAnswerMs,
                                                   9600,
                                                   "NONE",
                                                   cli::kExitBusFault,
                                                   {"no answer"}},
                                           BusCase{"LateAnswerWithinTheTimeout",
                                                   {"--late", "3:100"},
                                                   {{3, "FC03", 10, 1}},
                                                   kAnswerExpectedMs,
                                                   9600,
                                                   "NONE",
                                                   cli::kExitOk,
                                                   {kShippedValues[3]}},
                                           BusCase{"EvenParityOnBothSides",
                                                   {"--parity", "E", "--baud", "19200"},
                                                   {{3, "FC03", 10, 1}},
                                                   kAnswerExpectedMs,
                                                   19200,
                                                   "EVEN",
                                                   cli::kExitOk,
                                                   {kShippedValues[3]}}),
                         [](const ::testing::TestParamInfo<BusCase>& info) {
                             return info.param.name;
                         });

// A write object is checked by a read; the slave's values are the map's before and after.
TEST(ModbusCheck, WriteObjectsAreReadAndLeaveTheValuesAsTheyWere) {
    ScratchDir scratch;
    const std::string configPath = scratch.File("gateway.json");
    testing::WriteWholeFile(configPath, ConfigurationText({{2, "FC16", 100, 2}, {1, "FC15", 0, 10}},
                                                          kAnswerExpectedMs));
    ModbusSimProcess sim(scratch.File("status"));
    for (int round = 0; round < 2; ++round) {
        const auto result =
            RunCommand({TAVRIN_CLI_EXE, "modbus-check", configPath, "--bus", sim.Device()});
        EXPECT_EQ(result.status, cli::kExitOk) << result.err;
        EXPECT_NE(result.out.find("Reads only"), std::string::npos) << result.out;
        EXPECT_NE(
            result.out.find("FC03 (for FC16)  100    2       " + std::string(kShippedValues[1])),
            std::string::npos)
            << result.out;
        EXPECT_NE(
            result.out.find("FC01 (for FC15)  0      10      " + std::string(kShippedValues[0])),
            std::string::npos)
            << result.out;
    }
    sim.Stop();
    EXPECT_EQ(sim.Count("requests"), 4);
    EXPECT_EQ(sim.Count("writes"), 0);
}

// The configuration read from the gateway itself: its four factory objects, with the reply
// timeout raised in its EEPROM so that an answer is waited for however slow the machine.
TEST(ModbusCheck, ChecksTheObjectsTheGatewayHolds) {
    ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::Eeprom eeprom = gatewaysim::DefaultEeprom();
    eeprom.SetWord(0, 64 / 4, static_cast<std::uint32_t>(kAnswerExpectedMs) << 16 | 174u << 8);
    gatewaysim::SaveEeprom(eepromPath, eeprom);
    testing::SimProcess gateway(eepromPath);
    ModbusSimProcess bus(scratch.File("status"));
    const std::string log = scratch.File("frames.log");
    const auto result = RunCommand({TAVRIN_CLI_WATCHED_EXE, "modbus-check", gateway.Device(),
                                    "--bus", bus.Device(), "--object", "4", "--log", log});
    EXPECT_EQ(result.status, cli::kExitOk) << result.err;
    EXPECT_NE(result.out.find("4       3       FC03      10     1       OK: 42 (0x002A)"),
              std::string::npos)
        << result.out;
    // The request and the answer, byte for byte as libmodbus framed them.
    const std::string frames = testing::ReadWholeFile(log);
    EXPECT_NE(frames.find("sent      03 03 00 0A 00 01 A5 EA"), std::string::npos) << frames;
    EXPECT_NE(frames.find("received  03 03 02 00 2A 40 5B"), std::string::npos) << frames;
    bus.Stop();
    EXPECT_EQ(bus.Count("writes"), 0);
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> args;  // after "modbus-check"; CONFIG stands for a valid file
    int status;
    const char* says;
};

class ModbusCheckRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ModbusCheckRefusals, SendNothing) {
    const RefusalCase& c = GetParam();
    ScratchDir scratch;
    const std::string configPath = scratch.File("gateway.json");
    testing::WriteWholeFile(configPath, ConfigurationText(kShippedObjects, kNoAnswerMs));
    testing::WriteWholeFile(scratch.File("bad.json"), "{\"can\": 1}");
    std::vector<std::string> argv{TAVRIN_CLI_EXE, "modbus-check"};
    for (const std::string& a : c.args) {
        argv.push_back(a == "CONFIG" ? configPath : a == "BAD" ? scratch.File("bad.json") : a);
    }
    const auto result = RunCommand(argv);
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, ModbusCheckRefusals,
    ::testing::Values(RefusalCase{"NoBus", {"CONFIG"}, cli::kExitUsage, "needs --bus PORT"},
                      RefusalCase{"BothSourceAndPort",
                                  {"CONFIG", "--port", "1", "--bus", "/dev/null"},
                                  cli::kExitUsage,
                                  "either as SOURCE or through --port"},
                      RefusalCase{"BusIsTheConsolePort",
                                  {"/dev/ttyS0", "--bus", "1"},
                                  cli::kExitUsage,
                                  "is the gateway's console port"},
                      RefusalCase{"BusThatWillNotOpen",
                                  {"CONFIG", "--bus", "/nonexistent/ttyUSB9"},
                                  cli::kExitPort,
                                  "cannot open the bus port /nonexistent/ttyUSB9"},
                      RefusalCase{"RefusedConfiguration",
                                  {"BAD", "--bus", "/nonexistent/ttyUSB9"},
                                  cli::kExitInvalidInput,
                                  "applicationObjects"},
                      RefusalCase{"ObjectNotInTheTable",
                                  {"CONFIG", "--bus", "/nonexistent/ttyUSB9", "--object", "5"},
                                  cli::kExitInvalidInput,
                                  "holds objects 1 to 4"},
                      RefusalCase{"ObjectNotANumber",
                                  {"CONFIG", "--bus", "/dev/null", "--object", "x"},
                                  cli::kExitUsage,
                                  "--object takes an object number"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tavrin
