// Starts the real simulator and talks to it over its pty as Tavrin would.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "EepromFile.h"
#include "PortLock.h"
#include "TempDir.h"

extern char** environ;

namespace gatewaysim {
namespace {

class Simulator {
public:
    explicit Simulator(std::vector<std::string> args) {
        args.insert(args.begin(), GATEWAYSIM_EXE);
        std::vector<char*> argv;
        for (auto& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        m_stdout = out[0];
    }
    ~Simulator() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_stdout);
    }

    // The pty path the simulator prints first.
    std::string SlavePath() {
        std::string line;
        char c = 0;
        while (AwaitReadable(m_stdout) && ::read(m_stdout, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    // Exit status after SIGTERM (or after the simulator ended on its own).
    int Stop(bool signal = true) {
        if (signal) {
            ::kill(m_pid, SIGTERM);
        }
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static bool AwaitReadable(int fd) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, 3000) == 1;
    }

private:
    pid_t m_pid = -1;
    int m_stdout = -1;
};

// Sends `line` and a carriage return, then reads until `until` has arrived or nothing more comes.
std::string ReadUntil(int fd, const std::string& until) {
    std::string in;
    char buffer[256];
    while (in.find(until) == std::string::npos && Simulator::AwaitReadable(fd)) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        in.append(buffer, static_cast<std::size_t>(n));
    }
    return in;
}

std::string Converse(int fd, const std::string& line, const std::string& until) {
    const std::string out = line + "\r";
    EXPECT_EQ(::write(fd, out.data(), out.size()), static_cast<ssize_t>(out.size()));
    return ReadUntil(fd, until);
}

TEST(SimProgramTest, ServesTheConsoleAcrossReopensAndCleansUpOnSigterm) {
    TempDir dir;
    const std::string link = dir.File("ttyGW");
    const std::string eeprom = dir.File("eeprom.bin");
    Simulator sim({"--eeprom", eeprom, "--link", link});
    const std::string path = sim.SlavePath();
    ASSERT_TRUE(path.starts_with("/dev/pts/")) << path;
    EXPECT_EQ(std::filesystem::read_symlink(link), path);
    EXPECT_EQ(LoadEeprom(eeprom), DefaultEeprom());

    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Converse(fd, "exit", "6420RT>"), "exit\r\n6420RT>");
    ::close(fd);

    // Each console sequence opens the port afresh; the line must survive the close.
    fd = ::open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Converse(fd, "use eeprom", "]"), "use eeprom\r\n[EEPROM:]");
    EXPECT_EQ(Converse(fd, "el 40", "-->"), "el 40\r\nLong(40)=28573804-->");
    EXPECT_EQ(Converse(fd, "-1", "-->"), "-1\r\nLong(44)=1835020-->");
    ::close(fd);
    EXPECT_EQ(LoadEeprom(eeprom).Word(0, 10), 4294967295u);

    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SimProgramTest, HangsUpAfterAnsweringTheGivenLine) {
    TempDir dir;
    Simulator sim({"--eeprom", dir.File("eeprom.bin"), "--hangup-after", "2", "--hold"});
    const std::string path = sim.SlavePath();
    const std::string lock = QtLockFilePath(path, QtLockDirectories());
    EXPECT_TRUE(std::filesystem::exists(lock));

    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Converse(fd, "", ">"), "\r\n6420RT>");
    EXPECT_EQ(Converse(fd, "exit", ">"), "exit\r\n6420RT>");
    char c = 0;
    ASSERT_TRUE(Simulator::AwaitReadable(fd));
    EXPECT_LE(::read(fd, &c, 1), 0) << "the line should be hung up";
    ::close(fd);
    EXPECT_EQ(sim.Stop(false), 0);
    EXPECT_FALSE(std::filesystem::exists(lock));
}

