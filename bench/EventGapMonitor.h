// How responsive the window stays: a 1 ms window timer, and the longest time between two of its
// firings while it runs. Whatever keeps the event loop from servicing events shows up here.
#pragma once

#include <QObject>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <vector>

namespace tavrin::bench {

// Counts the longest time between two firings of a 1 ms window timer.
class EventGapMonitor {
public:
    EventGapMonitor() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const auto now = std::chrono::steady_clock::now();
            m_longest = std::max(m_longest, now - m_last);
            if (now - m_last >= std::chrono::milliseconds(10)) {
                m_long.push_back({now, now - m_last});
            }
            m_last = now;
        });
    }
    void Start() {
        m_longest = {};
        m_long.clear();
        m_last = std::chrono::steady_clock::now();
        m_timer.start();
    }
    void Stop() { m_timer.stop(); }
    double LongestMs() const {
        return std::chrono::duration<double, std::milli>(m_longest).count();
    }

    struct Gap {
        std::chrono::steady_clock::time_point end;
        std::chrono::steady_clock::duration length;
    };
    // The gaps of 10 ms or more since Start, to find where they happened.
    const std::vector<Gap>& LongGaps() const { return m_long; }

private:
    QTimer m_timer;
    std::chrono::steady_clock::time_point m_last;
    std::chrono::steady_clock::duration m_longest{};
    std::vector<Gap> m_long;
};

}  // namespace tavrin::bench
