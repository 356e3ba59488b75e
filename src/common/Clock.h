// Time as the logic sees it: a monotonic millisecond tick for console answer windows and the
// splash delay, and the local calendar time stamped into configurations and EDS files. Behind an
// interface so tests can fix the time.
#pragma once

#include <cstdint>

namespace tavrin {

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a clock that never jumps; only differences mean anything.
    virtual std::int64_t TickMs() = 0;
    virtual LocalDateTime Now() = 0;
};

// The machine's own clocks.
class SystemClock final : public Clock {
public:
    std::int64_t TickMs() override;
    LocalDateTime Now() override;
};

}  // namespace tavrin
