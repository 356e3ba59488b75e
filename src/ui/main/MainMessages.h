// The texts the main window shows the user, each defined once. The panels' and the parameter
// file's texts, which the command line shows too, are in rules/PanelMessages.h.
#pragma once

namespace tavrin::msg {

inline constexpr const char* kMainCaption = "General Setting";
inline constexpr const char* kConnectFirst = "Connect K-5310G First";
inline constexpr const char* kModuleConnecting = "Module is connecting now!";
inline constexpr const char* kExitQuestion = "Are you sure to exit this program?";
inline constexpr const char* kExitQueryTitle = "Exit Query";

}  // namespace tavrin::msg
