// Main_F, "General Setting": the program's home window. It owns the console port, lets the user
// pick the PC's COM port and connect (which reads the gateway's configuration), shows the
// gateway's pictures, firmware and status, carries the CAN and COM parameter panels, and is where
// the user goes on to the application object editor.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>

#include "appobj/views/ObjectViews.h"
#include "assembly/AssemblyDerivation.h"
#include "console/ConsoleSession.h"
#include "console/PortChoice.h"
#include "console/ReadBack.h"
#include "console/ReadSequence.h"
#include "console/WriteSequence.h"
#include "eds/ConnectionSelections.h"
#include "ui/main/FileDialogs.h"
#include "ui/main/MainControls.h"
#include "ui/main/ParameterPanels.h"
#include "ui/main/QuillonKeys.h"

namespace tavrin {

class AboutForm;
class IOAppOForm;
class XQVEdsSetForm;

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
};

class MainForm final : public QMainWindow, public ReadView, public WriteView {
    Q_OBJECT
public:
    explicit MainForm(MainServices services, QWidget* parent = nullptr);
    ~MainForm() override;

    const MainControls& Controls() const { return m_c; }
    // The application object editor while it is loaded, else nullptr.
    IOAppOForm* Editor() const;
    // The connection wizard while it is open, else nullptr.
    XQVEdsSetForm* Wizard() const;
    ObjectViews& Views() { return m_views; }
    ParameterPanels& Panels() { return m_panels; }
    bool Connected() const { return m_connected; }
    // What the last Connect click ended with; empty before the first.
    std::optional<ReadOutcome> LastReadOutcome() const { return m_lastOutcome; }

    void ConnectClick();
    void NextClick();
    void AboutClick();
    // File menu: save the words of the last connect to a parameter file, or write a parameter
    // file into the gateway.
    void ImportToINIClick();
    void ExportToEEPClick();
    // File menu: the difference between the gateway as read at Connect and a parameter file, in
    // a table (field, gateway, file). Nothing is written.
    void CompareWithFileClick();
    // The window of the last Compare with file while it is open, else nullptr.
    QWidget* CompareWindow() const;

    // Whether every write of this window (Finish, Export To EEP) is read back and compared with
    // what was typed. On by default.
    void SetVerifyWrites(bool on) { m_verifyWrites = on; }
    bool VerifyWrites() const { return m_verifyWrites; }
    // How the last read-back ended; empty before the first, or while verification is off.
    std::optional<ReadBackOutcome> LastVerifyOutcome() const { return m_lastVerify; }
    // After a console sequence of this window: port closed, port list, Connect and Exit Program
    // usable again, Busy cleared, progress bar hidden.
    void ReleaseConsole();
    // The unconnected look: pictures, toggles and panel contents hidden.
    void ResetPanels();

    // ReadView and WriteView.
    void ConnectPressed() override;
    void ShowReadingLook() override;
    void SetStatus(const std::string& text) override;
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
    std::string ProgramFolder() const;
    FileDialogRequest ParameterFileRequest(const char* title) const;
    void ShowWritingLook();
    void EndWritingLook();
    // After a completed write: the read-back, when on, as its own read dialogue; "Verified" on
    // the status line, or one box listing the words that differ, or one saying that the write
    // finished but could not be checked. False when the gateway is not proven to hold the words.
    bool VerifyWritten(const WrittenWords& written);

    ConfigImage& m_image;
    AssemblyTables& m_assemblies;
    ConnectionSelections& m_selections;
    MessageBoxes& m_boxes;
    FileDialogs& m_dialogs;
    EnvLookup m_env;
    std::string m_programFolder;
    ConsoleSession m_session;
    MainControls m_c;
    ParameterPanels m_panels;
    // Port list entry n-1 opens COM n.
    std::array<int, kPortCount> PortTable{};
    bool m_connected = false;
    std::optional<ReadOutcome> m_lastOutcome;
    QPointer<AboutForm> m_about;
    ObjectViews m_views;
    QPointer<IOAppOForm> m_editor;
    QPointer<XQVEdsSetForm> m_wizard;
    // INI1, the INI control through which the parameter files are read and written.
    QuillonKeys m_ini;
    bool m_verifyWrites = true;
    std::optional<ReadBackOutcome> m_lastVerify;
    QPointer<QWidget> m_compare;
};

}  // namespace tavrin
