// The main window on an in-process simulated gateway: the fake clock and port run a whole connect
// instantly, and every message box is recorded (and Yes/No answered) instead of shown.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "EepromFile.h"
#include "FakeConsoleHardware.h"
#include "RecordingReadView.h"
#include "ScriptedFileDialogs.h"
#include "SimulatedGateway.h"
#include "gatewaysim/TempDir.h"
#include "rules/ExportQuestion.h"
#include "ui/main/ChannelToggle.h"
#include "ui/main/MainWindow.h"

namespace tavrin::testing {

// Port n opens "/fake/TAVRIN_COM<n>", so a test sees which entry opened which port.
inline std::optional<std::string> FakeEnv(const std::string& name) {
    return "/fake/" + name;
}

struct MainWindowRig {
    explicit MainWindowRig(gatewaysim::Eeprom eeprom = gatewaysim::DefaultEeprom(),
                           gatewaysim::ConsoleFaults faults = {})
        : gateway(port, std::move(eeprom), "6420RT", std::move(faults)) {
        // Export To EEP asks before it writes over a gateway it has read; the rig writes, whatever
        // a test answers to the other questions (No to "exit this program?" keeps the window).
        boxes.answers[kExportTitle] = BoxAnswer::Yes;
        form.show();
    }

    void Connect() { form.Controls().Connect->click(); }
    const MainControls& c() const { return form.Controls(); }
    bool Shown(const QWidget* widget) const { return widget->isVisibleTo(&form); }

    FakeClock clock;
    ScriptedPort port{clock};
    FakePump pump{clock, port};
    RecordingBoxes boxes;
    ScriptedFileDialogs dialogs;
    ConfigImage image;
    AssemblyTables assemblies;
    ConnectionSelections selections;
    SimulatedGateway gateway;
    // The program's folder: the EDS file goes there and the file dialogs start there.
    gatewaysim::TempDir programDir;
    MainWindow form{{image, assemblies, selections, port, clock, pump, boxes, dialogs, FakeEnv,
                     programDir.Path().string()}};
};

}  // namespace tavrin::testing
