#include "offline/FirmwareRevision.h"

#include <cstdio>

namespace tavrin {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// A byte written in `minDigits` to three decimal digits.
std::optional<int> ByteDigits(std::string_view digits, std::size_t minDigits) {
    if (digits.size() < minDigits || digits.size() > 3) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value > 255) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<FirmwareRevision> ParseFirmwareRevision(std::string_view text) {
    text = Trimmed(text);
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos) {
        return std::nullopt;
    }
    const auto major = ByteDigits(text.substr(0, point), 1);
    const auto minor = ByteDigits(text.substr(point + 1), 2);
    if (!major || !minor) {
        return std::nullopt;
    }
    return FirmwareRevision{*major, *minor};
}

std::string FirmwareRevisionText(const FirmwareRevision& revision) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%02d", revision.major, revision.minor);
    return text;
}

std::string FirmwareRevisionRefusal(std::string_view text) {
    return "\"" + std::string(text) +
           "\" is not a firmware revision major.minor such as 1.05 (each 0..255, the minor with "
           "two digits)";
}

std::optional<FirmwareRevision> RevisionOf(const GatewaySettings& settings) {
    // Only a Connect fills the module prompt, and with it the firmware words.
    if (settings.ModulePrompt.empty()) {
        return std::nullopt;
    }
    return FirmwareRevision{settings.FwMajor, settings.FwMinor};
}

void SetRevision(GatewaySettings& settings, const FirmwareRevision& revision) {
    settings.FwMajor = static_cast<std::uint8_t>(revision.major);
    settings.FwMinor = static_cast<std::uint8_t>(revision.minor);
}

}  // namespace tavrin
