// Times full Finishes (encoding, the write of the whole 29-word configuration area and the 7
// connection words, and the EDS file) against the gateway simulator paced at the console's real
// line rate, and sets them beside what the dialogue cannot avoid: the bytes on the wire, the
// character pacing, and the answer windows waited out by design.
//
// Usage: tavrin-write-bench [RUNS]
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../tests/support/SimProcess.h"
#include "LineCounts.h"
#include "cli/CliReporter.h"
#include "console/ConsoleLink.h"
#include "console/ReadSequence.h"
#include "console/WriteSequence.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"
#include "eds/ConnectionChoices.h"
#include "eds/FinishJob.h"

namespace {

using namespace tavrin;

using bench::CountingTranscript;
using bench::kByteSeconds;

class SilentWriteView final : public WriteView {
public:
    void SetStatus(const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    testing::ScratchDir scratch;
    testing::SimProcess sim(scratch.File("eeprom.bin"), {"--pace"});
    const PortChoice choice{1, sim.device()};

    // One connect for the module prompt and the words; writing them back keeps the gateway valid.
    ConfigImage image;
    QtConsolePort port;
    SystemClock clock;
    QtEventPump pump;
    cli::CliReporter reporter;
    SilentWriteView view;
    {
        ConsoleSession session{image, port, clock, pump, reporter};
        if (ReadConfiguration(session, choice, reporter) != ReadOutcome::Completed) {
            std::fprintf(stderr, "read failed\n");
            return 1;
        }
    }

    // The objects as read go back as an edited table, so every Finish writes all 29 words.
    image.AppObjects = image.ReadAppObjects;
    image.AppCount = image.ReadAppCount;
    image.IOTotals = image.StoredIOTotals;
    const AssemblyTables assemblies =
        DeriveAssemblies(image.AppObjects, image.AppCount, image.IOTotals);
    ConnectionSelections selections;
    FinishChoices choices;
    const auto inputs = InputEntries(image, assemblies);
    const auto outputs = OutputEntries(image, assemblies);
    selections.InputSel[0] = static_cast<std::int16_t>(inputs.size() - 1);
    selections.OutputSel[0] = static_cast<std::int16_t>(outputs.size() - 1);
    choices.inputTexts = {inputs.back(), kNoneEntry, kNoneEntry};
    choices.outputTexts = {outputs.back(), "", ""};
    choices.description = "benchmark";

    double total = 0;
    CountingTranscript counts;
    for (int run = 0; run < runs; ++run) {
        counts = {};
        image.ConnInfoValid = false;
        ConsoleSession session{image, port, clock, pump, reporter, &counts};
        FinishContext context{session, choice, assemblies, selections, scratch.path(), view};
        const auto start = std::chrono::steady_clock::now();
        const FinishOutcome outcome = StoreAndProduceEds(context, choices);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (outcome != FinishOutcome::Completed) {
            std::fprintf(stderr, "finish failed\n");
            return 1;
        }
    }
    const double measured = total / runs;
    const std::size_t bytesSent = counts.charsTyped + counts.lines;  // each line ends with CR
    const double wire = static_cast<double>(bytesSent + counts.bytesReceived) * kByteSeconds;
    // One pacing step after every character and one after every carriage return.
    const double pacing =
        static_cast<double>(counts.charsTyped + counts.lines) * kCharacterPacing.count() / 1e6;
    // At the main prompt the preamble's "/q" and "." wait for EEPROM prompts that cannot come.
    const double windows = 2 * kConsoleTimeoutMs / 1000.0;
    const double floor = wire + pacing + windows;

    std::printf("%-38s %10s\n", "full Finish (29 + 7 words, EDS), 8N1", "seconds");
    std::printf("%-38s %10.3f  (%d runs)\n", "measured per Finish (mean)", measured, runs);
    std::printf("%-38s %10.3f  (%zu bytes sent, %zu received)\n", "wire time", wire, bytesSent,
                counts.bytesReceived);
    std::printf("%-38s %10.3f  (%zu lines, %zu characters; %.0f%% of measured)\n",
                "character pacing", pacing, counts.lines, counts.charsTyped,
                100.0 * pacing / measured);
    std::printf("%-38s %10.3f\n", "answer windows waited by design", windows);
    std::printf("%-38s %10.2f\n", "measured / (wire+pacing+windows)", measured / floor);
    std::printf("%-38s %10.1f ms\n", "longest gap between event passes",
                pump.LongestGap().count() / 1000.0);
    return 0;
}
