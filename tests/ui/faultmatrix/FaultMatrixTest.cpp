// The fault matrix: every step of the three console jobs a user starts from the windows (Connect
// on the main window, Finish in the connection wizard, File > "Export To EEP"), each met by every
// console fault at that step, end to end over a pseudo-terminal against the simulator program
// through Tavrin's real serial path. FaultSteps.h lists the steps and why each row ends as it
// does. Each row starts its own simulator; a read row opens its own main window, the write rows
// of one program share a window connected once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <sstream>

#include "EepromFile.h"
#include "ExpectedDialogue.h"
#include "FaultSteps.h"
#include "GatewayRecord.h"
#include "PtyWindowRig.h"
#include "WholeFile.h"
#include "appobj/editor/AppObjectEditor.h"
#include "config/WordArithmetic.h"
#include "eds/ui/ConnectionWizard.h"

namespace tavrin::testing {
namespace {

using gatewaysim::Eeprom;

bool AnyEdsFile(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".eds") {
            return true;
        }
    }
    return false;
}

void RemoveEdsFiles(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".eds") {
            std::filesystem::remove(entry.path());
        }
    }
}

// The one box of a failed job. A port that fails under a job shows the port's own error text.
void ExpectFailureBox(const PtyWindowRig& w, const Row& row, const std::string& timeoutTitle) {
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    const ShownBox& box = w.boxes.shown[0];
    EXPECT_EQ(box.buttons, BoxButtons::Ok);
    if (row.outcome == Outcome::Timeout) {
        EXPECT_EQ(box.text, "Timeout");
        EXPECT_EQ(box.title, timeoutTitle);
        EXPECT_EQ(w.c().CommunicationState->text(), QStringLiteral("Timeout"));
    } else {
        // The line drops while the job waits for an answer: the read side sees it first, as an
        // end of file or as the device gone, depending on timing.
        EXPECT_THAT(box.text, ::testing::AnyOf("Cannot read from the serial port",
                                               "The serial port is no longer available"));
        EXPECT_EQ(box.title, "");
        EXPECT_EQ(w.c().CommunicationState->text(), QString());
    }
}

// Part of the window's state table that every end of a job shares: the console released.
void ExpectReleased(const PtyWindowRig& w) {
    EXPECT_FALSE(w.port.IsOpen());
    EXPECT_FALSE(w.form.Session().Busy);
    EXPECT_TRUE(w.c().Connect->isEnabled());
    EXPECT_TRUE(w.c().ComPort->isEnabled());
    EXPECT_TRUE(w.c().ExitProgramButton->isEnabled());
    EXPECT_FALSE(w.Shown(w.c().ConnectProgress));
}

// "connected" in the window's state table.
void ExpectConnectedLook(const PtyWindowRig& w) {
    ExpectReleased(w);
    EXPECT_TRUE(w.form.Connected());
    EXPECT_TRUE(w.c().CreateMBDevice->isEnabled());
    EXPECT_TRUE(w.c().ImportToINI->isEnabled());
    EXPECT_TRUE(w.c().ExportToEEP->isEnabled());
}

// --- The read started by Connect: a fresh window and gateway per row.

class ReadFaults : public ::testing::TestWithParam<Row> {};

TEST_P(ReadFaults, EndsAsTheStepAndFaultDecide) {
    const Row& row = GetParam();
    ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    const std::string transcript = scratch.File("transcript.log");
    const Eeprom before = gatewaysim::DefaultEeprom();
    gatewaysim::SaveEeprom(eepromPath, before);
    SimProcess sim(eepromPath, SimArgs(row, transcript));
    PtyWindowRig w(sim);
    w.boxes.answer = BoxAnswer::No;

    w.c().Connect->click();
    sim.Stop();

    EXPECT_EQ(ReceivedLines(transcript), FirstLines(ExpectedReadLines(before), row.linesSent));
    EXPECT_EQ(gatewaysim::LoadEeprom(eepromPath), before) << "a read must store nothing new";
    if (row.outcome == Outcome::Success) {
        EXPECT_TRUE(w.boxes.shown.empty());
        EXPECT_EQ(w.c().CommunicationState->text(), QStringLiteral("Waiting for configuration"));
        ExpectConnectedLook(w);
        EXPECT_TRUE(w.Shown(w.c().CANNodeId));
        EXPECT_EQ(w.form.Panels().ShownPanel(), 0);
        EXPECT_EQ(w.c().FirmwareVer->text(), QStringLiteral("1.05-2004/03/09"));
        for (int k = 0; k < kBlock0ConfigWords; ++k) {
            EXPECT_EQ(w.image.words.ReadBlock0Words[k], before.Word(0, kBlock0FirstWord + k));
        }
        for (int k = 0; k < kBlock1Words; ++k) {
            EXPECT_EQ(w.image.words.ReadBlock1Words[k], before.Word(1, k));
        }
        return;
    }
    ExpectFailureBox(w, row, "Error");
    // "read failed": Next off until a read succeeds, the file menu as at load, panels hidden.
    ExpectReleased(w);
    EXPECT_FALSE(w.form.Connected());
    EXPECT_FALSE(w.c().CreateMBDevice->isEnabled());
    EXPECT_FALSE(w.c().ImportToINI->isEnabled());
    EXPECT_FALSE(w.c().ExportToEEP->isEnabled());
    EXPECT_FALSE(w.Shown(w.c().CANNodeId));
    EXPECT_FALSE(w.Shown(w.c().ComButton[0]));
    EXPECT_TRUE(w.c().FirmwareVer->text().isEmpty());
}

