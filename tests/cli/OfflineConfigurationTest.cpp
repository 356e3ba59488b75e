// Configurations without a gateway: the firmware revision, opening files as a Connect opens a
// gateway (and refusing those that are no configuration), and saving an opened file unchanged.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <string>
#include <vector>

#include "WholeFile.h"
#include "appobj/WorkingTable.h"
#include "cli/QuillonFileKeys.h"
#include "console/ConsoleMessages.h"
#include "eds/WizardStart.h"
#include "offline/ApplyConfig.h"
#include "offline/ApplyWorking.h"
#include "offline/ConfigurationFile.h"
#include "offline/ConfigurationJson.h"
#include "offline/OfflineFinish.h"

namespace tavrin {
namespace {

constexpr LocalDateTime kStamp{2026, 11, 30, 8, 15, 0};

struct Scratch {
    QTemporaryDir dir;
    std::string File(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
};

TEST(FirmwareRevision, TakesMajorPointTwoDigitMinor) {
    struct Case {
        const char* text;
        std::optional<FirmwareRevision> expected;
    };
    const std::vector<Case> cases{
        {"1.05", FirmwareRevision{1, 5}},
        {" 2.10 ", FirmwareRevision{2, 10}},
        {"255.255", FirmwareRevision{255, 255}},
        {"0.00", FirmwareRevision{0, 0}},
        {"1.5", std::nullopt},
        {"1.050", FirmwareRevision{1, 50}},
        {"256.00", std::nullopt},
        {"1.256", std::nullopt},
        {"1", std::nullopt},
        {"", std::nullopt},
        {"1.05x", std::nullopt},
        {"-1.05", std::nullopt},
        {".05", std::nullopt},
        {"1.0005", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseFirmwareRevision(c.text), c.expected) << c.text;
    }
    EXPECT_EQ(FirmwareRevisionText({1, 5}), "1.05");
    EXPECT_EQ(FirmwareRevisionText({2, 100}), "2.100");
}

// The words apply stores for the example file with kStamp.
ConfigWords ExampleWords() {
    const ApplyFileCheck check = CheckApplyFile(TAVRIN_APPLY_EXAMPLE);
    ConfigImage image;
    ConfigWords words;
    std::string refusal;
    EXPECT_TRUE(check.Valid());
    EXPECT_TRUE(FinishWordsOf(check.settings, image, words, refusal, kStamp)) << refusal;
    return words;
}

// Files that are no configuration: the existing checks' texts, and nothing opened.
TEST(OfflineConfiguration, FilesThatAreNoConfigurationAreRefused) {
    Scratch scratch;
    cli::QuillonFileKeys ini;
    std::string example = testing::ReadWholeFile(TAVRIN_APPLY_EXAMPLE);
    struct Case {
        const char* name;
        std::string text;
        const char* fault;
    };
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = example;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::vector<Case> cases{
        {"a.json", "not json", "line 1, column 2: not valid JSON (illegal value)"},
        {"b.json", replaced("\"nodeId\": 12", "\"nodeId\": 64"),
         "can.nodeId: Node ID is not supported!(1~63)"},
        {"c.json", replaced("\"eds\"", "\"firmware\": {\"revision\": \"1.5\"}, \"eds\""),
         "firmware.revision: \"1.5\" is not a firmware revision major.minor such as 1.05 (each "
         "0..255, the minor with two digits)"},
        {"d.ini", "[EEPB_0]\nAdd0=1\n", "[EEPB_0] Add1 is missing or empty"},
        {"e.ini", "", "[EEPB_0] Add0 is missing or empty"},
    };
    for (const Case& c : cases) {
        const std::string path = scratch.File(c.name);
        testing::WriteWholeFile(path, c.text);
        const ConfigurationOpening result = OpenConfigurationFile(ini, path, kStamp);
        EXPECT_FALSE(result.opened) << c.name;
        ASSERT_FALSE(result.faults.empty()) << c.name;
        EXPECT_EQ(result.faults.front(), c.fault) << c.name;
    }
}

// Words that decode to a wrong configuration open as the defaults, with the Connect's warning.
TEST(OfflineConfiguration, WrongWordsOpenAsTheDefaultsWithTheWarning) {
    Scratch scratch;
    cli::QuillonFileKeys ini;
    ConfigWords words = ExampleWords();
    words.block0[5] = 0xFFFFFFFFu;  // no COM setting the gateway knows
    const std::string path = scratch.File("wrong.ini");
    ASSERT_TRUE(SaveParameterFileWords(ini, path, words));
    const ConfigurationOpening result = OpenConfigurationFile(ini, path, kStamp);
    ASSERT_TRUE(result.opened);
    const OpenedConfiguration& opened = *result.opened;
    const std::vector<Notice> warning{{msg::kConfigWrong, msg::kConfigWarningTitle}};
    EXPECT_EQ(opened.notices, warning);
    EXPECT_TRUE(opened.image.settings.ConfigWrong);
    EXPECT_FALSE(opened.image.settings.ConnInfoValid);
    EXPECT_EQ(opened.image.settings.NodeId, 1);
    EXPECT_EQ(opened.image.settings.ComTimeout, 200);
    EXPECT_EQ(opened.image.words.AsRead().block0, words.block0);
    EXPECT_EQ(ConfigurationToJson(opened.image, std::nullopt).text.find("\"nodeId\": 1,") !=
                  std::string::npos,
              true);
}

// A file opened and finished without a change, at the moment it was stamped with, saves the very
// words it holds: the stored objects stay as they are when the editor changed none.
TEST(OfflineConfiguration, AnOpenedFileFinishedUnchangedGivesItsWords) {
    Scratch scratch;
    cli::QuillonFileKeys ini;
    const ConfigWords words = ExampleWords();
    const std::string path = scratch.File("job.ini");
    ASSERT_TRUE(SaveParameterFileWords(ini, path, words));
    for (const std::string& opened : {path, std::string(TAVRIN_APPLY_EXAMPLE)}) {
        ConfigurationOpening result = OpenConfigurationFile(ini, opened, kStamp);
        ASSERT_TRUE(result.opened) << opened;
        ConfigImage& image = result.opened->image;
        EXPECT_TRUE(result.opened->notices.empty());
        WorkingTable(image).Load();
        ConnectionSelections selections;
        const WizardStart start = StartWizard(image, selections);
        EXPECT_EQ(start.restored, RestoreResult::Restored);
        FinishChoices choices;
        for (int i = 0; i < kConnectionTypes; ++i) {
            choices.inputTexts[i] = start.inputs[static_cast<std::size_t>(selections.InputSel[i])];
        }
        choices.outputTexts[0] = start.outputs[static_cast<std::size_t>(selections.OutputSel[0])];
        EXPECT_EQ(OfflineFinishWords(image, start.assemblies, selections, choices, kStamp), words)
            << opened;
    }
}

}  // namespace
}  // namespace tavrin
