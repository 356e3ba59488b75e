// The read sequence over a real pseudo-terminal against the gateway simulator program: Tavrin's
// own QSerialPort path, the simulator's real console, and its EEPROM file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "../support/ConsoleRoom.h"
#include "../support/ExpectedDialogue.h"
#include "../support/QuietConsoleClock.h"
#include "../support/RecordingReadView.h"
#include "../support/SimProcess.h"
#include "EepromFile.h"
#include "console/ConsoleLink.h"
#include "console/ReadSequence.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"

namespace tavrin {
namespace {

using gatewaysim::Eeprom;
using testing::ShownBox;

class LineRecorder final : public ConsoleTranscript {
public:
    void LineSent(std::string_view line) override { lines.emplace_back(line); }
    void ChunkReceived(std::string_view) override {}
    std::vector<std::string> lines;
};

// Tavrin's real serial path, with what the user would see recorded. Given the simulator, it
// waits on a generous window that ends as soon as the simulator has said all it will; without,
// on the real 200 ms window.
struct QtReadRig {
    explicit QtReadRig(const testing::SimProcess* sim = nullptr) {
        if (sim != nullptr) {
            clock.Watch(sim->TranscriptPath());
            session.timing = testing::kRoomyTiming;
        }
    }
    ReadOutcome Read(const PortChoice& choice) { return ReadConfiguration(session, choice, view); }

