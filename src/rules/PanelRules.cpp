#include "rules/PanelRules.h"

#include <cctype>
#include <cmath>

#include "config/CanBitRate.h"
#include "config/CheckByte.h"

namespace tavrin {
namespace {

// `width` counts two columns per digit: the classic list font is about twice as wide for a digit
// as for a blank, so this keeps the numbers right-aligned.
std::string PaddedNumber(std::string_view digits, int width, std::string_view unit) {
    const int blanks = width - 2 * static_cast<int>(digits.size());
    return std::string(static_cast<std::size_t>(std::max(blanks, 0)), ' ') + std::string(digits) +
           std::string(unit);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::string CanRateEntry(int kbps) {
    return PaddedNumber(std::to_string(kbps), 13, "    KBPS");
}

std::vector<std::string> CanRateEntries(int appLayer) {
    std::vector<std::string> entries;
    if (appLayer == 0) {
        for (int rate : kCanOpenRatesKbps) {
            entries.push_back(CanRateEntry(rate));
        }
    } else {
        for (int rate : kDeviceNetRatesKbps) {
            entries.push_back(CanRateEntry(rate));
        }
    }
    return entries;
}

std::vector<std::string> ComBaudEntries() {
    std::vector<std::string> entries;
    for (std::string_view rate : BaudText) {
        entries.push_back(PaddedNumber(rate, 20, "   BPS"));
    }
    return entries;
}

std::vector<std::string> ComDataBitsEntries() {
    return {"      7", "      8"};
}

std::vector<std::string> ComParityEntries() {
    return {"  NONE", "  EVEN", "  ODD"};
}

std::vector<std::string> ComStopBitsEntries() {
    return {"      1", "      2"};
}

std::string LayerName(int appLayer) {
    return appLayer == 0 ? "CANopen" : "DeviceNet";
}

std::string TrimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    double sign = 1.0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        sign = text[i] == '-' ? -1.0 : 1.0;
        ++i;
    }
    // Digits are accumulated as text and converted once, so "0.1" is exactly what strtod reads.
    std::string number;
    while (i < text.size() && IsDigit(text[i])) {
        number += text[i++];
    }
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && IsDigit(text[i])) {
            number += text[i++];
        }
    }
    if (number.empty() || number == ".") {
        return 0.0;
    }
    return sign * std::strtod(number.c_str(), nullptr);
}

double RoundHalfEven(double value) {
    return std::nearbyint(value);  // the default rounding mode rounds ties to even
}

int MaxNodeId(int appLayer) {
    return appLayer == 0 ? 127 : 63;
}

std::optional<int> NodeIdFromText(std::string_view text, int appLayer) {
    return NodeIdFromValue(LeadingNumber(text), appLayer);
}

std::optional<int> NodeIdFromValue(double value, int appLayer) {
    const double id = RoundHalfEven(value);
    if (!(id >= 1 && id <= MaxNodeId(appLayer))) {
        return std::nullopt;
    }
    return static_cast<int>(id);
}

std::optional<int> TimeoutFromText(std::string_view text) {
    return TimeoutFromValue(LeadingNumber(text));
}

std::optional<int> TimeoutFromValue(double value) {
    const double ms = RoundHalfEven(value);
    if (!(ms >= 1 && ms <= kMaxComTimeoutMs)) {
        return std::nullopt;
    }
    return static_cast<int>(ms);
}

void StoreCanSettings(GatewaySettings& settings, int appLayer, int ratePosition, int nodeId) {
    settings.AppLayer = static_cast<std::uint8_t>(appLayer);
    settings.CanBaudIndex = static_cast<std::uint8_t>(ratePosition);
    settings.NodeId = static_cast<std::uint8_t>(nodeId);
}

void StoreComSettings(GatewaySettings& settings, const ComChoice& choice) {
    settings.ComBaudIndex = static_cast<std::uint8_t>(choice.baudPosition);
    settings.ComDataBits = static_cast<std::uint8_t>(choice.dataBitsPosition + 7);
    settings.ComParity = static_cast<std::uint8_t>(choice.parityPosition);
    settings.ComStopBits = static_cast<std::uint8_t>(choice.stopBitsPosition + 1);
    settings.ComTimeout = static_cast<std::int16_t>(choice.timeoutMs);
    settings.ComCheckByte = ComputeCheckByte(settings.ComBaudIndex, settings.ComDataBits,
                                             settings.ComParity, settings.ComStopBits);
}

ToggleDecision DecideToggleClick(int index, bool pressed, int shownPanel) {
    ToggleDecision decision;
    if (pressed && index == shownPanel && shownPanel != kNoPanel) {
        decision.reshowSettingFrame = true;
        decision.newShownPanel = index;
        return decision;
    }
    if (pressed) {
        if (index != shownPanel && shownPanel != kNoPanel) {
            decision.releaseToggle = shownPanel;
        }
        decision.openSide = true;
    } else if (shownPanel != kNoPanel) {
        decision.hideSettingFrames = true;
    }
    decision.newShownPanel = index;
    return decision;
}

CanSideShown OpenCanSide(GatewaySettings& settings, bool listFilledByOption) {
    CanSideShown shown;
    shown.layer = settings.AppLayer != 0 ? 1 : 0;
    if (settings.NodeId < 1 || settings.NodeId > MaxNodeId(shown.layer)) {
        settings.NodeId = 1;
    }
    if (settings.CanBaudIndex <= 7) {
        shown.selectedRate =
            CanBitRateKbps(shown.layer, settings.CanBaudIndex) ? settings.CanBaudIndex : -1;
    } else {
        settings.CanBaudIndex = 0;
        shown.selectedRate = listFilledByOption ? 0 : -1;
    }
    return shown;
}

int ListPosition(int value, int firstValue, int entryCount) {
    const int position = value - firstValue;
    return position >= 0 && position < entryCount ? position : -1;
}

}  // namespace tavrin
