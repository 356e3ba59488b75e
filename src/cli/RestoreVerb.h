// tavrin-cli restore: see RestoreHelp() for what it does.
#pragma once

#include <string>

#include "cli/CliArgs.h"
#include "cli/ConsoleWiring.h"

namespace tavrin::cli {

// Needs a QCoreApplication. Returns the exit status.
int RunRestore(const CliArgs& args, ConsoleWiring& wiring);
std::string RestoreHelp();

}  // namespace tavrin::cli
