// tavrin-cli diff A B: see DiffHelp() for what it does.
#pragma once

#include <string>

#include "cli/CliArgs.h"
#include "cli/ConsoleWiring.h"

namespace tavrin::cli {

// Needs a QCoreApplication. Returns the exit status.
int RunDiff(const CliArgs& args, ConsoleWiring& wiring);
std::string DiffHelp();

}  // namespace tavrin::cli
