// Runs the real gateway simulator program for end-to-end tests: starts it with the given options,
// reads the pseudo-terminal it serves from its first output line, and stops it when done.
#pragma once

#include "WholeFile.h"

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace tavrin::testing {

class SimProcess {
public:
    // `eepromPath` is the simulator's EEPROM file; `extraArgs` are further options. Without a
    // --transcript among them the simulator still keeps one, in a file of its own beside the
    // EEPROM file.
    SimProcess(const std::string& eepromPath, const std::vector<std::string>& extraArgs = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& Device() const { return m_device; }
    // The simulator's transcript file (see QuietConsoleClock.h).
    const std::string& TranscriptPath() const { return m_transcript; }
    bool Running() const { return m_pid > 0; }
    // Stops the simulator and waits for it; the EEPROM file is complete afterwards.
    void Stop();

private:
    pid_t m_pid = -1;
    std::string m_device;
    std::string m_transcript;
};

// A fresh scratch folder under the system's temporary folder, removed with its content on
// destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Runs a command line, returning its exit status and what it printed on stdout and stderr.
// `whileRunning`, when given, is called with the process id once it has started; the process is
// reaped only after it returns, so the id stays the command's.
struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};
CommandResult RunCommand(const std::vector<std::string>& argv,
                         const std::vector<std::string>& extraEnv = {},
                         const std::function<void(pid_t)>& whileRunning = {});

}  // namespace tavrin::testing
