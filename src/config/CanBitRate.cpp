#include "config/CanBitRate.h"

namespace tavrin {

std::optional<int> CanBitRateKbps(int appLayer, int canBaudIndex) {
    if (canBaudIndex < 0) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(canBaudIndex);
    if (appLayer == 0) {
        return index < kCanOpenRatesKbps.size() ? std::optional(kCanOpenRatesKbps[index])
                                                : std::nullopt;
    }
    return index < kDeviceNetRatesKbps.size() ? std::optional(kDeviceNetRatesKbps[index])
                                              : std::nullopt;
}

}  // namespace tavrin
