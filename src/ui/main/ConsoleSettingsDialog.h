// "Console settings": the pace between typed characters, the answer window, and whether every
// write is read back. OK checks the typed numbers and refuses, with the reason in a box, what is
// not a whole number of milliseconds in range; the dialog then stays open for correcting.
#pragma once

#include <QDialog>

#include "rules/ConsoleSettings.h"

class QCheckBox;
class QLineEdit;

namespace tavrin {

class MessageBoxes;

class ConsoleSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    ConsoleSettingsDialog(const ConsoleSettings& shown, MessageBoxes& boxes, QWidget* parent);

    // What OK accepted; the settings shown at the start until then.
    const ConsoleSettings& Settings() const { return m_settings; }
    void OkClick();
    void DefaultsClick();

private:
    void Show(const ConsoleSettings& settings);

    MessageBoxes& m_boxes;
    ConsoleSettings m_settings;
    QLineEdit* m_pace;
    QLineEdit* m_window;
    QCheckBox* m_verify;
};

}  // namespace tavrin
