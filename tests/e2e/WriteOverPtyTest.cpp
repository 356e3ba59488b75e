// The write sequence over a real pseudo-terminal against the gateway simulator program: Tavrin's
// own QSerialPort path, the simulator's console and the EEPROM file it saves on every stored word.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "../support/ConsoleRoom.h"
#include "../support/ExpectedDialogue.h"
#include "../support/QuietConsoleClock.h"
#include "../support/RecordingReadView.h"
#include "../support/SimProcess.h"
#include "EepromFile.h"
#include "console/ReadSequence.h"
#include "console/WriteSequence.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"

namespace tavrin {
namespace {

using gatewaysim::Eeprom;
using testing::ShownBox;

using testing::RecordingWriteView;

// Tavrin's real serial path, with what the user would see recorded, on a generous window that
// ends as soon as the simulator has said all it will (QuietConsoleClock.h).
struct QtRig {
    explicit QtRig(const testing::SimProcess& sim) { clock.Watch(sim.TranscriptPath()); }

    ConfigImage image;
    QtConsolePort serial;
    testing::QuietConsoleClock clock;
    testing::WatchedPort port{serial, clock};
    QtEventPump pump;
    testing::RecordingBoxes boxes;
    testing::RecordingReadView readView{boxes};
    RecordingWriteView writeView{boxes};
    ConsoleSession session{image, port, clock, pump, nullptr, testing::kRoomyTiming};
};

// What a Finish would store after the user changed the node id and a connection path: the words
// as read with node 17 in place of 5, and a connection word that the console shows as -1.
struct Changed {
    Block0Array block0;
    Block1Array block1;
};

Changed ChangedImage(const ConfigImage& read, int block0Count) {
    Changed c{read.words.ReadBlock0Words, read.words.ReadBlock1Words};
    c.block0[2] = 17u * 65536u + 1u * 256u + 0u;  // node 17, DeviceNet, first CAN bit rate
    c.block1[2] = 4294967295u;
    // Beyond the count nothing may reach the gateway; garbage here would show if it did.
    for (int k = block0Count; k < kBlock0ConfigWords; ++k) {
        c.block0[k] = 0xDEADBEEFu;
    }
    return c;
}

// The gateway after a write whose lines up to `storedLine` (counted from 1 within the write) were
// all answered.
Eeprom Stored(Eeprom e, const Changed& c, int block0Count, int storedLine = 1000) {
    constexpr int kFirstValueLine = 8;  // after "/q", "exit", ".", "exit", "use eeprom", ...
    for (int k = 0; k < block0Count; ++k) {
        if (kFirstValueLine + k <= storedLine) {
            e.SetWord(0, 10 + k, c.block0[k]);
        }
    }
    const int firstBlock1Line = kFirstValueLine + block0Count + 3;
    for (int k = 0; k < kBlock1Words; ++k) {
        if (firstBlock1Line + k <= storedLine) {
            e.SetWord(1, k, c.block1[k]);
        }
    }
    return e;
}

struct WriteCase {
    const char* name;
    std::vector<std::string> simArgs;
    int block0Count;
    int silentFromWriteLine;  // the first line of the write the console leaves unanswered; 0: none
};

class WriteOverPty : public ::testing::TestWithParam<WriteCase> {};

// Connect as the user does, write a changed image, look at the simulator's file, then connect
// again: the gateway must hold exactly the words typed and Tavrin must read them back.
TEST_P(WriteOverPty, StoresExactlyTheWordsTyped) {
    const WriteCase& c = GetParam();
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    const Eeprom before = gatewaysim::DefaultEeprom();
    gatewaysim::SaveEeprom(eepromPath, before);
    std::vector<std::string> simArgs = c.simArgs;
    if (c.silentFromWriteLine > 0) {
        // The simulator counts lines from its start; the connect comes first.
        simArgs.push_back("--silent-from");
        simArgs.push_back(std::to_string(testing::kReadLines + c.silentFromWriteLine));
    }
    testing::SimProcess sim(eepromPath, simArgs);
    const PortChoice choice{1, sim.Device()};

    QtRig rig(sim);
    ASSERT_EQ(ReadConfiguration(rig.session, choice, rig.readView), ReadOutcome::Completed);
    const Changed changed = ChangedImage(rig.image, c.block0Count);

    rig.session.Busy = true;
    const auto start = std::chrono::steady_clock::now();
    const WriteOutcome outcome = WriteConfiguration(
        rig.session, choice, {changed.block0, changed.block1}, c.block0Count, rig.writeView);
    const auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
    std::printf("[ %s ] write took %.3f s\n", c.name, took.count());

    const bool silent = c.silentFromWriteLine > 0;
    ASSERT_EQ(outcome, silent ? WriteOutcome::Timeout : WriteOutcome::Completed);
    EXPECT_FALSE(rig.port.IsOpen());
    // The simulator saves on every stored word, so the file is current without stopping it.
    EXPECT_EQ(gatewaysim::LoadEeprom(eepromPath),
              Stored(before, changed, c.block0Count, silent ? c.silentFromWriteLine - 1 : 1000));
    if (silent) {
        EXPECT_EQ(rig.boxes.shown, (std::vector<ShownBox>{{"Timeout", ""}}));
        EXPECT_EQ(rig.writeView.statuses, (std::vector<std::string>{"Timeout"}));
        EXPECT_FALSE(rig.session.Busy);
        return;
    }
    EXPECT_TRUE(rig.boxes.shown.empty());

    rig.session.Busy = false;
    ASSERT_EQ(ReadConfiguration(rig.session, choice, rig.readView), ReadOutcome::Completed);
    EXPECT_TRUE(rig.boxes.shown.empty()) << "the image written is a valid configuration";
    EXPECT_EQ(rig.image.settings.NodeId, 17);
    for (int k = 0; k < kBlock0ConfigWords; ++k) {
        const Word expected = k < c.block0Count ? changed.block0[k] : before.Word(0, 10 + k);
        EXPECT_EQ(rig.image.words.ReadBlock0Words[k], expected) << "block 0 word " << k;
    }
    for (int k = 0; k < kBlock1Words; ++k) {
        EXPECT_EQ(rig.image.words.ReadBlock1Words[k], changed.block1[k]) << "block 1 word " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, WriteOverPty,
                         ::testing::Values(WriteCase{"WholeArea", {}, kWholeBlock0Words, 0},
                                           WriteCase{"SettingsOnly", {}, kBlock0SettingsWords, 0},
                                           WriteCase{"WholeAreaPacedAndSplit",
                                                     {"--pace", "--split", "--seed", "11"},
                                                     kWholeBlock0Words,
                                                     0},
                                           WriteCase{"SilentInBlock0", {}, kWholeBlock0Words, 20},
                                           WriteCase{"SilentInBlock1", {}, kWholeBlock0Words, 42}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavrin
