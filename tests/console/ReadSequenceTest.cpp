#include <gtest/gtest.h>

#include "../support/ExpectedDialogue.h"
#include "../support/FakeConsoleHardware.h"
#include "../support/RecordingReadView.h"
#include "../support/SimulatedGateway.h"
#include "EepromFile.h"
#include "config/WordArithmetic.h"
#include "console/ReadSequence.h"

namespace tavrin {
namespace {

using gatewaysim::Eeprom;
using testing::ShownBox;

using testing::ExpectedReadLines;
using testing::kReadLines;

class ReadFixture : public ::testing::Test {
protected:
    void Connect(Eeprom eeprom, std::string module = "6420RT",
                 gatewaysim::ConsoleFaults faults = {}) {
        gateway = std::make_unique<testing::SimulatedGateway>(port, std::move(eeprom),
                                                              std::move(module), faults);
    }

    ReadOutcome Read() { return ReadConfiguration(session, ResolvePort(1, NoEnv), view); }

    static std::optional<std::string> NoEnv(const std::string&) { return std::nullopt; }

    void ExpectReleasedAfterFailure() {
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(session.Busy);
        EXPECT_EQ(view.events.back(), "released");
        EXPECT_EQ(std::count(view.events.begin(), view.events.end(), "connected look"), 0);
    }

    ConfigImage image;
    testing::FakeClock clock;
    testing::ScriptedPort port{clock};
    testing::FakePump pump{clock, port};
    testing::RecordingBoxes boxes;
    testing::RecordingReadView view{boxes};
    ConsoleSession session{image, port, clock, pump};
    std::unique_ptr<testing::SimulatedGateway> gateway;
};

TEST_F(ReadFixture, FullReadTypesExactlyTheDialogueAndLeavesTheEepromAsItWas) {
    const Eeprom before = gatewaysim::DefaultEeprom();
    Connect(before);
    ASSERT_EQ(Read(), ReadOutcome::Completed);

    EXPECT_EQ(testing::SentLines(port.written), ExpectedReadLines(before));
    EXPECT_EQ(gateway->Image(), before);
    EXPECT_EQ(port.openedDevice, "/dev/ttyS0");
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(session.Busy);
    EXPECT_TRUE(boxes.shown.empty());

    EXPECT_EQ(image.settings.ModulePrompt, "6420RT>");
    EXPECT_EQ(view.moduleKind, ModuleKind::K6420RT);
    EXPECT_EQ(view.firmwareText, "1.05-2004/03/09");
    EXPECT_EQ(view.statuses, (std::vector<std::string>{"Connecting", "Waiting for configuration"}));
    EXPECT_EQ(view.progress, (std::vector<int>{0, 1, 2, 4, 5, 6, 7, 9}));
    EXPECT_EQ(view.events, (std::vector<std::string>{"pressed", "reading look", "connected look",
                                                     "file commands", "can panel"}));
    EXPECT_FALSE(image.settings.ConfigWrong);
    EXPECT_TRUE(image.settings.ConnInfoValid);
    EXPECT_EQ(image.settings.NodeId, 5);
    EXPECT_EQ(image.settings.ReadAppCount, 4);
    for (int k = 0; k < 29; ++k) {
        EXPECT_EQ(image.words.ReadBlock0Words[k], before.Word(0, 10 + k)) << "block 0 word " << k;
    }
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(image.words.ReadBlock1Words[k], before.Word(1, k)) << "block 1 word " << k;
    }
}

TEST_F(ReadFixture, NegativeWordsAreTypedBackAsTheConsoleShowedThem) {
    Eeprom e = gatewaysim::DefaultEeprom();
    e.SetWord(1, 2, 4294967295u);
    e.SetWord(1, 3, 2147483648u);
    Connect(e);
    ASSERT_EQ(Read(), ReadOutcome::Completed);
    const auto lines = testing::SentLines(port.written);
    EXPECT_EQ(lines[45 + 2], "-1");
    EXPECT_EQ(lines[45 + 3], "-2147483648");
    EXPECT_EQ(image.words.ReadBlock1Words[2], 4294967295u);
    EXPECT_EQ(gateway->Image(), e);
}

class SilentFromLine : public ReadFixture, public ::testing::WithParamInterface<int> {};

// Whichever step the console stops answering at, the read reports a timeout, releases the port
// and leaves the gateway's EEPROM untouched.
TEST_P(SilentFromLine, ReportsTimeoutAndChangesNothing) {
    const Eeprom before = gatewaysim::DefaultEeprom();
    Connect(before, "6420RT", {.silentFromLine = GetParam()});
    EXPECT_EQ(Read(), ReadOutcome::Timeout);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"Timeout", "Error"}}));
    EXPECT_EQ(view.statuses.back(), "Timeout");
    ExpectReleasedAfterFailure();
    EXPECT_EQ(gateway->Image(), before);
}

