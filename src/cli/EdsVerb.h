// tavrin-cli eds: see EdsHelp() for what it does.
#pragma once

#include <string>

#include "cli/CliArgs.h"
#include "cli/ConsoleWiring.h"

namespace tavrin::cli {

// Needs a QCoreApplication. Returns the exit status.
int RunEds(const CliArgs& args, ConsoleWiring& wiring);
std::string EdsHelp();

}  // namespace tavrin::cli
