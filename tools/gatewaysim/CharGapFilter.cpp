#include "CharGapFilter.h"

namespace gatewaysim {

std::string CharGapFilter::take(std::string_view bytes, Clock::time_point arrived) {
    if (minGap_.count() == 0) {
        return std::string(bytes);
    }
    std::string kept;
    for (char c : bytes) {
        // The gap counts from the last character the module took: that is what keeps it busy.
        if (!lastTaken_ || arrived - *lastTaken_ >= minGap_) {
            kept += c;
            lastTaken_ = arrived;
        }
    }
    return kept;
}

}  // namespace gatewaysim
