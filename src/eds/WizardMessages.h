// Texts of the connection wizard's message boxes.
#pragma once

namespace tavrin {

inline constexpr const char* kNewSetting = "This is a new Setting for XQV gateway";
inline constexpr const char* kEepromError = "EEPROM ERROR,We show the default value.";
inline constexpr const char* kStrobeTooLong = "Error! The selected data length > 8 bytes";

}  // namespace tavrin
