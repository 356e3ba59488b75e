#include "ui/main/MainControls.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/ControlNames.h"

#include "config/ModuleKind.h"
#include "console/ReadSequence.h"
#include "ui/main/Artwork.h"
#include "ui/main/ChannelToggle.h"
#include "ui/main/PortComboBox.h"

namespace tavrin {
namespace {

// Width of the parameter column, in device-independent pixels, so the window keeps its shape
// while panels come and go.
constexpr int kPanelColumnWidth = 360;

QLabel* NewLabel(const char* name, const char* caption) {
    return Named(new QLabel(QString::fromLatin1(caption)), name);
}

QLabel* NewIndexedLabel(const char* name, int index, const char* caption) {
    auto* label = new QLabel(QString::fromLatin1(caption));
    label->setObjectName(Indexed(name, index));
    return label;
}

QLineEdit* NewReadOnlyText(QString name) {
    auto* text = new QLineEdit;
    text->setObjectName(name);
    text->setReadOnly(true);
    return text;
}

QLabel* NewPicture(QString name, const QPixmap& picture) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setPixmap(picture);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void BuildCommunication(MainControls& c) {
    c.CommunicationRegion =
        Named(new QGroupBox(QStringLiteral("Communication")), "CommunicationRegion");
    c.Label3 = NewLabel("Label3", "PC COM Port");
    c.ComPort = Named(new PortComboBox, "ComPort");
    // Adapter labels are long; the box grows with the longest.
    c.ComPort->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    c.Connect = Named(new QPushButton(QStringLiteral("Connect")), "Connect");
    c.ConnectProgress = Named(new QProgressBar, "ConnectProgress");
    c.ConnectProgress->setRange(0, kProgressMax);
    c.ConnectProgress->setTextVisible(false);
    c.State = NewLabel("State", "Status");
    c.CommunicationState = NewReadOnlyText(QStringLiteral("CommunicationState"));
    c.Label4 = NewLabel("Label4", "Firmware Version");
    c.FirmwareVer = NewReadOnlyText(QStringLiteral("FirmwareVer"));
    c.ConfigurationSourceLabel = NewLabel("ConfigurationSourceLabel", "Showing");
    c.ConfigurationSource = NewReadOnlyText(QStringLiteral("ConfigurationSource"));

    auto* grid = new QGridLayout(c.CommunicationRegion);
    grid->addWidget(c.Label3, 0, 0);
    grid->addWidget(c.ComPort, 0, 1);
    grid->addWidget(c.Connect, 0, 2);
    grid->addWidget(c.State, 1, 0);
    grid->addWidget(c.CommunicationState, 1, 1, 1, 2);
    grid->addWidget(c.Label4, 2, 0);
    grid->addWidget(c.FirmwareVer, 2, 1, 1, 2);
    grid->addWidget(c.ConnectProgress, 3, 0, 1, 3);
    grid->addWidget(c.ConfigurationSourceLabel, 4, 0);
    grid->addWidget(c.ConfigurationSource, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    // The progress bar comes and goes; keep its row so the frame does not jump.
    grid->setRowMinimumHeight(3, c.ConnectProgress->sizeHint().height());
}

void BuildPictures(MainControls& c, qreal dpr) {
    c.Frame2 = Named(new QGroupBox(QStringLiteral("6420x series Situation")), "Frame2");
    c.ModulesImage = NewPicture(QStringLiteral("ModulesImage"), GatewayPicture(dpr));
    for (int kind = 0; kind < 2; ++kind) {
        c.Image6420[kind] = NewPicture(Indexed("Image6420", kind),
                                       ControllerPicture(static_cast<ModuleKind>(kind), dpr));
    }
    const char* captions[2] = {"CAN Bus", "RS-485"};
    const char* pointers[2] = {"CAN Channel", "COM2"};
    for (int channel = 0; channel < 2; ++channel) {
        c.ComImage[channel] =
            NewPicture(Indexed("ComImage", channel), ChannelPicture(channel, dpr));
        c.ComButton[channel] = new ChannelToggle;
        c.ComButton[channel]->setObjectName(Indexed("ComButton", channel));
        c.ComButton[channel]->setIcon(QIcon(ChannelPicture(channel, dpr)));
        c.ComButton[channel]->setIconSize(kChannelPictureSize);
        c.ComCaption[channel] = NewIndexedLabel("ComCaption", channel, captions[channel]);
        c.MousePoint[channel] = NewIndexedLabel("MousePoint", channel, pointers[channel]);
        c.ComCaption[channel]->setAlignment(Qt::AlignCenter);
        c.MousePoint[channel]->setAlignment(Qt::AlignCenter);
    }

    auto* grid = new QGridLayout(c.Frame2);
    grid->addWidget(c.ModulesImage, 0, 0, 1, 2);
    // Only the picture of the module found is shown; both share one place.
    grid->addWidget(c.Image6420[0], 1, 0, 1, 2);
    grid->addWidget(c.Image6420[1], 1, 0, 1, 2);
    for (int channel = 0; channel < 2; ++channel) {
        grid->addWidget(c.ComCaption[channel], 2, channel);
        grid->addWidget(c.ComImage[channel], 3, channel);
        grid->addWidget(c.ComButton[channel], 4, channel, Qt::AlignHCenter);
        grid->addWidget(c.MousePoint[channel], 5, channel);
    }
    // The frame keeps its size while the pictures are hidden before a connect.
    c.Frame2->setMinimumSize(grid->sizeHint());
}

QComboBox* NewList(const char* name) {
    auto* list = Named(new QComboBox, name);
    // Monospaced so the padded entries right-align their numbers as intended.
    QFont font = list->font();
    font.setFamily(QStringLiteral("monospace"));
    font.setStyleHint(QFont::Monospace);
    list->setFont(font);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

void BuildCanPanels(MainControls& c) {
    c.ParaSetting = Named(new QGroupBox(QStringLiteral("CAN Parameters Setting")), "ParaSetting");
    c.ParaSettingC0[0] = NewIndexedLabel("ParaSettingC0", 0, "Baud rate");
    c.ParaSettingC0[1] = NewIndexedLabel("ParaSettingC0", 1, "Node ID");
    c.CANBaudrate = NewList("CANBaudrate");
    c.CANNodeId = Named(new QLineEdit, "CANNodeId");
    c.ApplicationLayerFrame =
        Named(new QGroupBox(QStringLiteral("Application Layer")), "ApplicationLayerFrame");
    const char* layers[2] = {"CANopen", "DeviceNet"};
    auto* layerRow = new QHBoxLayout(c.ApplicationLayerFrame);
    for (int k = 0; k < 2; ++k) {
        c.ApplicationSelect[k] = new QRadioButton(QString::fromLatin1(layers[k]));
        c.ApplicationSelect[k]->setObjectName(Indexed("ApplicationSelect", k));
        layerRow->addWidget(c.ApplicationSelect[k]);
    }
    c.SettingCANParameter =
        Named(new QPushButton(QStringLiteral("Setting")), "SettingCANParameter");

    auto* setting = new QGridLayout(c.ParaSetting);
    setting->addWidget(c.ApplicationLayerFrame, 0, 0, 1, 2);
    setting->addWidget(c.ParaSettingC0[0], 1, 0);
    setting->addWidget(c.CANBaudrate, 1, 1);
    setting->addWidget(c.ParaSettingC0[1], 2, 0);
    setting->addWidget(c.CANNodeId, 2, 1);
    setting->addWidget(c.SettingCANParameter, 3, 1, Qt::AlignRight);
    setting->setColumnStretch(1, 1);

    c.ParaView = Named(new QGroupBox(QStringLiteral("CAN Parameters Viewer")), "ParaView");
    const char* viewerCaptions[3] = {"Application Layer", "Baud rate", "Node ID"};
    auto* viewer = new QGridLayout(c.ParaView);
    for (int row = 0; row < 3; ++row) {
        c.ViewerC0[row] = NewIndexedLabel("ViewerC0", row, viewerCaptions[row]);
        c.ViewerText[row] = NewReadOnlyText(Indexed("ViewerText", row));
        viewer->addWidget(c.ViewerC0[row], row, 0);
        viewer->addWidget(c.ViewerText[row], row, 1);
    }
    viewer->setColumnStretch(1, 1);
}

void BuildComPanels(MainControls& c) {
    c.ComParaSetting = Named(new QGroupBox(QStringLiteral("COM Port Setting")), "COMParaSeteing");
    const char* settingCaptions[10] = {"Baud rate",     "Data Bit", "Parity", "Stop Bit",
                                       "Baud rate",     "Data Bit", "Parity", "Stop Bit",
                                       "Time Out (ms)", "Timeout"};
    for (int i = 0; i < 10; ++i) {
        c.ComSetting[i] = NewIndexedLabel("ComSetting", i, settingCaptions[i]);
    }
    c.ComBr = NewList("ComBr");
    c.ComDb = NewList("ComDb");
    c.ComPb = NewList("ComPb");
    c.ComSb = NewList("ComSb");
    c.ComTimeout = Named(new QLineEdit, "ComTimeout");
    c.Label1 = NewLabel("Label1", "( Default: 200 ms )");
    c.SettingCOMParameter = Named(new QPushButton(QStringLiteral("Set")), "SettingCOMParameter");

    auto* setting = new QGridLayout(c.ComParaSetting);
    QWidget* fields[4] = {c.ComBr, c.ComDb, c.ComPb, c.ComSb};
    for (int row = 0; row < 4; ++row) {
        setting->addWidget(c.ComSetting[row], row, 0);
        setting->addWidget(fields[row], row, 1);
    }
    setting->addWidget(c.ComSetting[8], 4, 0);
    setting->addWidget(c.ComTimeout, 4, 1);
    setting->addWidget(c.Label1, 5, 1);
    setting->addWidget(c.SettingCOMParameter, 6, 1, Qt::AlignRight);
    setting->setColumnStretch(1, 1);

    c.COMParaView =
        Named(new QGroupBox(QStringLiteral("COM Port Parameters Viewer")), "COMParaView");
    auto* viewer = new QGridLayout(c.COMParaView);
    const int viewerLabels[5] = {4, 5, 6, 7, 9};
    for (int row = 0; row < 5; ++row) {
        c.COMViewerText[row] = NewReadOnlyText(Indexed("COMViewerText", row));
        viewer->addWidget(c.ComSetting[viewerLabels[row]], row, 0);
        viewer->addWidget(c.COMViewerText[row], row, 1);
    }
    viewer->setColumnStretch(1, 1);
}

QAction* NewAction(QWidget* owner, const char* name, const char* caption) {
    auto* action = new QAction(QString::fromLatin1(caption), owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void BuildMenus(MainControls& c, QMainWindow& window) {
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File"));
    c.ImportToINI = NewAction(&window, "ImportToINI", "Import To ini file");
    c.ExportToEEP = NewAction(&window, "ExportToEEP", "Export To EEP");
    c.CompareWithFile = NewAction(&window, "CompareWithFile", "Compare with file...");
    c.ExitProgram = NewAction(&window, "ExitProgram", "Exit");
    c.NewConfiguration = NewAction(&window, "NewConfiguration", "New configuration");
    c.OpenConfiguration = NewAction(&window, "OpenConfiguration", "Open configuration...");
    file->addAction(c.NewConfiguration);
    file->addAction(c.OpenConfiguration);
    file->addSeparator();
    file->addAction(c.ImportToINI);
    file->addAction(c.ExportToEEP);
    file->addAction(c.CompareWithFile);
    file->addSeparator();
    file->addAction(c.ExitProgram);
    QMenu* console = window.menuBar()->addMenu(QStringLiteral("Console"));
    console->setObjectName(QStringLiteral("Console"));
    c.ConsoleSettings = NewAction(&window, "ShowConsoleSettings", "Console settings...");
    c.ConsoleTranscript = NewAction(&window, "ShowConsoleTranscript", "Console transcript");
    console->addAction(c.ConsoleSettings);
    console->addAction(c.ConsoleTranscript);
    c.About_ = NewAction(&window, "About_", "About");
    window.menuBar()->addAction(c.About_);
}

}  // namespace

MainControls BuildMainControls(QMainWindow& window) {
    MainControls c;
    BuildCommunication(c);
    BuildPictures(c, window.devicePixelRatioF());
    BuildCanPanels(c);
    BuildComPanels(c);
    BuildMenus(c, window);

    c.CreateMBDevice = Named(new QPushButton(QStringLiteral("Next")), "CreateMBDevice");
    c.ExitProgramButton = Named(new QPushButton(QStringLiteral("Exit Program")), "EixtProgram");

    auto* left = new QVBoxLayout;
    left->addWidget(c.CommunicationRegion);
    left->addWidget(c.Frame2, 1);

    // Next and Exit Program sit right below whichever side's panels are on show: hidden panels
    // take no room in the column.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(c.CreateMBDevice);
    buttons->addWidget(c.ExitProgramButton);
    auto* right = new QVBoxLayout;
    right->addWidget(c.ParaSetting);
    right->addWidget(c.ParaView);
    right->addWidget(c.ComParaSetting);
    right->addWidget(c.COMParaView);
    right->addLayout(buttons);
    right->addStretch(1);

    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("MainArea"));
    auto* columns = new QHBoxLayout(central);
    columns->addLayout(left, 1);
    auto* rightColumn = new QWidget;
    rightColumn->setObjectName(QStringLiteral("PanelColumn"));
    rightColumn->setLayout(right);
    rightColumn->setFixedWidth(kPanelColumnWidth);
    columns->addWidget(rightColumn);
    window.setCentralWidget(central);
    return c;
}

}  // namespace tavrin
