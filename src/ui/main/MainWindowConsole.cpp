// The main window's Console menu: the transcript window and the "Console settings" dialog, whose
// pace, answer window and verifying are kept per user.
#include <QSettings>

#include "ui/main/ConsoleSettingsDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/main/TranscriptWindow.h"
#include "widgets/WindowPlacement.h"

namespace tavrin {
namespace {

const QString kPaceKey = QStringLiteral("console/paceMs");
const QString kAnswerWindowKey = QStringLiteral("console/answerWindowMs");
const QString kVerifyKey = QStringLiteral("console/verifyWrites");

}  // namespace

void MainWindow::TranscriptClick() {
    if (!m_transcript->isVisible()) {
        PlaceOnParentsScreen(*m_transcript, *this);
    }
    m_transcript->show();
    m_transcript->raise();
    m_transcript->activateWindow();
}

// Kept values that are out of range (an edited settings file) give way to the defaults.
void MainWindow::LoadConsoleSettings() {
    ConsoleSettings settings;
    if (m_settings != nullptr) {
        const ConsoleSettingsCheck check = CheckConsoleSettings(
            m_settings->value(kPaceKey, settings.timing.paceMs).toString().toStdString(),
            m_settings->value(kAnswerWindowKey, settings.timing.answerWindowMs)
                .toString()
                .toStdString(),
            m_settings->value(kVerifyKey, settings.verifyWrites).toBool());
        if (check.settings) {
            settings = *check.settings;
        }
    }
    m_consoleSettings = settings;
    SetConsoleTiming(settings.timing);
}

void MainWindow::ApplyConsoleSettings(const ConsoleSettings& settings) {
    m_consoleSettings = settings;
    SetConsoleTiming(settings.timing);
    if (m_settings != nullptr) {
        m_settings->setValue(kPaceKey, settings.timing.paceMs);
        m_settings->setValue(kAnswerWindowKey, settings.timing.answerWindowMs);
        m_settings->setValue(kVerifyKey, settings.verifyWrites);
    }
}

void MainWindow::ConsoleSettingsClick() {
    if (!m_settingsDialog) {
        m_settingsDialog = new ConsoleSettingsDialog(m_consoleSettings, m_boxes, this);
        m_settingsDialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_settingsDialog, &QDialog::accepted, this,
                [this] { ApplyConsoleSettings(m_settingsDialog->Settings()); });
    }
    // Window-modal and not waited for, so the window's own timers and tests go on.
    m_settingsDialog->open();
    m_settingsDialog->raise();
}

ConsoleSettingsDialog* MainWindow::SettingsDialog() const {
    return m_settingsDialog;
}

}  // namespace tavrin
