// Times full reads against the gateway simulator paced at the console's real line rate and sets
// them beside what the dialogue cannot avoid: the bytes on the wire, the character pacing, and
// the answer windows waited out by design.
//
// Usage: tavrin-read-bench SIMULATOR [RUNS]
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "../tests/support/SimProcess.h"
#include "LineCounts.h"
#include "cli/CliReporter.h"
#include "console/ConsoleLink.h"
#include "console/ReadSequence.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"

namespace {

using namespace tavrin;

using bench::CountingTranscript;
using bench::kByteSeconds;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    testing::ScratchDir scratch;
    testing::SimProcess sim(scratch.File("eeprom.bin"), {"--pace"});

    double total = 0;
    double longestGapMs = 0;
    CountingTranscript counts;
    for (int run = 0; run < runs; ++run) {
        ConfigImage image;
        QtConsolePort port;
        SystemClock clock;
        QtEventPump pump;
        cli::CliReporter view;
        counts = {};
        ConsoleSession session{image, port, clock, pump, view, &counts};
        const auto start = std::chrono::steady_clock::now();
        if (ReadConfiguration(session, {1, sim.device()}, view) != ReadOutcome::Completed) {
            std::fprintf(stderr, "read failed\n");
            return 1;
        }
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        longestGapMs = std::max(longestGapMs, pump.LongestGap().count() / 1000.0);
    }
    const double measured = total / runs;
    const std::size_t bytesSent = counts.charsTyped + counts.lines;  // each line ends with CR
    const double wire = static_cast<double>(bytesSent + counts.bytesReceived) * kByteSeconds;
    // One pacing step after every character and one after every carriage return.
    const double pacing =
        static_cast<double>(counts.charsTyped + counts.lines) * kCharacterPacing.count() / 1e6;
    // The preamble's "." at the main prompt waits for an EEPROM prompt that cannot come there.
    const double windows = kConsoleTimeoutMs / 1000.0;
    const double floor = wire + pacing + windows;

    std::printf("%-34s %10s\n", "full read, simulator at 115200 8N1", "seconds");
    std::printf("%-34s %10.3f\n", "measured (mean)", measured);
    std::printf("%-34s %10.3f  (%zu bytes sent, %zu received)\n", "wire time", wire, bytesSent,
                counts.bytesReceived);
    std::printf("%-34s %10.3f  (%zu lines, %zu characters)\n", "character pacing", pacing,
                counts.lines, counts.charsTyped);
    std::printf("%-34s %10.3f\n", "answer windows waited by design", windows);
    std::printf("%-34s %10.2f\n", "measured / (wire+pacing+windows)", measured / floor);
    std::printf("%-34s %10.1f ms\n", "longest gap between event passes", longestGapMs);
    return 0;
}
