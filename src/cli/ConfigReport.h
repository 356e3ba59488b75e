// The configuration read from a gateway, as the command line prints it.
#pragma once

#include <string>

#include "config/ConfigImage.h"

namespace tavrin::cli {

// One JSON object whose keys are the configuration's field names, flat as they always were;
// words as unsigned numbers. `busy` is the console session's flag at the time of the report.
std::string ConfigToJson(const ConfigImage& image, bool busy);

// A readable summary for a person at a terminal.
std::string ConfigToTable(const ConfigImage& image);

}  // namespace tavrin::cli
