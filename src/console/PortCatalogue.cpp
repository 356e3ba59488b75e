#include "console/PortCatalogue.h"

#include <algorithm>

namespace tavrin {

std::string AdapterLabel(const SystemPort& port) {
    std::string label = port.name.empty() ? port.device : port.name;
    const std::string& says = port.description.empty() ? port.manufacturer : port.description;
    if (!says.empty()) {
        label += " - " + says;
    }
    if (!port.serialNumber.empty()) {
        label += " (" + port.serialNumber + ")";
    }
    return label;
}

std::vector<PortEntry> BuildPortCatalogue(const std::vector<SystemPort>& reported,
                                          const EnvLookup& env) {
    std::vector<PortEntry> entries;
    for (int n = 1; n <= kPortCount; ++n) {
        const PortChoice com = ResolvePort(n, env);
        entries.push_back({PortEntry::Kind::Com, com.Label(), com.device, n, {}});
    }
    const auto isComPort = [&entries](const SystemPort& port) {
        return std::any_of(entries.begin(), entries.begin() + kPortCount, [&](const PortEntry& e) {
            return e.device == port.device || (!port.byIdPath.empty() && e.device == port.byIdPath);
        });
    };
    for (const SystemPort& port : reported) {
        if (port.device.empty() || isComPort(port)) {
            continue;
        }
        const std::string open = port.byIdPath.empty() ? port.device : port.byIdPath;
        if (FindPortEntry(entries, open)) {
            continue;  // reported twice
        }
        entries.push_back({PortEntry::Kind::Adapter, AdapterLabel(port), open, 0, port});
    }
    entries.push_back({PortEntry::Kind::Other, kOtherPortLabel, {}, 0, {}});
    return entries;
}

std::optional<std::size_t> FindPortEntry(const std::vector<PortEntry>& entries,
                                         const std::string& device) {
    if (device.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PortEntry& e = entries[i];
        if (e.device == device || (e.kind == PortEntry::Kind::Adapter && e.port.device == device)) {
            return i;
        }
    }
    return std::nullopt;
}

PortRefresh RefreshPortCatalogue(const std::vector<PortEntry>& before,
                                 std::optional<std::size_t> selectedBefore,
                                 std::vector<PortEntry> now) {
    PortRefresh result;
    result.entries = std::move(now);
    if (!selectedBefore || *selectedBefore >= before.size()) {
        return result;
    }
    const PortEntry& chosen = before[*selectedBefore];
    const auto same = [&chosen](const PortEntry& e) {
        if (chosen.kind != e.kind) {
            return false;
        }
        switch (chosen.kind) {
            case PortEntry::Kind::Com:
                return e.comNumber == chosen.comNumber;
            case PortEntry::Kind::Adapter:
                return e.device == chosen.device;
            case PortEntry::Kind::Other:
                return true;
        }
        return false;
    };
    const auto it = std::find_if(result.entries.begin(), result.entries.end(), same);
    if (it != result.entries.end()) {
        result.selected = static_cast<std::size_t>(it - result.entries.begin());
    } else {
        result.vanished = chosen.label;
    }
    return result;
}

}  // namespace tavrin
