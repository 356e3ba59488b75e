// XQVEdsSet, "XQVEDS": the last page of a configuration job. For each DeviceNet I/O connection
// (Poll, Bit-Strobe, COS/Cyclic) the user chooses what the gateway produces and, for Poll, what it
// consumes; gives a description and an author for the EDS file; and presses Finish, which stores
// the configuration into the gateway and writes the EDS file.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "appobj/views/ObjectViews.h"
#include "assembly/AssemblyDerivation.h"
#include "common/MessageBoxes.h"
#include "console/ConsoleSession.h"
#include "console/ReadBack.h"
#include "console/WriteSequence.h"
#include "eds/ConnectionSelections.h"
#include "eds/FinishJob.h"
#include "eds/WizardStart.h"
#include "eds/ui/ConnectionWizardControls.h"
#include "rules/FileFolders.h"

namespace tavrin {

// What the wizard works with: the shared configuration and the main window's console.
struct WizardServices {
    ConfigImage& image;
    AssemblyTables& assemblies;
    ConnectionSelections& selections;
    MessageBoxes& boxes;
    ObjectViews& views;
    ConsoleSession& session;
    std::function<PortChoice()> currentPort;  // the port chosen in the main window
    WriteView& status;                        // the main window's status line
    FileFolders& folders;                     // where the EDS file goes, kept for the user
    // After a store that was not refused, before the wizard closes: the words typed, how the
    // Finish and its console write ended; for the read-back and for what the main window holds
    // as read.
    std::function<void(const WrittenWords&, FinishOutcome, WriteOutcome)> written;
    // After the EDS file was written: its path, for the main window to show.
    std::function<void(const std::string&)> edsWritten = nullptr;
    // Asks for a folder, starting in the one given; nothing when the user cancelled. Without it a
    // folder dialog asks.
    std::function<std::optional<std::string>(const std::string&)> askFolder = nullptr;
    // The port the configuration was read from, the only one Finish writes to; empty: none yet.
    std::optional<PortChoice> readPort = std::nullopt;
    // Without a gateway (a configuration from a file, or a new one) Finish stores nothing: it
    // hands the choices and the text of the FirmwareRevision field to this, which saves the
    // configuration and writes the EDS file, and says whether it did. The field, shown only
    // then, starts with `revisionText`.
    std::function<bool(const FinishChoices&, const std::string&)> finishOffline = nullptr;
    std::string revisionText{};
};

class ConnectionWizard final : public QWidget {
    Q_OBJECT
public:
    explicit ConnectionWizard(WizardServices services, QWidget* parent = nullptr);

    const ConnectionWizardControls& Controls() const { return m_c; }
    bool Finished() const { return m_finished; }
    std::optional<FinishOutcome> LastFinishOutcome() const { return m_lastOutcome; }

    // A choice in IntPut(list) or OutPut(list), by the user or by the program.
    void InputChosen(int list, int position);
    void OutputChosen(int list, int position);
    void BackClick();
    void FinishClick();
    // EdsFolderChange: another folder for the EDS file, kept for the user.
    void EdsFolderChangeClick();
    // Release after a failed Finish: port closed, Busy cleared, Back and Finish usable again.
    void ProcessError();

signals:
    // The wizard went away: after a Finish (`finished`) or back to the editor.
    void Closed(bool finished);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Load();
    void ShowStart(const WizardStart& start);
    void ShowInput(int list, int position);
    void SetNavigationEnabled(bool enabled);
    void ShowEdsFolder();
    FinishChoices Choices() const;
    void FinishOffline();

    WizardServices m_s;
    ConnectionWizardControls m_c;
    bool m_finished = false;
    bool m_storing = false;
    // The Bit-Strobe entry last accepted; a choice that is too long goes back to it.
    int m_strobeAccepted = 0;
    std::optional<FinishOutcome> m_lastOutcome;
};

}  // namespace tavrin
