// A clock for windows and sequences that run against the simulator program, so that no outcome
// depends on how promptly either process is scheduled. Answers are waited for with a generous
// window (ConsoleRoom.h), and the clock jumps past any window as soon as the simulator's
// transcript shows that it has received every line typed since the port was opened and has said
// all it is going to say for them (answered, or deliberately kept back: "!" entries), and the
// last answer it sent has reached this side of the line (the pseudo-terminal hands written bytes
// on a little later, longer on a loaded machine). A wait for a marker that is not in what came,
// or for an answer the simulator withholds, then ends at once, and one that comes is taken
// however late either side runs.
#pragma once

#include <cstdint>
#include <string>

#include "common/Clock.h"
#include "console/SerialPort.h"

namespace tavrin::testing {

class QuietConsoleClock final : public Clock {
public:
    // The transcript file of the simulator now served (its --transcript); empty: real time only.
    void Watch(const std::string& transcriptPath);
    void PortOpened();
    void LineSent();
    void Received(const std::string& bytes);
    // From now on the clock also stands still while the simulator owes something: a line typed
    // that it has not taken in yet, or one it has taken in and not yet answered or withheld.
    // Only the time Tavrin itself spends then counts towards a window, so a simulator kept off
    // the processor cannot time a step out, while Tavrin held off with the answer waiting still
    // wakes past its window.
    void StandWhileOwed() { m_standWhileOwed = true; }

    std::int64_t TickMs() override;
    LocalDateTime Now() override { return m_system.Now(); }

private:
    bool Quiet();
    bool Owed();
    void ReadNewEntries();

    SystemClock m_system;
    std::string m_path;
    std::size_t m_readTo = 0;  // bytes of the transcript taken in
    std::int64_t m_received = 0;
    std::int64_t m_settled = 0;
    std::int64_t m_receivedAtOpen = 0;
    std::int64_t m_sent = 0;
    std::int64_t m_offsetMs = 0;
    bool m_standWhileOwed = false;
    std::int64_t m_lastRealMs = -1;  // the system's tick at the last look, when standing
    bool m_lastWithheld = false;     // the last entry that settled a line was a "!"
    std::string m_lastAnswer;        // as the transcript writes it
    std::string m_receivedSinceLine;
};

// The port a QuietConsoleClock watches: forwards everything to `inner` and tells the clock of
// each opening, each line typed (a carriage return) and what is read. With `findTranscript`, the
// clock is set to watch the transcript it names for each device opened.
class WatchedPort final : public SerialPort {
public:
    using TranscriptFinder = std::string (*)(const std::string& device);
    WatchedPort(SerialPort& inner, QuietConsoleClock& clock,
                TranscriptFinder findTranscript = nullptr)
        : m_inner(inner), m_clock(clock), m_findTranscript(findTranscript) {}

    OpenResult Open(const std::string& device) override;
    bool IsOpen() const override { return m_inner.IsOpen(); }
    void Close() override { m_inner.Close(); }
    std::size_t BytesWaiting() override { return m_inner.BytesWaiting(); }
    std::size_t BytesToWrite() override { return m_inner.BytesToWrite(); }
    std::string ReadAll() override;
    void DiscardInput() override { m_inner.DiscardInput(); }
    bool Write(std::string_view bytes) override;
    std::optional<std::string> TakeFault() override { return m_inner.TakeFault(); }

private:
    SerialPort& m_inner;
    QuietConsoleClock& m_clock;
    TranscriptFinder m_findTranscript;
    std::string m_watchedDevice;
};

}  // namespace tavrin::testing
