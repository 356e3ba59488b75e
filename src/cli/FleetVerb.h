// `tavrin-cli fleet MANIFEST`: the jobs of a JSON manifest run at once, one per port. See
// FleetHelp() for what it does.
#pragma once

#include <string>

#include "cli/CliArgs.h"

namespace tavrin::cli {

// Needs a QCoreApplication. Returns the exit status: 0 when every job succeeded, else the
// highest-ranking failure's.
int RunFleet(const CliArgs& args);
std::string FleetHelp();

}  // namespace tavrin::cli
