// Which PC port the console is on: an entry of the port list (COM 1..COM 16) or, from the command
// line, a device path named directly.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tavrin {

inline constexpr int kPortCount = 16;

struct PortChoice {
    int number = 0;      // 1..16 for "COM n"; 0 when `device` was named directly
    std::string device;  // the device to open

    // "COM 1" (a blank where the sign would stand, as the port list writes it) or the path.
    std::string Label() const;
};

// Reads an environment variable; empty when unset. Injected so tests need not touch the process
// environment.
using EnvLookup = std::function<std::optional<std::string>(const std::string&)>;
std::optional<std::string> ProcessEnv(const std::string& name);

// The device behind port number n: TAVRIN_COM<n> when set (for example /dev/ttyUSB0 or a
// simulator's pseudo-terminal), else the platform's own name for COM n (/dev/ttyS<n-1> on Linux,
// COM<n> on Windows).
PortChoice ResolvePort(int number, const EnvLookup& env = ProcessEnv);

// A port given on the command line: a number 1..16 is resolved as above, anything starting with
// "/" or naming a device is taken as a path. Empty for a number out of range or an empty text.
std::optional<PortChoice> ParsePortArgument(const std::string& text,
                                            const EnvLookup& env = ProcessEnv);

}  // namespace tavrin
