// Which gateway a write may go to. The configuration a window shows was read from one port, and
// a write (Finish, or a parameter file in its place) goes to that port only: a port list moved to
// another port since would store one gateway's configuration into another that was never read,
// and a later read of that one would even call it valid.
#pragma once

#include <optional>
#include <string>

#include "console/PortChoice.h"

namespace tavrin {

// How a port is named where two similar entries must not be confused: "COM 1 (/dev/ttyS0)" for a
// list number, the device path otherwise.
std::string PortDescription(const PortChoice& port);

// Nothing when `listed` opens the device the configuration was read from (`read`); otherwise the
// message that refuses the write, naming both ports, before anything is sent.
std::optional<std::string> WriteTargetRefusal(const PortChoice& read, const PortChoice& listed);

}  // namespace tavrin
