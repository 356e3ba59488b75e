// tavrin-cli ports: see PortsHelp() for what it does.
#pragma once

#include <string>

#include "cli/CliArgs.h"

namespace tavrin::cli {

// Needs a QCoreApplication. Returns the exit status: 0, also when there are no ports.
int RunPorts(const CliArgs& args);
std::string PortsHelp();

}  // namespace tavrin::cli
