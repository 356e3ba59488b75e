#include "rules/ConsoleSettings.h"

namespace tavrin {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The milliseconds in `text`, or the refusal naming `what` and its range.
std::optional<int> Milliseconds(std::string_view text, const char* what, int lowest, int highest,
                                std::string& refusal) {
    const std::optional<int> value = ParseMilliseconds(Trimmed(text));
    if (!value) {
        refusal = std::string(what) + " must be a whole number of milliseconds, " +
                  std::to_string(lowest) + " to " + std::to_string(highest) + ".";
    }
    return value;
}

}  // namespace

ConsoleSettingsCheck CheckConsoleSettings(std::string_view paceText, std::string_view windowText,
                                          bool verifyWrites) {
    ConsoleSettingsCheck check;
    const auto pace = Milliseconds(paceText, "The pace between characters", kMinPaceMs, kMaxPaceMs,
                                   check.refusal);
    if (!pace) {
        return check;
    }
    const auto window = Milliseconds(windowText, "The answer window", kMinAnswerWindowMs,
                                     kMaxAnswerWindowMs, check.refusal);
    if (!window) {
        return check;
    }
    ConsoleSettings settings{{*pace, *window}, verifyWrites};
    check.refusal = ConsoleTimingRefusal(settings.timing);
    if (check.refusal.empty()) {
        check.settings = settings;
    }
    return check;
}

}  // namespace tavrin
