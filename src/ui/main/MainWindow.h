// Main_F, "General Setting": the program's home window. It owns the console port, lets the user
// pick the PC's COM port and connect (which reads the gateway's configuration), shows the
// gateway's pictures, firmware and status, carries the CAN and COM parameter panels, and is where
// the user goes on to the application object editor.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "appobj/views/ObjectViews.h"
#include "assembly/AssemblyDerivation.h"
#include "console/ConsoleSession.h"
#include "console/PortChoice.h"
#include "console/PortDiagnosis.h"
#include "console/PortPicker.h"
#include "console/ReadBack.h"
#include "console/ReadSequence.h"
#include "console/TranscriptTee.h"
#include "console/WriteSequence.h"
#include "eds/ConnectionSelections.h"
#include "eds/FinishJob.h"
#include "offline/ConfigurationFile.h"
#include "rules/ConsoleSettings.h"
#include "rules/FileFolders.h"
#include "ui/main/FileDialogs.h"
#include "ui/main/MainControls.h"
#include "ui/main/ParameterPanels.h"
#include "ui/main/QuillonKeys.h"

class QSettings;

namespace tavrin {

class AboutWindow;
class AppObjectEditor;
class ConsoleSettingsDialog;
class TranscriptWindow;
class ConnectionWizard;

// What the window works with, handed in so tests can swap the port, clock and message boxes.
struct MainServices {
    ConfigImage& image;
    AssemblyTables& assemblies;
    ConnectionSelections& selections;
    SerialPort& port;
    Clock& clock;
    EventPump& pump;
    MessageBoxes& boxes;
    FileDialogs& dialogs;
    EnvLookup env = ProcessEnv;
    // The program's folder: Finish writes the EDS file there and the parameter file dialogs start
    // there. Empty means the folder of the program's executable.
    std::string programFolder;
    // The system's serial ports, listed after "COM 16"; none listed without it.
    PortLister* ports = nullptr;
    // Where the window keeps what it remembers for the user (the last port that connected);
    // nothing is remembered without it.
    QSettings* settings = nullptr;
    // Asks for the device path of "Other port..."; nothing when the user cancelled. Without it a
    // plain input dialog asks.
    std::function<std::optional<std::string>()> askDevicePath = nullptr;
    // Tells why a port would not open (its group, who holds it, which ports there are), added to
    // the "Can't open" and "occupied" boxes; without it they say only that.
    PortSystem* portSystem = nullptr;
    // A second transcript beside the window's, as `tavrin --log FILE` gives.
    ConsoleTranscript* log = nullptr;
    // Where files go when the program's folder may not be written: the user's documents folder.
    // Empty means the desktop's documents folder.
    std::string documentsFolder{};
    // The file system the folder rules ask; the machine's own without it.
    FolderAccess* folderAccess = nullptr;
    // Asks for the EDS file's folder (the wizard's "Change..."), starting in the one given;
    // nothing when the user cancelled. Without it a folder dialog asks.
    std::function<std::optional<std::string>(const std::string&)> askFolder = nullptr;
};

// The user's documents folder: `given` when it is not empty, else the desktop's.
std::string DocumentsFolder(const std::string& given);

// How often the idle window reads the system's ports again.
inline constexpr int kPortRefreshInterval = 2000;  // ms

class MainWindow final : public QMainWindow, public ReadView, public WriteView {
    Q_OBJECT
public:
    explicit MainWindow(MainServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    const MainControls& Controls() const { return m_c; }
    // The application object editor while it is loaded, else nullptr.
    AppObjectEditor* Editor() const;
    // The connection wizard while it is open, else nullptr.
    ConnectionWizard* Wizard() const;
    ObjectViews& Views() { return m_views; }
    ParameterPanels& Panels() { return m_panels; }
    bool Connected() const { return m_connected; }
    // What the last Connect click ended with; empty before the first.
    std::optional<ReadOutcome> LastReadOutcome() const { return m_lastOutcome; }
    // The pace and answer window of the console sequences this window and its wizard run, from
    // the next sequence on. The caller has checked it (ConsoleTimingRefusal).
    void SetConsoleTiming(const ConsoleTiming& timing) {
        m_session.timing = timing;
        m_consoleSettings.timing = timing;
    }
    const ConsoleTiming& ConsoleTimingInUse() const { return m_session.timing; }
    // The console the window's jobs run on; Busy is set while one runs.
    ConsoleSession& Session() { return m_session; }
    const ConsoleSession& Session() const { return m_session; }

    void ConnectClick();
    void NextClick();
    void AboutClick();
    // Console menu: the transcript window, recording since the window opened.
    void TranscriptClick();
    TranscriptWindow& Transcript() { return *m_transcript; }
    // Console menu: the "Console settings" dialog; OK applies and keeps its settings for the
    // user. The dialog while it is open, else nullptr.
    void ConsoleSettingsClick();
    ConsoleSettingsDialog* SettingsDialog() const;
    // Where the EDS file and the file dialogs go, with the user's choices.
    FileFolders& Folders() { return m_folders; }
    // The settings the dialog last accepted, or those kept from an earlier session. Their
    // timing is the one in use; whether writes are verified is for the write sequences.
    const ConsoleSettings& ConsoleSettingsInUse() const { return m_consoleSettings; }
    // File menu: save the words of the last connect to a parameter file, or write a parameter
    // file into the gateway.
    void ImportToINIClick();
    void ExportToEEPClick();
    // File menu: the difference between the gateway as read at Connect and a parameter file, in
    // a table (field, gateway, file). Nothing is written.
    void CompareWithFileClick();
    // The window of the last Compare with file while it is open, else nullptr.
    QWidget* CompareWindow() const;

    // File menu, without a gateway: the defaults the window loads ("New configuration"), or a
    // parameter file or configuration file decoded as a Connect decodes a gateway ("Open
    // configuration..."). The window then works as after a Connect, but only a gateway can be
    // written: Finish saves the configuration to a file and writes the EDS file.
    void NewConfigurationClick();
    void OpenConfigurationClick();
    // Whether the window shows a configuration without a gateway, and from which file (empty for
    // a new one).
    bool Offline() const { return m_offline.has_value(); }
    std::string OfflinePath() const { return m_offline ? m_offline->path : std::string(); }

    // Whether every write of this window (Finish, Export To EEP) is read back and compared with
    // what was typed. On by default.
    void SetVerifyWrites(bool on) { m_consoleSettings.verifyWrites = on; }
    bool VerifyWrites() const { return m_consoleSettings.verifyWrites; }
    // How the last read-back ended; empty before the first, or while verification is off.
    std::optional<ReadBackOutcome> LastVerifyOutcome() const { return m_lastVerify; }
    // After a console sequence of this window: port closed, port list, Connect and Exit Program
    // usable again, Busy cleared, progress bar hidden.
    void ReleaseConsole();
    // The unconnected look: pictures, toggles and panel contents hidden.
    void ResetPanels();
    // Reads the system's ports again, as the list does when it drops down and the window every
    // two seconds while idle; does nothing while a console sequence runs. A chosen adapter that
    // has gone leaves nothing chosen and says so on the status line.
    void RefreshPorts();

    // ReadView and WriteView.
    void ConnectPressed() override;
    void ShowReadingLook() override;
    void SetStatus(const std::string& text) override;
    // A sequence's message, in a message box over the window as it stands.
    void Tell(const Notice& notice) override;
    void SetProgress(int value) override;
    void ConsoleReleased() override;
    void ShowConnectedLook(ModuleKind kind, const std::string& firmwareText) override;
    void EnableFileCommands() override;
    void OpenCanPanel() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Load();
    void SetControlsEnabled(bool enabled);
    void ReleaseTables();
    void EditorUnloaded();
    void EditorNext();
    void WizardClosed(bool finished);
    PortChoice ChosenPort() const;
    // Ports: the list shown from the picker, the choice taken from the list, "Other port...".
    void ShowPortList();
    void ShowWholePortLabels();
    void TakePortChoice();
    void PortActivated(int entry);
    bool AskOtherPort();
    std::string RememberedPort() const;
    void RememberConnectedPort();
    void RestoreTypedPorts();
    // After "Can't open": a typed path that never connected does not stay listed.
    void ForgetUnopenedPort();
    void LoadConsoleSettings();
    void ApplyConsoleSettings(const ConsoleSettings& settings);
    std::vector<std::string> OpenAdvice(PortSystem& os, OpenStatus status,
                                        const std::string& device);
    std::string ProgramFolder() const;
    FileDialogRequest ParameterFileRequest(const char* title);
    // The folder choices kept for the user, and keeping them when they change.
    void LoadFolderChoices();
    // After Finish: the status line's tooltip names the EDS file written.
    void ShowEdsWritten(const std::string& path);
    // A configuration without a gateway: where it came from and what the EDS file needs of it.
    struct OfflineSource {
        std::string path;  // empty for a new configuration
        ConfigurationKind kind = ConfigurationKind::ParameterFile;
        std::optional<FirmwareRevision> revision;
        std::string description;
        std::string author;
    };
    void ShowOffline(OpenedConfiguration opened, const std::string& path);
    bool FinishOffline(const FinishChoices& choices, const std::string& revisionText,
                       const std::string& edsFolder);
    void ShowSource();
    std::string OfferedRevision() const;
    void RememberRevision();
    // Export To EEP, before the write: when the gateway's words are known, the difference
    // between them and the file in the "Compare with file" window and the question whether to
    // write; false when the user said No.
    bool AgreedToExport(const ConfigWords& file, const std::string& path);
    void ShowWritingLook();

    void EndWritingLook();
    // After a completed write: the read-back, when on, as its own read dialogue; "Verified" on
    // the status line, or one box listing the words that differ, or one saying that the write
    // finished but could not be checked. False when the gateway is not proven to hold the words.
    bool VerifyWritten(const WrittenWords& written);
    // After a write of this window that is not read back (it failed, or Finish could not write
    // its EDS file): unless the port never opened, the gateway may no longer hold the words as
    // read.
    void WriteNotReadBack(WriteOutcome outcome);
    // The port writes go to: the one the configuration was read from. Nothing when the port list
    // shows another, after telling the user so.
    std::optional<PortChoice> WriteTarget();
    // Import To ini file and Compare with file use the words as read only while the gateway is
    // known to hold them; otherwise the user is asked to connect first.
    bool ReadWordsHeld();

    ConfigImage& m_image;
    AssemblyTables& m_assemblies;
    ConnectionSelections& m_selections;
    MessageBoxes& m_boxes;
    FileDialogs& m_dialogs;
    EnvLookup m_env;
    std::string m_programFolder;
    SystemFolders m_systemFolders;
    FileFolders m_folders;
    std::function<std::optional<std::string>(const std::string&)> m_askFolder;
    ConsoleSession m_session;
    MainControls m_c;
    ParameterPanels m_panels;
    PortLister* m_lister;
    PortPicker m_ports;
    QSettings* m_settings;
    std::function<std::optional<std::string>()> m_askDevicePath;
    QTimer m_portTimer;
    bool m_connected = false;
    std::optional<ReadOutcome> m_lastOutcome;
    // The port of the last successful Connect: what the panels describe, where writes go.
    std::optional<PortChoice> m_readPort;
    // Whether the gateway holds the words as read: after a Connect, and after a write only when
    // it was read back whole (the words read back then become the words as read).
    bool m_readWordsHeld = false;
    QPointer<AboutWindow> m_about;
    std::unique_ptr<TranscriptWindow> m_transcript;
    TranscriptTee m_tee;
    ConsoleSettings m_consoleSettings;
    QPointer<ConsoleSettingsDialog> m_settingsDialog;
    ObjectViews m_views;
    QPointer<AppObjectEditor> m_editor;
    QPointer<ConnectionWizard> m_wizard;
    // INI1, the INI control through which the parameter files are read and written.
    QuillonKeys m_ini;
    std::optional<ReadBackOutcome> m_lastVerify;
    QPointer<QWidget> m_compare;
    std::optional<OfflineSource> m_offline;
};

}  // namespace tavrin
