// A configuration as a file, without a gateway: a parameter file (the 37 words a backup saves) or
// a configuration file in the JSON format of `tavrin-cli apply`. Opening one leaves the image as a
// Connect leaves it after reading a gateway: the words as read, decoded and validated the same
// way, so the panels, the editor and the wizard take it exactly as they take a gateway's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "common/Notice.h"
#include "config/ConfigImage.h"
#include "offline/FirmwareRevision.h"
#include "rules/ParameterFile.h"

namespace tavrin {

enum class ConfigurationKind { ParameterFile, Json };

// A name ending in ".json" (in any case) is a configuration file; anything else a parameter file.
ConfigurationKind KindOfConfigurationFile(const std::string& path);

struct OpenedConfiguration {
    ConfigImage image;  // as after a Connect: words as read, settings decoded
    ConfigurationKind kind = ConfigurationKind::ParameterFile;
    std::optional<FirmwareRevision> revision;  // a configuration file's "firmware"
    std::string description;                   // a configuration file's "eds" texts (Latin-1)
    std::string author;
    // What the Connect of a gateway holding these words would tell: the configuration warning
    // when they decode to a wrong configuration (the defaults then replace it).
    std::vector<Notice> notices;
};

struct ConfigurationOpening {
    std::optional<OpenedConfiguration> opened;
    // Why the file could not be opened, one line each, with the existing checks' texts: "[EEPB_0]
    // Add29 is missing or empty", "can.nodeId: Node ID is not supported!(1~63)". The face puts the
    // file's name before each.
    std::vector<std::string> faults;
};

// Opens the file at `path`. A configuration file is encoded as apply would store it with the time
// stamp `stamp` and then decoded from those words.
ConfigurationOpening OpenConfigurationFile(IniKeyAccess& ini, const std::string& path,
                                 const LocalDateTime& stamp);

// Puts words onto the image as the read of a Connect puts a gateway's there (the words to write
// and as read, and the file tables), decodes and validates them. Firmware and module prompt are
// left as they are. The configuration warning when they are wrong.
std::vector<Notice> DecodeAsConnect(ConfigImage& image, const ConfigWords& words);

}  // namespace tavrin
