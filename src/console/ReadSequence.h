// Connect: bring the gateway's console to a known state, identify the controller module, read the
// firmware words and both EEPROM blocks word by word, and decode them into the ConfigImage.
//
// Reading a word with the console's word editor also writes it: every word shown is answered with
// the value just read, so the EEPROM is left exactly as it was.
#pragma once

#include <string>

#include "config/ModuleKind.h"
#include "console/ConsoleSession.h"
#include "console/PortChoice.h"
#include "console/SequenceView.h"

namespace tavrin {

// How the read shows itself. The main window implements it; the command line prints.
class ReadView : public SequenceView {
public:
    // Connect was pressed: the status line back to normal weight, and the CANopen choice off for
    // the rest of the run.
    virtual void ConnectPressed() = 0;
    // Unconnected look while reading: panels reset, firmware cleared, Connect, the port list, Next
    // and Exit Program disabled, both channel toggles off and grey.
    virtual void ShowReadingLook() = 0;
    // Shows the progress bar (0..10) at `value`.
    virtual void SetProgress(int value) = 0;
    // The console is released after a failure: port list, Connect and Exit Program usable again,
    // progress bar hidden. Next stays disabled.
    virtual void ConsoleReleased() = 0;
    // The read completed: module and channel pictures, firmware text, node id, layer and bit rate
    // from the image, controls enabled, progress bar at its maximum and hidden.
    virtual void ShowConnectedLook(ModuleKind kind, const std::string& firmwareText) = 0;
    virtual void EnableFileCommands() = 0;
    // Switches the CAN channel toggle on, which opens the CAN parameter panel.
    virtual void OpenCanPanel() = 0;
};

enum class ReadOutcome {
    Completed,      // read and decoded (possibly with the configuration warning)
    Refused,        // a console sequence was already running
    CannotOpen,     // the port could not be opened
    Occupied,       // the port is held by another program
    PortError,      // the port failed while in use
    Timeout,        // a prompt, marker or value did not come in time
    ForeignModule,  // the console answered but named neither controller module
};

// A read view with no looks and no status line, for a face with nothing of the window's to draw;
// what the read tells stays the face's own.
class QuietReadView : public ReadView {
public:
    void ConnectPressed() override {}
    void ShowReadingLook() override {}
    void SetStatus(const std::string&) override {}
    void SetProgress(int) override {}
    void ConsoleReleased() override {}
    void ShowConnectedLook(ModuleKind, const std::string&) override {}
    void EnableFileCommands() override {}
    void OpenCanPanel() override {}
};

inline constexpr int kProgressMax = 10;

// "1.05-2004/03/09": minor, month and day with at least two digits.
std::string FirmwareText(const GatewaySettings& settings);

ReadOutcome ReadConfiguration(ConsoleSession& session, const PortChoice& port, ReadView& view);

}  // namespace tavrin
