// Texts of the application object editor's message boxes.
#pragma once

namespace tavrin::msg {

inline constexpr const char* kDeviceAddressError = "ModBus Device Address Error. (1-247)";
inline constexpr const char* kRegisterAddressError = "Register Start Address Error. (0-65535)";
inline constexpr const char* kRegisterLengthError = "Communication Length Error. (1-120)";
inline constexpr const char* kRelayAddressError = "Relay Start Address Error. (0-65535)";
inline constexpr const char* kRelayLengthError = "Communication Length Error. (1-1920)";
inline constexpr const char* kAppObjectMax = "Application Object Max: 10";
// One assembly instance carries at most 1025 bytes; the gateway has no room for more.
inline constexpr const char* kAssemblyInstanceMax = "Assembly Instance Max: 1025 Bytes";
inline constexpr const char* kUpdateTitle = "Update";
inline constexpr const char* kUpdateSuccess = "Success!!!";
inline constexpr const char* kUpdateFailure = "Failure!!!";

}  // namespace tavrin::msg
