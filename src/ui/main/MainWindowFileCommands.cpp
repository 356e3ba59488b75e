// The main window's File menu: parameter files. Both commands end silently when the user cancels
// the dialog; a load that meets a missing or bad key ends silently too, with nothing written.
#include <QAction>
#include <QComboBox>
#include <QPushButton>

#include "console/ConsoleMessages.h"
#include "rules/ExportQuestion.h"
#include "rules/PanelMessages.h"
#include "rules/ParameterFileJobs.h"
#include "ui/main/CompareWindow.h"
#include "ui/main/MainWindow.h"
#include "widgets/WindowPlacement.h"

namespace tavrin {

FileDialogRequest MainWindow::ParameterFileRequest(const char* title) {
    return {title, kParameterFileFilter, m_folders.DialogFolder(FileKind::ParameterFile),
            kDefaultParameterFileName};
}

void MainWindow::ImportToINIClick() {
    // While a console sequence runs the read tables are being refilled.
    if (m_session.Busy || !ReadWordsHeld()) {
        return;
    }
    const std::optional<std::string> path =
        m_dialogs.AskSaveName(ParameterFileRequest(kSaveParameterFileTitle));
    if (!path || path->empty()) {
        return;
    }
    m_folders.Used(FileKind::ParameterFile, *path);
    // A file that cannot be written says why; the control itself would not.
    int error = FileWriteCheck(m_folders.Access(), *path);
    if (error == 0 && BackUpParameterFile(m_ini, *path, m_image.words)) {
        return;
    }
    if (error == 0) {
        error = FileWriteCheck(m_folders.Access(), *path);
    }
    m_boxes.Show(CantWriteParameterFile(*path, error), msg::kError);
}

void MainWindow::ExportToEEPClick() {
    // Only a gateway can be written; a configuration from a file has none.
    if (m_session.Busy || m_offline) {
        return;
    }
    const std::optional<PortChoice> port = WriteTarget();
    if (!port) {
        return;
    }
    const std::optional<std::string> path =
        m_dialogs.AskOpenName(ParameterFileRequest(kLoadParameterFileTitle));
    if (!path || path->empty()) {
        return;
    }
    m_folders.Used(FileKind::ParameterFile, *path);
    // A file that does not load whole ends here, with nothing written. It is loaded beside the
    // window's tables until the user has agreed to write it.
    WordImages loaded = m_image.words;
    if (LoadParameterFile(m_ini, *path, loaded)) {
        return;
    }
    if (!AgreedToExport(loaded.FromFile(), *path)) {
        return;
    }
    m_image.words = loaded;

    ConsoleBusy busy(m_session);
    const RestoreWords words = PrepareRestore(m_image);
    ShowWritingLook();
    const WriteOutcome outcome =
        WriteConfiguration(m_session, *port, words.words, words.block0Count, *this);
    if (outcome != WriteOutcome::Completed) {
        WriteNotReadBack(outcome);
        ReleaseConsole();
        EndWritingLook();
        return;
    }
    busy.End();
    const bool proven = VerifyWritten({words.words.block0, words.block0Count, words.words.block1});
    EndWritingLook();
    // The gateway now holds the file's configuration, not the one on screen: the job is done and
    // the window offers to end the program. A gateway that does not hold it is not done.
    if (proven) {
        close();
    }
}

bool MainWindow::AgreedToExport(const ConfigWords& file, const std::string& path) {
    // With no Connect, or a write since that was not read back, what the gateway holds is not
    // known: the write runs unasked, as it always did.
    if (!m_connected || !m_readWordsHeld) {
        return true;
    }
    const ExportQuestion question = AskBeforeExport(m_image.words.AsRead(), file, path);
    if (m_compare) {
        m_compare->close();
    }
    if (!question.Equal()) {
        m_compare = NewCompareWindow(question.differences, path, this);
        PlaceOnParentsScreen(*m_compare, *this);
        m_compare->show();
    }
    const bool yes = m_boxes.Show(question.text, kExportTitle, question.buttons,
                                  BoxIcon::Question) == BoxAnswer::Yes;
    // Once written, the table no longer describes the gateway.
    if (yes && m_compare) {
        m_compare->close();
    }
    return yes;
}

// While the words are typed into the gateway nothing else may start from this window.
void MainWindow::ShowWritingLook() {
    SetControlsEnabled(false);
    m_c.ImportToINI->setEnabled(false);
    m_c.ExportToEEP->setEnabled(false);
    m_c.CompareWithFile->setEnabled(false);
}

// Next and saving stay as a failed read left them: both need a gateway read whole.
void MainWindow::EndWritingLook() {
    SetControlsEnabled(true);
    m_c.CreateMBDevice->setEnabled(m_connected);
    m_c.ImportToINI->setEnabled(m_connected);
    m_c.ExportToEEP->setEnabled(true);
    m_c.CompareWithFile->setEnabled(m_connected);
}

}  // namespace tavrin
