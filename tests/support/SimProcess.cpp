#include "SimProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "SimulatorTranscripts.h"

extern char** environ;

namespace tavrin::testing {
namespace {

std::vector<char*> ArgvOf(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    return argv;
}

// Reads until a line feed or the deadline; the simulator prints its device first thing.
std::string ReadFirstLine(int fd) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) {
            continue;
        }
        char c;
        const ssize_t n = ::read(fd, &c, 1);
        if (n <= 0) {
            break;
        }
        if (c == '\n') {
            return line;
        }
        line += c;
    }
    throw std::runtime_error("the gateway simulator did not name its device");
}

}  // namespace

SimProcess::SimProcess(const std::string& eepromPath, const std::vector<std::string>& extraArgs) {
    std::vector<std::string> args = {TAVRIN_GATEWAYSIM_EXE, "--eeprom", eepromPath};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    const auto given = std::find(extraArgs.begin(), extraArgs.end(), "--transcript");
    if (given != extraArgs.end() && given + 1 != extraArgs.end()) {
        m_transcript = *(given + 1);
    } else {
        static int started = 0;
        m_transcript = eepromPath + ".sim" + std::to_string(::getpid()) + "-" +
                       std::to_string(++started) + ".log";
        args.insert(args.end(), {"--transcript", m_transcript});
    }
    int out[2];
    if (::pipe(out) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    auto argv = ArgvOf(args);
    const int rc = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        m_pid = -1;
        throw std::runtime_error("cannot start the gateway simulator");
    }
    try {
        m_device = ReadFirstLine(out[0]);
    } catch (...) {
        ::close(out[0]);
        Stop();
        throw;
    }
    ::close(out[0]);
    ListSimulatorTranscript(m_device, m_transcript);
}

SimProcess::~SimProcess() {
    Stop();
}

void SimProcess::Stop() {
    if (m_pid <= 0) {
        return;
    }
    ::kill(m_pid, SIGTERM);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    UnlistSimulatorTranscript(m_device);
}

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrin-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch folder");
    }
    m_path = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

CommandResult RunCommand(const std::vector<std::string>& argvIn,
                         const std::vector<std::string>& extraEnv,
                         const std::function<void(pid_t)>& whileRunning) {
    ScratchDir scratch;
    const std::string outPath = scratch.File("out");
    const std::string errPath = scratch.File("err");
    std::vector<std::string> args = argvIn;
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        env.emplace_back(*e);
    }
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    auto argv = ArgvOf(args);
    auto envp = ArgvOf(env);
    pid_t pid = -1;
    CommandResult result;
    if (::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        if (whileRunning) {
            whileRunning(pid);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = ReadWholeFile(outPath);
    result.err = ReadWholeFile(errPath);
    return result;
}

}  // namespace tavrin::testing
