#include "console/ConsoleTiming.h"

#include <charconv>

namespace tavrin {
namespace {

std::string Refusal(const char* what, int value, int lowest, int highest) {
    if (value >= lowest && value <= highest) {
        return {};
    }
    return std::string(what) + " must be " + std::to_string(lowest) + " to " +
           std::to_string(highest) + " ms.";
}

}  // namespace

std::string PaceRefusal(int paceMs) {
    return Refusal("The pace between characters", paceMs, kMinPaceMs, kMaxPaceMs);
}

std::string AnswerWindowRefusal(int windowMs) {
    return Refusal("The answer window", windowMs, kMinAnswerWindowMs, kMaxAnswerWindowMs);
}

std::string ConsoleTimingRefusal(const ConsoleTiming& timing) {
    std::string why = PaceRefusal(timing.paceMs);
    return why.empty() ? AnswerWindowRefusal(timing.answerWindowMs) : why;
}

std::optional<int> ParseMilliseconds(std::string_view text) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace tavrin
