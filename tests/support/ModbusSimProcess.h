// Runs the Modbus slave simulator program for end-to-end tests: starts it with the given options
// and a status file of its own, reads the pseudo-terminal it serves from its first output line,
// and stops it when done.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tavrin::testing {

class ModbusSimProcess {
public:
    // `statusPath` is where the simulator keeps its counts (--status).
    ModbusSimProcess(const std::string& statusPath, const std::vector<std::string>& extraArgs = {});
    ~ModbusSimProcess();
    ModbusSimProcess(const ModbusSimProcess&) = delete;
    ModbusSimProcess& operator=(const ModbusSimProcess&) = delete;

    const std::string& Device() const { return m_device; }
    // Stops the simulator and waits for it; its status file is final afterwards.
    void Stop();
    // The status line, "requests R answers A writes W noise N".
    std::string Status() const;
    // One count of the status line, -1 when it is not there.
    long Count(const std::string& name) const;

private:
    pid_t m_pid = -1;
    std::string m_device;
    std::string m_statusPath;
};

}  // namespace tavrin::testing
