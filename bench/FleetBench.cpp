// One restore alone against a fleet of 16 restores, side by side in one run: 16 gateway
// simulators paced at the console's line rate, a parameter file backed up from the first, then,
// in turn, `tavrin-cli restore` to one of them and `tavrin-cli fleet` restoring all 16 at once.
// Prints the median wall time of each, their ratio, and what the fleet is made of: the CPU time
// the tavrin-cli processes spent (against the wall time, it tells whether the jobs wait or work)
// and the start-up of one tavrin-cli process.
//
// Usage: QT_QPA_PLATFORM=offscreen tavrin-fleet-bench [RUNS]   (runs of each, default 3)
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "../tests/support/SimProcess.h"
#include "BenchRow.h"

namespace {

using namespace tavrin;
using namespace tavrin::bench;
using Clock = std::chrono::steady_clock;

constexpr int kGateways = 16;
constexpr double kRatioTarget = 1.3;

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Busy and total jiffies of the whole machine, from /proc/stat.
std::pair<double, double> MachineJiffies() {
    std::ifstream stat("/proc/stat");
    std::string cpu;
    double user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0;
    stat >> cpu >> user >> nice >> system >> idle >> iowait >> irq >> softirq;
    const double busy = user + nice + system + irq + softirq;
    return {busy, busy + idle + iowait};
}

struct Timed {
    int status = 0;
    double wallSeconds = 0;
    double cpuSeconds = 0;   // of the command and every process it waited for
    double machineBusy = 0;  // share of all cores busy meanwhile, whoever kept them busy
    std::string out;
};

int Count(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// A failed restore or fleet is timed all the same, and counted.
Timed Run(const std::vector<std::string>& argv, bool mustSucceed = true) {
    const double cpuBefore = ChildrenCpuSeconds();
    const auto [busyBefore, allBefore] = MachineJiffies();
    const auto start = Clock::now();
    const testing::CommandResult result = testing::RunCommand(argv);
    const std::chrono::duration<double> wall = Clock::now() - start;
    if (result.status != 0 && mustSucceed) {
        std::fprintf(stderr, "%s failed (%d):\n%s%s\n", argv[1].c_str(), result.status,
                     result.err.c_str(), result.out.c_str());
        throw std::runtime_error("a tavrin-cli run failed");
    }
    const auto [busyAfter, allAfter] = MachineJiffies();
    const double all = allAfter - allBefore;
    return {result.status, wall.count(), ChildrenCpuSeconds() - cpuBefore,
            all > 0 ? (busyAfter - busyBefore) / all : 0, result.out};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int Bench(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string cli = TAVRIN_CLI_EXE;
    testing::ScratchDir scratch;
    std::vector<std::unique_ptr<testing::SimProcess>> sims;
    for (int i = 0; i < kGateways; ++i) {
        sims.push_back(std::make_unique<testing::SimProcess>(
            scratch.File("eeprom" + std::to_string(i) + ".bin"),
            std::vector<std::string>{"--pace"}));
    }
    const std::string file = scratch.File("5310G_EEP.ini");
    Run({cli, "backup", file, "--port", sims[0]->Device()});
    // Both runs use the console's own timing (1 ms pace, 200 ms window), as a technician's fleet
    // does: every read waits out one whole window at the step whose marker never comes, so a
    // larger window would swamp the figure with waiting. A job lost to a late answer on a busy
    // machine shows as not done.
    const std::string manifest = scratch.File("fleet.json");
    {
        std::ofstream out(manifest);
        out << "{\"jobs\": [\n";
        for (int i = 0; i < kGateways; ++i) {
            out << "  {\"port\": \"" << sims[i]->Device()
                << "\", \"verb\": \"restore\", \"file\": \"" << file << "\""
                << "}" << (i + 1 < kGateways ? ",\n" : "\n");
        }
        out << "]}\n";
    }

    std::vector<double> alone;
    std::vector<double> fleet;
    std::vector<double> fleetCpu;
    std::vector<double> aloneBusy;
    std::vector<double> fleetBusy;
    std::vector<double> startup;
    int verified = 0;      // jobs of the last fleet whose restore read back what it wrote
    int done = kGateways;  // jobs done in the fleet run with the fewest
    int aloneDone = 0;
    for (int r = 0; r < runs; ++r) {
        std::vector<std::string> restore{cli, "restore", file, "--port",
                                         sims[r % kGateways]->Device()};
        const Timed single = Run(restore, false);
        aloneDone += single.status == 0 ? 1 : 0;
        alone.push_back(single.wallSeconds);
        aloneBusy.push_back(single.machineBusy);
        const Timed all = Run({cli, "fleet", manifest, "--json"}, false);
        done = std::min(done, Count(all.out, "\"status\": 0,"));
        fleet.push_back(all.wallSeconds);
        fleetCpu.push_back(all.cpuSeconds);
        fleetBusy.push_back(all.machineBusy);
        verified = Count(all.out, "\"verified\": true");
        startup.push_back(Run({cli, "--version"}).wallSeconds);
    }
    const double one = Median(alone);
    const double sixteen = Median(fleet);
    const double ratio = sixteen / one;
    const int cores = static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN));
    PrintRow("one restore, alone", Cell("%.2f s", one), "", true,
             Cell("median of %d (%d done), simulator paced at 115200 8N1; machine %.0f%% busy "
                  "of %d cores",
                  runs, aloneDone, Median(aloneBusy) * 100, cores));
    PrintRow(Cell("fleet of %d restores", kGateways), Cell("%.2f s", sixteen), "", true,
             Cell("median of %d; %d of %d done in every run, %d verified; answer window %s; "
                  "machine %.0f%% busy",
                  runs, done, kGateways, verified, "200 ms", Median(fleetBusy) * 100));
    PrintRow("fleet against one restore", Cell("%.2fx", ratio), Cell("<= %.1fx", kRatioTarget),
             ratio <= kRatioTarget && done == kGateways && aloneDone == runs,
             Cell("fleet's processes spent %.2f s CPU (median) in %.2f s; one tavrin-cli start "
                  "%.0f ms",
                  Median(fleetCpu), sixteen, Median(startup) * 1000));
    return 0;
}

// The simulators are stopped by their destructors also when a run fails.
int main(int argc, char** argv) {
    try {
        return Bench(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavrin-fleet-bench: %s\n", error.what());
        return 1;
    }
}
