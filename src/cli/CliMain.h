// tavrin-cli's command line: `words` are its arguments after the program's name. Runs the verb
// they name with the console reached through `wiring` and returns the exit status. Needs a
// QCoreApplication.
#pragma once

#include <string>
#include <vector>

#include "cli/ConsoleWiring.h"

namespace tavrin::cli {

int RunCli(const std::vector<std::string>& words, ConsoleWiring& wiring);

}  // namespace tavrin::cli
