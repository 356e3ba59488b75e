// What a console sequence works with: the shared configuration, the port and the platform
// services, gathered so the read and write sequences take one argument.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "common/MessageBoxes.h"
#include "config/ConfigImage.h"
#include "console/ConsoleTiming.h"
#include "console/ConsoleTranscript.h"
#include "console/EventPump.h"
#include "console/PortChoice.h"
#include "console/SerialPort.h"

namespace tavrin {

struct ConsoleSession {
    ConfigImage& image;
    SerialPort& port;
    Clock& clock;
    EventPump& pump;
    MessageBoxes& boxes;
    ConsoleTranscript* transcript = nullptr;
    // The pace and answer window of every console link a sequence on this session builds.
    ConsoleTiming timing{};
    // The lines that follow "Can't open ...!" or "... has been occupied" in the box: why the
    // port would not open and what to do about it. Without it the box says only that.
    std::function<std::vector<std::string>(OpenStatus status, const std::string& device)>
        openAdvice = nullptr;
};

// Opens the console port unless it is open already. Whatever was received before is discarded.
OpenResult OpenConsolePort(SerialPort& port, const PortChoice& choice);

// The end of every console sequence, good or bad: the port closed if it is open, Busy cleared.
void ReleaseConsolePort(ConsoleSession& session);

}  // namespace tavrin
