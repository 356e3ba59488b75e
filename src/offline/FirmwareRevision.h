// The firmware revision of the gateway's controller module, as the EDS file names it (MajRev,
// MinRev). A gateway reports it at every Connect; a parameter file does not hold it, so a
// configuration prepared without a gateway has to be told which firmware it is for.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/GatewaySettings.h"

namespace tavrin {

struct FirmwareRevision {
    int major = 0;  // 0..255
    int minor = 0;  // 0..255

    friend bool operator==(const FirmwareRevision&, const FirmwareRevision&) = default;
};

// "1.05": major, a point, and the minor with at least two digits, as the firmware text of a
// Connect shows them ("1.05-2004/03/09"). Blanks around are allowed. "1.5" is refused: it could
// mean 1.05 or 1.50.
std::optional<FirmwareRevision> ParseFirmwareRevision(std::string_view text);
std::string FirmwareRevisionText(const FirmwareRevision& revision);

// Why a text is not a revision, for the face to show beside where it came from.
std::string FirmwareRevisionRefusal(std::string_view text);

// The revision a Connect found, or none when the settings did not come from a gateway.
std::optional<FirmwareRevision> RevisionOf(const GatewaySettings& settings);
void SetRevision(GatewaySettings& settings, const FirmwareRevision& revision);

}  // namespace tavrin
