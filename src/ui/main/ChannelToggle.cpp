#include "ui/main/ChannelToggle.h"

#include <QSignalBlocker>

namespace tavrin {

ChannelToggle::ChannelToggle(QWidget* parent) : QPushButton(parent) {
    setCheckable(true);
    SetBackColour(kToggleReleasedColour);
}

void ChannelToggle::SetValue(bool pressed) {
    const QSignalBlocker quiet(this);
    setChecked(pressed);
}

void ChannelToggle::SetBackColour(const QColor& colour) {
    m_backColour = colour;
    // A style sheet colours the face the same way under every widget style.
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #606060; "
                                 "border-radius: 3px; padding: 4px; }")
                      .arg(colour.name()));
}

}  // namespace tavrin
