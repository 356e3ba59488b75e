// tavrin-cli restore: see RestoreHelp() for what it does.
#pragma once

#include <string>

#include "cli/CliArgs.h"

namespace tavrin::cli {

// Needs a QCoreApplication. Returns the exit status.
int RunRestore(const CliArgs& args);
std::string RestoreHelp();

}  // namespace tavrin::cli
