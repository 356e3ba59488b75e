#include "PtyServer.h"

#include "AnswerSplit.h"

#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace gatewaysim {
namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void SleepUntil(Clock::time_point deadline) {
    const auto sinceEpoch = deadline.time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(seconds.count());
    ts.tv_nsec = static_cast<long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch - seconds).count());
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

// poll() counts whole milliseconds and paced bytes are 87 us apart: ppoll() takes the wait to the
// nanosecond, so one call both sleeps until the next load is due and wakes for input.
timespec WaitFor(Clock::duration left) {
    const auto wait = std::max(std::chrono::nanoseconds::zero(),
                               std::chrono::duration_cast<std::chrono::nanoseconds>(left));
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(seconds.count());
    ts.tv_nsec = static_cast<long>((wait - seconds).count());
    return ts;
}

}  // namespace

PtyServer::PtyServer(PseudoTerminal& pty, SimConsole& console, ServerSettings settings,
                     Transcript& transcript)
    : m_pty(pty),
      m_console(console),
      m_settings(settings),
      m_transcript(transcript),
      m_planner(settings.timing),
      m_input(settings.minCharGap) {}

ServeEnd PtyServer::Run(int stopFd) {
    for (;;) {
        const auto now = Clock::now();
        const bool blocked = !WriteDue(now);
        if (m_hangupDue && m_out.empty()) {
            HangUpOnceRead();
            return ServeEnd::HungUp;
        }
        timespec wait{};
        const bool timed = !m_out.empty() && !blocked;
        if (timed) {
            wait = WaitFor(LoadDue() - now);
        }
        pollfd fds[2] = {{m_pty.Master(), static_cast<short>(POLLIN | (blocked ? POLLOUT : 0)), 0},
                         {stopFd, POLLIN, 0}};
        const int ready = ::ppoll(fds, 2, timed ? &wait : nullptr, nullptr);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail("ppoll");
        }
        if (fds[1].revents != 0) {
            return ServeEnd::Stopped;
        }
        if (fds[0].revents & POLLIN) {
            Receive(Clock::now());
        } else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            // Cannot happen while the slave is held open; stop rather than spin.
            throw std::runtime_error("pty master reports a hang-up");
        }
    }
}

void PtyServer::HangUpOnceRead() {
    // Closing the master discards whatever the slave side has not read yet, whereas a real module
    // would have put its last answer on the wire before dropping the line. So the reader gets a
    // moment (up to a second) to take it first.
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    SleepUntil(Clock::now() + std::chrono::milliseconds(20));
    while (m_pty.UnreadOnSlave() > 0 && Clock::now() < deadline) {
        SleepUntil(Clock::now() + std::chrono::milliseconds(5));
    }
    m_pty.HangUp();
}

void PtyServer::Receive(Clock::time_point now) {
    char buffer[4096];
    const ssize_t n = ::read(m_pty.Master(), buffer, sizeof buffer);
    if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) {
            return;
        }
        Fail("read from pty");
    }
    if (m_hangupDue) {
        return;  // the module is about to drop the line; later input goes nowhere
    }
    if (n > 0 && m_held) {
        // The held answer goes out before the echo of what was just typed.
        const ConsoleEvent late = std::move(*m_held);
        m_held.reset();
        m_transcript.Released("held", now);
        QueueAnswer(late, now);
    }
    const int lastLine = m_settings.hangupAfterLine;
    const std::string taken =
        m_input.Take(std::string_view(buffer, static_cast<std::size_t>(n)), now);
    for (const ConsoleEvent& e : m_console.Feed(taken)) {
        if (lastLine > 0 && e.line > lastLine) {
            continue;
        }
        switch (e.kind) {
            case ConsoleEvent::Kind::Echo:
                Queue(e.text, now, nullptr);
                break;
            case ConsoleEvent::Kind::Line:
                m_transcript.Received(e.text, now);
                // A line the module drops the connection on is not withheld: the hang-up is
                // what the reader gets.
                if (m_settings.silentFromLine > 0 && e.line >= m_settings.silentFromLine &&
                    (m_settings.hangupAtLine == 0 || e.line < m_settings.hangupAtLine)) {
                    m_transcript.Withheld("silent", now);
                }
                if (e.line == lastLine || e.line == m_settings.hangupAtLine) {
                    m_hangupDue = true;  // once what is queued (this line's answer) is out
                }
                break;
            case ConsoleEvent::Kind::Answer:
                if (m_settings.lateAll || e.line == m_settings.lateAtLine) {
                    m_held = e;
                    m_transcript.Withheld("held", now);
                } else {
                    QueueAnswer(e, now);
                }
                break;
        }
    }
}

void PtyServer::QueueAnswer(const ConsoleEvent& answer, Clock::time_point now) {
    const bool late = m_settings.slowAtLine == 0 || answer.line == m_settings.slowAtLine;
    Clock::time_point at = now + m_settings.everyAnswerDelay +
                           (late ? m_settings.answerDelay : std::chrono::milliseconds(0));
    const std::vector<std::string> pieces =
        SplitInMarker(answer.text, m_settings.module, m_settings.splitMarkerAt);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const bool last = i + 1 == pieces.size();
        Queue(pieces[i], at, last ? &answer.text : nullptr);
        at += kSplitPieceGap;
    }
}

void PtyServer::Queue(std::string_view text, Clock::time_point notBefore,
                      const std::string* answer) {
    for (OutputSlice& slice : m_planner.Plan(text, notBefore)) {
        m_out.push_back({slice.at, std::move(slice.bytes), 0, std::nullopt});
    }
    if (answer != nullptr && !m_out.empty()) {
        m_out.back().answer = *answer;
    }
}

Clock::time_point PtyServer::LoadDue() const {
    // Without pacing only slices planned for the same moment go together.
    const Clock::duration gap = m_settings.timing.pace ? kPacedByteGap : Clock::duration::zero();
    auto slice = m_out.begin();
    Clock::time_point due = slice->at;
    std::size_t bytes = slice->bytes.size() - slice->sent;
    for (++slice; slice != m_out.end() && bytes + slice->bytes.size() <= kReceiveFifoBytes &&
                  slice->at - due <= gap;
         ++slice) {
        due = slice->at;
        bytes += slice->bytes.size();
    }
    return due;
}

bool PtyServer::WriteDue(Clock::time_point now) {
    std::string load;
    for (auto slice = m_out.begin(); slice != m_out.end() && slice->at <= now; ++slice) {
        load.append(slice->bytes, slice->sent);
    }
    if (load.empty()) {
        return true;
    }
    const ssize_t n = ::write(m_pty.Master(), load.data(), load.size());
    if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) {
            return false;
        }
        Fail("write to pty");
    }
    for (auto left = static_cast<std::size_t>(n); left > 0;) {
        Pending& p = m_out.front();
        const std::size_t taken = std::min(left, p.bytes.size() - p.sent);
        p.sent += taken;
        left -= taken;
        if (p.sent < p.bytes.size()) {
            break;
        }
        if (p.answer) {
            m_transcript.Answered(*p.answer, Clock::now());
        }
        m_out.pop_front();
    }
    return static_cast<std::size_t>(n) == load.size();
}

}  // namespace gatewaysim
