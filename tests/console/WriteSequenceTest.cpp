#include <gtest/gtest.h>

#include "../support/FakeConsoleHardware.h"
#include "../support/RecordingReadView.h"
#include "../support/SimulatedGateway.h"
#include "EepromFile.h"
#include "console/WriteSequence.h"

namespace tavrin {
namespace {

using gatewaysim::Eeprom;
using testing::ShownBox;

using testing::RecordingWriteView;

// The words written, each with the text the word editor must be given for it. Word 0 is a real
// header word; the others cover the sign boundary and zero.
struct TypedWord {
    Word word;
    const char* text;
};

std::vector<TypedWord> Block0Source() {
    std::vector<TypedWord> words = {
        {28573804u, "28573804"},     {4294967295u, "-1"}, {2147483648u, "-2147483648"},
        {2147483647u, "2147483647"}, {0u, "0"},           {1u, "1"},
        {4294967294u, "-2"}};
    static const char* const kRest[] = {"107", "108", "109", "110", "111", "112", "113", "114",
                                        "115", "116", "117", "118", "119", "120", "121", "122",
                                        "123", "124", "125", "126", "127", "128"};
    Word value = 107;
    for (const char* text : kRest) {
        words.push_back({value++, text});
    }
    words.push_back({555u, "555"});  // element 29 lies outside the area and is never typed
    return words;
}

std::vector<TypedWord> Block1Source() {
    return {{0u, "0"},
            {262147u, "262147"},
            {4294967295u, "-1"},
            {40108310u, "40108310"},
            {2818304u, "2818304"},
            {2147483648u, "-2147483648"},
            {7u, "7"},
            {9u, "9"}};
}

// Line numbers of the dialogue, counted from 1 as the console counts its input lines.
constexpr int kPreambleLines = 7;  // "/q", "exit", ".", "exit", "use eeprom", "block 0", "el 40"

std::vector<std::string> ExpectedWriteLines(int block0Count) {
    std::vector<std::string> lines = {"/q", "exit", ".", "exit", "use eeprom", "block 0", "el 40"};
    const auto block0 = Block0Source();
    for (int k = 0; k < block0Count; ++k) {
        lines.push_back(block0[k].text);
    }
    lines.insert(lines.end(), {".", "block 1", "el 0"});
    const auto block1 = Block1Source();
    for (int k = 0; k < 7; ++k) {
        lines.push_back(block1[k].text);
    }
    lines.insert(lines.end(), {".", "exit"});
    return lines;
}

// What the gateway holds after a write that stopped with line `silentFrom` unanswered (0: none).
Eeprom ExpectedEeprom(Eeprom e, int block0Count, int silentFrom = 0) {
    const auto stored = [&](int line) { return silentFrom == 0 || line < silentFrom; };
    const auto block0 = Block0Source();
    for (int k = 0; k < block0Count; ++k) {
        if (stored(kPreambleLines + 1 + k)) {
            e.SetWord(0, 10 + k, block0[k].word);
        }
    }
    const int firstBlock1Line = kPreambleLines + block0Count + 4;
    const auto block1 = Block1Source();
    for (int k = 0; k < 7; ++k) {
        if (stored(firstBlock1Line + k)) {
            e.SetWord(1, k, block1[k].word);
        }
    }
    return e;
}

// A gateway whose words all differ from the ones written, so an untouched word is recognisable.
Eeprom Before() {
    Eeprom e;
    for (int b = 0; b < Eeprom::kBlocks; ++b) {
        for (int i = 0; i < Eeprom::kWordsPerBlock; ++i) {
            e.SetWord(b, i, 900000u + 100u * b + i);
        }
    }
    return e;
}

class WriteFixture : public ::testing::Test {
protected:
    WriteFixture() { image.settings.ModulePrompt = "6420RT>"; }  // as the last read found it

    void Connect(Eeprom eeprom, std::string module = "6420RT",
                 gatewaysim::ConsoleFaults faults = {}) {
        gateway = std::make_unique<testing::SimulatedGateway>(port, std::move(eeprom),
                                                              std::move(module), faults);
    }

    WriteOutcome Write(int block0Count) {
        Block0Array block0{};
        Block1Array block1{};
        const auto s0 = Block0Source();
        const auto s1 = Block1Source();
        for (std::size_t k = 0; k < block0.size(); ++k) {
            block0[k] = s0[k].word;
        }
        for (std::size_t k = 0; k < block1.size(); ++k) {
            block1[k] = s1[k].word;
        }
        session.Busy = true;  // as both callers do
        return WriteConfiguration(session, ResolvePort(1, NoEnv), {block0, block1}, block0Count,
                                  view);
    }

    static std::optional<std::string> NoEnv(const std::string&) { return std::nullopt; }

    void ExpectReleased() {
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(session.Busy);
    }

