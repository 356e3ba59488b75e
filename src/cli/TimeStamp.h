// A configuration time stamp given on the command line. Finish stores the moment of writing in the
// gateway and in the EDS file; configuring a line of gateways from one file, the engineer can give
// them all one stamp instead, so that their EEPROM images and EDS files come out identical.
#pragma once

#include <optional>
#include <string_view>

#include "common/Clock.h"

namespace tavrin::cli {

// "YYYY-MM-DD hh:mm:ss" (or with a 'T' between date and time), a real calendar date from year
// 1 to 9999 and a time of day; nothing else.
std::optional<LocalDateTime> ParseTimeStamp(std::string_view text);

// The system's clock, except that the calendar time can be fixed. Answer windows keep running on
// the real tick.
class StampedClock final : public Clock {
public:
    // Ticks and, until a stamp is fixed, the moment come from `clock`.
    explicit StampedClock(Clock& clock) : m_clock(clock) {}
    std::int64_t TickMs() override { return m_clock.TickMs(); }
    LocalDateTime Now() override { return m_fixed ? *m_fixed : m_clock.Now(); }
    void Fix(const LocalDateTime& stamp) { m_fixed = stamp; }

private:
    Clock& m_clock;
    std::optional<LocalDateTime> m_fixed;
};

}  // namespace tavrin::cli
