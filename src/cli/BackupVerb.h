// tavrin-cli backup: see BackupHelp() for what it does.
#pragma once

#include <string>

#include "cli/CliArgs.h"
#include "cli/ConsoleWiring.h"

namespace tavrin::cli {

// Needs a QCoreApplication. Returns the exit status.
int RunBackup(const CliArgs& args, ConsoleWiring& wiring);
std::string BackupHelp();

}  // namespace tavrin::cli
