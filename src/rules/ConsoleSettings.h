// What the window's "Console settings..." dialog sets: how Tavrin types at the console and waits
// for it, and whether every write is read back. The texts typed into the dialog are checked here,
// with the same ranges as tavrin-cli's --pace and --answer-window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "console/ConsoleTiming.h"

namespace tavrin {

struct ConsoleSettings {
    ConsoleTiming timing;
    bool verifyWrites = true;  // read every written word back

    bool operator==(const ConsoleSettings&) const = default;
};

struct ConsoleSettingsCheck {
    std::optional<ConsoleSettings> settings;  // none when refused
    std::string refusal;                      // why, in a sentence for the user
};

// Blanks around a number are forgiven; anything else that is not a whole number of milliseconds
// in range is refused, the pace before the answer window.
ConsoleSettingsCheck CheckConsoleSettings(std::string_view paceText, std::string_view windowText,
                                          bool verifyWrites);

}  // namespace tavrin
