// Message boxes on the screen: modal QMessageBox over the active window.
#pragma once

#include "common/MessageBoxes.h"

namespace tavrin {

class QtMessageBoxes final : public MessageBoxes {
public:
    BoxAnswer Show(const std::string& text, const std::string& title, BoxButtons buttons,
                   BoxIcon icon) override;
};

}  // namespace tavrin
