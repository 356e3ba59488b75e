// The editor's number fields take only digits and Backspace as typed characters; anything else is
// dropped with a beep. Keys that type nothing (arrows, Delete, Tab, Home) work as usual.
#pragma once

#include <QObject>
#include <functional>

namespace tavrin {

class DigitKeyFilter final : public QObject {
    Q_OBJECT
public:
    // `beep` sounds for a refused character; `accepted` runs after a character is let through.
    DigitKeyFilter(std::function<void()> beep, std::function<void()> accepted,
                   QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_beep;
    std::function<void()> m_accepted;
};

}  // namespace tavrin
