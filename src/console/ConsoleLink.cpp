#include "console/ConsoleLink.h"

#include "console/ConsoleText.h"
#include "console/PortFault.h"

namespace tavrin {

ConsoleLink::ConsoleLink(SerialPort& port, Clock& clock, EventPump& pump)
    : m_port(port), m_clock(clock), m_pump(pump) {}

void ConsoleLink::SetTiming(const ConsoleTiming& timing) {
    m_pacing = std::chrono::milliseconds(timing.paceMs);
    m_timeoutMs = timing.answerWindowMs;
}

void ConsoleLink::ThrowOnFault() {
    if (auto fault = m_port.TakeFault()) {
        throw PortFault(*fault);
    }
}

void ConsoleLink::Idle() {
    m_pump.Service(kIdleWait);
    ThrowOnFault();
}

bool ConsoleLink::SendLine(std::string_view command, bool serviceWhileDraining) {
    // Whatever the console said before this command belongs to no one.
    if (m_port.BytesWaiting() > 0) {
        m_port.DiscardInput();
    }
    if (m_transcript) {
        m_transcript->LineSent(command);
    }
    for (const char c : command) {
        if (!m_port.Write(std::string_view(&c, 1))) {
            ThrowOnFault();
            return false;
        }
        m_pump.Pause(m_pacing);
        ThrowOnFault();
    }
    if (!m_port.Write("\r")) {
        ThrowOnFault();
        return false;
    }
    // The answer window starts only once the command has left the port.
    int polls = 0;
    while (m_port.BytesToWrite() != 0) {
        if (++polls > kOutputDrainPolls) {
            return false;
        }
        if (serviceWhileDraining) {
            m_pump.Service(kIdleWait);
            ThrowOnFault();
        }
    }
    m_pump.Pause(m_pacing);
    ThrowOnFault();
    return true;
}

// The window is judged before the last event pass rather than after it. A wait that was held
// off the processor (a loaded machine, a stopped process) may wake long after the window with the
// answer already in the driver; that pass takes it in and the caller looks once more, so only an
// answer that really is missing fails the step. A missing one still fails within the window and
// one pass.
bool ConsoleLink::WindowPassed(std::int64_t startMs) {
    return m_clock.TickMs() - startMs >= m_timeoutMs;
}

void ConsoleLink::Collect(std::string& reply) {
    if (m_port.BytesWaiting() == 0) {
        return;
    }
    const std::string chunk = m_port.ReadAll();
    if (m_transcript) {
        m_transcript->ChunkReceived(chunk);
    }
    reply += StripBlanks(chunk);
}

bool ConsoleLink::SendAndWait(std::string_view command, std::string_view marker) {
    if (!SendLine(command, true)) {
        return false;
    }
    m_reply.clear();
    const std::int64_t start = m_clock.TickMs();
    bool windowPassed = false;
    for (;;) {
        Collect(m_reply);
        if (!marker.empty()) {
            const auto at = m_reply.find(marker);
            if (at != std::string::npos) {
                // Anything after the marker is dropped with the rest of this answer.
                m_reply.resize(at);
                return true;
            }
        }
        if (windowPassed) {
            return false;
        }
        windowPassed = WindowPassed(start);
        Idle();
    }
}

bool ConsoleLink::SendAndReadValue(std::string_view command, std::string_view key,
                                   std::int32_t& value) {
    if (!SendLine(command, false)) {
        return false;
    }
    std::string reply;
    const std::int64_t start = m_clock.TickMs();
    bool windowPassed = false;
    for (;;) {
        Collect(reply);
        switch (ScanWordValue(reply, key, value)) {
            case ValueScan::Found:
                return true;
            case ValueScan::NoKey:
            case ValueScan::BadNumber:
                return false;
            case ValueScan::Incomplete:
                break;
        }
        if (windowPassed) {
            return false;
        }
        windowPassed = WindowPassed(start);
        Idle();
    }
}

}  // namespace tavrin
