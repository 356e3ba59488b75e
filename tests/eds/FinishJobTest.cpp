#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../gatewaysim/TempDir.h"
#include "../support/FakeConsoleHardware.h"
#include "../support/RecordingReadView.h"
#include "../support/SimulatedGateway.h"
#include "EepromFile.h"
#include "eds/ConnectionChoices.h"
#include "eds/EdsFile.h"
#include "eds/FinishJob.h"

namespace tavrin {
namespace {

using gatewaysim::Eeprom;
using testing::ShownBox;

std::string FileContents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The block 0 word at byte 40 + 4k and the block 1 word at byte 4k as the gateway holds them.
Word StoredBlock0(const Eeprom& e, int k) {
    return e.Word(0, kBlock0FirstAddress / 4 + k);
}

class FinishFixture : public ::testing::Test {
protected:
    FinishFixture() {
        image.settings.ModulePrompt = "6420RT>";
        image.settings.NodeId = 5;
        image.settings.FwMajor = 1;
        image.settings.FwMinor = 5;
        // A table the user has just edited: a digital input object and an analog output object.
        image.working.AppObjects[0] = {1, 2, 0, 0, 16};
        image.working.AppObjects[1] = {2, 1, 0, 100, 2};
        image.working.AppCount = 2;
        image.working.IOTotals = {0, 2, 16, 0};
        image.settings.ConnInfoValid = false;
        assemblies = DeriveAssemblies(image.working);
        selections.InputSel = {2, 1, 0, 0};
        selections.OutputSel = {1, 0, 0, 0};
        choices.inputTexts = {"I : 02(DI,App.01)", "I : 01(Assembly 02)", "None"};
        choices.outputTexts = {"O : 01(Assembly 01)", "", ""};
        choices.description = "Line 3 packer";
        choices.author = "J. Okafor";
    }

    void StartGateway(gatewaysim::ConsoleFaults faults = {}) {
        gateway = std::make_unique<testing::SimulatedGateway>(port, before, "6420RT", faults);
    }

    FinishOutcome Finish(const std::string& folder) {
        FinishContext context{session, ResolvePort(1, NoEnv), assemblies, selections, folder,
                              status};
        return StoreAndProduceEds(context, choices);
    }

    std::string EdsPath() const { return dir.File("RODAR_ 5.eds"); }
    static std::optional<std::string> NoEnv(const std::string&) { return std::nullopt; }

