// The main window's proof of its writes and its comparison with a parameter file. The read-back
// runs after the write's own dialogue has ended, as a read dialogue of its own, and leaves the
// window as the write left it: only the status line or a box tells how it went.
#include <QAction>

#include "console/ConsoleMessages.h"
#include "console/WriteTarget.h"
#include "rules/ParameterFileJobs.h"
#include "ui/main/CompareWindow.h"
#include "ui/main/MainMessages.h"
#include "ui/main/MainWindow.h"
#include "widgets/WindowPlacement.h"

namespace tavrin {

std::optional<PortChoice> MainWindow::WriteTarget() {
    const PortChoice listed = ChosenPort();
    const PortChoice port = m_readPort.value_or(listed);
    if (const std::optional<std::string> refusal = WriteTargetRefusal(port, listed)) {
        m_boxes.Show(*refusal, msg::kWarning);
        return std::nullopt;
    }
    return port;
}

void MainWindow::WriteNotReadBack(WriteOutcome outcome) {
    // A port that never opened had nothing typed into it.
    if (outcome != WriteOutcome::CannotOpen && outcome != WriteOutcome::Occupied) {
        m_readWordsHeld = false;
    }
}

bool MainWindow::ReadWordsHeld() {
    if (!m_readWordsHeld) {
        m_boxes.Show(msg::kConnectAfterWrite, msg::kError);
    }
    return m_readWordsHeld;
}

bool MainWindow::VerifyWritten(const WrittenWords& written) {
    // Unchecked, the gateway holds what was typed as far as anyone knows; the words as read are
    // not what it holds, and what it holds was not read.
    m_readWordsHeld = false;
    if (!VerifyWrites()) {
        m_lastVerify.reset();
        return true;
    }
    ReadBackResult result;
    {
        // Nothing else may start from the windows while the words are read back.
        const ConsoleBusy busy(m_session);
        SilentReadView quiet;
        result = ReadBackWritten(m_session, m_readPort.value_or(ChosenPort()), written, quiet);
    }
    m_lastVerify = result.outcome;
    switch (result.outcome) {
        case ReadBackOutcome::Verified:
            // What the gateway holds now is what was just read back: backups and comparisons
            // from here on are of it.
            m_image.words.ReadBlock0Words = result.held.block0;
            m_image.words.ReadBlock1Words = result.held.block1;
            m_readWordsHeld = true;
            SetStatus(kVerified);
            return true;
        case ReadBackOutcome::Mismatch:
            m_boxes.Show(MismatchText(result.mismatches), msg::kError);
            return false;
        case ReadBackOutcome::NotChecked:
            break;
    }
    m_boxes.Show(NotCheckedText(result.readFailure), msg::kError);
    return false;
}

QWidget* MainWindow::CompareWindow() const {
    return m_compare;
}

void MainWindow::CompareWithFileClick() {
    if (m_session.Busy || !m_connected || !ReadWordsHeld()) {
        return;
    }
    const std::optional<std::string> path =
        m_dialogs.AskOpenName(ParameterFileRequest(kCompareFileTitle));
    if (!path || path->empty()) {
        return;
    }
    m_folders.Used(FileKind::ParameterFile, *path);
    // The file is loaded into a scratch image: the window's own tables stay as read.
    WordImages loaded;
    if (const std::optional<std::string> refusal = LoadParameterFile(m_ini, *path, loaded)) {
        m_boxes.Show(*refusal, msg::kError);
        return;
    }
    const ConfigWords file = loaded.FromFile();
    if (m_compare) {
        m_compare->close();
    }
    m_compare = NewCompareWindow(DifferenceOf(m_image.words.AsRead(), file), *path, this);
    PlaceOnParentsScreen(*m_compare, *this);
    m_compare->show();
}

}  // namespace tavrin
