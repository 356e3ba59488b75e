// When the window's bus check may not start: the gateway's console is busy, or the port chosen
// for the RS-485 bus is the one the console is on (the check would talk Modbus at the console).
#pragma once

#include <optional>
#include <string>

namespace tavrin {

inline constexpr const char* kBusCheckConsoleBusy =
    "A console job is running. Check the bus when it has ended.";

// "COM 1 is the port of the gateway's console. Choose the RS-485 adapter."
std::string BusIsConsolePortText(const std::string& busLabel);

// True when the two paths name one device (a /dev/serial/by-id link and its ttyUSB, say).
bool SameDevice(const std::string& a, const std::string& b);

// Why the check may not start, or nothing. `consoleDevice` is empty when no console port is
// chosen.
std::optional<std::string> BusCheckRefusal(bool consoleBusy, const std::string& busDevice,
                                           const std::string& busLabel,
                                           const std::string& consoleDevice);

}  // namespace tavrin
