// The port list as the user sees it: "COM 1" to "COM 16" first, exactly as they always were (stored
// habits and the TAVRIN_COM<n> bindings rely on them), then each further port the system reports,
// then "Other port..." for a device path typed by hand (pseudo-terminals and odd drivers are not
// reported).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/PortChoice.h"
#include "console/PortLister.h"

namespace tavrin {

inline constexpr const char* kOtherPortLabel = "Other port...";

struct PortEntry {
    enum class Kind { Com, Adapter, Other };
    Kind kind = Kind::Com;
    std::string label;
    // What is opened: the bound device for "COM n"; for an adapter its /dev/serial/by-id name
    // where it has one, so the same adapter keeps its entry whichever ttyUSB number it gets when
    // plugged in again; empty for "Other port...".
    std::string device;
    int comNumber = 0;  // 1..16 for "COM n", else 0
    SystemPort port;    // what the system said of an adapter

    PortChoice Choice() const { return {comNumber, device}; }
};

// "ttyUSB0 - FT232R USB UART (A9XK1)": the short name, then what the adapter says of itself
// (its description, else its manufacturer) and its serial number where it has them.
std::string AdapterLabel(const SystemPort& port);

std::vector<PortEntry> BuildPortCatalogue(const std::vector<SystemPort>& reported,
                                          const EnvLookup& env = ProcessEnv);

// The entry for a device remembered from an earlier connection, if it is in the list now.
std::optional<std::size_t> FindPortEntry(const std::vector<PortEntry>& entries,
                                         const std::string& device);

struct PortRefresh {
    std::vector<PortEntry> entries;
    std::optional<std::size_t> selected;  // none rather than some other port
    // Set when the chosen adapter has gone away: its label, for the status text.
    std::optional<std::string> vanished;
};

// Re-reads the list while keeping the user's choice: the same port stays selected (by the
// device it opens, so a reordered list does not move the selection to another port); a chosen
// adapter that is no longer reported leaves nothing selected and is named in `vanished`.
PortRefresh RefreshPortCatalogue(const std::vector<PortEntry>& before,
                                 std::optional<std::size_t> selectedBefore,
                                 std::vector<PortEntry> now);

}  // namespace tavrin
