// The "PC COM Port" list: a combo box that says when it is about to drop down, so the window can
// read the system's ports again just before the user looks at them.
#pragma once

#include <QComboBox>

namespace tavrin {

class PortComboBox final : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;

signals:
    void AboutToDropDown();
};

}  // namespace tavrin
