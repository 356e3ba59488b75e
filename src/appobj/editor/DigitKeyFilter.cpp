#include "appobj/editor/DigitKeyFilter.h"

#include <QKeyEvent>

namespace tavrin {

DigitKeyFilter::DigitKeyFilter(std::function<void()> beep, std::function<void()> accepted,
                               QObject* parent)
    : QObject(parent), m_beep(std::move(beep)), m_accepted(std::move(accepted)) {}

bool DigitKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace) {
        m_accepted();
        return false;
    }
    const QString text = key->text();
    // Keys that type no character, and the ones that move the cursor or the focus.
    if (text.isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
        key->key() == Qt::Key_Delete) {
        return false;
    }
    // Copying out and selecting do not change the field.
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll))
        return false;
    if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) {
        m_accepted();
        return false;
    }
    m_beep();
    return true;
}

}  // namespace tavrin
