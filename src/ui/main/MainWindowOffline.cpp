// The main window without a gateway: a new configuration or one opened from a file, shown as a
// Connect shows a gateway, and Finish saving it to a file with its EDS file. Nothing here opens a
// port.
#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>

#include "console/ConsoleMessages.h"
#include "eds/EdsFile.h"
#include "offline/ConfigurationJson.h"
#include "offline/OfflineFinish.h"
#include "rules/PanelMessages.h"
#include "ui/main/MainWindow.h"

namespace tavrin {
namespace {

constexpr const char* kOpenConfigurationTitle = "Open a k-5310G configuration";
constexpr const char* kSaveConfigurationTitle = "Save the k-5310G configuration";
constexpr const char* kOpenFilter =
    "Configuration Files (*.ini *.json)|*.ini *.json|INI Files (*.ini)|*.ini|JSON Files "
    "(*.json)|*.json";
constexpr const char* kSaveIniFilter = "INI Files (*.ini)|*.ini|JSON Files (*.json)|*.json";
constexpr const char* kSaveJsonFilter = "JSON Files (*.json)|*.json|INI Files (*.ini)|*.ini";
const QString kLastRevisionKey = QStringLiteral("firmware/lastRevision");

QString FileName(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName();
}

}  // namespace

void MainWindow::NewConfigurationClick() {
    if (m_session.Busy) {
        return;
    }
    OpenedConfiguration opened;
    // Nothing stored decodes to the defaults; here that is no fault but the starting point.
    DecodeAsConnect(opened.image, ConfigWords{});
    opened.image.settings.ConfigWrong = false;
    ShowOffline(std::move(opened), "");
}

void MainWindow::OpenConfigurationClick() {
    if (m_session.Busy) {
        return;
    }
    const std::optional<std::string> path = m_dialogs.AskOpenName(
        {kOpenConfigurationTitle, kOpenFilter, ProgramFolder(), kDefaultParameterFileName});
    if (!path || path->empty()) {
        return;
    }
    ConfigurationOpening result = OpenConfigurationFile(m_ini, *path, m_session.clock.Now());
    if (!result.opened) {
        // The window keeps whatever it showed.
        std::string text;
        for (const std::string& fault : result.faults) {
            text += (text.empty() ? "" : "\n") + *path + ": " + fault;
        }
        m_boxes.Show(text, msg::kError);
        return;
    }
    ShowOffline(std::move(*result.opened), *path);
}

// The connected look, as after a Connect, with the file in place of the gateway.
void MainWindow::ShowOffline(OpenedConfiguration opened, const std::string& path) {
    ResetPanels();
    m_panels.ReleaseToggles();
    m_panels.SetShownPanel(kNoPanel);
    m_image = opened.image;
    // A parameter file always configures the DeviceNet product.
    m_image.settings.AppLayer = 1;
    m_c.ApplicationSelect[0]->setEnabled(false);
    m_offline =
        OfflineSource{path, opened.kind, opened.revision, opened.description, opened.author};
    ShowConnectedLook(ModuleKind::K6420RT,
                      opened.revision ? FirmwareRevisionText(*opened.revision) : std::string());
    SetStatus("Offline: " +
              (path.empty() ? std::string("New configuration") : FileName(path).toStdString()));
    for (const Notice& notice : opened.notices) {
        Tell(notice);
    }
    m_c.ImportToINI->setEnabled(true);
    m_c.CompareWithFile->setEnabled(true);
    // Only a gateway can be written.
    m_c.ExportToEEP->setEnabled(false);
    OpenCanPanel();
}

void MainWindow::ShowSource() {
    QString text;
    if (!m_offline) {
        text = QStringLiteral("Gateway on ") + QString::fromStdString(ChosenPort().Label());
    } else if (m_offline->path.empty()) {
        text = QStringLiteral("New configuration, no gateway");
    } else {
        text = QStringLiteral("File ") + FileName(m_offline->path) + QStringLiteral(", no gateway");
    }
    m_c.ConfigurationSource->setText(text);
    m_c.ConfigurationSource->setToolTip(m_offline ? QString::fromStdString(m_offline->path)
                                                  : QString());
}

std::string MainWindow::OfferedRevision() const {
    if (m_offline && m_offline->revision) {
        return FirmwareRevisionText(*m_offline->revision);
    }
    return m_settings != nullptr ? m_settings->value(kLastRevisionKey).toString().toStdString()
                                 : std::string();
}

void MainWindow::RememberRevision() {
    if (m_settings != nullptr && !m_offline) {
        m_settings->setValue(kLastRevisionKey,
                             QString::fromStdString(FirmwareRevisionText(
                                 {m_image.settings.FwMajor, m_image.settings.FwMinor})));
    }
}

bool MainWindow::FinishOffline(const FinishChoices& choices, const std::string& revisionText,
                               const std::string& edsFolder) {
    const std::optional<FirmwareRevision> revision = ParseFirmwareRevision(revisionText);
    if (!revision) {
        m_boxes.Show(FirmwareRevisionRefusal(revisionText), msg::kError);
        return false;
    }
    const bool json = m_offline->kind == ConfigurationKind::Json;
    const std::string folder =
        m_offline->path.empty()
            ? ProgramFolder()
            : QFileInfo(QString::fromStdString(m_offline->path)).absolutePath().toStdString();
    const std::string name = m_offline->path.empty() ? std::string(kDefaultParameterFileName)
                                                     : FileName(m_offline->path).toStdString();
    const std::optional<std::string> path = m_dialogs.AskSaveName(
        {kSaveConfigurationTitle, json ? kSaveJsonFilter : kSaveIniFilter, folder, name});
    if (!path || path->empty()) {
        return false;
    }

    // Worked out on a copy: a save that fails leaves the window's configuration as it was.
    const LocalDateTime now = m_session.clock.Now();
    ConfigImage saved = m_image;
    const ConfigWords words = OfflineFinishWords(saved, m_assemblies, m_selections, choices, now);
    SetRevision(saved.settings, *revision);
    const ConfigurationKind kind = KindOfConfigurationFile(*path);
    if (kind == ConfigurationKind::Json) {
        const ConfigurationJson text =
            ConfigurationToJson(saved, revision, choices.description, choices.author);
        if (const auto failure = SaveTextFile(*path, text.text)) {
            m_boxes.Show(*failure, msg::kError);
            return false;
        }
    } else if (!SaveParameterFileWords(m_ini, *path, words)) {
        m_boxes.Show(msg::kCantWriteParameterFile, msg::kError);
        return false;
    }
    m_image = saved;
    m_offline = OfflineSource{*path, kind, revision, choices.description, choices.author};
    ShowSource();
    m_c.FirmwareVer->setText(QString::fromStdString(FirmwareRevisionText(*revision)));

    const EdsContent content{choices.description,
                             choices.author,
                             m_image.settings,
                             m_image.working,
                             m_assemblies,
                             m_selections,
                             now};
    try {
        const std::string eds = WriteEdsFile(edsFolder, content);
        SetStatus("Saved " + *path + "; " + kEdsProduced + ": " + eds);
    } catch (const EdsWriteError& error) {
        SetStatus("Saved " + *path);
        m_boxes.Show(error.what(), "");
        return false;
    }
    return true;
}

}  // namespace tavrin
