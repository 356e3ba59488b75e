#include "console/PortPicker.h"

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

void PortPicker::AddTyped(const std::string& device) {
    if (!FindPortEntry(m_entries, device)) {
        m_typed.push_back(device);
        m_entries = Build();
    }
    m_selected = FindPortEntry(m_entries, device);
}

void PortPicker::Select(std::optional<std::size_t> entry) {
    m_selected = entry && *entry < m_entries.size() ? entry : std::nullopt;
}

const PortEntry* PortPicker::Chosen() const {
    return m_selected ? &m_entries[*m_selected] : nullptr;
}

}  // namespace tavrin
