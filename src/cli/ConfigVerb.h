// tavrin-cli config: see ConfigHelp() for what it does.
#pragma once

#include <string>

#include "cli/CliArgs.h"
#include "cli/ConsoleWiring.h"

namespace tavrin::cli {

// Needs a QCoreApplication. Returns the exit status.
int RunConfig(const CliArgs& args, ConsoleWiring& wiring);
std::string ConfigHelp();

}  // namespace tavrin::cli
