// The texts the console sequences show the user, each defined once.
#pragma once

#include <string>

namespace tavrin::msg {

inline constexpr const char* kError = "Error";
inline constexpr const char* kWarning = "Warning";
inline constexpr const char* kConfigWarningTitle = "Warnning";  // the gateway tool's own spelling

inline constexpr const char* kTimeout = "Timeout";
inline constexpr const char* kNotOurModule = "This modules is not 6420RT!";
inline constexpr const char* kConfigWrong = "The configuration stored in EEPROM is wrong!";

inline constexpr const char* kConnecting = "Connecting";
inline constexpr const char* kWaitingForConfiguration = "Waiting for configuration";

// "Can't open COM 1!" for the first port; a device path stands in for "COM n" when the user named
// one directly.
inline std::string CannotOpen(const std::string& portLabel) {
    return "Can't open " + portLabel + "!";
}
inline std::string Occupied(const std::string& portLabel) {
    return portLabel + " has been occupied";
}

// The status text when the adapter chosen in the port list has been unplugged.
inline std::string PortVanished(const std::string& portLabel) {
    return portLabel + " is no longer connected";
}

}  // namespace tavrin::msg
