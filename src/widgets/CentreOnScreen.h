// Forms centre themselves on the screen when they load.
#pragma once

class QWidget;

namespace tavrin {

// Moves `form` so that it stands in the middle of the screen it is on (or the primary screen).
// Call it after the form has its final size.
void CentreOnScreen(QWidget& form);

}  // namespace tavrin
