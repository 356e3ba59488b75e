// The jobs of tavrin-cli that need no gateway: eds --from (the EDS file of a parameter file or a
// configuration file) and apply --save (the parameter file of a configuration file).
#pragma once

#include "cli/CliArgs.h"
#include "cli/ConsoleWiring.h"

namespace tavrin::cli {

// Need a QCoreApplication. Return the exit status.
int RunEdsFrom(const CliArgs& args, ConsoleWiring& wiring);
int RunApplySave(const CliArgs& args, ConsoleWiring& wiring);

}  // namespace tavrin::cli
