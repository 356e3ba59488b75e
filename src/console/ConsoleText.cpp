#include "console/ConsoleText.h"

#include <limits>
#include <string>

namespace tavrin {

std::string_view StripBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::optional<std::int32_t> ReadConsoleNumber(std::string_view text) {
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    bool negative = false;
    bool signSeen = false;
    bool digitSeen = false;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') {
            continue;
        }
        if (!signSeen && !digitSeen && (c == '-' || c == '+')) {
            signSeen = true;
            negative = c == '-';
            continue;
        }
        if (c < '0' || c > '9') {
            break;
        }
        digitSeen = true;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit) {
            return std::nullopt;
        }
    }
    if (!digitSeen) {
        return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

ValueScan ScanWordValue(std::string_view reply, std::string_view key, std::int32_t& value) {
    const std::string_view text = StripBlanks(reply);
    if (text.find(kEditArrow) == std::string_view::npos) {
        return ValueScan::Incomplete;
    }
    const std::string_view wanted = StripBlanks(key);
    if (wanted.empty()) {
        return ValueScan::NoKey;
    }
    const auto keyAt = text.find(wanted);
    if (keyAt == std::string_view::npos) {
        return ValueScan::NoKey;
    }
    const auto valueAt = keyAt + wanted.size();
    // The arrow that closes this display is the first one after the key; until it arrives the
    // display is still coming in.
    const auto arrowAt = text.find(kEditArrow, valueAt);
    if (arrowAt == std::string_view::npos) {
        return ValueScan::Incomplete;
    }
    const auto number = ReadConsoleNumber(text.substr(valueAt, arrowAt - valueAt));
    if (!number) {
        return ValueScan::BadNumber;
    }
    value = *number;
    return ValueScan::Found;
}

std::string WordKey(int address) {
    return "Long(" + std::to_string(address) + ")=";
}

}  // namespace tavrin
