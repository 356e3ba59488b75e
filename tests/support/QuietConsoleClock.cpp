#include "QuietConsoleClock.h"

#include <algorithm>
#include <fstream>

#include "Transcript.h"
#include "console/ConsoleTiming.h"

namespace tavrin::testing {

void QuietConsoleClock::Watch(const std::string& transcriptPath) {
    m_path = transcriptPath;
    m_readTo = 0;
    m_received = m_settled = m_receivedAtOpen = m_sent = 0;
    m_lastWithheld = false;
    m_lastAnswer.clear();
}

void QuietConsoleClock::LineSent() {
    ++m_sent;
    m_receivedSinceLine.clear();
}

void QuietConsoleClock::Received(const std::string& bytes) {
    m_receivedSinceLine += bytes;
}

void QuietConsoleClock::PortOpened() {
    ReadNewEntries();
    m_receivedAtOpen = m_received;
    m_sent = 0;
}

std::int64_t QuietConsoleClock::TickMs() {
    const std::int64_t real = m_system.TickMs();
    if (m_standWhileOwed) {
        // The time since the last look stands when the simulator owes something now.
        if (m_lastRealMs >= 0 && Owed()) {
            m_offsetMs -= real - m_lastRealMs;
        }
        m_lastRealMs = real;
    }
    if (Quiet()) {
        m_offsetMs += kMaxAnswerWindowMs + 1;
    }
    return real + m_offsetMs;
}

bool QuietConsoleClock::Owed() {
    if (m_path.empty() || m_sent == 0) {
        return false;
    }
    ReadNewEntries();
    return m_received - m_receivedAtOpen != m_sent || m_settled < m_received;
}

bool QuietConsoleClock::Quiet() {
    if (m_path.empty() || m_sent == 0 || Owed()) {
        return false;
    }
    return m_lastWithheld || gatewaysim::EscapeText(m_receivedSinceLine).ends_with(m_lastAnswer);
}

// Entries are "<ms> <direction> <text>", one a line, flushed whole by the simulator; a line not
// yet ended is left for the next look.
void QuietConsoleClock::ReadNewEntries() {
    std::ifstream in(m_path, std::ios::binary);
    if (!in) {
        return;
    }
    in.seekg(static_cast<std::streamoff>(m_readTo));
    std::string line;
    while (std::getline(in, line) && !in.eof()) {
        m_readTo += line.size() + 1;
        const auto blank = line.find(' ');
        if (blank == std::string::npos || blank + 1 >= line.size()) {
            continue;
        }
        switch (line[blank + 1]) {
            case '<':
                ++m_received;
                break;
            case '>':
                ++m_settled;
                m_lastWithheld = false;
                m_lastAnswer = line.substr(std::min(line.size(), blank + 3));
                break;
            case '!':
                ++m_settled;
                m_lastWithheld = true;
                break;
            case '+':
                --m_settled;
                break;
            default:
                break;
        }
    }
}

OpenResult WatchedPort::Open(const std::string& device) {
    if (m_findTranscript && device != m_watchedDevice) {
        m_clock.Watch(m_findTranscript(device));
        m_watchedDevice = device;
    }
    OpenResult result = m_inner.Open(device);
    if (result.status == OpenStatus::Opened) {
        m_clock.PortOpened();
    }
    return result;
}

std::string WatchedPort::ReadAll() {
    std::string bytes = m_inner.ReadAll();
    m_clock.Received(bytes);
    return bytes;
}

bool WatchedPort::Write(std::string_view bytes) {
    const bool taken = m_inner.Write(bytes);
    if (taken) {
        for (auto n = std::count(bytes.begin(), bytes.end(), '\r'); n > 0; --n) {
            m_clock.LineSent();
        }
    }
    return taken;
}

}  // namespace tavrin::testing
