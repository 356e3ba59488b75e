// tavrin-cli's jobs while its process is stopped for half a second now and then, as a suspended
// terminal or a loaded laptop does to it. The simulator runs on, so its answers wait in the line
// and are there when the program wakes long after its answer window has passed. The console
// dialogue, the gateway's EEPROM and what the command prints must be those of an undisturbed run.
// `apply` and `restore` run the same write sequences as the window's Finish and Export. The runs
// take tavrin-cli-quiet with its window clock standing while the simulator owes an answer, so the
// time that counts is the program's own and the stops' (support/QuietConsoleClock.h).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

#include "../support/ConsoleRoom.h"
#include "../support/SimProcess.h"
#include "EepromFile.h"
#include "cli/ExitCodes.h"

namespace tavrin {
namespace {

using gatewaysim::Eeprom;
using testing::CommandResult;
using testing::ReadWholeFile;

constexpr int kStops = 4;
constexpr auto kStopLength = std::chrono::milliseconds(500);

// The lines the simulator's transcript shows it received, in order.
std::vector<std::string> ReceivedLines(const std::string& transcript) {
    std::istringstream in(ReadWholeFile(transcript));
    std::vector<std::string> lines;
    for (std::string entry; std::getline(in, entry);) {
        const auto stampEnd = entry.find(' ');
        if (stampEnd != std::string::npos && entry.compare(stampEnd, 2, " <") == 0) {
            lines.push_back(entry.substr(std::min(entry.size(), stampEnd + 3)));
        }
    }
    return lines;
}

bool HasEnded(pid_t pid) {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid;
}

// Stops `pid` for kStopLength once the simulator has received each of `atLines` (ascending).
// The moments follow the dialogue, not the clock: the program is stopped before the transcript
// is looked at, so it cannot run on meanwhile. Returns how many stops fell inside the job.
int StopAtLines(pid_t pid, const std::string& transcript, const std::vector<int>& atLines) {
    int stops = 0;
    for (const int line : atLines) {
        for (;;) {
            if (HasEnded(pid)) {
                return stops;
            }
            ::kill(pid, SIGSTOP);
            if (static_cast<int>(ReceivedLines(transcript).size()) >= line) {
                break;
            }
            ::kill(pid, SIGCONT);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(kStopLength);
        ::kill(pid, SIGCONT);
        ++stops;
    }
    return stops;
}

// kStops distinct line numbers in the first three quarters of a `lines`-long dialogue, from a
// fixed seed so that a failure can be repeated.
std::vector<int> StopLines(int lines) {
    std::mt19937 random(18);
    std::uniform_int_distribution<int> pick(1, lines * 3 / 4);
    std::vector<int> at;
    while (static_cast<int>(at.size()) < kStops) {
        const int line = pick(random);
        if (std::find(at.begin(), at.end(), line) == at.end()) {
            at.push_back(line);
        }
    }
    std::sort(at.begin(), at.end());
    return at;
}

struct JobCase {
    const char* name;
    // The command line after the program's name, for the simulator's device and a scratch folder
    // (which holds what the job reads or writes).
    std::function<std::vector<std::string>(const std::string& device, const std::string& dir)> args;
};

struct JobRun {
    CommandResult result;
    std::string eeprom;
    std::vector<std::string> lines;
    int stops = 0;
};

JobRun RunJob(const JobCase& job, const testing::ScratchDir& scratch,
              const std::vector<int>& stopAt) {
    const std::string eepromPath = scratch.File("eeprom.bin");
    const std::string transcript = scratch.File("transcript.log");
    std::remove(transcript.c_str());
    gatewaysim::SaveEeprom(eepromPath, gatewaysim::DefaultEeprom());
    // Answers come 40 ms after each line (well inside the window), so a stop that begins when a
    // line has arrived lands while its answer is still on its way.
    testing::SimProcess sim(eepromPath, {"--transcript", transcript, "--slow-ms", "40"});
    std::vector<std::string> argv = job.args(sim.Device(), scratch.Path());
    argv.insert(argv.begin(), TAVRIN_CLI_WATCHED_EXE);
    // Shorter than a stop, so a stopped run wakes past its window with the answer waiting. The
    // window's clock stands while the simulator owes an answer, so only Tavrin's own time
    // counts: a simulator that is late itself on a busy machine cannot time a step out.
    argv.insert(argv.end(), {"--answer-window", "400"});
    JobRun run;
    std::function<void(pid_t)> disturb;
    if (!stopAt.empty()) {
        disturb = [&](pid_t pid) { run.stops = StopAtLines(pid, transcript, stopAt); };
    }
    run.result = testing::RunCommand(argv, {"TAVRIN_TEST_STAND_WHILE_OWED=1"}, disturb);
    // The two runs' simulators may be given different pseudo-terminals.
    for (std::string* text : {&run.result.out, &run.result.err}) {
        for (auto at = text->find(sim.Device()); at != std::string::npos;
             at = text->find(sim.Device(), at)) {
            text->replace(at, sim.Device().size(), "DEVICE");
        }
    }
    sim.Stop();
    run.eeprom = ReadWholeFile(eepromPath);
    run.lines = ReceivedLines(transcript);
    return run;
}

// A parameter file that differs from the shipped configuration, saved by `backup` from a gateway
// holding it.
void ChangedParameterFile(const std::string& file) {
    testing::ScratchDir source;
    Eeprom changed = gatewaysim::DefaultEeprom();
    changed.SetWord(0, 12, 0x01020304u);
    changed.SetWord(1, 3, 777u);
    gatewaysim::SaveEeprom(source.File("eeprom.bin"), changed);
    testing::SimProcess sim(source.File("eeprom.bin"));
    const CommandResult saved =
        testing::RunCommand({TAVRIN_CLI_WATCHED_EXE, "backup", file, "--port", sim.Device(),
                             "--answer-window", testing::kCliAnswerWindow});
    EXPECT_EQ(saved.status, cli::kExitOk) << saved.err;
}

class StoppedCli : public ::testing::TestWithParam<JobCase> {};

TEST_P(StoppedCli, DoesExactlyWhatAnUndisturbedRunDoes) {
    testing::ScratchDir scratch;
    const JobRun calm = RunJob(GetParam(), scratch, {});
    ASSERT_EQ(calm.result.status, cli::kExitOk) << calm.result.err;
    ASSERT_GT(calm.lines.size(), 8u);

    const std::vector<int> stopAt = StopLines(static_cast<int>(calm.lines.size()));
    const JobRun stopped = RunJob(GetParam(), scratch, stopAt);
    EXPECT_EQ(stopped.stops, kStops) << "every stop falls inside the job";
    EXPECT_EQ(stopped.result.status, cli::kExitOk) << stopped.result.err;
    EXPECT_EQ(stopped.result.out, calm.result.out);
    EXPECT_EQ(stopped.result.err, calm.result.err);
    EXPECT_EQ(stopped.lines, calm.lines);
    EXPECT_TRUE(stopped.eeprom == calm.eeprom) << "the gateway holds the same words";
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoppedCli,
    ::testing::Values(
        JobCase{"Read",
                [](const std::string& device, const std::string&) {
                    return std::vector<std::string>{"read", "--port", device, "--json"};
                }},
        // apply stores the settings as Finish does and writes the EDS file; one stamp for both
        // runs.
        JobCase{"Apply",
                [](const std::string& device, const std::string& dir) {
                    return std::vector<std::string>{
                        "apply",   TAVRIN_APPLY_EXAMPLE, "--port", device, "--out", dir,
                        "--stamp", "2026-12-08 09:05:03"};
                }},
        // restore writes every configuration word as Export To EEP does.
        JobCase{"Restore",
                [](const std::string& device, const std::string& dir) {
                    const std::string file = dir + "/changed.ini";
                    if (!std::filesystem::exists(file)) {
                        ChangedParameterFile(file);
                    }
                    return std::vector<std::string>{"restore", file, "--port", device};
                }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavrin
