#include "SimConsole.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "EepromFile.h"

namespace gatewaysim {
namespace {

// Everything the console puts on the line for `events`, in order.
std::string Sent(const std::vector<ConsoleEvent>& events) {
    std::string out;
    for (const ConsoleEvent& e : events) {
        if (e.kind != ConsoleEvent::Kind::Line) {
            out += e.text;
        }
    }
    return out;
}

// Types one line and returns what follows its echo.
std::string AnswerTo(SimConsole& console, const std::string& line) {
    const std::string out = Sent(console.Feed(line + "\r"));
    const std::string echo = line + "\r\n";
    EXPECT_EQ(out.substr(0, echo.size()), echo) << "echo of '" << line << "'";
    return out.size() < echo.size() ? std::string() : out.substr(echo.size());
}

struct Step {
    std::string line;
    std::string answer;
};

struct DialogueCase {
    std::string name;
    std::string module;
    std::vector<Step> steps;
};

void PrintTo(const DialogueCase& c, std::ostream* os) {
    *os << c.name;
}

class DialogueTest : public testing::TestWithParam<DialogueCase> {};

TEST_P(DialogueTest, AnswersEveryLine) {
    SimConsole console(DefaultEeprom(), GetParam().module);
    for (const Step& step : GetParam().steps) {
        EXPECT_EQ(AnswerTo(console, step.line), step.answer) << "line '" << step.line << "'";
    }
}

const std::string kEe = "[EEPROM:]";

INSTANTIATE_TEST_SUITE_P(Console, DialogueTest,
                         testing::Values(DialogueCase{"MainCommands",
                                                      "6420RT",
                                                      {{"", "6420RT>"},
                                                       {"exit", "6420RT>"},
                                                       {"/q", "6420RT>"},
                                                       {"  exit  ", "6420RT>"},
                                                       {".", "Unknown command\r\n6420RT>"},
                                                       {"block 0", "Unknown command\r\n6420RT>"},
                                                       {"exitx", "Unknown command\r\n6420RT>"}}},
                                         DialogueCase{"ModuleNameInPrompts",
                                                      "6420e",
                                                      {{"exit", "6420e>"},
                                                       {"use eeprom", kEe},
                                                       {"exit", "6420e>"},
                                                       {"", "6420e>"}}},
                                         DialogueCase{"EepromCommands",
                                                      "6420RT",
                                                      {{"use  eeprom ", kEe},
                                                       {"", kEe},
                                                       {"/q", kEe},
                                                       {".", kEe},
                                                       {"block 1", kEe},
                                                       {"block 0", kEe},
                                                       {"block 2", "No such block\r\n" + kEe},
                                                       {"block -1", "No such block\r\n" + kEe},
                                                       {"block", "No such block\r\n" + kEe},
                                                       {"use eeprom", "Unknown command\r\n" + kEe},
                                                       {"exit", "6420RT>"}}},
                                         DialogueCase{"BadAddresses",
                                                      "6420RT",
                                                      {{"use eeprom", kEe},
                                                       {"el 2", "Bad address\r\n" + kEe},
                                                       {"el 256", "Bad address\r\n" + kEe},
                                                       {"el -4", "Bad address\r\n" + kEe},
                                                       {"el x", "Bad address\r\n" + kEe},
                                                       {"el", "Bad address\r\n" + kEe},
                                                       {"el 252", "Long(252)=0-->"}}},
                                         DialogueCase{"WordDisplaysAreSigned",
                                                      "6420RT",
                                                      {{"use eeprom", kEe},
                                                       {"el 0", "Long(0)=261-->"},
                                                       {"", "Long(0)=261-->"},
                                                       {".", kEe},
                                                       {"el 40", "Long(40)=28573804-->"},
                                                       {"/q", kEe},
                                                       {"el 0", "Long(0)=261-->"},
                                                       {"-1", "Long(4)=131334921-->"},
                                                       {".", kEe},
                                                       {"el 0", "Long(0)=-1-->"}}},
                                         DialogueCase{"BlockSelectionIsKept",
                                                      "6420RT",
                                                      {{"use eeprom", kEe},
                                                       {"block 1", kEe},
                                                       {"exit", "6420RT>"},
                                                       {"use eeprom", kEe},
                                                       {"el 4", "Long(4)=17040131-->"},
                                                       {".", kEe},
                                                       {"block 0", kEe},
                                                       {"el 4", "Long(4)=131334921-->"}}},
                                         DialogueCase{"EditLeavesAtEndOfBlock",
                                                      "6420RT",
                                                      {{"use eeprom", kEe},
                                                       {"el 248", "Long(248)=0-->"},
                                                       {"1", "Long(252)=0-->"},
                                                       {"2", kEe},
                                                       {"exit", "6420RT>"}}}),
                         [](const auto& info) { return info.param.name; });

TEST(SimConsoleTest, EchoGoesOutBeforeTheAnswer) {
    SimConsole console(DefaultEeprom());
    const std::vector<ConsoleEvent> expected = {
        {ConsoleEvent::Kind::Echo, "exit\r\n", 1},
        {ConsoleEvent::Kind::Line, "exit", 1},
        {ConsoleEvent::Kind::Answer, "6420RT>", 1},
    };
    EXPECT_EQ(console.Feed("exit\r"), expected);
}

TEST(SimConsoleTest, ByteByByteInputGivesTheSameOutputAndIgnoresLineFeeds) {
    const std::string script = "exit\r\nuse eeprom\rel 40\r\n5\r.\rexit\r";
    SimConsole whole(DefaultEeprom());
    SimConsole bytewise(DefaultEeprom());
    std::string bytewiseOut;
    for (char c : script) {
        bytewiseOut += Sent(bytewise.Feed(std::string(1, c)));
    }
    const std::string expected =
        "exit\r\n6420RT>use eeprom\r\n[EEPROM:]el "
        "40\r\nLong(40)=28573804-->5\r\nLong(44)=1835020-->"
        ".\r\n[EEPROM:]exit\r\n6420RT>";
    EXPECT_EQ(Sent(whole.Feed(script)), expected);
    EXPECT_EQ(bytewiseOut, expected);
    EXPECT_EQ(bytewise.Image(), whole.Image());
}

// A console in the word editor at block 0, byte 40, counting persisted stores.
struct ConsoleEditTest : testing::Test {
    int stores = 0;
    Eeprom persisted;
    SimConsole console{DefaultEeprom(), "6420RT", {}, [this](const Eeprom& e) {
                           ++stores;
                           persisted = e;
                       }};
    void SetUp() override {
        AnswerTo(console, "use eeprom");
        AnswerTo(console, "el 40");
    }
};

TEST_F(ConsoleEditTest, ReadWalkAnsweringEachWordWithItsOwnValueKeepsTheImage) {
    std::string shown = "Long(40)=28573804-->";
    for (int address = 40; address <= 156; address += 4) {
        const std::string prefix = "Long(" + std::to_string(address) + ")=";
        ASSERT_EQ(shown.substr(0, prefix.size()), prefix);
        const std::string value = shown.substr(prefix.size(), shown.size() - prefix.size() - 3);
        shown = AnswerTo(console, value);
    }
    EXPECT_EQ(shown, "Long(160)=0-->");
    EXPECT_EQ(AnswerTo(console, "."), "[EEPROM:]");
    EXPECT_EQ(console.Image(), DefaultEeprom());
    EXPECT_EQ(stores, 30);
}

TEST_F(ConsoleEditTest, WriteWalkStoresSignedValuesAsUnsignedWords) {
    const struct {
        std::string typed;
        std::uint32_t stored;
    } values[] = {
        {"5", 5u},
        {"-1", 4294967295u},
        {"-2147483648", 2147483648u},
        {"2147483647", 2147483647u},
        {"   -7", 4294967289u},
        {"0007", 7u},
    };
    int index = 10;
    for (const auto& v : values) {
        const int next = index + 1;
        const std::string expected =
            "Long(" + std::to_string(next * 4) +
            ")=" + std::to_string(static_cast<std::int32_t>(DefaultEeprom().Word(0, next))) + "-->";
        EXPECT_EQ(AnswerTo(console, v.typed), expected) << v.typed;
        EXPECT_EQ(console.Image().Word(0, index), v.stored) << v.typed;
        index = next;
    }
    EXPECT_EQ(stores, 6);
    EXPECT_EQ(persisted, console.Image());
    EXPECT_EQ(console.Image().Word(0, index), DefaultEeprom().Word(0, index));
}

TEST_F(ConsoleEditTest, LeavingTheEditorStoresNothing) {
    for (const std::string leave : {".", "/q"}) {
        EXPECT_EQ(AnswerTo(console, leave), "[EEPROM:]");
        EXPECT_EQ(console.CurrentMode(), SimConsole::Mode::Eeprom);
        AnswerTo(console, "el 40");
    }
    EXPECT_EQ(stores, 0);
    EXPECT_EQ(console.Image(), DefaultEeprom());
}

TEST_F(ConsoleEditTest, InvalidValuesStoreNothingAndShowTheWordAgain) {
    for (const std::string bad : {"abc", "2147483648", "-2147483649", "99999999999999999999", "12x",
                                  "1 2", "+5", "--1", "-", "0x10", "exit"}) {
        EXPECT_EQ(AnswerTo(console, bad), "Invalid value\r\nLong(40)=28573804-->") << bad;
    }
    EXPECT_EQ(stores, 0);
    EXPECT_EQ(console.Image(), DefaultEeprom());
    EXPECT_EQ(console.CurrentMode(), SimConsole::Mode::Edit);
}

TEST(SimConsoleTest, AStuckWordTakesTheValueButKeepsItsOwn) {
    SimConsole console(DefaultEeprom(), "6420RT", {.stuck = {{1, 8}}});
    AnswerTo(console, "use eeprom");
    AnswerTo(console, "el 8");  // block 0: not stuck
    EXPECT_EQ(AnswerTo(console, "77"),
              "Long(12)=" + std::to_string(static_cast<std::int32_t>(DefaultEeprom().Word(0, 3))) +
                  "-->");
    EXPECT_EQ(console.Image().Word(0, 2), 77u);
    AnswerTo(console, ".");
    AnswerTo(console, "block 1");
    AnswerTo(console, "el 8");
    AnswerTo(console, "77");
    EXPECT_EQ(console.Image().Word(1, 2), DefaultEeprom().Word(1, 2));
}

struct GarbageCase {
    int garbageAt;
    std::vector<Step> steps;
};

void PrintTo(const GarbageCase& c, std::ostream* os) {
    *os << "garbage at line " << c.garbageAt;
}

class GarbageTest : public testing::TestWithParam<GarbageCase> {};

TEST_P(GarbageTest, FirstWordShownFromTheLineOnIsGarbledOnce) {
    SimConsole console(DefaultEeprom(), "6420RT", {.garbageAtLine = GetParam().garbageAt});
    for (const Step& step : GetParam().steps) {
        EXPECT_EQ(AnswerTo(console, step.line), step.answer) << "line '" << step.line << "'";
    }
}

INSTANTIATE_TEST_SUITE_P(Console, GarbageTest,
                         testing::Values(
                             // Line 1 shows no word; the first display after it is garbled.
                             GarbageCase{1,
                                         {{"use eeprom", "[EEPROM:]"},
                                          {"el 40", "Long(40)=?x#-->"},
                                          {"", "Long(40)=28573804-->"}}},
                             GarbageCase{3,
                                         {{"use eeprom", "[EEPROM:]"},
                                          {"el 40", "Long(40)=28573804-->"},
                                          {"28573804", "Long(44)=?x#-->"},
                                          {"1835020", "Long(48)=327936-->"},
                                          {"", "Long(48)=327936-->"}}}));

TEST(SimConsoleTest, SilentFromLineSendsNothingAndIgnoresInput) {
    SimConsole console(DefaultEeprom(), "6420RT", {.silentFromLine = 2});
    EXPECT_EQ(AnswerTo(console, "exit"), "6420RT>");
    const auto events = console.Feed("use eeprom\r");
    const std::vector<ConsoleEvent> onlyTheLine = {{ConsoleEvent::Kind::Line, "use eeprom", 2}};
    EXPECT_EQ(events, onlyTheLine);
    EXPECT_EQ(Sent(console.Feed("exit\r")), "");
    EXPECT_EQ(console.CurrentMode(), SimConsole::Mode::Main);
}

}  // namespace
}  // namespace gatewaysim
