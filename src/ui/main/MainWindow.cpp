#include "ui/main/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "appobj/editor/AppObjectEditor.h"
#include "config/Block0Codec.h"
#include "config/WordArithmetic.h"
#include "console/ConsoleMessages.h"
#include "console/WriteTarget.h"
#include "eds/ui/ConnectionWizard.h"
#include "ui/main/AboutWindow.h"
#include "ui/main/ChannelToggle.h"
#include "ui/main/MainMessages.h"
#include "ui/main/TranscriptWindow.h"
#include "widgets/CentreOnScreen.h"

namespace tavrin {
namespace {

void SetBold(QWidget* widget, bool bold) {
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

}  // namespace

MainWindow::MainWindow(MainServices services, QWidget* parent)
    : QMainWindow(parent),
      m_image(services.image),
      m_assemblies(services.assemblies),
      m_selections(services.selections),
      m_boxes(services.boxes),
      m_dialogs(services.dialogs),
      m_env(std::move(services.env)),
      m_programFolder(std::move(services.programFolder)),
      m_folders(ProgramFolder(), DocumentsFolder(services.documentsFolder),
                services.folderAccess != nullptr ? *services.folderAccess : m_systemFolders),
      m_askFolder(std::move(services.askFolder)),
      m_session{services.image, services.port, services.clock, services.pump},
      m_c(BuildMainControls(*this)),
      m_panels(m_c, services.image.settings, services.boxes, this),
      m_lister(services.ports),
      m_ports(services.ports, m_env),
      m_settings(services.settings),
      m_askDevicePath(std::move(services.askDevicePath)),
      m_transcript(std::make_unique<TranscriptWindow>(services.dialogs, services.boxes, m_folders)),
      m_tee(m_transcript.get(), services.log),
      m_views(services.image.working, services.assemblies),
      m_ini(this) {
    setObjectName(QStringLiteral("Main_F"));
    setWindowTitle(QString::fromLatin1(msg::kMainCaption));

    connect(m_c.Connect, &QPushButton::clicked, this, &MainWindow::ConnectClick);
    connect(m_c.CreateMBDevice, &QPushButton::clicked, this, &MainWindow::NextClick);
    connect(m_c.ExitProgramButton, &QPushButton::clicked, this, &MainWindow::close);
    // The File menu's Exit closes the window the same way as Exit Program.
    connect(m_c.ExitProgram, &QAction::triggered, this, &MainWindow::close);
    connect(m_c.About_, &QAction::triggered, this, &MainWindow::AboutClick);
    connect(m_c.ImportToINI, &QAction::triggered, this, &MainWindow::ImportToINIClick);
    connect(m_c.ExportToEEP, &QAction::triggered, this, &MainWindow::ExportToEEPClick);
    connect(m_c.ConsoleTranscript, &QAction::triggered, this, &MainWindow::TranscriptClick);
    connect(m_c.ConsoleSettings, &QAction::triggered, this, &MainWindow::ConsoleSettingsClick);
    LoadConsoleSettings();
    LoadFolderChoices();
    m_session.transcript = &m_tee;
    connect(m_c.ComPort, &PortComboBox::AboutToDropDown, this, &MainWindow::RefreshPorts);
    connect(m_c.ComPort, &QComboBox::activated, this, &MainWindow::PortActivated);
    connect(m_c.ComPort, &QComboBox::currentIndexChanged, this, &MainWindow::ShowWholePortLabels);
    if (PortSystem* os = services.portSystem; os != nullptr) {
        m_session.openAdvice = [this, os](OpenStatus status, const std::string& device) {
            return OpenAdvice(*os, status, device);
        };
    }
    connect(m_c.CompareWithFile, &QAction::triggered, this, &MainWindow::CompareWithFileClick);
    connect(m_c.NewConfiguration, &QAction::triggered, this, &MainWindow::NewConfigurationClick);
    connect(m_c.OpenConfiguration, &QAction::triggered, this, &MainWindow::OpenConfigurationClick);
    Load();
    if (services.ports != nullptr) {
        m_portTimer.setInterval(kPortRefreshInterval);
        connect(&m_portTimer, &QTimer::timeout, this, &MainWindow::RefreshPorts);
        m_portTimer.start();
    }
}

MainWindow::~MainWindow() {
    // The wizard and the editor are windows of their own that work on this window's tables and
    // console; they cannot outlive it.
    if (m_wizard) {
        m_wizard->disconnect(this);
        delete m_wizard;
    }
    if (m_editor) {
        m_editor->disconnect(this);
        delete m_editor;
    }
}

void MainWindow::Load() {
    m_panels.SetShownPanel(kNoPanel);
    m_panels.SelectLayer(1);
    m_c.ImportToINI->setEnabled(false);
    m_c.ExportToEEP->setEnabled(false);
    m_c.CompareWithFile->setEnabled(false);

    m_image.settings.ConfigWrong = false;
    m_session.Busy = false;
    m_connected = false;
    m_assemblies.LastOutputAssembly = 0;
    m_assemblies.LastInputAssembly = 0;
    ResetPanels();

    m_image.settings.ComTimeout = 200;
    m_image.settings.CanBaudIndex = 0;
    m_image.settings.NodeId = 1;
    m_image.settings.AppLayer = 0;
    m_c.FirmwareVer->clear();
    m_c.CommunicationState->clear();

    RestoreTypedPorts();
    m_ports.Start(RememberedPort());
    ShowPortList();
    CentreOnScreen(*this);
}

void MainWindow::ResetPanels() {
    const std::vector<QWidget*> hidden = {
        m_c.ParaSettingC0[0],    m_c.ParaSettingC0[1], m_c.ComCaption[0], m_c.ComCaption[1],
        m_c.ComImage[0],         m_c.ComImage[1],      m_c.ComButton[0],  m_c.ComButton[1],
        m_c.MousePoint[0],       m_c.MousePoint[1],    m_c.Image6420[0],  m_c.Image6420[1],
        m_c.ViewerC0[0],         m_c.ViewerC0[1],      m_c.ViewerC0[2],   m_c.ViewerText[0],
        m_c.ViewerText[1],       m_c.ViewerText[2],    m_c.ModulesImage,  m_c.SettingCANParameter,
        m_c.SettingCOMParameter, m_c.ConnectProgress,  m_c.CANBaudrate,   m_c.CANNodeId,
        m_c.ComParaSetting,      m_c.COMParaView};
    for (QWidget* widget : hidden) {
        widget->hide();
    }
    m_c.ParaSetting->show();
    m_c.ParaView->show();
}

void MainWindow::SetControlsEnabled(bool enabled) {
    m_c.ComPort->setEnabled(enabled);
    m_c.Connect->setEnabled(enabled);
    m_c.CreateMBDevice->setEnabled(enabled);
    m_c.ExitProgramButton->setEnabled(enabled);
}

void MainWindow::ConnectClick() {
    TakePortChoice();
    const PortEntry* chosen = m_ports.Chosen();
    if (chosen == nullptr || (chosen->kind == PortEntry::Kind::Other && !AskOtherPort())) {
        return;
    }
    const PortChoice port = ChosenPort();
    m_lastOutcome = ReadConfiguration(m_session, port, *this);
    if (m_lastOutcome == ReadOutcome::Completed) {
        RememberConnectedPort();
        m_readPort = port;
        m_readWordsHeld = true;
        setWindowTitle(QString::fromLatin1(msg::kMainCaption) + QStringLiteral(" - ") +
                       QString::fromStdString(PortDescription(port)));
    } else if (m_lastOutcome == ReadOutcome::CannotOpen) {
        ForgetUnopenedPort();
    }
}

void MainWindow::NextClick() {
    if (!m_connected) {
        m_c.CommunicationState->setText(QString::fromLatin1(msg::kConnectFirst));
        SetBold(m_c.CommunicationState, !m_c.CommunicationState->font().bold());
        return;
    }
    // With CANopen chosen there is nothing further to configure here.
    if (!m_c.ApplicationSelect[1]->isChecked()) {
        return;
    }
    hide();
    m_editor = new AppObjectEditor(m_image, m_boxes, m_views);
    // The bus check offers this window's port list and refuses the console's port and its jobs.
    m_editor->SetBusCheck({m_lister, m_env, m_askDevicePath, [this] { return m_session.Busy; },
                           [this] { return ChosenPort().device; }});
    connect(m_editor, &AppObjectEditor::Unloaded, this, &MainWindow::EditorUnloaded);
    connect(m_editor, &AppObjectEditor::NextRequested, this, &MainWindow::EditorNext);
    m_editor->show();
}

std::string MainWindow::ProgramFolder() const {
    return m_programFolder.empty() ? QCoreApplication::applicationDirPath().toStdString()
                                   : m_programFolder;
}

AppObjectEditor* MainWindow::Editor() const {
    return m_editor;
}

void MainWindow::EditorUnloaded() {
    m_editor = nullptr;
    show();
}

ConnectionWizard* MainWindow::Wizard() const {
    return m_wizard;
}

// The editor hid itself and keeps its table; the connection wizard goes on from it.
void MainWindow::EditorNext() {
    if (m_wizard) {
        return;
    }
    WizardServices services{
        m_image,
        m_assemblies,
        m_selections,
        m_boxes,
        m_views,
        m_session,
        [this] { return ChosenPort(); },
        *this,
        m_folders,
        [this](const WrittenWords& words, FinishOutcome finish, WriteOutcome write) {
            if (finish == FinishOutcome::Completed) {
                VerifyWritten(words);
            } else {
                WriteNotReadBack(write);
            }
        },
        [this](const std::string& path) { ShowEdsWritten(path); },
        m_askFolder,
        m_readPort};
    if (m_offline) {
        // The EDS file goes to the folder the wizard shows, as an online Finish puts it.
        services.finishOffline = [this](const FinishChoices& choices, const std::string& revision) {
            return FinishOffline(choices, revision, m_folders.EdsFolder());
        };
        services.revisionText = OfferedRevision();
    }
    m_wizard = new ConnectionWizard(std::move(services));
    if (m_offline) {
        // A configuration file carries the EDS file's texts; the wizard starts from them.
        m_wizard->Controls().EDSInfo[0]->setText(QString::fromLatin1(m_offline->description));
        m_wizard->Controls().EDSInfo[1]->setText(QString::fromLatin1(m_offline->author));
    }
    connect(m_wizard, &ConnectionWizard::Closed, this, &MainWindow::WizardClosed);
    m_wizard->show();
}

// After a Finish the job is done: the views and the editor go and this window comes back (the
// editor's going brings it). Otherwise the user returns to the editor and its table.
void MainWindow::WizardClosed(bool finished) {
    m_wizard = nullptr;
    if (!finished) {
        if (m_editor) {
            m_editor->show();
        } else {
            show();
        }
        return;
    }
    m_views.CloseAll();
    if (m_editor) {
        m_editor->close();
    } else {
        show();
    }
}

void MainWindow::AboutClick() {
    if (!m_about) {
        m_about = new AboutWindow(this);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::ReleaseConsole() {
    ReleaseConsolePort(m_session);
    m_c.ComPort->setEnabled(true);
    m_c.Connect->setEnabled(true);
    m_c.ExitProgramButton->setEnabled(true);
    m_c.ConnectProgress->hide();
}

void MainWindow::ReleaseTables() {
    m_image.words = {};
    m_image.working.AppObjects = {};
    m_image.settings.ReadAppObjects = {};
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_session.Busy) {
        m_boxes.Show(msg::kModuleConnecting, msg::kError);
        event->ignore();
        return;
    }
    if (m_boxes.Show(msg::kExitQuestion, msg::kExitQueryTitle, BoxButtons::YesNo,
                     BoxIcon::Question) != BoxAnswer::Yes) {
        event->ignore();
        return;
    }
    ReleaseTables();
    if (m_about) {
        m_about->close();
    }
    m_transcript->close();
    m_views.CloseAll();
    if (m_wizard) {
        m_wizard->disconnect(this);
        m_wizard->close();
    }
    if (m_editor) {
        // The program is ending: the editor goes without bringing this window back.
        m_editor->disconnect(this);
        m_editor->close();
    }
    event->accept();
}

// --- The read sequence's view of this window.

void MainWindow::ConnectPressed() {
    SetBold(m_c.CommunicationState, false);
    // Once a Connect was clicked the gateway is treated as the DeviceNet product it is.
    m_c.ApplicationSelect[0]->setEnabled(false);
}

void MainWindow::ShowReadingLook() {
    ResetPanels();
    // The words of an earlier connect are being replaced; until this read completes there is
    // nothing whole to save.
    m_c.ImportToINI->setEnabled(false);
    m_c.CompareWithFile->setEnabled(false);
    m_c.FirmwareVer->clear();
    // The panels describe no gateway until this read completes.
    setWindowTitle(QString::fromLatin1(msg::kMainCaption));
    // A Connect replaces a configuration opened from a file.
    m_offline.reset();
    m_c.ConfigurationSource->clear();
    SetControlsEnabled(false);
    m_panels.ReleaseToggles();
    m_panels.SetShownPanel(kNoPanel);
    m_connected = false;
}

void MainWindow::SetStatus(const std::string& text) {
    m_c.CommunicationState->setText(QString::fromStdString(text));
}

void MainWindow::Tell(const Notice& notice) {
    ShowNotice(m_boxes, notice);
}

void MainWindow::SetProgress(int value) {
    m_c.ConnectProgress->setValue(value);
    m_c.ConnectProgress->show();
}

void MainWindow::ConsoleReleased() {
    ReleaseConsole();
}

void MainWindow::ShowConnectedLook(ModuleKind kind, const std::string& firmwareText) {
    m_c.Image6420[static_cast<int>(kind)]->show();
    for (int channel = 0; channel < 2; ++channel) {
        m_c.ComImage[channel]->show();
        m_c.ComButton[channel]->SetValue(false);
        m_c.ComButton[channel]->show();
        m_c.MousePoint[channel]->show();
        m_c.ComCaption[channel]->show();
    }
    m_c.ModulesImage->show();
    m_c.FirmwareVer->setText(QString::fromStdString(firmwareText));

    m_c.CANNodeId->setText(QString::number(m_image.settings.NodeId));
    m_panels.SelectLayer(m_image.settings.AppLayer != 0 ? 1 : 0);
    if (m_image.settings.CanBaudIndex < m_c.CANBaudrate->count()) {
        m_c.CANBaudrate->setCurrentIndex(m_image.settings.CanBaudIndex);
    }

    SetControlsEnabled(true);
    m_connected = true;
    m_c.ConnectProgress->setValue(kProgressMax);
    m_c.ConnectProgress->hide();
    ShowSource();
    RememberRevision();
}

void MainWindow::EnableFileCommands() {
    m_c.ImportToINI->setEnabled(true);
    m_c.ExportToEEP->setEnabled(true);
    m_c.CompareWithFile->setEnabled(true);
}

void MainWindow::OpenCanPanel() {
    m_c.ComButton[kCanSide]->SetValue(true);
    m_panels.ToggleClick(kCanSide);
}

}  // namespace tavrin
