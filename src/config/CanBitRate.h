// CAN bit rates by CanBaudIndex. The gateway stores a position in the list of the application
// layer that was current when it was stored, so the same index means different rates under
// CANopen and DeviceNet.
#pragma once

#include <array>
#include <optional>

namespace tavrin {

inline constexpr std::array<int, 8> kCanOpenRatesKbps = {10, 20, 50, 125, 250, 500, 800, 1000};
inline constexpr std::array<int, 3> kDeviceNetRatesKbps = {125, 250, 500};

// The rate in kbit/s, or empty when the index lies outside the layer's list (a DeviceNet index of
// 3..8 can be stored by a gateway but names no DeviceNet rate).
std::optional<int> CanBitRateKbps(int appLayer, int canBaudIndex);

}  // namespace tavrin
