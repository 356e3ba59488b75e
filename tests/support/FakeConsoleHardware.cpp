#include "FakeConsoleHardware.h"

#include <algorithm>

namespace tavrin::testing {

OpenResult ScriptedPort::Open(const std::string& device) {
    ++opens;
    openedDevice = device;
    m_open = openResult.status == OpenStatus::Opened;
    return openResult;
}

void ScriptedPort::Deliver() {
    while (!m_scheduled.empty() && m_scheduled.front().first <= m_clock.nowUs) {
        if (m_open) {
            m_input += m_scheduled.front().second;
        }
        m_scheduled.pop_front();
    }
}

std::int64_t ScriptedPort::NextDueUs() const {
    return m_scheduled.empty() ? -1 : m_scheduled.front().first;
}

std::size_t ScriptedPort::BytesWaiting() {
    if (!takenOnlyInEventPasses) {
        Deliver();
    }
    return m_open ? m_input.size() : 0;
}

std::string ScriptedPort::ReadAll() {
    std::string all;
    all.swap(m_input);
    return all;
}

bool ScriptedPort::Write(std::string_view bytes) {
    if (!m_open || refuseWrites) {
        return false;
    }
    written += bytes;
    if (!farEnd) {
        return true;
    }
    std::int64_t last = m_scheduled.empty() ? 0 : m_scheduled.back().first;
    for (auto& chunk : farEnd(bytes)) {
        // The line keeps order: nothing overtakes what is already on its way.
        const std::int64_t due = std::max(last, m_clock.nowUs + chunk.delayUs);
        m_scheduled.emplace_back(due, std::move(chunk.bytes));
        last = due;
    }
    return true;
}

std::optional<std::string> ScriptedPort::TakeFault() {
    if (faultAtUs >= 0 && m_clock.nowUs >= faultAtUs && m_open) {
        faultAtUs = -1;
        m_open = false;
        return faultText;
    }
    return std::nullopt;
}

void FakePump::Service(std::chrono::microseconds maxWait) {
    ++services;
    // Sleep until the wait runs out or the next chunk arrives, whichever is first.
    std::int64_t until = m_clock.nowUs + std::max<std::int64_t>(1, maxWait.count());
    const std::int64_t due = m_port.NextDueUs();
    if (due >= 0 && due < until) {
        until = std::max(due, m_clock.nowUs + 1);
    }
    const bool stall = stallAtUs >= 0 && m_clock.nowUs >= stallAtUs;
    if (stall) {
        stallAtUs = -1;
        until = m_clock.nowUs + stallUs;
    }
    if (stall && stallAfterDelivery) {
        m_port.Deliver();
        m_clock.nowUs = until;
        return;
    }
    m_clock.nowUs = until;
    m_port.Deliver();
}

void FakePump::Pause(std::chrono::microseconds duration) {
    const std::int64_t until = m_clock.nowUs + duration.count();
    while (m_clock.nowUs < until) {
        Service(std::chrono::microseconds(until - m_clock.nowUs));
    }
}

std::vector<std::string> SentLines(const std::string& written) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : written) {
        if (c == '\r') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    return lines;
}

}  // namespace tavrin::testing
