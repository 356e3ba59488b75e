// The rules of the main window's CAN and COM parameter panels, free of widgets: the list texts,
// how typed numbers are read, the range checks of a commit, which side a toggle click opens, and
// the silent corrections made when the CAN side is opened.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/GatewaySettings.h"

namespace tavrin {

// --- List texts. The lists right-align their numbers by padding with leading blanks; what is
// stored is always the list position, never the text.

// "         10    KBPS": (13 - 2d) blanks, the d digits of the rate in kbit/s, four blanks, KBPS.
std::string CanRateEntry(int kbps);
// The bit-rate list of a layer: 0 CANopen (eight rates), any other value DeviceNet (three).
std::vector<std::string> CanRateEntries(int appLayer);
// "            9600   BPS": (20 - 2d) blanks, the digits, three blanks, BPS.
std::vector<std::string> ComBaudEntries();
std::vector<std::string> ComDataBitsEntries();  // "      7", "      8"
std::vector<std::string> ComParityEntries();    // "  NONE", "  EVEN", "  ODD"
std::vector<std::string> ComStopBitsEntries();  // "      1", "      2"

std::string LayerName(int appLayer);  // "CANopen" for 0, "DeviceNet" otherwise
std::string TrimBlanks(std::string_view text);

// --- Typed numbers.

// The leading number of a text field: blanks skipped, an optional sign, digits and an optional
// decimal part; 0 when the text starts with anything else (an empty field reads as 0).
double LeadingNumber(std::string_view text);
// Nearest integer, a tie going to the even one (12.5 -> 12, 1.5 -> 2).
double RoundHalfEven(double value);

// Integer fields are read as their leading number rounded half to even, then range-checked: so
// under DeviceNet "63.4" is node id 63 while "63.6" (64) and "0.4" (0) are refused.
int MaxNodeId(int appLayer);  // 127 under CANopen, 63 under DeviceNet
std::optional<int> NodeIdFromText(std::string_view text, int appLayer);
// The same check on a value already read (a number from a configuration file).
std::optional<int> NodeIdFromValue(double value, int appLayer);
inline constexpr int kMaxComTimeoutMs = 32767;
std::optional<int> TimeoutFromText(std::string_view text);
std::optional<int> TimeoutFromValue(double value);

// --- Committing a panel. The values have passed the checks above; the positions are those of
// the panel's lists.

// "Setting": the layer, the position in that layer's bit-rate list and the node id.
void StoreCanSettings(GatewaySettings& settings, int appLayer, int ratePosition, int nodeId);

struct ComChoice {
    int baudPosition = 0;      // ComBr
    int dataBitsPosition = 0;  // ComDb: 7 or 8 data bits
    int parityPosition = 0;    // ComPb: none, even, odd
    int stopBitsPosition = 0;  // ComSb: 1 or 2 stop bits
    int timeoutMs = 0;
};
// "Set": the four list choices as the gateway stores them, the timeout and the check byte over
// them, which the gateway tests before it uses the settings.
void StoreComSettings(GatewaySettings& settings, const ComChoice& choice);

// --- The two channel toggles. ShownPanel holds the side last handled.
inline constexpr int kCanSide = 0;
inline constexpr int kComSide = 1;
inline constexpr int kNoPanel = 3;

struct ToggleDecision {
    // The user pressed again the toggle of the side last handled: only its setting frame comes
    // back; lists and viewers are not refreshed.
    bool reshowSettingFrame = false;
    // The toggle of the side shown before, to release (state off, grey); -1 for none.
    int releaseToggle = -1;
    // Open side `i`, refilling its lists and viewer from the configuration.
    bool openSide = false;
    // The user released a toggle: grey it and hide both setting frames.
    bool hideSettingFrames = false;
    int newShownPanel = kNoPanel;
};
ToggleDecision DecideToggleClick(int index, bool pressed, int shownPanel);

// --- Opening the CAN side.
struct CanSideShown {
    int layer = 0;          // the option to switch on: 0 CANopen, 1 DeviceNet
    int selectedRate = -1;  // the bit-rate entry to select, -1 for none
};
// Corrects the stored values the CAN side cannot show, as the panel does silently: a node id out
// of the layer's range becomes 1, a bit-rate code above 7 becomes 0. `listFilledByOption` says
// whether switching the layer option on has just filled the list with entry 0 selected.
//
// A DeviceNet code of 3..7 names no DeviceNet rate. It is kept as stored and nothing is selected,
// so the panel never shows a rate the gateway does not hold; the user picks one and commits.
CanSideShown OpenCanSide(GatewaySettings& settings, bool listFilledByOption);

// The list position for a stored value, or -1 when the value lies outside the list.
int ListPosition(int value, int firstValue, int entryCount);

}  // namespace tavrin
