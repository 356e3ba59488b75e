// The start-up wait while the splash is on show.
#pragma once

#include <chrono>

#include "common/Clock.h"
#include "console/EventPump.h"

namespace tavrin {

inline constexpr std::chrono::milliseconds kSplashTime{1000};

// Waits `duration` on the monotonic tick, servicing window events meanwhile. The tick never wraps
// or jumps, so a start just before midnight (or a clock change) waits the same time.
void Delay(Clock& clock, EventPump& pump, std::chrono::milliseconds duration);

}  // namespace tavrin
