#include "console/qt/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace tavrin {

QtEventPump::QtEventPump() {
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
}

void QtEventPump::Service(std::chrono::microseconds maxWait) {
    using namespace std::chrono;
    const auto now = steady_clock::now();
    if (m_lastPass != steady_clock::time_point{}) {
        m_longestGap = std::max(m_longestGap, duration_cast<microseconds>(now - m_lastPass));
    }
    // Qt timers count whole milliseconds; round a short wait up rather than spin.
    const auto waitMs = std::max<long long>(1, duration_cast<milliseconds>(maxWait).count());
    m_wake.start(static_cast<int>(waitMs));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    m_wake.stop();
    m_lastPass = steady_clock::now();
}

void QtEventPump::Pause(std::chrono::microseconds duration) {
    using namespace std::chrono;
    const auto until = steady_clock::now() + duration;
    for (auto left = duration; left > microseconds::zero();
         left = duration_cast<microseconds>(until - steady_clock::now())) {
        Service(left);
    }
}

}  // namespace tavrin
