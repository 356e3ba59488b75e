// The controller module the gateway runs on, as its console names itself at connect. The value
// is the one the main window's controller picture and the read keep for it.
#pragma once

namespace tavrin {

enum class ModuleKind { K6420e = 0, K6420RT = 1 };

}  // namespace tavrin
