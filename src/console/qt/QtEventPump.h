// Services Qt events inside console waits, sleeping in the event loop until either a timer runs
// out or something (such as bytes on the serial port) wakes it.
#pragma once

#include <QEventLoop>
#include <QTimer>

#include "console/EventPump.h"

namespace tavrin {

class QtEventPump final : public EventPump {
public:
    QtEventPump();
    void Service(std::chrono::microseconds maxWait) override;
    void Pause(std::chrono::microseconds duration) override;

    // The longest time between two event passes seen so far (for the responsiveness benchmark).
    std::chrono::microseconds LongestGap() const { return m_longestGap; }

private:
    // One event pass that waits at most `maxWait`.
    void Pass(std::chrono::microseconds maxWait, QEventLoop::ProcessEventsFlags flags);

    QTimer m_wake;
    std::chrono::steady_clock::time_point m_lastPass{};
    std::chrono::microseconds m_longestGap{0};
};

}  // namespace tavrin
