#include "ui/main/ConsoleSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/MessageBoxes.h"

namespace tavrin {
namespace {

QLineEdit* NewNumber(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(90);
    return edit;
}

QWidget* WithHint(QWidget* field, const QString& hint) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field);
    layout->addWidget(new QLabel(hint), 1);
    return row;
}

}  // namespace

ConsoleSettingsDialog::ConsoleSettingsDialog(const ConsoleSettings& shown, MessageBoxes& boxes,
                                             QWidget* parent)
    : QDialog(parent),
      m_boxes(boxes),
      m_settings(shown),
      m_pace(NewNumber("PaceMs")),
      m_window(NewNumber("AnswerWindowMs")),
      m_verify(new QCheckBox(QStringLiteral("Verify after every write"))) {
    setObjectName(QStringLiteral("ConsoleSettingsForm"));
    setWindowTitle(QStringLiteral("Console settings"));
    m_verify->setObjectName(QStringLiteral("VerifyWrites"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Pause after each character (ms)"),
                 WithHint(m_pace, QStringLiteral("0 to 100, default 1")));
    form->addRow(QStringLiteral("Answer window (ms)"),
                 WithHint(m_window, QStringLiteral("50 to 10000, default 200")));
    form->addRow(m_verify);
    auto* note = new QLabel(QStringLiteral(
        "A slow console or a USB serial adapter may need a longer pause or answer window."));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::RestoreDefaults);
    buttons->setObjectName(QStringLiteral("ConsoleSettingsButtons"));
    connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this,
            &ConsoleSettingsDialog::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            &ConsoleSettingsDialog::DefaultsClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    Show(shown);
}

void ConsoleSettingsDialog::Show(const ConsoleSettings& settings) {
    m_pace->setText(QString::number(settings.timing.paceMs));
    m_window->setText(QString::number(settings.timing.answerWindowMs));
    m_verify->setChecked(settings.verifyWrites);
}

void ConsoleSettingsDialog::DefaultsClick() {
    Show(ConsoleSettings{});
}

void ConsoleSettingsDialog::OkClick() {
    const ConsoleSettingsCheck check = CheckConsoleSettings(
        m_pace->text().toStdString(), m_window->text().toStdString(), m_verify->isChecked());
    if (!check.settings) {
        m_boxes.Show(check.refusal, "Console settings");
        return;
    }
    m_settings = *check.settings;
    accept();
}

}  // namespace tavrin
