// Times the assembly derivation and the assembly view on the largest tables the editor lets a
// user build: instances at their 1025-byte limit, so the view's grids carry 1028 columns.
//
// Usage: tavrin-assembly-bench [RUNS]   (set QT_QPA_PLATFORM=offscreen without a display)
#include <QApplication>
#include <QTabBar>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "assembly/AssemblyDerivation.h"
#include "assembly/ui/AssemblyView.h"

namespace {

using namespace tavrin;
using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Ten objects with both digital instances at 1025 bytes (four 1920-bit objects and one of 520
// bits each way): the most a valid table can put into the view's two grids.
AppObjectList FullTable() {
    AppObjectList working;
    const AppObject objects[] = {
        {1, 0, 0, 0, 1920}, {2, 0, 0, 0, 1920}, {3, 0, 0, 0, 1920}, {4, 0, 0, 0, 1920},
        {5, 0, 0, 0, 520},  {6, 2, 0, 0, 1920}, {7, 2, 0, 0, 1920}, {8, 2, 0, 0, 1920},
        {9, 2, 0, 0, 1920}, {10, 2, 0, 0, 520},
    };
    for (const AppObject& o : objects) {
        working.AppObjects[working.AppCount++] = o;
        working.IOTotals[o.IOType] += o.MBCL;
    }
    return working;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const AppObjectList working = FullTable();

    auto start = Clock::now();
    std::size_t bytes = 0;
    for (int i = 0; i < runs; ++i) {
        const AssemblyTables t = DeriveAssemblies(working);
        bytes += t.OutputAssemblies[0].Length + t.OutputAssemblies[1].Length +
                 t.InputAssemblies[0].Length + t.InputAssemblies[1].Length;
    }
    std::printf("derivation: %.3f ms per table (%zu mapping texts each)\n", MsSince(start) / runs,
                bytes / static_cast<std::size_t>(runs));

    const int viewRuns = std::max(1, runs / 20);
    AssemblyTables shared;
    start = Clock::now();
    double switchMs = 0;
    for (int i = 0; i < viewRuns; ++i) {
        AssemblyView view(working, shared);
        view.show();
        QApplication::processEvents();
        const auto switchStart = Clock::now();
        view.Tabs()->setCurrentIndex(1);
        QApplication::processEvents();
        switchMs += MsSince(switchStart);
    }
    const double total = MsSince(start);
    std::printf("assembly view: %.1f ms to open and show, %.1f ms per tab switch (%d runs)\n",
                (total - switchMs) / viewRuns, switchMs / viewRuns, viewRuns);
    return 0;
}
