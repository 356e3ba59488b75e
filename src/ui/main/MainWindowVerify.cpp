// The main window's proof of its writes and its comparison with a parameter file. The read-back
// runs after the write's own dialogue has ended, as a read dialogue of its own, and leaves the
// window as the write left it: only the status line or a box tells how it went.
#include <QAction>

#include "console/ConsoleMessages.h"
#include "rules/ParameterFileJobs.h"
#include "ui/main/CompareWindow.h"
#include "ui/main/MainWindow.h"
#include "widgets/WindowPlacement.h"

namespace tavrin {

bool MainWindow::VerifyWritten(const WrittenWords& written) {
    if (!VerifyWrites()) {
        m_lastVerify.reset();
        return true;
    }
    ReadBackResult result;
    {
        // Nothing else may start from the windows while the words are read back.
        const ConsoleBusy busy(m_session);
        SilentReadView quiet;
        result = ReadBackWritten(m_session, ChosenPort(), written, quiet);
    }
    m_lastVerify = result.outcome;
    switch (result.outcome) {
        case ReadBackOutcome::Verified:
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
    if (m_session.Busy || !m_connected) {
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
