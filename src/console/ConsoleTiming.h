// How Tavrin types at the console and how long it waits for an answer. The console is typed at
// as a person would, a pause after every character; the answer window bounds how long a missing
// answer is waited for, counted once the command has left the port. Both can be set (a slow
// line, a loaded controller); the defaults are what the gateway has always been driven with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

inline constexpr int kMinPaceMs = 0;
inline constexpr int kMaxPaceMs = 100;
inline constexpr int kMinAnswerWindowMs = 50;
inline constexpr int kMaxAnswerWindowMs = 10000;

struct ConsoleTiming {
    int paceMs = 1;            // pause after each typed character
    int answerWindowMs = 200;  // how long an answer is waited for

    bool operator==(const ConsoleTiming&) const = default;
};

// Why a pace of `paceMs` is refused, or empty when it is allowed.
std::string PaceRefusal(int paceMs);
// Why an answer window of `windowMs` is refused, or empty when it is allowed.
std::string AnswerWindowRefusal(int windowMs);
// The first refusal of either value, or empty when the timing can be used.
std::string ConsoleTimingRefusal(const ConsoleTiming& timing);

// A whole number of milliseconds written in decimal digits ("250"); nothing for any other text,
// a sign, blanks or a number too large for an int.
std::optional<int> ParseMilliseconds(std::string_view text);

}  // namespace tavrin
