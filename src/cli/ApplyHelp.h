// The help text of `tavrin-cli apply`.
#pragma once

#include <string>

namespace tavrin::cli {

std::string ApplyHelp();

}  // namespace tavrin::cli
