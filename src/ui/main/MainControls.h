// The controls of the main window "General Setting", named as the window's design names them.
// BuildMainControls creates them with their captions and list texts and lays them out; MainWindow
// and ParameterPanels give them their behaviour.
#pragma once

#include <array>

#include "ui/main/PortComboBox.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace tavrin {

class ChannelToggle;

struct MainControls {
    // Connection: port list, Connect, status and firmware.
    QGroupBox* CommunicationRegion = nullptr;
    QLabel* Label3 = nullptr;
    PortComboBox* ComPort = nullptr;
    QPushButton* Connect = nullptr;
    QPushButton* CreateMBDevice = nullptr;     // "Next"
    QPushButton* ExitProgramButton = nullptr;  // "Exit Program"
    QProgressBar* ConnectProgress = nullptr;
    QLabel* State = nullptr;
    QLineEdit* CommunicationState = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* FirmwareVer = nullptr;
    // What the window shows: a gateway (on which port) or a configuration file (which one).
    QLabel* ConfigurationSourceLabel = nullptr;
    QLineEdit* ConfigurationSource = nullptr;

    // The gateway picture with its two channels: 0 CAN, 1 COM (RS-485).
    QGroupBox* Frame2 = nullptr;
    QLabel* ModulesImage = nullptr;
    std::array<QLabel*, 2> Image6420{};  // by module kind
    std::array<QLabel*, 2> ComImage{};
    std::array<ChannelToggle*, 2> ComButton{};
    std::array<QLabel*, 2> ComCaption{};
    std::array<QLabel*, 2> MousePoint{};

    // CAN side.
    QGroupBox* ParaSetting = nullptr;
    std::array<QLabel*, 2> ParaSettingC0{};
    QComboBox* CANBaudrate = nullptr;
    QLineEdit* CANNodeId = nullptr;
    QGroupBox* ApplicationLayerFrame = nullptr;
    std::array<QRadioButton*, 2> ApplicationSelect{};  // 0 CANopen, 1 DeviceNet
    QPushButton* SettingCANParameter = nullptr;
    QGroupBox* ParaView = nullptr;
    std::array<QLabel*, 3> ViewerC0{};
    std::array<QLineEdit*, 3> ViewerText{};  // layer, bit rate, node id

    // COM side. ComSetting 0..3 and 8 label the setting frame, 4..7 and 9 the viewer.
    QGroupBox* ComParaSetting = nullptr;
    std::array<QLabel*, 10> ComSetting{};
    QComboBox* ComBr = nullptr;
    QComboBox* ComDb = nullptr;
    QComboBox* ComPb = nullptr;
    QComboBox* ComSb = nullptr;
    QLineEdit* ComTimeout = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* SettingCOMParameter = nullptr;
    QGroupBox* COMParaView = nullptr;
    std::array<QLineEdit*, 5> COMViewerText{};  // baud, data bits, parity, stop bits, timeout

    // Menus.
    // File menu without a gateway: the defaults, or a parameter file or configuration file.
    QAction* NewConfiguration = nullptr;
    QAction* OpenConfiguration = nullptr;
    QAction* ImportToINI = nullptr;
    QAction* ExportToEEP = nullptr;
    QAction* CompareWithFile = nullptr;
    QAction* ExitProgram = nullptr;
    QAction* About_ = nullptr;
    // Console menu: pacing, answer window and verifying; the transcript window.
    QAction* ConsoleSettings = nullptr;
    QAction* ConsoleTranscript = nullptr;
};

MainControls BuildMainControls(QMainWindow& window);

}  // namespace tavrin
