#include "console/qt/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace tavrin {

QtEventPump::QtEventPump() {
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
}

void QtEventPump::Service(std::chrono::microseconds maxWait) {
    Pass(maxWait, QEventLoop::AllEvents);
}

// The pause between typed characters does not need the port: the echo that comes meanwhile waits
// in the driver until the wait that follows. So the pause leaves the port's notifiers out and
// sleeps through the echo in one timer wait instead of waking for it. (Qt's glib event loop, the
// one windows usually run on, takes no notice of the flag and wakes as before.)
void QtEventPump::Pause(std::chrono::microseconds duration) {
    using namespace std::chrono;
    const auto until = steady_clock::now() + duration;
    for (auto left = duration; left > microseconds::zero();
         left = duration_cast<microseconds>(until - steady_clock::now())) {
        Pass(left, QEventLoop::AllEvents | QEventLoop::ExcludeSocketNotifiers);
    }
}

void QtEventPump::Pass(std::chrono::microseconds maxWait, QEventLoop::ProcessEventsFlags flags) {
    using namespace std::chrono;
    const auto now = steady_clock::now();
    if (m_lastPass != steady_clock::time_point{}) {
        m_longestGap = std::max(m_longestGap, duration_cast<microseconds>(now - m_lastPass));
    }
    // Qt timers count whole milliseconds; round a short wait up rather than spin.
    const auto waitMs = std::max<long long>(1, duration_cast<milliseconds>(maxWait).count());
    m_wake.start(static_cast<int>(waitMs));
    QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
    m_wake.stop();
    m_lastPass = steady_clock::now();
}

}  // namespace tavrin
