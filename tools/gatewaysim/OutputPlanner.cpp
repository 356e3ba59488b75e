#include "OutputPlanner.h"

#include <algorithm>

namespace gatewaysim {
namespace {

constexpr std::int64_t kBaud = 115200;
constexpr std::int64_t kBitsPerByte = 10;  // start bit, 8 data bits, stop bit

std::chrono::nanoseconds BurstLength(std::int64_t bytes) {
    return std::chrono::nanoseconds(bytes * kBitsPerByte * 1'000'000'000 / kBaud);
}

}  // namespace

OutputPlanner::OutputPlanner(LineTiming timing) : m_timing(timing), m_random(timing.seed) {}

Clock::time_point OutputPlanner::PaceByte(Clock::time_point start) {
    if (start > m_burstStart + BurstLength(m_burstBytes)) {
        m_burstStart = start;  // the line has been idle: a new burst begins
        m_burstBytes = 0;
    }
    ++m_burstBytes;
    return m_burstStart + BurstLength(m_burstBytes);
}

std::vector<OutputSlice> OutputPlanner::Plan(std::string_view text, Clock::time_point notBefore) {
    std::vector<OutputSlice> slices;
    Clock::time_point at = std::max(notBefore, m_tail);
    std::uniform_int_distribution<std::size_t> chunkSize(1, 8);
    std::uniform_int_distribution<int> gapMicros(0, 2000);
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t size =
            m_timing.split ? std::min(chunkSize(m_random), text.size() - pos) : text.size() - pos;
        if (m_timing.split && pos > 0) {
            at += std::chrono::microseconds(gapMicros(m_random));
        }
        const std::string_view chunk = text.substr(pos, size);
        if (m_timing.pace) {
            for (char c : chunk) {
                at = PaceByte(at);
                slices.push_back({at, std::string(1, c)});
            }
        } else {
            slices.push_back({at, std::string(chunk)});
        }
        pos += size;
    }
    if (!slices.empty()) {
        m_tail = slices.back().at;
    }
    return slices;
}

}  // namespace gatewaysim
