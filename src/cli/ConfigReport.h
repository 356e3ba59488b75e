// The configuration read from a gateway, as the command line prints it.
#pragma once

#include <string>

#include "config/ConfigImage.h"

namespace tavrin::cli {

// One JSON object whose keys are the ConfigImage field names; words as unsigned numbers.
std::string ConfigToJson(const ConfigImage& image);

// A readable summary for a person at a terminal.
std::string ConfigToTable(const ConfigImage& image);

}  // namespace tavrin::cli
