// The peak memory of a whole commissioning job done with the program's real windows in this
// process, against the gateway simulator paced at the console's line rate: the splash, the main
// window, a connect that reads the gateway, the application object editor, the connection wizard
// and its Finish (the write and the EDS file), saving a parameter file through INI1 and writing
// it back into the gateway with Export To EEP. Message boxes and file dialogs are answered by
// script (the exit question after the export with No). Prints a Markdown table row with the peak
// resident size (VmHWM) and where it rose, and one with the longest time the window's events
// waited while the console jobs ran.
//
// Usage: QT_QPA_PLATFORM=offscreen tavrin-whole-job-bench
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "../tests/support/RecordingReadView.h"
#include "../tests/support/ScriptedFileDialogs.h"
#include "../tests/support/SimProcess.h"
#include "BenchRow.h"
#include "EventGapMonitor.h"
#include "appobj/editor/AppObjectEditor.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"
#include "eds/ui/ConnectionWizard.h"
#include "rules/StartUpDelay.h"
#include "ui/main/MainWindow.h"
#include "ui/main/SplashWindow.h"

namespace {

using namespace tavrin;
using namespace tavrin::bench;

constexpr double kPeakTargetMb = 80;
constexpr double kGapTargetMs = 20.0;

// A field of /proc/self/status in kB ("VmHWM", "VmRSS"); 0 when missing.
long StatusKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return 0;
}

struct Stage {
    std::string name;
    long peakKb;
};

[[noreturn]] void Fail(const char* step) {
    std::fprintf(stderr, "the job failed at: %s\n", step);
    std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    std::vector<Stage> stages;
    // The kernel folds per-thread counts into VmHWM lazily, so a reading may briefly stand a few
    // pages above the next one; the peak so far is the largest reading.
    const auto mark = [&](const char* name) {
        const long now = StatusKb("VmHWM");
        stages.push_back({name, stages.empty() ? now : std::max(now, stages.back().peakKb)});
    };
    mark("Qt started");

    testing::ScratchDir scratch;
    testing::SimProcess sim(scratch.File("eeprom.bin"), {"--pace"});
    const std::string device = sim.Device();

    SystemClock clock;
    QtEventPump pump;
    {
        SplashWindow logo;
        logo.show();
        Delay(clock, pump, kSplashTime);
    }
    mark("splash");

    ConfigImage image;
    AssemblyTables assemblies;
    ConnectionSelections selections;
    QtConsolePort port;
    testing::RecordingBoxes boxes;
    testing::ScriptedFileDialogs dialogs;
    const EnvLookup env = [device](const std::string& name) -> std::optional<std::string> {
        return name == "TAVRIN_COM1" ? std::optional<std::string>(device) : std::nullopt;
    };
    MainWindow form(
        {image, assemblies, selections, port, clock, pump, boxes, dialogs, env, scratch.Path()});
    form.show();
    mark("main window");

    // The window's timer runs through the console jobs done from the real windows.
    EventGapMonitor gaps;
    form.Controls().ComPort->setCurrentIndex(0);
    gaps.Start();
    form.Controls().Connect->click();
    gaps.Stop();
    const double connectGapMs = gaps.LongestMs();
    if (!form.Connected()) {
        Fail("connect");
    }
    mark("connect and read");

    form.Controls().CreateMBDevice->click();
    if (!form.Editor()) {
        Fail("application object editor");
    }
    mark("object editor");
    form.Editor()->Controls().NextButton->click();
    ConnectionWizard* wizard = form.Wizard();
    if (!wizard) {
        Fail("wizard");
    }
    QComboBox* output = wizard->Controls().OutPut[0];
    output->setCurrentIndex(2);
    emit output->activated(2);
    mark("wizard");
    gaps.Start();
    wizard->Controls().FinishDeviceSet->click();
    gaps.Stop();
    const double finishGapMs = gaps.LongestMs();
    // Finish reads the stored words back; "Verified" is its last status.
    if (form.Controls().CommunicationState->text() != QStringLiteral("Verified")) {
        Fail("Finish");
    }
    mark("Finish");

    const std::string path = scratch.File("5310G_EEP.ini");
    dialogs.Answer(path);
    form.Controls().ImportToINI->trigger();
    if (!boxes.shown.empty()) {
        Fail("saving the parameter file");
    }
    mark("parameter file saved");
    dialogs.Answer(path);
    boxes.answer = BoxAnswer::No;
    gaps.Start();
    form.Controls().ExportToEEP->trigger();
    gaps.Stop();
    const double exportGapMs = gaps.LongestMs();
    const double longestGapMs = std::max({connectGapMs, finishGapMs, exportGapMs});
    if (boxes.shown.size() != 1 || boxes.shown[0].text != "Are you sure to exit this program?") {
        Fail("Export To EEP");
    }
    mark("Export To EEP");

    const long peakKb = stages.back().peakKb;
    std::string rise;
    long before = 0;
    for (const Stage& stage : stages) {
        rise += Cell("%s%s %+.1f", rise.empty() ? "" : ", ", stage.name.c_str(),
                     (stage.peakKb - before) / 1024.0);
        before = stage.peakKb;
    }
    PrintRow("longest gap between two serviced window events, main window",
             Cell("**%.1f ms**", longestGapMs), Cell("<= %.0f ms", kGapTargetMs),
             longestGapMs <= kGapTargetMs,
             Cell("the same 1 ms timer through the job in the real windows: connect %.1f ms, "
                  "Finish %.1f ms, Export To EEP %.1f ms",
                  connectGapMs, finishGapMs, exportGapMs));
    PrintRow("peak memory of a whole job (VmHWM)", Cell("**%.1f MB**", peakKb / 1024.0),
             Cell("< %.0f MB", kPeakTargetMb), peakKb / 1024.0 < kPeakTargetMb,
             "splash, connect and read, object editor, wizard and Finish, save a parameter file, "
             "Export To EEP; peak rise per step in MB: " +
                 rise);
    return 0;
}
