// How a window asks the user something or tells a failure: a modal message box with a fixed text
// and title. The windows show real boxes; their tests record them.
#pragma once

#include <string>

#include "common/Notice.h"

namespace tavrin {

// Shown where a box has no title of its own.
inline constexpr const char* kProgramTitle = "Tavrin";

// YesNoDefaultNo: a question whose safe answer is No, so that Enter does not say Yes.
enum class BoxButtons { Ok, YesNo, YesNoDefaultNo };
enum class BoxIcon { None, Information, Warning, Critical, Question };
enum class BoxAnswer { Ok, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // An empty title shows the program's title.
    virtual BoxAnswer Show(const std::string& text, const std::string& title,
                           BoxButtons buttons = BoxButtons::Ok, BoxIcon icon = BoxIcon::None) = 0;
};

// A message the logic handed back, in a plain box with its own title.
inline void ShowNotice(MessageBoxes& boxes, const Notice& notice) {
    boxes.Show(notice.text, notice.title);
}

}  // namespace tavrin
