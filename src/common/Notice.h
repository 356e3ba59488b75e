// A message the logic has for the user: its exact text and the title it goes under. The logic
// hands it back (or to its view) and each face presents it its own way: the windows in a message
// box, the command line as a line on stderr.
#pragma once

#include <string>

namespace tavrin {

struct Notice {
    std::string text;
    std::string title;  // empty: the program's title

    friend bool operator==(const Notice&, const Notice&) = default;
};

}  // namespace tavrin