    ConfigImage image;
    QtConsolePort serial;
    testing::QuietConsoleClock clock;
    testing::WatchedPort port{serial, clock};
    QtEventPump pump;
    testing::RecordingBoxes boxes;
    testing::RecordingReadView view{boxes};
    LineRecorder typed;
    ConsoleSession session{image, port, clock, pump, &typed};
};

enum class Image { Default, Blank, FirmwareMonth13 };

Eeprom Prepared(Image kind) {
    Eeprom e = gatewaysim::DefaultEeprom();
    if (kind == Image::Blank) {
        e = Eeprom{};
    } else if (kind == Image::FirmwareMonth13) {
        e.SetWord(0, 1, 2004u * 65536u + 13u * 256u + 9u);
    }
    return e;
}

struct PtyCase {
    const char* name;
    std::vector<std::string> simArgs;
    Image image;
    ReadOutcome outcome;
    std::vector<ShownBox> boxes;
    const char* lastStatus;
    // On the real 200 ms window: the answers are held back until the next line, so the first
    // step and the failing one each wait out a whole window however either program runs.
    bool realWindow = false;
};

class ReadOverPty : public ::testing::TestWithParam<PtyCase> {};

TEST_P(ReadOverPty, EndsAsTheGatewayBehaves) {
    const PtyCase& c = GetParam();
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    const Eeprom before = Prepared(c.image);
    gatewaysim::SaveEeprom(eepromPath, before);
    const std::string fileBefore = testing::ReadWholeFile(eepromPath);
    testing::SimProcess sim(eepromPath, c.simArgs);

    QtReadRig rig(c.realWindow ? nullptr : &sim);

    const auto start = std::chrono::steady_clock::now();
    const ReadOutcome outcome = rig.Read({1, sim.Device()});
    const auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
    std::printf("[ %s ] read took %.3f s\n", c.name, took.count());

    EXPECT_EQ(outcome, c.outcome);
    if (c.realWindow) {
        EXPECT_GE(took.count(), 2 * kConsoleTimeoutMs / 1000.0);
    }
    EXPECT_EQ(rig.boxes.shown, c.boxes);
    ASSERT_FALSE(rig.view.statuses.empty());
    EXPECT_EQ(rig.view.statuses.back(), c.lastStatus);
    EXPECT_FALSE(rig.port.IsOpen()) << "the port is closed in every end state";
    EXPECT_FALSE(rig.session.Busy);
    if (outcome == ReadOutcome::Completed) {
        EXPECT_EQ(rig.typed.lines, testing::ExpectedReadLines(before));
    }
    sim.Stop();
    // A read answers every word with its own value; a failed one stops early. Either way the
    // gateway holds exactly what it held.
    EXPECT_EQ(testing::ReadWholeFile(eepromPath), fileBefore);
}

const std::vector<ShownBox> kNone;
const std::vector<ShownBox> kTimeout = {{"Timeout", "Error"}};
const std::vector<ShownBox> kWarning = {
    {"The configuration stored in EEPROM is wrong!", "Warnning"}};

INSTANTIATE_TEST_SUITE_P(Table, ReadOverPty,
                         ::testing::Values(PtyCase{"Default",
                                                   {},
                                                   Image::Default,
                                                   ReadOutcome::Completed,
                                                   kNone,
                                                   "Waiting for configuration"},
                                           PtyCase{"PacedAtLineRate",
                                                   {"--pace"},
                                                   Image::Default,
                                                   ReadOutcome::Completed,
                                                   kNone,
                                                   "Waiting for configuration"},
                                           PtyCase{"SplitChunks",
                                                   {"--split", "--seed", "7"},
                                                   Image::Default,
                                                   ReadOutcome::Completed,
                                                   kNone,
                                                   "Waiting for configuration"},
                                           PtyCase{"Module6420e",
                                                   {"--module", "6420e"},
                                                   Image::Default,
                                                   ReadOutcome::Completed,
                                                   kNone,
                                                   "Waiting for configuration"},
                                           PtyCase{"ForeignModule",
                                                   {"--module", "7188XB"},
                                                   Image::Default,
                                                   ReadOutcome::ForeignModule,
                                                   {{"This modules is not 6420RT!", "Error"}},
                                                   "Timeout"},
                                           PtyCase{"BlankEeprom",
                                                   {},
                                                   Image::Blank,
                                                   ReadOutcome::Completed,
                                                   kWarning,
                                                   "Waiting for configuration"},
                                           PtyCase{"FirmwareMonth13",
                                                   {},
                                                   Image::FirmwareMonth13,
                                                   ReadOutcome::Completed,
                                                   kWarning,
                                                   "Waiting for configuration"},
                                           PtyCase{"SilentAtModuleCheck",
                                                   {"--silent-from", "6"},
                                                   Image::Default,
                                                   ReadOutcome::Timeout,
                                                   kTimeout,
                                                   "Timeout"},
                                           PtyCase{"SilentInBlock0",
                                                   {"--silent-from", "20"},
                                                   Image::Default,
                                                   ReadOutcome::Timeout,
                                                   kTimeout,
                                                   "Timeout"},
                                           PtyCase{"SilentAtLastExit",
                                                   {"--silent-from", "53"},
                                                   Image::Default,
                                                   ReadOutcome::Timeout,
                                                   kTimeout,
                                                   "Timeout"},
                                           PtyCase{"GarbageInBlock1",
                                                   {"--garbage-at", "48"},
                                                   Image::Default,
                                                   ReadOutcome::Timeout,
                                                   kTimeout,
                                                   "Timeout"},
                                           PtyCase{"AnswersTooSlow",
                                                   {"--late"},
                                                   Image::Default,
                                                   ReadOutcome::Timeout,
                                                   kTimeout,
                                                   "Timeout",
                                                   true},
                                           PtyCase{"PortHeld",
                                                   {"--hold"},
                                                   Image::Default,
                                                   ReadOutcome::Occupied,
                                                   {{"COM 1 has been occupied", "Error"}},
                                                   "COM 1 has been occupied"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadOverPtyHangUp, ShowsThePortErrorAndReleases) {
    testing::ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    testing::SimProcess sim(eepromPath, {"--hangup-after", "20"});

    QtReadRig rig(&sim);
    const ReadOutcome outcome = rig.Read({1, sim.Device()});

    // The line going dead is a port fault: its own description, no title, status cleared.
    EXPECT_EQ(outcome, ReadOutcome::PortError);
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_FALSE(rig.boxes.shown[0].text.empty());
    EXPECT_EQ(rig.boxes.shown[0].title, "");
    EXPECT_EQ(rig.view.statuses.back(), "");
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_FALSE(rig.session.Busy);
}

TEST(ReadOverPtyMissingPort, SaysItCannotOpenThePort) {
    QtReadRig rig;
    const auto choice = ResolvePort(3, [](const std::string&) -> std::optional<std::string> {
        return "/nonexistent/tavrin-port";
    });
    EXPECT_EQ(rig.Read(choice), ReadOutcome::CannotOpen);
    EXPECT_EQ(rig.boxes.shown, (std::vector<ShownBox>{{"Can't open COM 3!", "Error"}}));
    EXPECT_FALSE(rig.session.Busy);
}

}  // namespace
}  // namespace tavrin
