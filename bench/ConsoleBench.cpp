// Times the three console jobs against the gateway simulator paced at the console's real line rate
// (115200 8N1): a full read, a full Finish (all 29 block-0 words, the 7 block-1 words and the EDS
// file) and an Export To EEP of a parameter file's words. Each is set beside what its dialogue
// cannot avoid (wire time, character pacing, answer windows waited out by design), counted from
// the dialogue itself. While the reads run, a window timer measures how long the event loop is
// ever kept from servicing it. Prints Markdown table rows.
//
// Usage: tavrin-console-bench [RUNS [--steps]]   (runs per job, default 5)
#include <sys/resource.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>

#include "../tests/support/SimProcess.h"
#include "BenchRow.h"
#include "DialogueTiming.h"
#include "EventGapMonitor.h"
#include "cli/CliProgress.h"
#include "console/ReadSequence.h"
#include "console/WriteSequence.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"
#include "eds/ConnectionChoices.h"
#include "eds/FinishJob.h"
#include "rules/ParameterFile.h"

namespace {

using namespace tavrin;
using namespace tavrin::bench;
using Clock = std::chrono::steady_clock;

constexpr double kRatioTarget = 1.10;
constexpr double kGapTargetMs = 20.0;

// A parameter file kept in memory: the same key texts a file on disk holds.
class MemoryKeys final : public IniKeyAccess {
public:
    void SetFileName(const std::string&) override {}
    std::optional<std::string> GetKey(const std::string& section, const std::string& key) override {
        const auto at = m_keys.find(section + "/" + key);
        return at == m_keys.end() ? std::string() : at->second;
    }
    void WriteKey(const std::string& section, const std::string& key,
                  const std::string& value) override {
        m_keys[section + "/" + key] = value;
    }

private:
    std::map<std::string, std::string> m_keys;
};

// How often the processor was taken from this process while it could have run.
long Preemptions() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nivcsw;
}

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct JobResult {
    double measured = 0;     // mean seconds per run
    double cpu = 0;          // mean processor seconds this process used per run
    double preemptions = 0;  // mean per run
    DialogueCosts costs;     // of the last run
    TimedTranscript last;
    Clock::time_point lastEnd;
    // The job with every step at its fastest run: what is left once the stalls of a busy machine
    // (another process holding the processor when a wait ends) are taken out.
    double bestSteps = 0;
};

// Each line's time from its typing to the next line (or the end), in seconds.
std::vector<double> StepSeconds(const TimedTranscript& t, Clock::time_point end) {
    std::vector<double> steps;
    for (std::size_t i = 0; i < t.lines.size(); ++i) {
        const auto stepEnd = i + 1 < t.lines.size() ? t.lines[i + 1].sent : end;
        steps.push_back(std::chrono::duration<double>(stepEnd - t.lines[i].sent).count());
    }
    return steps;
}

// Runs `job` `runs` times on a fresh transcript each; false from the job ends the benchmark.
JobResult Time(int runs, const std::function<bool(TimedTranscript&)>& job) {
    JobResult result;
    double total = 0;
    double cpuTotal = 0;
    long preempted = 0;
    std::vector<double> best;
    for (int run = 0; run < runs; ++run) {
        TimedTranscript transcript;
        const double cpuStart = CpuSeconds();
        const long preemptedBefore = Preemptions();
        const auto start = Clock::now();
        if (!job(transcript)) {
            std::fprintf(stderr, "a console job failed\n");
            std::exit(1);
        }
        const auto end = Clock::now();
        cpuTotal += CpuSeconds() - cpuStart;
        preempted += Preemptions() - preemptedBefore;
        total += std::chrono::duration<double>(end - start).count();
        result.costs = CostsOf(transcript, end);
        const std::vector<double> steps = StepSeconds(transcript, end);
        if (run == 0) {
            best = steps;
        } else if (steps.size() == best.size()) {
            for (std::size_t i = 0; i < steps.size(); ++i) {
                best[i] = std::min(best[i], steps[i]);
            }
        }
        result.last = std::move(transcript);
        result.lastEnd = end;
    }
    result.measured = total / runs;
    result.cpu = cpuTotal / runs;
    result.preemptions = static_cast<double>(preempted) / runs;
    for (const double step : best) {
        result.bestSteps += step;
    }
    return result;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? "\"" : ", \"") + line + "\"";
    }
    return text.empty() ? "none" : text;
}

// Where a job's time goes, step by step: each line's time from its typing to the next line beside
// the floor of that step alone (its characters and carriage return paced and on the wire, the
// bytes received, a window waited out).
void PrintSteps(const char* what, const JobResult& r) {
    std::fprintf(stderr, "%s, last run: line, step ms, floor ms, bytes received\n", what);
    double over = 0;
    const auto& lines = r.last.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto end = i + 1 < lines.size() ? lines[i + 1].sent : r.lastEnd;
        const double step = std::chrono::duration<double, std::milli>(end - lines[i].sent).count();
        const double typed = static_cast<double>(lines[i].text.size() + 1);
        double floor = typed * (kCharacterPacing.count() / 1000.0 + kByteSeconds * 1000) +
                       static_cast<double>(lines[i].received) * kByteSeconds * 1000;
        if (step >= kConsoleTimeoutMs) {
            floor += kConsoleTimeoutMs;
        }
        over += step - floor;
        std::fprintf(stderr, "  %-14s %8.2f %8.2f %5zu\n", lines[i].text.c_str(), step, floor,
                     lines[i].received);
    }
    std::fprintf(stderr, "  time over the step floors: %.1f ms\n", over);
}

