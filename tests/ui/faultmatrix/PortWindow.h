// The main window on Tavrin's real serial path (QtConsolePort, QtEventPump, the system clock),
// with COM 1 bound to whatever pseudo-terminal the current simulator serves, message boxes
// recorded (Yes/No answered No) and file dialogs scripted.
#pragma once

#include <optional>
#include <string>

#include "RecordingReadView.h"
#include "ScriptedFileDialogs.h"
#include "SimProcess.h"
#include "assembly/AssemblyDerivation.h"
#include "common/Clock.h"
#include "config/ConfigImage.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"
#include "eds/ConnectionSelections.h"
#include "ui/main/ChannelToggle.h"
#include "ui/main/MainForm.h"

namespace tavrin::testing {

struct PortWindow {
    PortWindow() {
        boxes.answer = BoxAnswer::No;
        form.show();
        form.Controls().ComPort->setCurrentIndex(0);
    }
    PortWindow(const PortWindow&) = delete;
    PortWindow& operator=(const PortWindow&) = delete;

    const MainControls& c() const { return form.Controls(); }
    bool Shown(const QWidget* widget) const { return widget->isVisibleTo(&form); }

    std::string device;  // what COM 1 opens
    ScratchDir programDir;
    ConfigImage image;
    AssemblyTables assemblies;
    ConnectionSelections selections;
    QtConsolePort port;
    SystemClock clock;
    QtEventPump pump;
    RecordingBoxes boxes;
    ScriptedFileDialogs dialogs;
    MainForm form{{image, assemblies, selections, port, clock, pump, boxes, dialogs,
                   [this](const std::string& name) -> std::optional<std::string> {
                       if (name == "TAVRIN_COM1") {
                           return device;
                       }
                       return std::nullopt;
                   },
                   programDir.path()}};
};

}  // namespace tavrin::testing
