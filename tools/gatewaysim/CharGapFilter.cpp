#include "CharGapFilter.h"

namespace gatewaysim {

std::string CharGapFilter::Take(std::string_view bytes, Clock::time_point arrived) {
    if (m_minGap.count() == 0) {
        return std::string(bytes);
    }
    std::string kept;
    for (char c : bytes) {
        // The gap counts from the last character the module took: that is what keeps it busy.
        if (!m_lastTaken || arrived - *m_lastTaken >= m_minGap) {
            kept += c;
            m_lastTaken = arrived;
        }
    }
    return kept;
}

}  // namespace gatewaysim
