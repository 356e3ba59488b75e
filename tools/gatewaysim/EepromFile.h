// The simulated EEPROM on disk, and the image a factory-configured gateway ships with.
//
// The file is the raw image: 512 bytes, block 0 then block 1, each word little-endian. End-to-end
// tests use these functions to prepare an image before starting the simulator and to inspect it
// after Tavrin has written through the console.
#pragma once

#include <string>

#include "Eeprom.h"

namespace gatewaysim {

// Reads an image file. Throws std::runtime_error when the file cannot be read or is not exactly
// one image long.
Eeprom LoadEeprom(const std::string& path);

// Writes the image so that a reader never sees a partial file: the bytes go to a temporary file
// beside the target, which is then renamed over it. Throws std::runtime_error on failure.
void SaveEeprom(const std::string& path, const Eeprom& image);

// A gateway holding a valid configuration: DeviceNet node 5 with four application objects.
Eeprom DefaultEeprom();

}  // namespace gatewaysim