INSTANTIATE_TEST_SUITE_P(EveryLine, SilentFromLine, ::testing::Range(1, kReadLines + 1));

class GarbageAtLine : public ReadFixture, public ::testing::WithParamInterface<int> {};

TEST_P(GarbageAtLine, FailsTheReadInsteadOfTypingZeroBack) {
    const Eeprom before = gatewaysim::DefaultEeprom();
    Connect(before, "6420RT", {.garbageAtLine = GetParam()});
    EXPECT_EQ(Read(), ReadOutcome::Timeout);
    EXPECT_EQ(gateway->Image(), before);
    ExpectReleasedAfterFailure();
}

// The first firmware word, a block 0 word, the last block 0 word and a block 1 word.
INSTANTIATE_TEST_SUITE_P(WordLines, GarbageAtLine, ::testing::Values(9, 20, 42, 48));

struct ModuleCase {
    const char* name;
    const char* module;
    ReadOutcome outcome;
    const char* prompt;
};

class ModuleCheck : public ReadFixture, public ::testing::WithParamInterface<ModuleCase> {};

TEST_P(ModuleCheck, IdentifiesTheControllerByItsPrompt) {
    Connect(gatewaysim::DefaultEeprom(), GetParam().module);
    EXPECT_EQ(Read(), GetParam().outcome);
    if (GetParam().outcome == ReadOutcome::ForeignModule) {
        EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"This modules is not 6420RT!", "Error"}}));
        EXPECT_EQ(view.statuses.back(), "Timeout");
        ExpectReleasedAfterFailure();
        // Nothing past the module check was typed.
        EXPECT_EQ(testing::SentLines(port.written).size(), 6u);
    } else {
        EXPECT_EQ(image.settings.ModulePrompt, GetParam().prompt);
        EXPECT_EQ(testing::SentLines(port.written).back(), "exit");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModuleCheck,
    ::testing::Values(ModuleCase{"RT", "6420RT", ReadOutcome::Completed, "6420RT>"},
                      ModuleCase{"E", "6420e", ReadOutcome::Completed, "6420e>"},
                      ModuleCase{"BothNamesCountAsE", "6420RT-6420e", ReadOutcome::Completed,
                                 "6420e>"},
                      ModuleCase{"Foreign", "7188XB", ReadOutcome::ForeignModule, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadFixture, SixFourTwentyEPromptEndsTheRead) {
    Connect(gatewaysim::DefaultEeprom(), "6420e");
    ASSERT_EQ(Read(), ReadOutcome::Completed);
    EXPECT_EQ(view.moduleKind, ModuleKind::K6420e);
}

TEST_F(ReadFixture, FirmwareMonthThirteenWarnsAndDefaultsAValidBlock) {
    Eeprom e = gatewaysim::DefaultEeprom();
    e.SetWord(0, 1, 2004u * 65536u + 13u * 256u + 9u);
    Connect(e);
    ASSERT_EQ(Read(), ReadOutcome::Completed);
    EXPECT_TRUE(image.settings.ConfigWrong);
    EXPECT_EQ(image.settings.FwMonth, 0);
    EXPECT_EQ(image.settings.NodeId, 1);
    EXPECT_EQ(view.firmwareText, "1.05-2004/00/09");
    EXPECT_EQ(
        boxes.shown,
        (std::vector<ShownBox>{{"The configuration stored in EEPROM is wrong!", "Warnning"}}));
}

TEST_F(ReadFixture, BlankEepromConnectsWithDefaultsAndTheWarning) {
    Connect(Eeprom{});
    ASSERT_EQ(Read(), ReadOutcome::Completed);
    EXPECT_TRUE(image.settings.ConfigWrong);
    EXPECT_FALSE(image.settings.ConnInfoValid);
    EXPECT_EQ(image.settings.ComTimeout, 200);
    EXPECT_EQ(image.settings.ComCheckByte, 174);
    EXPECT_EQ(view.progress, (std::vector<int>{0, 1, 2, 4, 5, 7, 9}))
        << "no progress 6 when word 0 already fails";
    EXPECT_EQ(boxes.shown.size(), 1u);
    // The warning comes after the connected look, before the file commands and the CAN panel.
    EXPECT_EQ(view.events, (std::vector<std::string>{"pressed", "reading look", "connected look",
                                                     "file commands", "can panel"}));
}

TEST_F(ReadFixture, PortThatCannotOpenChangesNothingElse) {
    port.openResult = {OpenStatus::CannotOpen, "No such file or directory"};
    image.settings.NodeId = 42;
    EXPECT_EQ(Read(), ReadOutcome::CannotOpen);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"Can't open COM 1!", "Error"}}));
    EXPECT_EQ(view.events, (std::vector<std::string>{"pressed"}));
    EXPECT_TRUE(view.statuses.empty());
    EXPECT_EQ(image.settings.NodeId, 42);
    EXPECT_FALSE(session.Busy);
}