    ConfigImage image;
    AssemblyTables assemblies;
    ConnectionSelections selections;
    FinishChoices choices;
    testing::FakeClock clock;
    testing::ScriptedPort port{clock};
    testing::FakePump pump{clock, port};
    testing::RecordingBoxes boxes;
    testing::RecordingWriteView status{boxes};
    ConsoleSession session{image, port, clock, pump};
    Eeprom before = gatewaysim::DefaultEeprom();
    std::unique_ptr<testing::SimulatedGateway> gateway;
    gatewaysim::TempDir dir;
};

TEST_F(FinishFixture, StoresTheEncodedWordsThenWritesTheEdsFileOfWhatWasStored) {
    StartGateway();
    ASSERT_EQ(Finish(dir.Path().string()), FinishOutcome::Completed);

    const Eeprom& after = gateway->Image();
    for (int k = 0; k < kBlock0ConfigWords; ++k) {
        EXPECT_EQ(StoredBlock0(after, k), image.words.Block0Words[k]) << "block 0 word " << k;
    }
    for (int k = 0; k < kBlock1Words; ++k) {
        EXPECT_EQ(after.Word(1, k), image.words.Block1Words[k]) << "block 1 word " << k;
    }
    EXPECT_EQ(image.words.Block1Words[1], 40108310u);
    EXPECT_EQ(image.settings.AppLayer, 1);
    EXPECT_EQ(image.settings.CfgYear, 2026);
    EXPECT_EQ(image.settings.CfgSecond, 3);

    const EdsContent content{choices.description, choices.author, image.settings, image.working,
                             assemblies,          selections,     clock.localTime};
    EXPECT_EQ(FileContents(EdsPath()), EdsFileText(content));
    EXPECT_EQ(status.statuses.back(), kEdsProduced);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(session.Busy);
    EXPECT_FALSE(port.IsOpen());

    // The image now describes the gateway, so the next wizard load restores these choices.
    EXPECT_TRUE(image.settings.ConnInfoValid);
    EXPECT_EQ(image.settings.ReadAppCount, 2);
    EXPECT_EQ(image.settings.ReadAppObjects, image.working.AppObjects);
    ConnectionSelections restored;
    EXPECT_EQ(RestoreSelections(image, 3, 1, restored), RestoreResult::Restored);
    EXPECT_EQ(restored.InputSel, selections.InputSel);
    EXPECT_EQ(restored.OutputSel[0], selections.OutputSel[0]);
}

TEST_F(FinishFixture, UneditedObjectsStayAsStoredAndOnlyTheSettingsAreWritten) {
    image.settings.ConnInfoValid = true;
    StartGateway();
    ASSERT_EQ(Finish(dir.Path().string()), FinishOutcome::Completed);
    const Eeprom& after = gateway->Image();
    for (int k = 0; k < kBlock0SettingsWords; ++k) {
        EXPECT_EQ(StoredBlock0(after, k), image.words.Block0Words[k]) << "block 0 word " << k;
    }
    for (int k = kBlock0SettingsWords; k < kBlock0ConfigWords; ++k) {
        EXPECT_EQ(StoredBlock0(after, k), StoredBlock0(before, k)) << "block 0 word " << k;
    }
}

TEST_F(FinishFixture, AnEdsFileThatCannotBeWrittenIsReportedAfterTheStore) {
    StartGateway();
    const std::string missing = dir.File("no such folder");
    ASSERT_EQ(Finish(missing), FinishOutcome::EdsFailed);

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("RODAR_ 5.eds"), std::string::npos) << boxes.shown[0].text;
    EXPECT_EQ(boxes.shown[0].title, "");
    EXPECT_EQ(status.statuses.back(), "");
    EXPECT_EQ(std::count(status.statuses.begin(), status.statuses.end(), kEdsProduced), 0);
    EXPECT_FALSE(session.Busy);
    EXPECT_FALSE(port.IsOpen());
    // The configuration is in the gateway all the same.
    EXPECT_EQ(gateway->Image().Word(1, 1), 40108310u);
}

TEST_F(FinishFixture, AFailedWriteLeavesNoEdsFileAndTheConsoleReleased) {
    for (const int silentFrom : {1, 12, 40, 45}) {
        session.Busy = false;
        port.written.clear();
        StartGateway({silentFrom, 0});
        EXPECT_EQ(Finish(dir.Path().string()), FinishOutcome::WriteFailed) << silentFrom;
        EXPECT_FALSE(session.Busy);
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(std::filesystem::exists(EdsPath()));
        EXPECT_EQ(status.statuses.back(), "Timeout");
        EXPECT_FALSE(image.settings.ConnInfoValid);
    }
}

TEST_F(FinishFixture, ABusyConsoleRefusesWithoutTouchingAnything) {
    StartGateway();
    session.Busy = true;
    EXPECT_EQ(Finish(dir.Path().string()), FinishOutcome::Refused);
    EXPECT_TRUE(port.written.empty());
    EXPECT_TRUE(session.Busy);
    EXPECT_FALSE(std::filesystem::exists(EdsPath()));
}

// The folder is checked before the port is opened: a folder where the file cannot be created
// leaves the gateway untouched, says which file and why, and writes no file.
TEST_F(FinishFixture, AnEdsFolderThatCannotTakeTheFileRefusesBeforeAnythingIsTyped) {
    StartGateway();
    SystemFolders folders;
    const std::string missing = dir.File("no such folder");
    FinishContext context{session, ResolvePort(1, NoEnv), assemblies, selections, missing, status};
    context.edsCheck = &folders;
    EXPECT_EQ(StoreAndProduceEds(context, choices), FinishOutcome::FolderRefused);
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(port.opens, 0);
    EXPECT_EQ(boxes.shown,
              (std::vector<ShownBox>{{"Can't write " + missing +
                                          "/RODAR_ 5.eds: No such file or directory\n"
                                          "Nothing was written to the gateway. Choose a folder "
                                          "you may write for the EDS file, then press Finish "
                                          "again.",
                                      ""}}));
    EXPECT_EQ(context.edsFailure, boxes.shown[0].text);
    EXPECT_FALSE(session.Busy);
    EXPECT_TRUE(gateway->Image() == before);
}

}  // namespace
}  // namespace tavrin
