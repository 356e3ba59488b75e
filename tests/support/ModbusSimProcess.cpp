#include "ModbusSimProcess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <stdexcept>

#include "WholeFile.h"

extern char** environ;

namespace tavrin::testing {

ModbusSimProcess::ModbusSimProcess(const std::string& statusPath,
                                   const std::vector<std::string>& extraArgs)
    : m_statusPath(statusPath) {
    std::vector<std::string> args = {TAVRIN_MODBUSSIM_EXE, "--status", statusPath};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const int rc = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        m_pid = -1;
        throw std::runtime_error("cannot start the Modbus simulator");
    }
    // The simulator names its device first thing; the deadline only ends a test whose simulator
    // never started.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::string line;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{out[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) {
            continue;
        }
        char c;
        if (::read(out[0], &c, 1) != 1) {
            break;
        }
        if (c == '\n') {
            m_device = line;
            break;
        }
        line += c;
    }
    ::close(out[0]);
    if (m_device.empty()) {
        Stop();
        throw std::runtime_error("the Modbus simulator did not name its device");
    }
}

ModbusSimProcess::~ModbusSimProcess() {
    Stop();
}

void ModbusSimProcess::Stop() {
    if (m_pid <= 0) {
        return;
    }
    ::kill(m_pid, SIGTERM);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    m_pid = -1;
}

std::string ModbusSimProcess::Status() const {
    return ReadWholeFile(m_statusPath);
}

long ModbusSimProcess::Count(const std::string& name) const {
    std::istringstream words(Status());
    std::string word;
    long value = -1;
    while (words >> word >> value) {
        if (word == name) {
            return value;
        }
    }
    return -1;
}

}  // namespace tavrin::testing
