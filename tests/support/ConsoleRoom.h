// The answer window the tests give the console when the test is not about the window: answers
// that come are taken at once whatever the window, so a generous one costs nothing, and a
// simulator or a Tavrin held off the processor for a while (a loaded machine, a sanitizer build)
// cannot turn a good answer into a timeout.
#pragma once

#include <string>
#include <vector>

#include "console/ConsoleTiming.h"

namespace tavrin::testing {

inline constexpr int kRoomyAnswerWindowMs = kMaxAnswerWindowMs;
inline constexpr ConsoleTiming kRoomyTiming{ConsoleTiming{}.paceMs, kRoomyAnswerWindowMs};

// tavrin-cli runs in a process of its own, which no test clock of this process reaches. The runs
// that are not about the window take tavrin-cli-quiet (support/QuietCliMain.cpp): the program's
// command line with its console watched as the in-process rigs watch theirs, given the same
// generous window. A window it waits out ends as soon as the simulator has said all it will.
inline constexpr const char* kCliAnswerWindow = "10000";
inline std::vector<std::string> CliRoom() {
    return {"--answer-window", kCliAnswerWindow};
}

}  // namespace tavrin::testing
