#include "eds/ui/ConnectionWizard.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "console/ConsoleMessages.h"
#include "console/WriteTarget.h"
#include "eds/ConnectionChoices.h"
#include "widgets/CentreOnScreen.h"

namespace tavrin {
namespace {

void Fill(QComboBox* list, const std::vector<std::string>& entries) {
    list->clear();
    for (const std::string& entry : entries) {
        list->addItem(QString::fromStdString(entry));
    }
    // A list shows nothing until an entry is chosen for it.
    list->setCurrentIndex(-1);
}

// The description and author go into a file read on the master's PC; keep them to the
// single-byte code page the file is written in.
std::string FileText(const QLineEdit* field) {
    return field->text().toLatin1().toStdString();
}

}  // namespace

ConnectionWizard::ConnectionWizard(WizardServices services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_s(std::move(services)),
      m_c(BuildConnectionWizardControls(*this)) {
    setObjectName(QStringLiteral("XQVEdsSet"));
    setWindowTitle(QStringLiteral("XQVEDS"));
    setAttribute(Qt::WA_DeleteOnClose);

    for (int i = 0; i < kConnectionTypes; ++i) {
        connect(m_c.InPut[i], &QComboBox::activated, this,
                [this, i](int position) { InputChosen(i, position); });
        connect(m_c.OutPut[i], &QComboBox::activated, this,
                [this, i](int position) { OutputChosen(i, position); });
    }
    connect(m_c.BackButton, &QPushButton::clicked, this, &ConnectionWizard::BackClick);
    connect(m_c.FinishDeviceSet, &QPushButton::clicked, this, &ConnectionWizard::FinishClick);
    connect(m_c.EdsFolderChange, &QPushButton::clicked, this,
            &ConnectionWizard::EdsFolderChangeClick);
    connect(m_c.AppObj, &QPushButton::clicked, this, [this] { m_s.views.OpenAppObjView(this); });
    connect(m_c.ShowSettingResult, &QPushButton::clicked, this,
            [this] { m_s.views.OpenAssObjView(this); });
    m_c.FirmwareRevisionLabel->setVisible(bool(m_s.finishOffline));
    m_c.FirmwareRevision->setVisible(bool(m_s.finishOffline));
    m_c.FirmwareRevision->setText(QString::fromStdString(m_s.revisionText));
    Load();
}

void ConnectionWizard::Load() {
    adjustSize();
    CentreOnScreen(*this);
    SetNavigationEnabled(true);
    const WizardStart start = StartWizard(m_s.image, m_s.selections);
    m_s.assemblies = start.assemblies;
    m_finished = false;
    ShowEdsFolder();
    ShowStart(start);
}

void ConnectionWizard::ShowEdsFolder() {
    const QString folder = QString::fromStdString(m_s.folders.EdsFolder());
    m_c.EdsFolder->setText(folder);
    m_c.EdsFolder->setToolTip(folder);
    m_c.EdsFolder->setCursorPosition(0);
}

void ConnectionWizard::EdsFolderChangeClick() {
    const std::string start = m_s.folders.EdsFolder();
    std::optional<std::string> chosen;
    if (m_s.askFolder) {
        chosen = m_s.askFolder(start);
    } else {
        const QString folder = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Folder for the EDS file"), QString::fromStdString(start));
        if (!folder.isEmpty()) {
            chosen = QFile::encodeName(folder).toStdString();
        }
    }
    if (chosen && !chosen->empty()) {
        m_s.folders.ChooseEdsFolder(*chosen);
        ShowEdsFolder();
    }
}

// The lists with the restored choices shown, then the opening's messages.
void ConnectionWizard::ShowStart(const WizardStart& start) {
    for (int i = 0; i < kConnectionTypes; ++i) {
        Fill(m_c.OutPut[i], start.outputs);
    }
    for (int i = 0; i < kConnectionTypes; ++i) {
        Fill(m_c.InPut[i], start.inputs);
        m_c.InPut[i]->setCurrentIndex(m_s.selections.InputSel[i]);
    }
    m_strobeAccepted = m_s.selections.InputSel[kStrobeConnection];
    m_c.OutPut[kPollConnection]->setCurrentIndex(m_s.selections.OutputSel[kPollConnection]);
    for (const Notice& notice : StartMessages(start)) {
        ShowNotice(m_s.boxes, notice);
    }
}

// Shows an entry as the program's choice; it is handled exactly like the user's.
void ConnectionWizard::ShowInput(int list, int position) {
    m_c.InPut[list]->setCurrentIndex(position);
    InputChosen(list, position);
}

void ConnectionWizard::InputChosen(int list, int position) {
    if (list == kStrobeConnection) {
        const std::string text = m_c.InPut[list]->itemText(position).toStdString();
        if (!FitsStrobeResponse(position, text, m_s.image, m_s.assemblies)) {
            ShowInput(list, m_strobeAccepted);
            m_s.boxes.Show(kStrobeTooLong, msg::kError);
            return;
        }
        m_strobeAccepted = position;
    }
    m_s.selections.InputSel[list] = static_cast<std::int16_t>(position);
}

void ConnectionWizard::OutputChosen(int list, int position) {
    m_s.selections.OutputSel[list] = static_cast<std::int16_t>(position);
}

void ConnectionWizard::BackClick() {
    for (QComboBox* list : {m_c.InPut[0], m_c.InPut[1], m_c.InPut[2], m_c.OutPut[0]}) {
        list->clear();
    }
    m_finished = false;
    close();
}

FinishChoices ConnectionWizard::Choices() const {
    FinishChoices choices;
    for (int i = 0; i < kConnectionTypes; ++i) {
        choices.inputTexts[i] = m_c.InPut[i]->currentText().toStdString();
        choices.outputTexts[i] = m_c.OutPut[i]->currentText().toStdString();
    }
    choices.description = FileText(m_c.EDSInfo[0]);
    choices.author = FileText(m_c.EDSInfo[1]);
    return choices;
}

void ConnectionWizard::FinishClick() {
    if (m_s.finishOffline) {
        FinishOffline();
        return;
    }
    SetNavigationEnabled(false);
    if (m_s.session.Busy) {
        return;
    }
    // The configuration goes back only to the gateway it was read from.
    const PortChoice listed = m_s.currentPort();
    const PortChoice port = m_s.readPort.value_or(listed);
    if (const std::optional<std::string> refusal = WriteTargetRefusal(port, listed)) {
        m_s.boxes.Show(*refusal, msg::kWarning);
        SetNavigationEnabled(true);
        return;
    }
    m_s.views.CloseModuleView();
    ShowEdsFolder();
    FinishContext context{
        m_s.session, port, m_s.assemblies, m_s.selections, m_s.folders.EdsFolder(), m_s.status};
    context.edsCheck = &m_s.folders.Access();
    m_storing = true;
    // Edited objects are stored with the whole area; otherwise only the settings words.
    const int count = m_s.image.settings.ConnInfoValid ? kBlock0SettingsWords : kWholeBlock0Words;
    m_lastOutcome = StoreAndProduceEds(context, Choices());
    // The read-back follows the store's dialogue, while the wizard still refuses to close.
    if (*m_lastOutcome == FinishOutcome::Completed && m_s.edsWritten) {
        m_s.edsWritten(context.edsPath);
    }
    // A refused Finish typed nothing, so what the window holds as read still stands.
    const bool typed =
        *m_lastOutcome != FinishOutcome::Refused && *m_lastOutcome != FinishOutcome::FolderRefused;
    if (typed && m_s.written) {
        m_s.written({m_s.image.words.Block0Words, count, m_s.image.words.Block1Words},
                    *m_lastOutcome, context.writeOutcome);
    }
    m_storing = false;
    switch (*m_lastOutcome) {
        case FinishOutcome::Completed:
            m_finished = true;
            close();
            break;
        case FinishOutcome::WriteFailed:
        case FinishOutcome::EdsFailed:
        case FinishOutcome::FolderRefused:
            ProcessError();
            break;
        case FinishOutcome::Refused:
            break;
    }
}

void ConnectionWizard::ProcessError() {
    ReleaseConsolePort(m_s.session);
    SetNavigationEnabled(true);
}

void ConnectionWizard::SetNavigationEnabled(bool enabled) {
    m_c.BackButton->setEnabled(enabled);
    m_c.FinishDeviceSet->setEnabled(enabled);
    m_c.EdsFolderChange->setEnabled(enabled);
}

void ConnectionWizard::closeEvent(QCloseEvent* event) {
    // The console is busy storing: the wizard's choices are still being read.
    if (m_storing) {
        event->ignore();
        return;
    }
    event->accept();
    emit Closed(m_finished);
}

}  // namespace tavrin
