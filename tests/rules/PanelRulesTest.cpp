// The parameter panels' rules without a window: reading typed numbers, the range checks of a
// commit, the padded list texts, the toggle state machine and the corrections made when the CAN
// side opens.
#include <gtest/gtest.h>

#include <optional>

#include "FakeConsoleHardware.h"
#include "rules/PanelRules.h"
#include "rules/StartUpDelay.h"

namespace tavrin {
namespace {

struct NumberCase {
    const char* text;
    int appLayer;
    std::optional<int> nodeId;
};

TEST(PanelRules, NodeIdIsTheLeadingNumberRoundedHalfToEvenThenRangeChecked) {
    const NumberCase cases[] = {
        {"1", 0, 1},
        {"127", 0, 127},
        {"127", 1, std::nullopt},
        {"63", 1, 63},
        {"64", 1, std::nullopt},
        {"63.4", 1, 63},
        {"63.6", 1, std::nullopt},
        {"0.4", 1, std::nullopt},
        {"0.5", 1, std::nullopt},
        {"12.5", 1, 12},
        {"1.5", 0, 2},
        {"0", 0, std::nullopt},
        {"", 0, std::nullopt},
        {"abc", 0, std::nullopt},
        {"  7 nodes", 1, 7},
        {"-1", 0, std::nullopt},
        {"+5", 0, 5},
        {"99999999999999999999999", 0, std::nullopt},
        {".9", 0, 1},
        {"127.5", 0, std::nullopt},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(NodeIdFromText(c.text, c.appLayer), c.nodeId)
            << '"' << c.text << "\" layer " << c.appLayer;
    }
}

TEST(PanelRules, TimeoutAcceptsOneTo32767Milliseconds) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"200", 200},        {"1", 1},           {"32767", 32767},       {"32768", std::nullopt},
        {"0", std::nullopt}, {"", std::nullopt}, {"32767.4", 32767},     {"32767.5", std::nullopt},
        {"200 ms", 200},     {"2.5", 2},         {"x200", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(TimeoutFromText(text), expected) << '"' << text << '"';
    }
}

TEST(PanelRules, ListTextsArePaddedSoTheNumbersLineUp) {
    const std::vector<std::string> canOpen = CanRateEntries(0);
    ASSERT_EQ(canOpen.size(), 8u);
    EXPECT_EQ(canOpen[0], "         10    KBPS");
    EXPECT_EQ(canOpen[3], "       125    KBPS");
    EXPECT_EQ(canOpen[7], "     1000    KBPS");
    const std::vector<std::string> deviceNet = CanRateEntries(1);
    ASSERT_EQ(deviceNet.size(), 3u);
    EXPECT_EQ(deviceNet[1], "       250    KBPS");
    EXPECT_EQ(CanRateEntries(2), deviceNet) << "any layer but CANopen is DeviceNet";

    const std::vector<std::string> baud = ComBaudEntries();
    ASSERT_EQ(baud.size(), 8u);
    EXPECT_EQ(baud[0], "            1200   BPS");
    EXPECT_EQ(baud[4], "          19200   BPS");
    EXPECT_EQ(baud[7], "        115200   BPS");
    EXPECT_EQ(TrimBlanks(baud[3]), "9600   BPS");
    EXPECT_EQ(TrimBlanks(ComParityEntries()[0]), "NONE");
}

struct ToggleCase {
    int index;
    bool pressed;
    int shown;
    bool reshow;
    int release;
    bool open;
    bool hide;
    int next;
};

TEST(PanelRules, ToggleClicksSwitchSidesReshowOrHide) {
    const ToggleCase cases[] = {
        // After a connect: the CAN side opens.
        {0, true, kNoPanel, false, -1, true, false, 0},
        // Switching sides releases the other toggle and opens the new side.
        {1, true, 0, false, 0, true, false, 1},
        {0, true, 1, false, 1, true, false, 0},
        // Pressing the same side again only brings its setting frame back.
        {0, true, 0, true, -1, false, false, 0},
        // Releasing hides both setting frames; nothing happens before any side was chosen.
        {0, false, 0, false, -1, false, true, 0},
        {1, false, 0, false, -1, false, true, 1},
        {1, false, kNoPanel, false, -1, false, false, 1},
    };
    for (const ToggleCase& c : cases) {
        const ToggleDecision d = DecideToggleClick(c.index, c.pressed, c.shown);
        SCOPED_TRACE(::testing::Message()
                     << "toggle " << c.index << " pressed " << c.pressed << " shown " << c.shown);
        EXPECT_EQ(d.reshowSettingFrame, c.reshow);
        EXPECT_EQ(d.releaseToggle, c.release);
        EXPECT_EQ(d.openSide, c.open);
        EXPECT_EQ(d.hideSettingFrames, c.hide);
        EXPECT_EQ(d.newShownPanel, c.next);
    }
}

struct OpenCase {
    const char* name;
    int appLayer;
    int nodeId;
    int canBaudIndex;
    bool filledByOption;
    int nodeIdAfter;
    int indexAfter;
    int selected;
};

TEST(PanelRules, OpeningTheCanSideCorrectsWhatItCannotShow) {
    const OpenCase cases[] = {
        {"valid DeviceNet", 1, 5, 1, false, 5, 1, 1},
        {"valid CANopen", 0, 127, 7, false, 127, 7, 7},
        {"node id out of CANopen range", 0, 200, 0, false, 1, 0, 0},
        {"node id out of DeviceNet range", 1, 64, 0, true, 1, 0, 0},
        {"code above 7, list just filled", 0, 3, 9, true, 3, 0, 0},
        {"code above 7, list refilled here", 0, 3, 9, false, 3, 0, -1},
        {"DeviceNet code naming no DeviceNet rate", 1, 3, 5, false, 3, 5, -1},
        {"layer 2 counts as DeviceNet", 2, 63, 2, false, 63, 2, 2},
    };
    for (const OpenCase& c : cases) {
        GatewaySettings image;
        image.AppLayer = static_cast<std::uint8_t>(c.appLayer);
        image.NodeId = static_cast<std::uint8_t>(c.nodeId);
        image.CanBaudIndex = static_cast<std::uint8_t>(c.canBaudIndex);
        const CanSideShown shown = OpenCanSide(image, c.filledByOption);
        EXPECT_EQ(shown.layer, c.appLayer != 0 ? 1 : 0) << c.name;
        EXPECT_EQ(image.NodeId, c.nodeIdAfter) << c.name;
        EXPECT_EQ(image.CanBaudIndex, c.indexAfter) << c.name;
        EXPECT_EQ(shown.selectedRate, c.selected) << c.name;
    }
}

TEST(StartUpDelay, WaitsOneSecondOnTheTickServicingEvents) {
    testing::FakeClock clock;
    clock.nowUs = 86'399'500'000;  // half a second before midnight of the first day
    testing::ScriptedPort port(clock);
    testing::FakePump pump(clock, port);
    const std::int64_t start = clock.TickMs();
    Delay(clock, pump, kSplashTime);
    EXPECT_GE(clock.TickMs() - start, 1000);
    EXPECT_LE(clock.TickMs() - start, 1010);
    EXPECT_GT(pump.services, 50) << "events must keep being serviced while the splash shows";
}

}  // namespace
}  // namespace tavrin
