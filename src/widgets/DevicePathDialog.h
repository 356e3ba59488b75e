// The "Other port" question: a device path typed by the user, for a port the system does not list
// (a pseudo-terminal, an odd driver). Both port lists ask it the same way.
#pragma once

#include <optional>
#include <string>

class QWidget;

namespace tavrin {

// The path typed, trimmed; nothing when the user cancelled or left it empty.
std::optional<std::string> AskDevicePath(QWidget* parent);

}  // namespace tavrin
