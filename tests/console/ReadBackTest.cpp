// The comparison behind the read-back: only the words a write typed are compared, and each word
// that came back wrong is named by the fields whose bits differ.
#include <gtest/gtest.h>

#include "../support/FakeConsoleHardware.h"
#include "../support/RecordingReadView.h"
#include "../support/SimulatedGateway.h"
#include "EepromFile.h"
#include "console/ReadBack.h"

namespace tavrin {
namespace {

struct CompareCase {
    const char* name;
    int block0Count;  // what the write typed of block 0
    int block;        // the word that reads back differently
    int index;
    Word read;
    std::vector<std::string> fields;  // empty: not compared, or no difference
};

class CompareWrittenTable : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareWrittenTable, ComparesTypedWordsAndNamesTheirFields) {
    const CompareCase& c = GetParam();
    WrittenWords written;
    for (int k = 0; k < kBlock0ConfigWords; ++k) {
        written.block0[k] = 0x01020304u * static_cast<Word>(k + 1);
    }
    for (int k = 0; k < kBlock1Words; ++k) {
        written.block1[k] = 0x05060708u + static_cast<Word>(k);
    }
    written.block0Count = c.block0Count;
    Block0Array read0 = written.block0;
    Block1Array read1 = written.block1;
    (c.block == 0 ? read0[c.index] : read1[c.index]) = c.read;

    const std::vector<WordMismatch> mismatches = CompareWritten(written, read0, read1);
    std::vector<std::string> fields;
    for (const WordMismatch& m : mismatches) {
        fields.push_back(m.field);
        EXPECT_EQ(m.block, c.block);
        EXPECT_EQ(m.address, c.block == 0 ? 40 + 4 * c.index : 4 * c.index);
        EXPECT_EQ(m.read, c.read);
    }
    EXPECT_EQ(fields, c.fields);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompareWrittenTable,
    ::testing::Values(
        // Word 2 is written as 0x0306090C: node 0x0306, layer 9, bit rate 12.
        CompareCase{"NodeIdOnly", 29, 0, 2, 0x0307090Cu, {"NodeId"}},
        CompareCase{"BitRateAndLayer", 7, 0, 2, 0x03060000u, {"AppLayer, CanBaudIndex"}},
        CompareCase{"HeaderHasNoField", 29, 0, 0, 1u, {"ReadBlock0Words[0]"}},
        CompareCase{
            "ObjectRange", 29, 0, 10, 0u, {"ReadAppObjects[1].MBSA, ReadAppObjects[1].MBCL"}},
        // Word 9, object 1's kind word, is written as 0x0A141E28; its low byte is unused.
        CompareCase{"UnusedByteOfAnObjectWord", 29, 0, 9, 0x0A141E29u, {"ReadBlock0Words[9]"}},
        // A settings write leaves the stored objects alone: they are not compared.
        CompareCase{"SettingsWriteSkipsObjects", 7, 0, 10, 0u, {}},
        CompareCase{"ConnectionWord", 7, 1, 3, 0u, {"ReadBlock1Words[3]"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The read-back waits as long as the write did: a console that needs a longer answer window than
// the default gets it for the read-back too, instead of a write reported as unchecked.
TEST(ReadBackWritten, WaitsWithTheSessionsAnswerWindow) {
    const gatewaysim::Eeprom eeprom = gatewaysim::DefaultEeprom();
    ConfigImage image;
    testing::FakeClock clock;
    testing::ScriptedPort port{clock};
    testing::FakePump pump{clock, port};
    ConsoleSession session{image, port, clock, pump, nullptr, ConsoleTiming{1, 1000}};
    testing::SimulatedGateway gateway(port, eeprom);
    gateway.SlowFromLine(1, 500'000);  // every answer half a second late

    WrittenWords written;
    written.block0Count = kBlock0ConfigWords;
    for (int k = 0; k < kBlock0ConfigWords; ++k) {
        written.block0[k] = eeprom.Word(0, 10 + k);
    }
    for (int k = 0; k < kBlock1Words; ++k) {
        written.block1[k] = eeprom.Word(1, k);
    }
    SilentReadView quiet;
    const ReadBackResult result = ReadBackWritten(
        session, ResolvePort(1, [](const std::string&) { return std::optional<std::string>(); }),
        written, quiet);
    EXPECT_EQ(result.outcome, ReadBackOutcome::Verified) << result.readFailure;
}

}  // namespace
}  // namespace tavrin
