// Console waits are busy loops on the window thread that keep servicing window events, so the
// windows repaint and stay usable while a sequence runs. This is how the link services them.
#pragma once

#include <chrono>

namespace tavrin {

class EventPump {
public:
    virtual ~EventPump() = default;
    // Services pending events, waiting at most `maxWait` for something to happen (new input on
    // the port wakes it early).
    virtual void Service(std::chrono::microseconds maxWait) = 0;
    // Keeps servicing events for `duration`.
    virtual void Pause(std::chrono::microseconds duration) = 0;
};

}  // namespace tavrin
