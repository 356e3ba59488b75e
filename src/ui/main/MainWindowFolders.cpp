// Where the main window and its wizard put files: the folder rules with the user's choices kept
// in the window's settings, and where the last EDS file went.
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>

#include "ui/main/MainWindow.h"

namespace tavrin {
namespace {

const QString kEdsFolderKey = QStringLiteral("folders/eds");
const QString kParameterFolderKey = QStringLiteral("folders/parameterFiles");
const QString kTranscriptFolderKey = QStringLiteral("folders/transcripts");

}  // namespace

std::string DocumentsFolder(const std::string& given) {
    if (!given.empty()) {
        return given;
    }
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
}

void MainWindow::LoadFolderChoices() {
    if (m_settings == nullptr) {
        return;
    }
    FolderChoices choices;
    choices.eds = m_settings->value(kEdsFolderKey).toString().toStdString();
    choices.parameterFiles = m_settings->value(kParameterFolderKey).toString().toStdString();
    choices.transcripts = m_settings->value(kTranscriptFolderKey).toString().toStdString();
    m_folders.Restore(choices);
    m_folders.changed = [this](const FolderChoices& kept) {
        m_settings->setValue(kEdsFolderKey, QString::fromStdString(kept.eds));
        m_settings->setValue(kParameterFolderKey, QString::fromStdString(kept.parameterFiles));
        m_settings->setValue(kTranscriptFolderKey, QString::fromStdString(kept.transcripts));
    };
}

void MainWindow::ShowEdsWritten(const std::string& path) {
    m_c.CommunicationState->setToolTip(QStringLiteral("EDS file: ") + QString::fromStdString(path));
}

}  // namespace tavrin
