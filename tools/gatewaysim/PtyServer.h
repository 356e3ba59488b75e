// The serving loop: bytes from the pty master go to the console, the console's output goes back
// on the schedule the fault options ask for.
#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "CharGapFilter.h"
#include "OutputPlanner.h"
#include "PseudoTerminal.h"
#include "SimConsole.h"
#include "Transcript.h"

namespace gatewaysim {

struct ServerSettings {
    std::chrono::milliseconds answerDelay{0};  // between a carriage return and its answer
    int slowAtLine = 0;                        // the only line answerDelay applies to; 0: all
    // Hold the answer to this line (or with lateAll to every line) back until the next input
    // arrives. Unlike a delay this is late however slowly the reader runs: the answer can only
    // come after the reader has given up waiting and typed on. 0: never.
    int lateAtLine = 0;
    bool lateAll = false;
    std::chrono::milliseconds everyAnswerDelay{0};  // every answer, on top of answerDelay
    std::chrono::milliseconds minCharGap{0};        // see CharGapFilter; 0: every byte taken
    int hangupAfterLine = 0;                        // 0: never
    // Hang up as soon as this line arrives (the console must be silent from it on); 0: never.
    int hangupAtLine = 0;
    // The console sends nothing from this line on (reported in the transcript); 0: never.
    int silentFromLine = 0;
    // Cut every answer this many bytes into its ending marker (-1: never); the module name
    // tells the main prompt apart.
    int splitMarkerAt = -1;
    std::string module = "6420RT";
    LineTiming timing;
};

// The pause between the two pieces of an answer cut inside its marker: long enough for the
// reader to take the first piece on its own.
inline constexpr std::chrono::milliseconds kSplitPieceGap{5};

// A PC's UART does not hand received bytes on one at a time: its receive FIFO collects them and
// the driver takes them in loads. Paced bytes that follow one another on the line are written
// together, up to a FIFO's worth, once the last of them is due; no byte comes before its time,
// and the last byte of an answer, the one a reader waits for, comes exactly when it is due.
inline constexpr std::size_t kReceiveFifoBytes = 16;
// Two paced bytes at most this far apart follow one another on the line (one byte time, rounded
// up to the nanosecond).
inline constexpr std::chrono::nanoseconds kPacedByteGap{86806};

enum class ServeEnd { Stopped, HungUp };

class PtyServer {
public:
    PtyServer(PseudoTerminal& pty, SimConsole& console, ServerSettings settings,
              Transcript& transcript);

    // Serves until a byte can be read from `stopFd` or the line has been hung up on purpose.
    // Throws std::runtime_error when the pty fails.
    ServeEnd Run(int stopFd);

private:
    struct Pending {
        Clock::time_point at;
        std::string bytes;
        std::size_t sent = 0;
        std::optional<std::string> answer;  // set on the last slice of an answer
    };

    void Receive(Clock::time_point now);
    void Queue(std::string_view text, Clock::time_point notBefore, const std::string* answer);
    void QueueAnswer(const ConsoleEvent& answer, Clock::time_point now);
    // Writes every slice that is due, in one write; false when the pty would block.
    bool WriteDue(Clock::time_point now);
    // When the load at the front of the queue is due: the time of its last slice.
    Clock::time_point LoadDue() const;
    void HangUpOnceRead();

    PseudoTerminal& m_pty;
    SimConsole& m_console;
    ServerSettings m_settings;
    Transcript& m_transcript;
    OutputPlanner m_planner;
    CharGapFilter m_input;
    std::deque<Pending> m_out;
    bool m_hangupDue = false;
    std::optional<ConsoleEvent> m_held;  // an answer waiting for the next input
};

}  // namespace gatewaysim
