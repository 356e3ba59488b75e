// The connection wizard's opening without its window: which choices come back from the stored
// connection words, when they start from "None" instead, and the messages in the window's order.
#include "eds/WizardStart.h"

#include <gtest/gtest.h>

#include "RecordingReadView.h"

namespace tavrin {
namespace {

using testing::ShownBox;

constexpr Word kTop = 16777216u;  // the list position sits in the top byte of a path word

// The working table after a good read: DO 13 bits, AO 2 registers, DI 16 bits, AI 5 registers
// (10 bytes, too long for a Bit-Strobe response). Output list: None, Assembly 01, Assembly 02,
// DO App.01, AO App.02; input list: None, Assembly 03, Assembly 04, DI App.03, AI App.04.
ConfigImage ReadGateway() {
    ConfigImage image;
    const AppObject objects[] = {
        {1, 0, 0, 0, 13}, {2, 1, 0, 100, 2}, {3, 2, 0, 0, 16}, {4, 3, 0, 10, 5}};
    for (const AppObject& o : objects) {
        image.working.AppObjects[image.working.AppCount++] = o;
        image.working.IOTotals[o.IOType] += o.MBCL;
    }
    image.settings.ConnInfoValid = true;
    return image;
}

struct Case {
    const char* name;
    // Top bytes of block 1 words 1..3 (produced paths) and 4 (Poll consumed path).
    std::array<Word, 4> stored;
    bool configWrong;
    bool connInfoValid;
    RestoreResult restored;
    bool strobeRefused;
    std::array<int, 3> inputs;  // InputSel after the opening
    int pollOutput;
    std::vector<Notice> boxes;
};

class WizardStartTest : public ::testing::TestWithParam<Case> {};

TEST_P(WizardStartTest, RestoresOrResetsTheChoices) {
    const Case& c = GetParam();
    ConfigImage image = ReadGateway();
    image.settings.ConfigWrong = c.configWrong;
    image.settings.ConnInfoValid = c.connInfoValid;
    for (int i = 0; i < 4; ++i) {
        image.words.Block1Words[i + 1] = c.stored[i] * kTop + 4u * 65536u + 3u;
    }
    ConnectionSelections selections;
    selections.OutputSel = {9, 7, 6, 0};  // left from an earlier opening
    const WizardStart start = StartWizard(image, selections);

    EXPECT_EQ(start.outputs.size(), 5u);
    EXPECT_EQ(start.inputs.at(4), "I : 04(AI,App.04)");
    EXPECT_EQ(start.assemblies.InputAssemblies[1].Length, 10);
    EXPECT_EQ(start.restored, c.restored);
    EXPECT_EQ(start.strobeRefused, c.strobeRefused);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(selections.InputSel[i], c.inputs[i]) << i;
    }
    EXPECT_EQ(selections.OutputSel[kPollConnection], c.pollOutput);
    // Nobody chooses the Bit-Strobe and COS/Cyclic consumed paths; the opening leaves them.
    EXPECT_EQ(selections.OutputSel[kStrobeConnection], 7);
    EXPECT_EQ(selections.OutputSel[kCosCyclicConnection], 6);

    EXPECT_EQ(StartMessages(start), c.boxes);
}

const Notice kNewSettingBox{"This is a new Setting for XQV gateway", ""};
const Notice kEepromErrorBox{"EEPROM ERROR,We show the default value.", ""};
const Notice kStrobeBox{"Error! The selected data length > 8 bytes", "Error"};

INSTANTIATE_TEST_SUITE_P(
    Table, WizardStartTest,
    ::testing::Values(Case{"Restored",
                           {1, 3, 4, 2},
                           false,
                           true,
                           RestoreResult::Restored,
                           false,
                           {1, 3, 4},
                           2,
                           {}},
                      Case{"NothingStored",
                           {0, 0, 0, 0},
                           false,
                           true,
                           RestoreResult::Restored,
                           false,
                           {0, 0, 0},
                           0,
                           {}},
                      Case{"LastEntriesFit",
                           {4, 0, 4, 4},
                           false,
                           true,
                           RestoreResult::Restored,
                           false,
                           {4, 0, 4},
                           4,
                           {}},
                      Case{"InputBeyondTheList",
                           {5, 1, 1, 1},
                           false,
                           true,
                           RestoreResult::EepromError,
                           false,
                           {0, 0, 0},
                           0,
                           {kEepromErrorBox}},
                      Case{"OutputBeyondTheList",
                           {1, 1, 1, 5},
                           false,
                           true,
                           RestoreResult::EepromError,
                           false,
                           {0, 0, 0},
                           0,
                           {kEepromErrorBox}},
                      Case{"Defaulted",
                           {1, 1, 1, 1},
                           true,
                           false,
                           RestoreResult::NewSetting,
                           false,
                           {0, 0, 0},
                           0,
                           {kNewSettingBox}},
                      Case{"ObjectsEdited",
                           {1, 1, 1, 1},
                           false,
                           false,
                           RestoreResult::NewSetting,
                           false,
                           {0, 0, 0},
                           0,
                           {kNewSettingBox}},
                      // Assembly 04 (the AI object, 10 bytes) and the AI object itself are too long
                      // for the Bit-Strobe response; the other choices stay.
                      Case{"StrobeAssemblyTooLong",
                           {2, 2, 2, 1},
                           false,
                           true,
                           RestoreResult::Restored,
                           true,
                           {2, 0, 2},
                           1,
                           {kStrobeBox}},
                      Case{"StrobeObjectTooLong",
                           {3, 4, 1, 3},
                           false,
                           true,
                           RestoreResult::Restored,
                           true,
                           {3, 0, 1},
                           3,
                           {kStrobeBox}},
                      Case{"StrobeDigitalObjectFits",
                           {0, 3, 0, 0},
                           false,
                           true,
                           RestoreResult::Restored,
                           false,
                           {0, 3, 0},
                           0,
                           {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FitsStrobeResponse, EightBytesFitNineDoNot) {
    ConfigImage image = ReadGateway();
    image.working.AppObjects[2].MBCL = 64;  // DI of 64 bits: 8 bytes
    image.working.IOTotals[2] = 64;
    const AssemblyTables tables = DeriveAssemblies(image.working);
    EXPECT_TRUE(FitsStrobeResponse(3, "I : 03(DI,App.03)", image, tables));
    EXPECT_TRUE(FitsStrobeResponse(1, "I : 01(Assembly 03)", image, tables));
    EXPECT_TRUE(FitsStrobeResponse(0, "None", image, tables));
    image.working.AppObjects[2].MBCL = 65;
    EXPECT_FALSE(FitsStrobeResponse(3, "I : 03(DI,App.03)", image, tables));
    EXPECT_FALSE(FitsStrobeResponse(4, "I : 04(AI,App.04)", image, tables));
}

}  // namespace
}  // namespace tavrin
