// Cutting a console answer inside the prompt or arrow that ends it, so a test can check that the
// program finds a marker which reaches it in two pieces.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gatewaysim {

// Where the marker that ends `answer` begins: the edit arrow "-->", the EEPROM prompt
// "[EEPROM:]" or the main prompt `module` + ">". npos when the answer ends with none of them.
std::size_t EndingMarkerStart(std::string_view answer, std::string_view module);

// `answer` cut `offset` bytes after the start of its ending marker, as two pieces. A cut that
// would leave a piece empty (at the very start or at or past the end) gives the answer whole.
std::vector<std::string> SplitInMarker(std::string_view answer, std::string_view module,
                                       int offset);

}  // namespace gatewaysim
