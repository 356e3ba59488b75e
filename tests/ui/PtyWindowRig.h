// The main window on Tavrin's real serial path (QtConsolePort, QtEventPump, the system clock),
// with COM `entry` bound to whatever pseudo-terminal `device` names (it may change between jobs),
// message boxes recorded and file dialogs scripted, and a scratch folder as the program's folder.
// Bound to a simulator (Attend), the window waits with a generous answer window on a clock that
// ends a wait as soon as the simulator has said all it will (QuietConsoleClock.h), so no outcome
// depends on how promptly either process runs.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "ConsoleRoom.h"
#include "QuietConsoleClock.h"
#include "RecordingReadView.h"
#include "ScriptedFileDialogs.h"
#include "SimProcess.h"
#include "assembly/AssemblyDerivation.h"
#include "common/Clock.h"
#include "config/ConfigImage.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"
#include "eds/ConnectionSelections.h"
#include "rules/ExportQuestion.h"
#include "ui/main/ChannelToggle.h"
#include "ui/main/MainWindow.h"

namespace tavrin::testing {

struct PtyWindowRig {
    explicit PtyWindowRig(std::string device = {}, int entry = 1)
        : device(std::move(device)), entry(entry) {
        // Export To EEP asks before it writes over a gateway it has read; the rig writes, whatever
        // a test answers to the other questions (No to "exit this program?" keeps the window).
        boxes.answers[kExportTitle] = BoxAnswer::Yes;
        form.show();
        form.Controls().ComPort->setCurrentIndex(entry - 1);
        form.SetConsoleTiming(kRoomyTiming);
    }
    explicit PtyWindowRig(const SimProcess& sim, int entry = 1)
        : PtyWindowRig(sim.Device(), entry) {
        Attend(sim);
    }
    PtyWindowRig(const PtyWindowRig&) = delete;
    PtyWindowRig& operator=(const PtyWindowRig&) = delete;

    // COM `entry` opens `sim`'s pseudo-terminal from now on.
    void Attend(const SimProcess& sim) {
        device = sim.Device();
        clock.Watch(sim.TranscriptPath());
    }
    void Connect() { form.Controls().Connect->click(); }
    const MainControls& c() const { return form.Controls(); }
    bool Shown(const QWidget* widget) const { return widget->isVisibleTo(&form); }

    std::string device;  // what COM `entry` opens
    int entry;
    // Further bindings of the port list ("TAVRIN_COM2" to a second simulator's device).
    std::map<std::string, std::string> env;
    ScratchDir programDir;
    ConfigImage image;
    AssemblyTables assemblies;
    ConnectionSelections selections;
    QtConsolePort serial;
    QuietConsoleClock clock;
    WatchedPort port{serial, clock};
    QtEventPump pump;
    RecordingBoxes boxes;
    ScriptedFileDialogs dialogs;
    MainWindow form{{image, assemblies, selections, port, clock, pump, boxes, dialogs,
                     [this](const std::string& name) -> std::optional<std::string> {
                         if (name == "TAVRIN_COM" + std::to_string(entry)) {
                             return device;
                         }
                         if (auto bound = env.find(name); bound != env.end()) {
                             return bound->second;
                         }
                         return std::nullopt;
                     },
                     programDir.Path()}};
};

}  // namespace tavrin::testing
