// Decoding, validation, defaults and encoding of the gateway's EEPROM configuration words.
#pragma once

#include <array>

#include "common/Clock.h"
#include "config/AppObjectList.h"
#include "config/ConfigWords.h"
#include "config/GatewaySettings.h"

namespace tavrin {

// Firmware version and date from the words at block-0 bytes 0 and 4. A month above 12 or a day
// above 31 is replaced by 0 and marks the stored configuration as wrong.
void DecodeFirmware(GatewaySettings& settings, Word versionWord, Word dateWord);

// Decodes and validates block 0's words[0..28] (already unsigned) into the settings and their
// ReadAppObjects. Never fails: any violation sets ConfigWrong and the defaults replace the
// configuration. ConfigWrong may already be set on entry (firmware date check). Returns true when
// word 6 was decoded (the read sequence reports progress at that point).
bool DecodeBlock0(GatewaySettings& settings, const Block0Array& words);

// The configuration a gateway falls back to when its stored one is unusable. AppLayer is kept.
void ApplyConfigDefaults(GatewaySettings& settings);

// The block 0 words for a write of the settings and the working table; the settings' time stamp
// becomes `now`. The application object words and the totals are built only when ConnInfoValid is
// false; otherwise the stored ones stay in the gateway and only words 0..6 are written.
Block0Array EncodeBlock0(GatewaySettings& settings, const AppObjectList& working,
                         const LocalDateTime& now);

// One connection path word of block 1: list position in the connection wizard and the DeviceNet
// class/instance/attribute it names.
struct ConnectionPath {
    int listIndex = 0;
    int classId = 0;
    int instance = 0;
    int attribute = 0;
};

Word PackConnectionPath(const ConnectionPath& path);

// Block 1: word 0 is always 0; words 1..3 are the input paths and 4..6 the output paths of the
// Poll, Bit-Strobe and COS/Cyclic connections.
Block1Array EncodeBlock1(const std::array<ConnectionPath, 3>& inputPaths,
                         const std::array<ConnectionPath, 3>& outputPaths);

}  // namespace tavrin