// Only the answer to the given line comes late; the echo still comes at once. The delay is long
// so that the undelayed answers stay below it however busy the machine is.
TEST(SimProgramTest, DelaysTheAnswerToOneLineOnly) {
    TempDir dir;
    Simulator sim({"--eeprom", dir.File("eeprom.bin"), "--slow-at", "2", "--slow-ms", "1500"});
    const int fd = ::open(sim.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    using Ms = std::chrono::milliseconds;
    auto timed = [fd](const std::string& line) {
        const auto start = std::chrono::steady_clock::now();
        const std::string answer = Converse(fd, line, ">");
        return std::make_pair(
            answer, std::chrono::duration_cast<Ms>(std::chrono::steady_clock::now() - start));
    };
    const auto first = timed("");
    const auto second = timed("exit");
    const auto third = timed("/q");
    ::close(fd);
    EXPECT_EQ(first.first, "\r\n6420RT>");
    EXPECT_LT(first.second, Ms(1500));
    EXPECT_EQ(second.first, "exit\r\n6420RT>");
    EXPECT_GE(second.second, Ms(1500));
    EXPECT_EQ(third.first, "/q\r\n6420RT>");
    EXPECT_LT(third.second, Ms(1500));
}

// The line drops when the given line arrives: that line is neither echoed nor taken.
TEST(SimProgramTest, HangsUpWhenTheGivenLineArrives) {
    TempDir dir;
    const std::string eeprom = dir.File("eeprom.bin");
    Simulator sim({"--eeprom", eeprom, "--hangup-at", "4"});
    const int fd = ::open(sim.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Converse(fd, "use eeprom", "]"), "use eeprom\r\n[EEPROM:]");
    EXPECT_EQ(Converse(fd, "el 40", "-->"), "el 40\r\nLong(40)=28573804-->");
    const Eeprom before = LoadEeprom(eeprom);
    EXPECT_EQ(Converse(fd, "1", "-->"), "1\r\nLong(44)=1835020-->");
    const Eeprom afterOne = LoadEeprom(eeprom);
    EXPECT_NE(afterOne, before);
    const std::string typed = "2\r";
    EXPECT_EQ(::write(fd, typed.data(), typed.size()), 2);
    char c = 0;
    std::string late;
    while (Simulator::AwaitReadable(fd) && ::read(fd, &c, 1) == 1) {
        late += c;
    }
    EXPECT_EQ(late, "") << "the fourth line must not be echoed or answered";
    ::close(fd);
    EXPECT_EQ(sim.Stop(false), 0);
    EXPECT_EQ(LoadEeprom(eeprom), afterOne) << "the fourth line must not be stored";
}

// Answers cut inside their marker still arrive whole and in order (where the cut falls is the
// pure function's test; here the pieces must come out of the pty as the console said them).
TEST(SimProgramTest, CutAnswersArriveWholeAndInOrder) {
    TempDir dir;
    Simulator sim({"--eeprom", dir.File("eeprom.bin"), "--split-marker-at", "3"});
    const int fd = ::open(sim.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Converse(fd, "use eeprom", "]"), "use eeprom\r\n[EEPROM:]");
    EXPECT_EQ(Converse(fd, "el 40", "-->"), "el 40\r\nLong(40)=28573804-->");
    EXPECT_EQ(Converse(fd, ".", "]"), ".\r\n[EEPROM:]");
    EXPECT_EQ(Converse(fd, "exit", ">"), "exit\r\n6420RT>");
    ::close(fd);
}

// A slow console without a receive buffer: a line typed in one write keeps only its first
// character, and every answer starts late (only lower bounds are checked: load only adds).
TEST(SimProgramTest, LosesCharactersTypedTooFastAndAnswersLate) {
    TempDir dir;
    Simulator sim(
        {"--eeprom", dir.File("eeprom.bin"), "--min-char-gap", "50", "--answer-delay", "200"});
    const int fd = ::open(sim.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    const std::string typed = "exit";
    ASSERT_EQ(::write(fd, typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
    // The carriage return must reach the module well after it took the "e": wait for the echo
    // first, since a simulator kept off the processor could otherwise read both together.
    EXPECT_EQ(ReadUntil(fd, "e"), "e");
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Converse(fd, "", ">"), "\r\nUnknown command\r\n6420RT>");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    ::close(fd);
}

}  // namespace
}  // namespace gatewaysim