// Which step each long gap of the window timer ended in.
void PrintLongGaps(const EventGapMonitor& gaps, const TimedTranscript& t) {
    for (const auto& gap : gaps.LongGaps()) {
        std::string line = "(before the first line)";
        for (const auto& sent : t.lines) {
            if (sent.sent <= gap.end) {
                line = "\"" + sent.text + "\"";
            }
        }
        std::fprintf(stderr, "window timer waited %.1f ms, ending in the step of %s\n",
                     std::chrono::duration<double, std::milli>(gap.length).count(), line.c_str());
    }
}

void PrintJob(const char* what, int runs, const JobResult& r) {
    const DialogueCosts& c = r.costs;
    const double floor = c.wire + c.pacing + c.windows;
    const double ratio = r.measured / floor;
    PrintRow(
        what, Cell("%.3f s / %.3f s = **%.2f**", r.measured, floor, ratio),
        Cell("ratio <= %.2f", kRatioTarget), ratio <= kRatioTarget,
        Cell("mean of %d; wire %.3f s (%zu bytes sent, %zu received), pacing %.3f s (%zu "
             "lines, %zu characters), windows %.3f s (%s); processor time used %.3f s, preempted "
             "%.0f times; every step at its fastest run %.3f s (ratio %.2f)",
             runs, c.wire, c.bytesSent, c.bytesReceived, c.pacing, c.lines, c.charsTyped, c.windows,
             Joined(c.waitedOut).c_str(), r.cpu, r.preemptions, r.bestSteps, r.bestSteps / floor));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    // --steps after RUNS: also show on stderr where each job's time went, line by line.
    const bool steps = argc > 2 && std::string(argv[2]) == "--steps";
    testing::ScratchDir scratch;
    testing::SimProcess sim(scratch.File("eeprom.bin"), {"--pace"});
    const PortChoice choice{1, sim.Device()};

    ConfigImage image;
    QtConsolePort port;
    SystemClock clock;
    QtEventPump pump;
    cli::CliProgress reporter(stderr, false, nullptr);
    // The write's messages go where the read's do; its status line has nowhere to show.
    WriteView& view = reporter;

    // The same timer in an idle event loop first: how late this machine services it anyway.
    EventGapMonitor gaps;
    gaps.Start();
    {
        QEventLoop idle;
        QTimer::singleShot(700, &idle, &QEventLoop::quit);
        idle.exec();
    }
    gaps.Stop();
    const double idleGapMs = gaps.LongestMs();
    double readGapMs = 0;
    std::chrono::microseconds pumpGap{0};
    const JobResult read = Time(runs, [&](TimedTranscript& transcript) {
        QtEventPump readPump;
        ConsoleSession session{image, port, clock, readPump, &transcript};
        gaps.Start();
        const bool done = ReadConfiguration(session, choice, reporter) == ReadOutcome::Completed;
        gaps.Stop();
        readGapMs = std::max(readGapMs, gaps.LongestMs());
        if (steps) {
            PrintLongGaps(gaps, transcript);
        }
        pumpGap = std::max(pumpGap, readPump.LongestGap());
        return done;
    });

    // Finish writes the objects as read back as an edited table, so every run writes all 29 words.
    image.working.AppObjects = image.settings.ReadAppObjects;
    image.working.AppCount = image.settings.ReadAppCount;
    image.working.IOTotals = image.settings.StoredIOTotals;
    const AssemblyTables assemblies = DeriveAssemblies(image.working);
    ConnectionSelections selections;
    FinishChoices choices;
    const auto inputs = InputEntries(image, assemblies);
    const auto outputs = OutputEntries(image, assemblies);
    selections.InputSel[0] = static_cast<std::int16_t>(inputs.size() - 1);
    selections.OutputSel[0] = static_cast<std::int16_t>(outputs.size() - 1);
    choices.inputTexts = {inputs.back(), kNoneEntry, kNoneEntry};
    choices.outputTexts = {outputs.back(), "", ""};
    choices.description = "benchmark";
    const JobResult finish = Time(runs, [&](TimedTranscript& transcript) {
        image.settings.ConnInfoValid = false;
        ConsoleSession session{image, port, clock, pump, &transcript};
        FinishContext context{session, choice, assemblies, selections, scratch.Path(), view};
        return StoreAndProduceEds(context, choices) == FinishOutcome::Completed;
    });

    // Export: the words of a backup taken at the read, loaded from the file and typed in.
    MemoryKeys file;
    SaveINIFile(file, "5310G_EEP.ini", image.words);
    const JobResult exportJob = Time(runs, [&](TimedTranscript& transcript) {
        if (!Get_INIFILE_PARA(file, "5310G_EEP.ini", image.words)) {
            return false;
        }
        image.settings.AppLayer = 1;
        ConsoleSession session{image, port, clock, pump, &transcript};
        return WriteConfiguration(session, choice, image.words.FromFile(), kWholeBlock0Words,
                                  view) == WriteOutcome::Completed;
    });

    if (steps) {
        PrintSteps("full read", read);
        PrintSteps("full Export To EEP", exportJob);
    }
    PrintJob("full read", runs, read);
    PrintJob("full Finish (29 + 7 words, EDS file)", runs, finish);
    PrintJob("full Export To EEP (29 + 7 words)", runs, exportJob);
    const double gapMs = readGapMs;
    PrintRow("longest gap between two serviced window events during a read",
             Cell("**%.1f ms**", gapMs), Cell("<= %.0f ms", kGapTargetMs), gapMs <= kGapTargetMs,
             Cell("a 1 ms window timer over %d reads; the same timer in an idle event loop "
                  "%.1f ms; longest time the console's waits kept the loop from running %.1f ms",
                  runs, idleGapMs, pumpGap.count() / 1000.0));
    return 0;
}
