// The pty pair that stands in for the PC's serial port, and an optional symlink naming it.
#pragma once

#include <string>

namespace gatewaysim {

class PseudoTerminal {
public:
    // Opens a pty whose slave is raw (no echo, no CR/LF translation) like a serial line. The
    // simulator keeps one slave descriptor open for its whole life: while any slave descriptor is
    // open the master never reports a hang-up, so Tavrin may close and reopen the port between
    // console sequences. Throws std::runtime_error on failure.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int Master() const { return m_master; }
    const std::string& SlavePath() const { return m_slavePath; }

    // Bytes that reached the slave side but have not been read there yet.
    int UnreadOnSlave() const;

    // Closes both ends, which the program on the slave sees as the line hanging up.
    void HangUp();

private:
    int m_master = -1;
    int m_heldSlave = -1;
    std::string m_slavePath;
};

// A symlink to the pty under a fixed name, replacing an older symlink of that name and removed
// again when destroyed (unless something else has replaced it meanwhile).
class ScopedSymlink {
public:
    ScopedSymlink(std::string linkPath, std::string target);
    ~ScopedSymlink();
    ScopedSymlink(const ScopedSymlink&) = delete;
    ScopedSymlink& operator=(const ScopedSymlink&) = delete;

private:
    std::string m_linkPath;
    std::string m_target;
};

}  // namespace gatewaysim