// --- The writes: one window per program, connected once to a gateway without faults.

std::unique_ptr<PtyWindowRig> g_connected;

// Block 0 words for "Export To EEP": no two alike, and the two words whose typed form is the
// extreme of the signed range.
std::string ParameterFileText(std::vector<Word>& words) {
    std::string text = "[EEPB_0]\r\n";
    for (int k = 0; k < 30; ++k) {
        Word word = 1000003u * static_cast<Word>(k + 1);
        if (k == 3) {
            word = 4294967295u;  // typed as -1
        } else if (k == 4) {
            word = 2147483648u;  // typed as -2147483648
        } else if (k == 29) {
            word = 0;  // beyond the configuration area: never typed
        }
        if (k < kBlock0ConfigWords) {
            words.push_back(word);
        }
        text += "Add" + std::to_string(k) + "=" + std::to_string(word) + "\r\n";
    }
    text += "[EEPB_1]\r\n";
    for (int k = 0; k < kBlock1Words; ++k) {
        const Word word = 7000001u * static_cast<Word>(k + 1);
        words.push_back(word);
        text += "Add" + std::to_string(k) + "=" + std::to_string(word) + "\r\n";
    }
    return text;
}

// Every row's gateway is reached through the one port the window connected on, as a cable moved
// on to the next gateway would be: COM 1 opens a link pointed at the row's simulator. (Writes go
// only to the port that was read.)
void AttendOnSamePort(PtyWindowRig& w, const SimProcess& sim) {
    const std::string link = w.programDir.File("COM1");
    std::filesystem::remove(link);
    std::filesystem::create_symlink(sim.Device(), link);
    w.Attend(sim);
    w.device = link;
}

PtyWindowRig& ConnectedWindow() {
    if (!g_connected) {
        auto w = std::make_unique<PtyWindowRig>();
        w->boxes.answer = BoxAnswer::No;
        // Each row is about a write's own dialogue, line by line; the read-back that follows a
        // write is a dialogue of its own, proven by its own tests.
        w->form.SetVerifyWrites(false);
        ScratchDir scratch;
        const std::string eepromPath = scratch.File("eeprom.bin");
        gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
        SimProcess sim(eepromPath);
        AttendOnSamePort(*w, sim);
        w->c().Connect->click();
        if (!w->form.Connected()) {
            throw std::runtime_error("the connect before the writes failed");
        }
        w->boxes.shown.clear();
        g_connected = std::move(w);
    }
    return *g_connected;
}

// A fresh wizard from the editor, as a user reaches it from the main window.
ConnectionWizard* OpenFreshWizard(PtyWindowRig& w) {
    if (ConnectionWizard* old = w.form.Wizard()) {
        old->close();  // back to the editor and its table
    }
    if (w.form.Editor() == nullptr) {
        w.c().CreateMBDevice->click();
    }
    w.form.Editor()->Controls().NextButton->click();
    return w.form.Wizard();
}

struct WriteRun {
    std::vector<TypedWord> typed;
    Eeprom before;
    Eeprom after;
    std::vector<std::string> received;
};

// Starts a fresh gateway for `row`, runs `job` on the shared window, and collects what the
// gateway saw and stored.
template <typename Job>
WriteRun RunWrite(PtyWindowRig& w, const Row& row, Job job) {
    const int block0Count = Block0Count(row.job);
    ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    const std::string transcript = scratch.File("transcript.log");
    WriteRun run;
    run.before = BeforeWrite(block0Count);
    gatewaysim::SaveEeprom(eepromPath, run.before);
    SimProcess sim(eepromPath, SimArgs(row, transcript));
    AttendOnSamePort(w, sim);
    w.boxes.shown.clear();
    run.typed = job();
    sim.Stop();
    run.after = gatewaysim::LoadEeprom(eepromPath);
    run.received = ReceivedLines(transcript);
    return run;
}

