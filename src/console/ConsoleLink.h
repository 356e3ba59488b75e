// The two primitives every console sequence is built from: type a line and wait for the prompt
// or marker that ends the console's answer, or type a line and read the number the word editor
// shows. They never raise protocol trouble to the caller: a missing answer is `false`. A serial
// fault raised while waiting (the port vanished) is thrown as PortFault.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Clock.h"
#include "console/ConsoleTiming.h"
#include "console/ConsoleTranscript.h"
#include "console/EventPump.h"
#include "console/SerialPort.h"

namespace tavrin {

// Spacing between typed characters by default. The console is typed at as a person would; it
// keeps servicing window events while it waits.
inline constexpr std::chrono::microseconds kCharacterPacing{ConsoleTiming{}.paceMs * 1000};
// How long to wait for the console's answer, counted once the command has left the port. An
// answer that is already waiting when the window has passed still counts: the window bounds how
// long a missing answer is waited for, not how quickly this program gets to look.
inline constexpr int kConsoleTimeoutMs = ConsoleTiming{}.answerWindowMs;
// How long one idle pass of a wait may sleep before looking at the port again.
inline constexpr std::chrono::microseconds kIdleWait{500};
// Polls of the output buffer before a command that does not leave the port counts as failed.
inline constexpr int kOutputDrainPolls = 10;

class ConsoleLink {
public:
    ConsoleLink(SerialPort& port, Clock& clock, EventPump& pump);

    // Sends `command` and a carriage return and waits for `marker`. On success ConsoleReply() is
    // what arrived before the first occurrence of the marker. An empty marker is never found.
    bool SendAndWait(std::string_view command, std::string_view marker);

    // Sends `command` and a carriage return, waits for the word editor's arrow and reads the
    // number between `key` and the arrow into `value`. False on timeout, when the key is not in
    // the answer, or when no signed 32-bit number stands there; `value` is then unchanged.
    bool SendAndReadValue(std::string_view command, std::string_view key, std::int32_t& value);

    const std::string& ConsoleReply() const { return m_reply; }

    void SetConsoleTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    int ConsoleTimeout() const { return m_timeoutMs; }
    void SetCharacterPacing(std::chrono::microseconds pacing) { m_pacing = pacing; }
    // The pace and the answer window together.
    void SetTiming(const ConsoleTiming& timing);
    void SetTranscript(ConsoleTranscript* transcript) { m_transcript = transcript; }

private:
    bool SendLine(std::string_view command, bool serviceWhileDraining);
    // Appends what is waiting on the port to `reply`.
    void Collect(std::string& reply);
    bool WindowPassed(std::int64_t startMs);
    void Idle();
    void ThrowOnFault();

    SerialPort& m_port;
    Clock& m_clock;
    EventPump& m_pump;
    ConsoleTranscript* m_transcript = nullptr;
    int m_timeoutMs = kConsoleTimeoutMs;
    std::chrono::microseconds m_pacing = kCharacterPacing;
    std::string m_reply;
};

}  // namespace tavrin
