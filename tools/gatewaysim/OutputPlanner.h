// When each byte of the console's output goes out on the line.
//
// A real module sends at 115200 baud and its UART hands the PC bytes in uneven bursts; the
// planner can reproduce either. It turns each piece of output into timed slices, keeping the
// order of everything planned before (a later output never overtakes an earlier one).
#pragma once

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace gatewaysim {

using Clock = std::chrono::steady_clock;

struct OutputSlice {
    Clock::time_point at;  // not to be written before this moment
    std::string bytes;
};

struct LineTiming {
    // Space bytes at the real line rate, 115200 baud 8N1: 10 bit times, about 86.8 us a byte.
    bool pace = false;
    // Cut every output into chunks of 1..8 bytes with gaps of 0..2 ms, as a UART with a FIFO and
    // a busy driver would deliver it.
    bool split = false;
    std::uint32_t seed = 0;
};

class OutputPlanner {
public:
    explicit OutputPlanner(LineTiming timing);

    std::vector<OutputSlice> Plan(std::string_view text, Clock::time_point notBefore);

private:
    // The moment a paced byte has fully left the line, when it may start no earlier than `start`.
    Clock::time_point PaceByte(Clock::time_point start);

    LineTiming m_timing;
    std::mt19937 m_random;
    Clock::time_point m_tail{};  // time of the last slice planned so far
    // Paced bytes sent back to back form a burst; each byte's end is computed from the burst's
    // start so that the schedule does not drift by rounding one byte time at a time.
    Clock::time_point m_burstStart{};
    std::int64_t m_burstBytes = 0;
};

}  // namespace gatewaysim
