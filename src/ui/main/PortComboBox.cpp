#include "ui/main/PortComboBox.h"

namespace tavrin {

void PortComboBox::showPopup() {
    emit AboutToDropDown();
    QComboBox::showPopup();
}

}  // namespace tavrin
