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

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void sleepUntil(Clock::time_point deadline) {
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
timespec waitFor(Clock::duration left) {
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
    : pty_(pty),
      console_(console),
      settings_(settings),
      transcript_(transcript),
      planner_(settings.timing),
      input_(settings.minCharGap) {}

ServeEnd PtyServer::run(int stopFd) {
    for (;;) {
        const auto now = Clock::now();
        const bool blocked = !writeDue(now);
        if (hangupDue_ && out_.empty()) {
            hangUpOnceRead();
            return ServeEnd::HungUp;
        }
        timespec wait{};
        const bool timed = !out_.empty() && !blocked;
        if (timed) {
            wait = waitFor(loadDue() - now);
        }
        pollfd fds[2] = {{pty_.master(), static_cast<short>(POLLIN | (blocked ? POLLOUT : 0)), 0},
                         {stopFd, POLLIN, 0}};
        const int ready = ::ppoll(fds, 2, timed ? &wait : nullptr, nullptr);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail("ppoll");
        }
        if (fds[1].revents != 0) {
            return ServeEnd::Stopped;
        }
        if (fds[0].revents & POLLIN) {
            receive(Clock::now());
        } else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            // Cannot happen while the slave is held open; stop rather than spin.
            throw std::runtime_error("pty master reports a hang-up");
        }
    }
}

void PtyServer::hangUpOnceRead() {
    // Closing the master discards whatever the slave side has not read yet, whereas a real module
    // would have put its last answer on the wire before dropping the line. So the reader gets a
    // moment (up to a second) to take it first.
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    sleepUntil(Clock::now() + std::chrono::milliseconds(20));
    while (pty_.unreadOnSlave() > 0 && Clock::now() < deadline) {
        sleepUntil(Clock::now() + std::chrono::milliseconds(5));
    }
    pty_.hangUp();
}

void PtyServer::receive(Clock::time_point now) {
    char buffer[4096];
    const ssize_t n = ::read(pty_.master(), buffer, sizeof buffer);
    if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) {
            return;
        }
        fail("read from pty");
    }
    if (hangupDue_) {
        return;  // the module is about to drop the line; later input goes nowhere
    }
    if (n > 0 && held_) {
        // The held answer goes out before the echo of what was just typed.
        const ConsoleEvent late = std::move(*held_);
        held_.reset();
        transcript_.released("held", now);
        queueAnswer(late, now);
    }
    const int lastLine = settings_.hangupAfterLine;
    const std::string taken =
        input_.take(std::string_view(buffer, static_cast<std::size_t>(n)), now);
    for (const ConsoleEvent& e : console_.feed(taken)) {
        if (lastLine > 0 && e.line > lastLine) {
            continue;
        }
        switch (e.kind) {
            case ConsoleEvent::Kind::Echo:
                queue(e.text, now, nullptr);
                break;
            case ConsoleEvent::Kind::Line:
                transcript_.received(e.text, now);
                // A line the module drops the connection on is not withheld: the hang-up is
                // what the reader gets.
                if (settings_.silentFromLine > 0 && e.line >= settings_.silentFromLine &&
                    (settings_.hangupAtLine == 0 || e.line < settings_.hangupAtLine)) {
                    transcript_.withheld("silent", now);
                }
                if (e.line == lastLine || e.line == settings_.hangupAtLine) {
                    hangupDue_ = true;  // once what is queued (this line's answer) is out
                }
                break;
            case ConsoleEvent::Kind::Answer:
                if (settings_.lateAll || e.line == settings_.lateAtLine) {
                    held_ = e;
                    transcript_.withheld("held", now);
                } else {
                    queueAnswer(e, now);
                }
                break;
        }
    }
}

void PtyServer::queueAnswer(const ConsoleEvent& answer, Clock::time_point now) {
    const bool late = settings_.slowAtLine == 0 || answer.line == settings_.slowAtLine;
    Clock::time_point at = now + settings_.everyAnswerDelay +
                           (late ? settings_.answerDelay : std::chrono::milliseconds(0));
    const std::vector<std::string> pieces =
        splitInMarker(answer.text, settings_.module, settings_.splitMarkerAt);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const bool last = i + 1 == pieces.size();
        queue(pieces[i], at, last ? &answer.text : nullptr);
        at += kSplitPieceGap;
    }
}

void PtyServer::queue(std::string_view text, Clock::time_point notBefore,
                      const std::string* answer) {
    for (OutputSlice& slice : planner_.plan(text, notBefore)) {
        out_.push_back({slice.at, std::move(slice.bytes), 0, std::nullopt});
    }
    if (answer != nullptr && !out_.empty()) {
        out_.back().answer = *answer;
    }
}

Clock::time_point PtyServer::loadDue() const {
    // Without pacing only slices planned for the same moment go together.
    const Clock::duration gap = settings_.timing.pace ? kPacedByteGap : Clock::duration::zero();
    auto slice = out_.begin();
    Clock::time_point due = slice->at;
    std::size_t bytes = slice->bytes.size() - slice->sent;
    for (++slice; slice != out_.end() && bytes + slice->bytes.size() <= kReceiveFifoBytes &&
                  slice->at - due <= gap;
         ++slice) {
        due = slice->at;
        bytes += slice->bytes.size();
    }
    return due;
}

bool PtyServer::writeDue(Clock::time_point now) {
    std::string load;
    for (auto slice = out_.begin(); slice != out_.end() && slice->at <= now; ++slice) {
        load.append(slice->bytes, slice->sent);
    }
    if (load.empty()) {
        return true;
    }
    const ssize_t n = ::write(pty_.master(), load.data(), load.size());
    if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) {
            return false;
        }
        fail("write to pty");
    }
    for (auto left = static_cast<std::size_t>(n); left > 0;) {
        Pending& p = out_.front();
        const std::size_t taken = std::min(left, p.bytes.size() - p.sent);
        p.sent += taken;
        left -= taken;
        if (p.sent < p.bytes.size()) {
            break;
        }
        if (p.answer) {
            transcript_.answered(*p.answer, Clock::now());
        }
        out_.pop_front();
    }
    return static_cast<std::size_t>(n) == load.size();
}

}  // namespace gatewaysim
