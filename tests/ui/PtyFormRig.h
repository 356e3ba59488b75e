// The main window on Tavrin's real serial path (QtConsolePort, QtEventPump, the system clock),
// with COM `entry` bound to whatever pseudo-terminal `device` names (it may change between jobs),
// message boxes recorded and file dialogs scripted, and a scratch folder as the program's folder.
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

struct PtyFormRig {
    explicit PtyFormRig(std::string device = {}, int entry = 1)
        : device(std::move(device)), entry(entry) {
        form.show();
        form.Controls().ComPort->setCurrentIndex(entry - 1);
    }
    PtyFormRig(const PtyFormRig&) = delete;
    PtyFormRig& operator=(const PtyFormRig&) = delete;

    void Connect() { form.Controls().Connect->click(); }
    const MainControls& c() const { return form.Controls(); }
    bool Shown(const QWidget* widget) const { return widget->isVisibleTo(&form); }

    std::string device;  // what COM `entry` opens
    int entry;
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
                       if (name == "TAVRIN_COM" + std::to_string(entry)) {
                           return device;
                       }
                       return std::nullopt;
                   },
                   programDir.path()}};
};

}  // namespace tavrin::testing
