// The texts the main window shows the user, each defined once. The panels' and the parameter
// file's texts, which the command line shows too, are in rules/PanelMessages.h.
#pragma once

namespace tavrin::msg {

inline constexpr const char* kMainCaption = "General Setting";
inline constexpr const char* kConnectFirst = "Connect K-5310G First";
inline constexpr const char* kModuleConnecting = "Module is connecting now!";
inline constexpr const char* kExitQuestion = "Are you sure to exit this program?";
inline constexpr const char* kExitQueryTitle = "Exit Query";
// Import To ini file and Compare with file after a write that was not read back whole.
inline constexpr const char* kConnectAfterWrite =
    "The gateway was written, but what it holds now was not read back. Connect first, then save "
    "or compare.";

}  // namespace tavrin::msg
