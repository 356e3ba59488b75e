// The fault matrix: every step of the three console jobs a user starts from the windows (Connect
// on the main window, Finish in the connection wizard, File > "Export To EEP"), each met by every
// console fault at that step, end to end over a pseudo-terminal against the simulator program
// through Tavrin's real serial path. FaultSteps.h lists the steps and why each row ends as it
// does. Each row starts its own simulator; a read row opens its own main window, the write rows
// of one program share a window connected once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
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
#include "PortWindow.h"
#include "ShardedRun.h"
#include "WholeFile.h"
#include "appobj/editor/IOAppOForm.h"
#include "config/WordArithmetic.h"
#include "eds/ui/XQVEdsSetForm.h"

namespace tavrin::testing {
namespace {

using gatewaysim::Eeprom;

constexpr int kBlock0FirstWord = 10;  // byte 40

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> SimArgs(const Row& row, const std::string& transcript) {
    const std::string n = std::to_string(row.step);
    std::vector<std::string> args = {"--transcript", transcript};
    auto add = [&args](std::initializer_list<std::string> more) { args.insert(args.end(), more); };
    switch (row.fault) {
        case Fault::Silent:
            add({"--silent-from", n});
            break;
        case Fault::SlowInside:
            add({"--slow-at", n, "--slow-ms", std::to_string(kSlowInsideMs)});
            break;
        case Fault::SlowOutside:
            add({"--slow-at", n, "--slow-ms", std::to_string(kSlowOutsideMs)});
            break;
        case Fault::HangUp:
            add({"--hangup-at", n});
            break;
        case Fault::Garbage:
            add({"--garbage-at", n});
            break;
        case Fault::SplitMarker:
            add({"--split-marker-at", n});
            break;
    }
    return args;
}

// The lines the simulator received, in order, without the blanks at their edges.
std::vector<std::string> ReceivedLines(const std::string& transcriptPath) {
    std::istringstream in(ReadWholeFile(transcriptPath));
    std::vector<std::string> lines;
    for (std::string entry; std::getline(in, entry);) {
        const auto stampEnd = entry.find(' ');
        if (stampEnd != std::string::npos && entry.compare(stampEnd, 3, " < ") == 0) {
            lines.push_back(Trim(entry.substr(stampEnd + 3)));
        } else if (stampEnd != std::string::npos && entry.substr(stampEnd) == " <") {
            lines.emplace_back();
        }
    }
    return lines;
}

std::vector<std::string> FirstLines(std::vector<std::string> lines, int count) {
    lines.resize(std::min<std::size_t>(lines.size(), static_cast<std::size_t>(count)));
    for (auto& line : lines) {
        line = Trim(line);
    }
    return lines;
}

// One word a write types: where it goes in the EEPROM and its value.
struct TypedWord {
    int block;
    int index;
    Word value;
};

std::vector<TypedWord> TypedWords(const Block0Array& block0, int block0Count,
                                  const Block1Array& block1) {
    std::vector<TypedWord> words;
    for (int k = 0; k < block0Count; ++k) {
        words.push_back({0, kBlock0FirstWord + k, block0[k]});
    }
    for (int k = 0; k < kBlock1Words; ++k) {
        words.push_back({1, k, block1[k]});
    }
    return words;
}

std::vector<std::string> WriteLines(const std::vector<TypedWord>& words, int block0Count) {
    std::vector<std::string> lines = {"/q", "exit", ".", "exit", "use eeprom", "block 0", "el 40"};
    for (int k = 0; k < block0Count; ++k) {
        lines.push_back(Trim(SignedText(words[k].value)));
    }
    lines.insert(lines.end(), {".", "block 1", "el 0"});
    for (int k = 0; k < kBlock1Words; ++k) {
        lines.push_back(Trim(SignedText(words[block0Count + k].value)));
    }
    lines.insert(lines.end(), {".", "exit"});
    return lines;
}

// The gateway a write starts from: the shipped image with a marker word at every place the write
// types into, so that each stored word shows, even one that would equal the old value.
Eeprom BeforeWrite(int block0Count) {
    Eeprom e = gatewaysim::defaultEeprom();
    Word marker = 0xA5A5A500u;
    for (int k = 0; k < block0Count; ++k) {
        e.setWord(0, kBlock0FirstWord + k, marker++);
    }
    for (int k = 0; k < kBlock1Words; ++k) {
        e.setWord(1, k, marker++);
    }
    return e;
}

Eeprom AfterWrite(Eeprom e, const std::vector<TypedWord>& words, int stored) {
    for (int i = 0; i < stored; ++i) {
        e.setWord(words[i].block, words[i].index, words[i].value);
    }
    return e;
}

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
void ExpectFailureBox(const PortWindow& w, const Row& row, const std::string& timeoutTitle) {
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
void ExpectReleased(const PortWindow& w) {
    EXPECT_FALSE(w.port.IsOpen());
    EXPECT_FALSE(w.image.Busy);
    EXPECT_TRUE(w.c().Connect->isEnabled());
    EXPECT_TRUE(w.c().ComPort->isEnabled());
    EXPECT_TRUE(w.c().EixtProgram->isEnabled());
    EXPECT_FALSE(w.Shown(w.c().ConnectProgress));
}

// "connected" in the window's state table.
void ExpectConnectedLook(const PortWindow& w) {
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
    const Eeprom before = gatewaysim::defaultEeprom();
    gatewaysim::saveEeprom(eepromPath, before);
    SimProcess sim(eepromPath, SimArgs(row, transcript));
    PortWindow w;
    w.device = sim.device();

    w.c().Connect->click();
    sim.Stop();

    EXPECT_EQ(ReceivedLines(transcript), FirstLines(ExpectedReadLines(before), row.linesSent));
    EXPECT_EQ(gatewaysim::loadEeprom(eepromPath), before) << "a read must store nothing new";
    if (row.outcome == Outcome::Success) {
        EXPECT_TRUE(w.boxes.shown.empty());
        EXPECT_EQ(w.c().CommunicationState->text(), QStringLiteral("Waiting for configuration"));
        ExpectConnectedLook(w);
        EXPECT_TRUE(w.Shown(w.c().CANNodeId));
        EXPECT_EQ(w.form.Panels().ShownPanel(), 0);
        EXPECT_EQ(w.c().FirmwareVer->text(), QStringLiteral("1.05-2004/03/09"));
        for (int k = 0; k < kBlock0ConfigWords; ++k) {
            EXPECT_EQ(w.image.ReadBlock0Words[k], before.word(0, kBlock0FirstWord + k));
        }
        for (int k = 0; k < kBlock1Words; ++k) {
            EXPECT_EQ(w.image.ReadBlock1Words[k], before.word(1, k));
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

std::unique_ptr<PortWindow> g_connected;

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

PortWindow& ConnectedWindow() {
    if (!g_connected) {
        auto w = std::make_unique<PortWindow>();
        ScratchDir scratch;
        const std::string eepromPath = scratch.File("eeprom.bin");
        gatewaysim::saveEeprom(eepromPath, gatewaysim::defaultEeprom());
        SimProcess sim(eepromPath);
        w->device = sim.device();
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
XQVEdsSetForm* OpenFreshWizard(PortWindow& w) {
    if (XQVEdsSetForm* old = w.form.Wizard()) {
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
WriteRun RunWrite(PortWindow& w, const Row& row, Job job) {
    const int block0Count = Block0Count(row.job);
    ScratchDir scratch;
    const std::string eepromPath = scratch.File("eeprom.bin");
    const std::string transcript = scratch.File("transcript.log");
    WriteRun run;
    run.before = BeforeWrite(block0Count);
    gatewaysim::saveEeprom(eepromPath, run.before);
    SimProcess sim(eepromPath, SimArgs(row, transcript));
    w.device = sim.device();
    w.boxes.shown.clear();
    run.typed = job();
    sim.Stop();
    run.after = gatewaysim::loadEeprom(eepromPath);
    run.received = ReceivedLines(transcript);
    return run;
}

void ExpectStored(const WriteRun& run, const Row& row) {
    const int block0Count = Block0Count(row.job);
    EXPECT_EQ(run.received, FirstLines(WriteLines(run.typed, block0Count), row.linesSent));
    for (const TypedWord& word : run.typed) {
        ASSERT_NE(word.value, run.before.word(word.block, word.index))
            << "every typed word must differ from the word it replaces";
    }
    const Eeprom expected = AfterWrite(run.before, run.typed, row.wordsStored);
    for (int block = 0; block < Eeprom::kBlocks; ++block) {
        for (int index = 0; index < Eeprom::kWordsPerBlock; ++index) {
            EXPECT_EQ(run.after.word(block, index), expected.word(block, index))
                << "block " << block << " word " << index;
        }
    }
}

class FinishFaults : public ::testing::TestWithParam<Row> {};

TEST_P(FinishFaults, EndsAsTheStepAndFaultDecide) {
    const Row& row = GetParam();
    PortWindow& w = ConnectedWindow();
    XQVEdsSetForm* wizard = OpenFreshWizard(w);
    ASSERT_NE(wizard, nullptr);
    const std::string folder = w.programDir.path();
    RemoveEdsFiles(folder);

    const WriteRun run = RunWrite(w, row, [&] {
        wizard->Controls().FinishDeviceSet->click();
        return TypedWords(w.image.Block0Words, kBlock0SettingsWords, w.image.Block1Words);
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
    PortWindow& w = ConnectedWindow();
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

// The offscreen platform warns about window size hints on every window it shows.
void QuietSizeHintWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && message.contains(QStringLiteral("propagateSizeHints"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace
}  // namespace tavrin::testing

int main(int argc, char** argv) {
    if (const int result = tavrin::testing::RunAsShards(argc, argv); result >= 0) {
        return result;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(tavrin::testing::QuietSizeHintWarnings);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    tavrin::testing::g_connected.reset();  // windows go before the application object
    return result;
}
