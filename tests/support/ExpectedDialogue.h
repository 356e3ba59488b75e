// The exact lines a read types at the console, built from what the gateway holds, so tests can
// compare a transcript against it.
#pragma once

#include <string>
#include <vector>

#include "Eeprom.h"

namespace tavrin::testing {

inline constexpr int kReadLines = 53;

std::vector<std::string> ExpectedReadLines(const gatewaysim::Eeprom& e);

}  // namespace tavrin::testing
