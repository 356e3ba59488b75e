// The connection wizard's choices, kept for the whole run.
//
// A DeviceNet master opens up to three I/O connections to the gateway: Poll, Bit-Strobe and
// COS/Cyclic. For each one the wizard lets the user choose what the gateway produces (an input
// assembly instance or an input application object) and, for Poll, what it consumes. The choices
// are list positions in the wizard's lists (0 is "None"); position k is also the connection entry
// Input k or Output k of the EDS file. They outlive the wizard window and start at 0.
#pragma once

#include <array>
#include <cstdint>

namespace tavrin {

inline constexpr int kPollConnection = 0;
inline constexpr int kStrobeConnection = 1;
inline constexpr int kCosCyclicConnection = 2;
inline constexpr int kConnectionTypes = 3;

struct ConnectionSelections {
    // Index 0 Poll, 1 Bit-Strobe, 2 COS/Cyclic; index 3 is not used.
    std::array<std::int16_t, 4> InputSel{};
    std::array<std::int16_t, 4> OutputSel{};
};

}  // namespace tavrin
