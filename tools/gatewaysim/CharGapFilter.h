// A console without a receive buffer: while the module still handles one typed character, the
// next one that arrives is lost (neither echoed nor taken).
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "OutputPlanner.h"

namespace gatewaysim {

class CharGapFilter {
public:
    // A zero gap keeps every character.
    explicit CharGapFilter(std::chrono::milliseconds minGap) : m_minGap(minGap) {}

    // The characters of `bytes`, all read at `arrived`, that the module takes. Bytes that reach
    // us in one read arrived together, so after the first only a gap of zero lets them through.
    std::string Take(std::string_view bytes, Clock::time_point arrived);

private:
    std::chrono::milliseconds m_minGap;
    std::optional<Clock::time_point> m_lastTaken;
};

}  // namespace gatewaysim
