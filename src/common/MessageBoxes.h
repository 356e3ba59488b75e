// How the logic asks the user something or tells a failure: a modal message box with a fixed text
// and title. The windows show real boxes; tests and the command line record or print them.
#pragma once

#include <string>

namespace tavrin {

// Shown where a box has no title of its own.
inline constexpr const char* kProgramTitle = "Tavrin";

enum class BoxButtons { Ok, YesNo };
enum class BoxIcon { None, Information, Warning, Critical, Question };
enum class BoxAnswer { Ok, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // An empty title shows the program's title.
    virtual BoxAnswer Show(const std::string& text, const std::string& title,
                           BoxButtons buttons = BoxButtons::Ok, BoxIcon icon = BoxIcon::None) = 0;
};

}  // namespace tavrin
