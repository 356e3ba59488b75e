// The texts of the parameter panels' checks and of the parameter file, each defined once: the
// main window shows them in boxes, the command line on stderr.
#pragma once

namespace tavrin::msg {

inline constexpr const char* kNodeIdCanOpen = "Node ID is not supported!(1~127)";
inline constexpr const char* kNodeIdDeviceNet = "Node ID is not supported!(1~63)";
inline constexpr const char* kTimeoutRange = "Timeout value is out of range!(1ms~32767ms)";
// A list can be left without a selection when the gateway stored a value it has no entry for.
inline constexpr const char* kSelectFromEveryList = "Please choose an entry in every list!";
inline constexpr const char* kCanSettingOk = "Setting CAN Parameter Ok";
inline constexpr const char* kComSettingOk = "Setting COM Parameter Ok";

// Shown (title "Error") when the parameter file does not read back as it was saved.
inline constexpr const char* kCantWriteParameterFile = "Can't write the parameter file!";

}  // namespace tavrin::msg
