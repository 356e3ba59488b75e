#include "OutputPlanner.h"

#include <algorithm>

namespace gatewaysim {
namespace {

constexpr std::int64_t kBaud = 115200;
constexpr std::int64_t kBitsPerByte = 10;  // start bit, 8 data bits, stop bit

std::chrono::nanoseconds burstLength(std::int64_t bytes) {
    return std::chrono::nanoseconds(bytes * kBitsPerByte * 1'000'000'000 / kBaud);
}

}  // namespace

OutputPlanner::OutputPlanner(LineTiming timing) : timing_(timing), random_(timing.seed) {}

Clock::time_point OutputPlanner::paceByte(Clock::time_point start) {
    if (start > burstStart_ + burstLength(burstBytes_)) {
        burstStart_ = start;  // the line has been idle: a new burst begins
        burstBytes_ = 0;
    }
    ++burstBytes_;
    return burstStart_ + burstLength(burstBytes_);
}

std::vector<OutputSlice> OutputPlanner::plan(std::string_view text, Clock::time_point notBefore) {
    std::vector<OutputSlice> slices;
    Clock::time_point at = std::max(notBefore, tail_);
    std::uniform_int_distribution<std::size_t> chunkSize(1, 8);
    std::uniform_int_distribution<int> gapMicros(0, 2000);
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t size =
            timing_.split ? std::min(chunkSize(random_), text.size() - pos) : text.size() - pos;
        if (timing_.split && pos > 0) {
            at += std::chrono::microseconds(gapMicros(random_));
        }
        const std::string_view chunk = text.substr(pos, size);
        if (timing_.pace) {
            for (char c : chunk) {
                at = paceByte(at);
                slices.push_back({at, std::string(1, c)});
            }
        } else {
            slices.push_back({at, std::string(chunk)});
        }
        pos += size;
    }
    if (!slices.empty()) {
        tail_ = slices.back().at;
    }
    return slices;
}

}  // namespace gatewaysim