    ConfigImage image;
    testing::FakeClock clock;
    testing::ScriptedPort port{clock};
    testing::FakePump pump{clock, port};
    testing::RecordingBoxes boxes;
    RecordingWriteView view{boxes};
    ConsoleSession session{image, port, clock, pump};
    std::unique_ptr<testing::SimulatedGateway> gateway;
};

struct FullCase {
    const char* name;
    int count;    // asked for
    int written;  // block 0 words actually typed
    const char* module;
};

class FullWrite : public WriteFixture, public ::testing::WithParamInterface<FullCase> {};

TEST_P(FullWrite, TypesEveryWordAndTheGatewayHoldsExactlyThem) {
    const FullCase& c = GetParam();
    image.settings.ModulePrompt = std::string(c.module) + ">";
    Connect(Before(), c.module);

    ASSERT_EQ(Write(c.count), WriteOutcome::Completed);

    EXPECT_EQ(testing::SentLines(port.written), ExpectedWriteLines(c.written));
    // Words outside those typed, among them the firmware words and the word at byte 156, keep
    // their old values.
    EXPECT_EQ(gateway->Image(), ExpectedEeprom(Before(), c.written));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(view.statuses.empty());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(session.Busy) << "the caller clears Busy after its own success steps";
}

INSTANTIATE_TEST_SUITE_P(
    Table, FullWrite,
    ::testing::Values(FullCase{"WholeArea", kWholeBlock0Words, 29, "6420RT"},
                      FullCase{"SettingsOnly", kBlock0SettingsWords, 7, "6420RT"},
                      FullCase{"WholeAreaOn6420e", kWholeBlock0Words, 29, "6420e"},
                      FullCase{"CountPastTheAreaHeldTo29", 30, 29, "6420RT"},
                      FullCase{"CountZeroHeldTo1", 0, 1, "6420RT"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriteFixture, ConsoleLeftInTheWordEditorIsBroughtBackFirst) {
    Connect(Before());
    // An earlier sequence stopped with the port open and the console showing a word.
    port.Open("/dev/ttyS0");
    port.Write("use eeprom\rblock 1\rel 8\r");
    pump.Pause(std::chrono::milliseconds(5));
    port.written.clear();

    ASSERT_EQ(Write(kWholeBlock0Words), WriteOutcome::Completed);
    EXPECT_EQ(port.opens, 1) << "an open port is used as it is";
    EXPECT_EQ(testing::SentLines(port.written), ExpectedWriteLines(29));
    EXPECT_EQ(gateway->Image(), ExpectedEeprom(Before(), 29));
}

class SilentFromWriteLine : public WriteFixture, public ::testing::WithParamInterface<int> {};

// Whichever step goes unanswered, the write stops there: nothing more is typed, the words typed
// before it are stored, the user sees "Timeout" and the console is released.
TEST_P(SilentFromWriteLine, StopsWithTimeoutAndReleases) {
    const int silentFrom = GetParam();
    Connect(Before(), "6420RT", {.silentFromLine = silentFrom});

    EXPECT_EQ(Write(kWholeBlock0Words), WriteOutcome::Timeout);

    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"Timeout", ""}}));
    EXPECT_EQ(view.statuses, (std::vector<std::string>{"Timeout"}));
    ExpectReleased();
    // The preamble's first three answers are not checked; its last "exit" is.
    const auto all = ExpectedWriteLines(29);
    const std::size_t typed = std::max(silentFrom, 4);
    EXPECT_EQ(testing::SentLines(port.written),
              std::vector<std::string>(all.begin(), all.begin() + typed));
    EXPECT_EQ(gateway->Image(), ExpectedEeprom(Before(), 29, silentFrom));
}

// Preamble, EEPROM mode, block 0 and its editor, the first, a middle and the last block 0 word,
// the ".", block 1 and its editor, its first and last word, and the closing "." and "exit".
INSTANTIATE_TEST_SUITE_P(Steps, SilentFromWriteLine,
                         ::testing::Values(1, 4, 5, 6, 7, 8, 20, 36, 37, 38, 39, 40, 46, 47, 48));

TEST_F(WriteFixture, PromptOfAnotherModuleAtTheEndIsATimeout) {
    Connect(Before(), "6420e");  // the last read found a 6420RT
    EXPECT_EQ(Write(kWholeBlock0Words), WriteOutcome::Timeout);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"Timeout", ""}}));
    ExpectReleased();
    // Every word was acknowledged and stored before the final "exit" went unrecognised.
    EXPECT_EQ(gateway->Image(), ExpectedEeprom(Before(), 29));
}

struct OpenCase {
    const char* name;
    OpenResult open;
    WriteOutcome outcome;
    std::vector<ShownBox> boxes;
    std::vector<std::string> statuses;  // empty: the status line is left as it was
};

class PortWontOpen : public WriteFixture, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(PortWontOpen, ReportsAndReleasesWithoutTyping) {
    const OpenCase& c = GetParam();
    port.openResult = c.open;

    EXPECT_EQ(Write(kWholeBlock0Words), c.outcome);

    EXPECT_EQ(boxes.shown, c.boxes);
    EXPECT_EQ(view.statuses, c.statuses);
    EXPECT_TRUE(port.written.empty());
    ExpectReleased();
}

INSTANTIATE_TEST_SUITE_P(
    Table, PortWontOpen,
    ::testing::Values(OpenCase{"Missing",
                               {OpenStatus::CannotOpen, "No such file or directory"},
                               WriteOutcome::CannotOpen,
                               {{"Can't open COM 1!", "Warning"}},
                               {}},
                      OpenCase{"HeldByAnotherProgram",
                               {OpenStatus::Occupied, "Permission error while locking"},
                               WriteOutcome::Occupied,
                               {{"COM 1 has been occupied", ""}},
                               {"COM 1 has been occupied"}},
                      OpenCase{"OtherError",
                               {OpenStatus::Failed, "Unsupported operation"},
                               WriteOutcome::PortError,
                               {{"Unsupported operation", ""}},
                               {""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriteFixture, PortFailingMidWriteShowsItsDescription) {
    Connect(Before());
    port.faultText = "Input/output error";
    // Past the preamble's two unanswerable waits, inside block 0.
    port.faultAtUs = clock.nowUs + 480'000;

    EXPECT_EQ(Write(kWholeBlock0Words), WriteOutcome::PortError);

    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"Input/output error", ""}}));
    EXPECT_EQ(view.statuses, (std::vector<std::string>{""}));
    ExpectReleased();
    const auto lines = testing::SentLines(port.written);
    EXPECT_GT(lines.size(), 7u);
    EXPECT_LT(lines.size(), 36u);
}

}  // namespace
}  // namespace tavrin
