// tavrin-cli backup: see BackupHelp() for what it does.
#pragma once

#include <string>

#include "cli/CliArgs.h"

namespace tavrin::cli {

// Needs a QCoreApplication. Returns the exit status.
int RunBackup(const CliArgs& args);
std::string BackupHelp();

}  // namespace tavrin::cli
