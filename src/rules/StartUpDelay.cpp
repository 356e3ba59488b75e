#include "rules/StartUpDelay.h"

#include <algorithm>

namespace tavrin {

void Delay(Clock& clock, EventPump& pump, std::chrono::milliseconds duration) {
    using std::chrono::milliseconds;
    const std::int64_t start = clock.TickMs();
    for (;;) {
        const std::int64_t left = duration.count() - (clock.TickMs() - start);
        if (left <= 0) {
            return;
        }
        pump.Service(std::min(milliseconds(left), milliseconds(10)));
    }
}

}  // namespace tavrin
