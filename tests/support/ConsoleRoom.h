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

// tavrin-cli runs in a process of its own, which no test clock reaches, so its window cannot end
// early: every read waits out one whole window at the step whose marker never comes at the main
// prompt, a write two more. Runs not about the window take five times the real one, room for a
// simulator kept off the processor that long, at a second or two per run.
inline constexpr const char* kCliAnswerWindow = "1000";
inline std::vector<std::string> CliRoom() {
    return {"--answer-window", kCliAnswerWindow};
}

}  // namespace tavrin::testing
