#include "console/WriteTarget.h"

namespace tavrin {

std::string PortDescription(const PortChoice& port) {
    return port.number > 0 ? port.Label() + " (" + port.device + ")" : port.device;
}

std::optional<std::string> WriteTargetRefusal(const PortChoice& read, const PortChoice& listed) {
    if (listed.device == read.device) {
        return std::nullopt;
    }
    return "The gateway in this window was read on " + PortDescription(read) +
           ", but the port list shows " + PortDescription(listed) +
           ". Nothing was written: connect to " + PortDescription(listed) + " first.";
}

}  // namespace tavrin
