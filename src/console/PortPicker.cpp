#include "console/PortPicker.h"

#include <algorithm>
#include <utility>

namespace tavrin {

PortPicker::PortPicker(PortLister* lister, EnvLookup env)
    : m_lister(lister), m_env(std::move(env)) {}

std::vector<PortEntry> PortPicker::Build() {
    std::vector<PortEntry> entries = BuildPortCatalogue(
        m_lister != nullptr ? m_lister->List() : std::vector<SystemPort>{}, m_env);
    // A typed path stays listed whether or not the system reports it (a pseudo-terminal never
    // is); one the system lists already is not listed twice.
    for (const std::string& device : m_typed) {
        if (!FindPortEntry(entries, device)) {
            SystemPort port;
            port.device = device;
            entries.insert(entries.end() - 1, {PortEntry::Kind::Adapter, device, device, 0, port});
        }
    }
    return entries;
}

void PortPicker::Start(const std::string& remembered) {
    m_entries = Build();
    m_selected = FindPortEntry(m_entries, remembered);
    if (!m_selected || m_entries[*m_selected].kind == PortEntry::Kind::Other) {
        m_selected = 0;
    }
}

PortRefresh PortPicker::Refresh() {
    PortRefresh refresh = RefreshPortCatalogue(m_entries, m_selected, Build());
    m_entries = refresh.entries;
    m_selected = refresh.selected;
    return refresh;
}

void PortPicker::AddTyped(const std::string& typed) {
    const std::string device = ExpandHome(typed, m_env);
    if (!FindPortEntry(m_entries, device)) {
        m_typed.push_back(device);
        m_entries = Build();
    }
    m_selected = FindPortEntry(m_entries, device);
}

void PortPicker::RestoreTyped(const std::vector<std::string>& devices) {
    for (const std::string& device : devices) {
        if (!device.empty() && std::find(m_typed.begin(), m_typed.end(), device) == m_typed.end()) {
            m_typed.push_back(device);
            m_proven.push_back(device);
        }
    }
}

void PortPicker::Connected(const std::string& device) {
    const bool typed = std::find(m_typed.begin(), m_typed.end(), device) != m_typed.end();
    if (typed && std::find(m_proven.begin(), m_proven.end(), device) == m_proven.end()) {
        m_proven.push_back(device);
    }
}

void PortPicker::Unopened(const std::string& device) {
    const auto typed = std::find(m_typed.begin(), m_typed.end(), device);
    if (typed == m_typed.end() ||
        std::find(m_proven.begin(), m_proven.end(), device) != m_proven.end()) {
        return;
    }
    m_typed.erase(typed);
    m_entries = Build();
    m_selected = m_entries.size() - 1;  // "Other port..."
}

void PortPicker::Select(std::optional<std::size_t> entry) {
    m_selected = entry && *entry < m_entries.size() ? entry : std::nullopt;
}

const PortEntry* PortPicker::Chosen() const {
    return m_selected ? &m_entries[*m_selected] : nullptr;
}

std::string ExpandHome(const std::string& path, const EnvLookup& env) {
    if (path != "~" && path.rfind("~/", 0) != 0) {
        return path;
    }
    const std::optional<std::string> home = env("HOME");
    if (!home || home->empty()) {
        return path;
    }
    return *home + path.substr(1);
}

}  // namespace tavrin
