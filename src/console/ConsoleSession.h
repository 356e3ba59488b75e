// What a console sequence works with: the shared configuration, the port and the platform
// services, gathered so the read and write sequences take one argument.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/Clock.h"
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
    ConsoleTranscript* transcript = nullptr;
    // The pace and answer window of every console link a sequence on this session builds.
    ConsoleTiming timing{};
    // The lines that follow "Can't open ...!" or "... has been occupied" in the message: why the
    // port would not open and what to do about it. Without it the message says only that.
    std::function<std::vector<std::string>(OpenStatus status, const std::string& device)>
        openAdvice = nullptr;
    // A console job is running on this session: Connect, the write commands and closing the main
    // window are refused meanwhile. Set and cleared by ConsoleBusy and ReleaseConsolePort only.
    bool Busy = false;
};

// Opens the console port unless it is open already. Whatever was received before is discarded.
OpenResult OpenConsolePort(SerialPort& port, const PortChoice& choice);

// The end of every console sequence, good or bad: the port closed if it is open, Busy cleared.
void ReleaseConsolePort(ConsoleSession& session);

// Busy held while a console job runs, so that nothing else starts from the windows meanwhile: set
// when made, and put back as it was found when the job ends, by whatever return. End() puts it
// back early, where a job lets the console go before its last steps.
class ConsoleBusy {
public:
    explicit ConsoleBusy(ConsoleSession& session) : m_session(session), m_before(session.Busy) {
        m_session.Busy = true;
    }
    ~ConsoleBusy() { End(); }
    ConsoleBusy(const ConsoleBusy&) = delete;
    ConsoleBusy& operator=(const ConsoleBusy&) = delete;

    void End() {
        if (m_held) {
            m_session.Busy = m_before;
            m_held = false;
        }
    }

private:
    ConsoleSession& m_session;
    bool m_before;
    bool m_held = true;
};

}  // namespace tavrin
