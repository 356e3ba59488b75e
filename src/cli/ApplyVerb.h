// `tavrin-cli apply CONFIG.json`: checks a whole configuration file, and only when every check
// passes connects to the gateway, puts the file's settings onto what it read, stores them as
// Finish does and writes the EDS file.
#pragma once

#include "cli/CliArgs.h"
#include "cli/ConsoleWiring.h"

namespace tavrin::cli {

// Returns the exit status (ExitCodes.h).
int RunApply(const CliArgs& args, ConsoleWiring& wiring);

}  // namespace tavrin::cli
