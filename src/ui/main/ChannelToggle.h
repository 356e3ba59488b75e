// A two-state channel toggle of the gateway picture: a checkable button whose back colour shows
// its state (red pressed, light grey released). Setting its state from code raises no event; only
// a user's click does (through QAbstractButton::clicked).
#pragma once

#include <QColor>
#include <QPushButton>

namespace tavrin {

inline const QColor kTogglePressedColour{255, 0, 0};
inline const QColor kToggleReleasedColour{192, 192, 192};

class ChannelToggle final : public QPushButton {
    Q_OBJECT
public:
    explicit ChannelToggle(QWidget* parent = nullptr);

    bool Value() const { return isChecked(); }
    void SetValue(bool pressed);
    QColor BackColour() const { return m_backColour; }
    void SetBackColour(const QColor& colour);

private:
    QColor m_backColour = kToggleReleasedColour;
};

}  // namespace tavrin