TEST_F(ReadFixture, PortHeldByAnotherProgramIsReportedAsOccupied) {
    port.openResult = {OpenStatus::Occupied, "Permission error while locking the device"};
    EXPECT_EQ(Read(), ReadOutcome::Occupied);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"COM 1 has been occupied", "Error"}}));
    EXPECT_EQ(view.statuses, (std::vector<std::string>{"COM 1 has been occupied"}));
    ExpectReleasedAfterFailure();
}

TEST_F(ReadFixture, PortFailingMidReadShowsItsDescription) {
    Connect(gatewaysim::DefaultEeprom());
    port.faultText = "Input/output error";
    port.faultAtUs = clock.nowUs + 40'000;
    EXPECT_EQ(Read(), ReadOutcome::PortError);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"Input/output error", ""}}));
    EXPECT_EQ(view.statuses.back(), "");
    ExpectReleasedAfterFailure();
}

TEST_F(ReadFixture, BusyRefusesWithoutTouchingThePort) {
    session.Busy = true;
    EXPECT_EQ(Read(), ReadOutcome::Refused);
    EXPECT_EQ(port.opens, 0);
    EXPECT_TRUE(session.Busy);
    EXPECT_EQ(view.events, (std::vector<std::string>{"pressed"}));
}

TEST_F(ReadFixture, PortResolvesThroughTheEnvironment) {
    const auto bound = ResolvePort(12, [](const std::string& name) -> std::optional<std::string> {
        if (name == "TAVRIN_COM12") {
            return "/tmp/sim12";
        }
        return std::nullopt;
    });
    EXPECT_EQ(bound.device, "/tmp/sim12");
    EXPECT_EQ(bound.Label(), "COM 12");
    EXPECT_EQ(ResolvePort(12, NoEnv).device, "/dev/ttyS11");
    EXPECT_EQ(ParsePortArgument("16", NoEnv)->number, 16);
    EXPECT_FALSE(ParsePortArgument("17", NoEnv));
    EXPECT_FALSE(ParsePortArgument("0", NoEnv));
    EXPECT_EQ(ParsePortArgument("/dev/ttyUSB0", NoEnv)->Label(), "/dev/ttyUSB0");
}

}  // namespace
}  // namespace tavrin
