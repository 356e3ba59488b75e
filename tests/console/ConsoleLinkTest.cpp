#include <gtest/gtest.h>

#include "../support/FakeConsoleHardware.h"
#include "console/ConsoleLink.h"
#include "console/PortFault.h"

namespace tavrin {
namespace {

using testing::Chunk;

// A far end that echoes each character and answers each line with the given chunks.
class LinkFixture : public ::testing::Test {
protected:
    LinkFixture() {
        port.Open("/dev/fake");
        port.farEnd = [this](std::string_view bytes) {
            std::vector<Chunk> out;
            if (bytes == "\r") {
                out = answer;
            }
            return out;
        };
    }

    std::int64_t ElapsedMs(std::int64_t startUs) const { return (clock.nowUs - startUs) / 1000; }

    testing::FakeClock clock;
    testing::ScriptedPort port{clock};
    testing::FakePump pump{clock, port};
    ConsoleLink link{port, clock, pump};
    std::vector<Chunk> answer;
};

TEST_F(LinkFixture, TypesTheCommandAndACarriageReturnOnly) {
    answer = {{1000, "\r\n[EEPROM:]"}};
    EXPECT_TRUE(link.SendAndWait("use eeprom", "[EEPROM:]"));
    EXPECT_EQ(port.written, "use eeprom\r");
}

TEST_F(LinkFixture, MarkerSplitAcrossChunksIsFound) {
    answer = {{1000, "exit\r\n6420RT[EEP"}, {3000, "ROM"}, {5000, ":]"}};
    EXPECT_TRUE(link.SendAndWait("exit", "[EEPROM:]"));
    EXPECT_EQ(link.ConsoleReply(), "exit\r\n6420RT");
}

TEST_F(LinkFixture, TextAfterTheMarkerIsDropped) {
    answer = {{1000, "\r\n6420RT>tail that is lost"}};
    EXPECT_TRUE(link.SendAndWait("", ">"));
    EXPECT_EQ(link.ConsoleReply(), "\r\n6420RT");
}

TEST_F(LinkFixture, BlanksAtChunkEdgesAreLost) {
    answer = {{1000, " a "}, {2000, " b >"}};
    EXPECT_TRUE(link.SendAndWait("", ">"));
    EXPECT_EQ(link.ConsoleReply(), "ab ") << "the blank inside a chunk stays";
}

TEST_F(LinkFixture, EmptyMarkerAlwaysWaitsOutTheWindow) {
    answer = {{1000, "6420RT>"}};
    const auto start = clock.nowUs;
    EXPECT_FALSE(link.SendAndWait("", ""));
    EXPECT_GE(ElapsedMs(start), kConsoleTimeoutMs);
    EXPECT_EQ(link.ConsoleReply(), "6420RT>");
}

TEST_F(LinkFixture, WhatArrivedBeforeTheCommandIsDiscarded) {
    answer = {{0, "stale>"}};
    port.Write("\r");
    clock.nowUs += 1000;
    ASSERT_GT(port.BytesWaiting(), 0u);
    answer = {{1000, "fresh>"}};
    EXPECT_TRUE(link.SendAndWait("", ">"));
    EXPECT_EQ(link.ConsoleReply(), "fresh");
}

struct WindowCase {
    const char* name;
    std::int64_t delayUs;  // after the carriage return was written
    bool arrives;
    ConsoleTiming timing{};
};

class AnswerWindow : public LinkFixture, public ::testing::WithParamInterface<WindowCase> {};

// The 200 ms window opens once the command has left the port and one pacing step has passed.
TEST_P(AnswerWindow, CountsFromTheEndOfTheCommand) {
    link.SetTiming(GetParam().timing);
    answer = {{GetParam().delayUs, "\r\n6420RT>"}};
    EXPECT_EQ(link.SendAndWait("exit", ">"), GetParam().arrives);
    answer = {{GetParam().delayUs, "Long(40)=5-->"}};
    std::int32_t value = 0;
    EXPECT_EQ(link.SendAndReadValue("el 40", "Long(40)=", value), GetParam().arrives);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AnswerWindow,
    ::testing::Values(WindowCase{"Prompt", 1000, true}, WindowCase{"JustInside", 200'000, true},
                      WindowCase{"JustOutside", 202'000, false},
                      WindowCase{"WideJustInside", 1'000'000, true, {1, 1000}},
                      WindowCase{"WideJustOutside", 1'002'000, false, {1, 1000}},
                      WindowCase{"SlowPaceShiftsIt", 204'000, true, {5, 200}}),
    [](const auto& info) { return std::string(info.param.name); });

struct LateWakeCase {
    const char* name;
    bool answerLeftInTheDriver;  // the stall ends before the port took the answer in
    std::int64_t answerDelayUs;
    bool found;
};

class LateWake : public LinkFixture, public ::testing::WithParamInterface<LateWakeCase> {};

// The process is kept off the processor from 5 ms into the window until 400 ms: an answer that
// came meanwhile is still read, one that comes after the wake-up is missing.
TEST_P(LateWake, ReadsWhatArrivedBeforeGivingUp) {
    port.takenOnlyInEventPasses = true;
    pump.stallAfterDelivery = GetParam().answerLeftInTheDriver;
    const auto stall = [this] {
        pump.stallAtUs = clock.nowUs + 6000;
        pump.stallUs = 400'000;
    };
    answer = {{GetParam().answerDelayUs, "\r\n6420RT>"}};
    stall();
    EXPECT_EQ(link.SendAndWait("", ">"), GetParam().found);
    answer = {{GetParam().answerDelayUs, "Long(40)=5-->"}};
    stall();
    std::int32_t value = 0;
    EXPECT_EQ(link.SendAndReadValue("", "Long(40)=", value), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LateWake,
    ::testing::Values(LateWakeCase{"AnswerTakenInDuringTheStall", false, 100'000, true},
                      LateWakeCase{"AnswerLeftInTheDriver", true, 100'000, true},
                      LateWakeCase{"AnswerAfterTheWakeUp", true, 600'000, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkFixture, ReadValueSplitAfterTheKeyStillParses) {
    answer = {{1000, " 28573804\r\nLong(44)="}, {2000, " 1835020 "}, {3000, "-->"}};
    std::int32_t value = 0;
    EXPECT_TRUE(link.SendAndReadValue(" 28573804", "Long(44)=", value));
    EXPECT_EQ(value, 1835020);
}

TEST_F(LinkFixture, MissingKeyFailsAsSoonAsTheArrowComes) {
    answer = {{2000, "Long(40)=5-->"}};
    std::int32_t value = 42;
    const auto start = clock.nowUs;
    EXPECT_FALSE(link.SendAndReadValue("el 40", "Long(44)=", value));
    EXPECT_LT(ElapsedMs(start), 20);
    EXPECT_EQ(value, 42);
}

TEST_F(LinkFixture, NumberThatIsNotAWordFailsTheStep) {
    for (const char* shown : {"Long(40)=?x#-->", "Long(40)=2147483648-->"}) {
        answer = {{1000, shown}};
        std::int32_t value = 42;
        EXPECT_FALSE(link.SendAndReadValue("el 40", "Long(40)=", value)) << shown;
        EXPECT_EQ(value, 42);
    }
}

TEST_F(LinkFixture, OutputThatNeverLeavesThePortFails) {
    port.stuckOutputBytes = 1;
    answer = {{1000, ">"}};
    EXPECT_FALSE(link.SendAndWait("", ">"));
    std::int32_t value = 0;
    EXPECT_FALSE(link.SendAndReadValue("el 0", "Long(0)=", value));
}

TEST_F(LinkFixture, RefusedWriteFails) {
    port.refuseWrites = true;
    EXPECT_FALSE(link.SendAndWait("exit", ">"));
}

TEST_F(LinkFixture, PortFaultWhileWaitingIsThrown) {
    port.faultText = "Input/output error";
    port.faultAtUs = clock.nowUs + 50'000;
    EXPECT_THROW(link.SendAndWait("exit", ">"), PortFault);
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(LinkFixture, CharactersArePaced) {
    for (const int paceMs : {ConsoleTiming{}.paceMs, 5}) {
        link.SetTiming({paceMs, kConsoleTimeoutMs});
        answer = {{1000, ">"}};
        const auto start = clock.nowUs;
        EXPECT_TRUE(link.SendAndWait("block 0", ">"));
        // Seven characters and the pacing step after the carriage return, each one pace.
        EXPECT_GE(clock.nowUs - start, 8 * paceMs * 1000) << paceMs;
    }
}

}  // namespace
}  // namespace tavrin
