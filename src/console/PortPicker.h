// The port list behind the main window's "PC COM Port" box: the catalogue of the ports there are,
// the device paths the user typed through "Other port...", and which entry is chosen. The window
// shows the entries in this order and asks it again whenever the list may have changed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/PortCatalogue.h"
#include "console/PortLister.h"

namespace tavrin {

class PortPicker {
public:
    // Without a lister only "COM 1".."COM 16" and "Other port..." are offered.
    PortPicker(PortLister* lister, EnvLookup env);

    // Builds the list and chooses `remembered` (the device of the last port that connected) when
    // it is there, else COM 1.
    void Start(const std::string& remembered);
    // Reads the system's ports again; the choice follows its port, or goes when its adapter has.
    PortRefresh Refresh();
    // A device path typed by the user: listed just before "Other port..." from now on, and chosen.
    // "~/" at its start stands for the home folder.
    void AddTyped(const std::string& device);
    // Typed paths that connected in an earlier run: listed from the start (call before Start).
    void RestoreTyped(const std::vector<std::string>& devices);
    // `device` connected: a typed path among them is kept for the next run (see ProvenTyped).
    void Connected(const std::string& device);
    // `device` would not open: a typed path that never connected leaves the list, and "Other
    // port..." is chosen so the next Connect asks again.
    void Unopened(const std::string& device);
    // The typed paths that have connected, oldest first, for the next run.
    const std::vector<std::string>& ProvenTyped() const { return m_proven; }

    void Select(std::optional<std::size_t> entry);
    const std::vector<PortEntry>& Entries() const { return m_entries; }
    std::optional<std::size_t> Selected() const { return m_selected; }
    // The chosen entry, or nullptr when none is chosen.
    const PortEntry* Chosen() const;

private:
    std::vector<PortEntry> Build();

    PortLister* m_lister;
    EnvLookup m_env;
    std::vector<std::string> m_typed;
    std::vector<std::string> m_proven;
    std::vector<PortEntry> m_entries;
    std::optional<std::size_t> m_selected;
};

// `path` with a leading "~/" (or a lone "~") made the home folder that HOME names.
std::string ExpandHome(const std::string& path, const EnvLookup& env);

}  // namespace tavrin