void ExpectStored(const WriteRun& run, const Row& row) {
    const int block0Count = Block0Count(row.job);
    EXPECT_EQ(run.received, FirstLines(WriteLines(run.typed, block0Count), row.linesSent));
    for (const TypedWord& word : run.typed) {
        ASSERT_NE(word.value, run.before.Word(word.block, word.index))
            << "every typed word must differ from the word it replaces";
    }
    const Eeprom expected = AfterWrite(run.before, run.typed, row.wordsStored);
    for (int block = 0; block < Eeprom::kBlocks; ++block) {
        for (int index = 0; index < Eeprom::kWordsPerBlock; ++index) {
            EXPECT_EQ(run.after.Word(block, index), expected.Word(block, index))
                << "block " << block << " word " << index;
        }
    }
}

class FinishFaults : public ::testing::TestWithParam<Row> {};

TEST_P(FinishFaults, EndsAsTheStepAndFaultDecide) {
    const Row& row = GetParam();
    PtyWindowRig& w = ConnectedWindow();
    ConnectionWizard* wizard = OpenFreshWizard(w);
    ASSERT_NE(wizard, nullptr);
    const std::string folder = w.programDir.Path();
    RemoveEdsFiles(folder);

    const WriteRun run = RunWrite(w, row, [&] {
        wizard->Controls().FinishDeviceSet->click();
        return TypedWords(w.image.words.Block0Words, kBlock0SettingsWords,
                          w.image.words.Block1Words);
    });

    ExpectStored(run, row);
    ExpectConnectedLook(w);
    if (row.outcome == Outcome::Success) {
        EXPECT_TRUE(w.boxes.shown.empty());
        EXPECT_EQ(w.c().CommunicationState->text(), QStringLiteral("Produce EDS File OK"));
        EXPECT_EQ(w.form.Wizard(), nullptr);
        EXPECT_EQ(w.form.Editor(), nullptr);
        EXPECT_TRUE(w.form.isVisible());
        EXPECT_TRUE(AnyEdsFile(folder));
        return;
    }
    ExpectFailureBox(w, row, "");
    // The wizard stays, ready for another Finish; no EDS file describes a job not stored.
    ASSERT_EQ(w.form.Wizard(), wizard);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_TRUE(wizard->Controls().BackButton->isEnabled());
    EXPECT_TRUE(wizard->Controls().FinishDeviceSet->isEnabled());
    EXPECT_FALSE(AnyEdsFile(folder));
}

class ExportFaults : public ::testing::TestWithParam<Row> {};

TEST_P(ExportFaults, EndsAsTheStepAndFaultDecide) {
    const Row& row = GetParam();
    PtyWindowRig& w = ConnectedWindow();
    std::vector<Word> fileWords;
    const std::string path = w.programDir.File("5310G_EEP.ini");
    WriteWholeFile(path, ParameterFileText(fileWords));
    const QString statusBefore = w.c().CommunicationState->text();

    const WriteRun run = RunWrite(w, row, [&] {
        w.dialogs.Answer(path);
        w.c().ExportToEEP->trigger();
        Block0Array block0{};
        Block1Array block1{};
        std::copy_n(fileWords.begin(), kBlock0ConfigWords, block0.begin());
        std::copy_n(fileWords.begin() + kBlock0ConfigWords, kBlock1Words, block1.begin());
        return TypedWords(block0, kWholeBlock0Words, block1);
    });

    ExpectStored(run, row);
    ExpectConnectedLook(w);
    // Whether the write was asked for first depends on whether the gateway was read since the
    // last write; the rig answers Yes, and the rows are about what follows.
    w.boxes.shown = w.boxes.Without(kExportTitle);
    EXPECT_TRUE(w.form.isVisible());  // the exit question is answered No
    if (row.outcome == Outcome::Success) {
        // The job is done: the window offers to end the program; the status line is untouched.
        EXPECT_EQ(w.boxes.shown, (std::vector<ShownBox>{{"Are you sure to exit this program?",
                                                         "Exit Query", BoxButtons::YesNo}}));
        EXPECT_EQ(w.c().CommunicationState->text(), statusBefore);
        return;
    }
    ExpectFailureBox(w, row, "");
}

std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(ReadA, ReadFaults, ::testing::ValuesIn(RowShare(Job::Read, 0, 2)),
                         RowName);
INSTANTIATE_TEST_SUITE_P(ReadB, ReadFaults, ::testing::ValuesIn(RowShare(Job::Read, 1, 2)),
                         RowName);
INSTANTIATE_TEST_SUITE_P(Finish, FinishFaults, ::testing::ValuesIn(RowsOf(Job::Finish)), RowName);
INSTANTIATE_TEST_SUITE_P(ExportA, ExportFaults, ::testing::ValuesIn(RowShare(Job::Export, 0, 2)),
                         RowName);
INSTANTIATE_TEST_SUITE_P(ExportB, ExportFaults, ::testing::ValuesIn(RowShare(Job::Export, 1, 2)),
                         RowName);

}  // namespace

void ReleaseSharedWindow() {
    g_connected.reset();
}

}  // namespace tavrin::testing
