// Renders the user guide's pictures from the real windows, offscreen: the port list dropped down
// with three USB adapters listed after COM 16 (a staged list of ports), the "Console settings"
// dialog, the "Console transcript" of a connect to the gateway simulator, "Check on bus" of its
// four objects against the Modbus slave simulator, and the window and the wizard with a
// configuration opened from a file. Writes PNG files into the folder given as the only argument.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <cstdio>
#include <string>

#include "ModbusSimProcess.h"
#include "RecordingReadView.h"
#include "ScriptedFileDialogs.h"
#include "SimProcess.h"
#include "appobj/editor/AppObjectEditor.h"
#include "common/Clock.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"
#include "eds/ui/ConnectionWizard.h"
#include "ui/main/ConsoleSettingsDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/main/TranscriptWindow.h"

using namespace tavrin;

namespace {

// What a laptop with three USB serial adapters plugged in reports.
class StagedPorts final : public PortLister {
public:
    std::vector<SystemPort> List() override {
        return {{"ttyUSB0", "/dev/ttyUSB0",
                 "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XK1-if00-port0", "FT232R USB UART",
                 "FTDI", "A9XK1", 0x0403, 0x6001},
                {"ttyUSB1", "/dev/ttyUSB1",
                 "/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0",
                 "USB-Serial Controller", "Prolific Technology Inc.", "", 0x067B, 0x2303},
                {"ttyACM0", "/dev/ttyACM0", "", "", "Silicon Labs", "0001", 0x10C4, 0xEA60}};
    }
};

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

bool Save(const QPixmap& picture, const std::string& path) {
    if (!picture.save(QString::fromStdString(path), "PNG")) {
        std::fprintf(stderr, "tavrin-doc-screenshots: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

// The window with its list dropped down: the popup is a window of its own, so it is painted
// over the window's picture where it opens.
QPixmap WithListDropped(MainWindow& form) {
    PortComboBox* list = form.Controls().ComPort;
    list->showPopup();
    Settle();
    QWidget* popup = list->view()->window();
    const QPixmap popupPicture = popup->grab();
    QPixmap picture = form.grab();
    const QPoint at = form.mapFromGlobal(popup->mapToGlobal(QPoint(0, 0)));
    // Offscreen windows all stand at the origin; then the popup goes right under the list.
    const QPoint below = list->mapTo(&form, QPoint(0, list->height()));
    QPainter painter(&picture);
    painter.drawPixmap(at.y() > 0 ? at : below, popupPicture);
    painter.end();
    list->hidePopup();
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrin-doc-screenshots FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];

    testing::ScratchDir scratch;
    testing::SimProcess sim(scratch.File("eeprom.bin"), {"--pace"});
    const std::string device = sim.Device();

    ConfigImage image;
    AssemblyTables assemblies;
    ConnectionSelections selections;
    QtConsolePort port;
    SystemClock clock;
    QtEventPump pump;
    testing::RecordingBoxes boxes;
    testing::ScriptedFileDialogs dialogs;
    StagedPorts lister;
    // Never the user's own settings.
    QSettings settings(QString::fromStdString(scratch.File("tavrin.conf")), QSettings::IniFormat);
    MainServices services{image,
                          assemblies,
                          selections,
                          port,
                          clock,
                          pump,
                          boxes,
                          dialogs,
                          [device](const std::string& name) -> std::optional<std::string> {
                              if (name == "TAVRIN_COM1") {
                                  return device;
                              }
                              return std::nullopt;
                          },
                          scratch.Path()};
    services.ports = &lister;
    services.settings = &settings;
    MainWindow form(std::move(services));
    // A busy machine may hold the simulator off the processor past the usual window; an answer
    // that comes is taken at once, so a roomy one changes none of the pictures.
    form.SetConsoleTiming({ConsoleTiming{}.paceMs, kMaxAnswerWindowMs});
    form.show();
    Settle();

    form.Controls().Connect->click();
    if (form.LastReadOutcome() != ReadOutcome::Completed) {
        std::fprintf(stderr, "tavrin-doc-screenshots: the connect to the simulator failed\n");
        return 1;
    }
    // Chosen after the connect: the first adapter, as a technician would pick it.
    form.Controls().ComPort->setCurrentIndex(16);
    Settle();
    bool ok = Save(WithListDropped(form), folder + "/port-list-usb-adapters.png");

    form.ConsoleSettingsClick();
    ConsoleSettingsDialog* dialog = form.SettingsDialog();
    dialog->findChild<QLineEdit*>(QStringLiteral("PaceMs"))->setText(QStringLiteral("5"));
    dialog->findChild<QLineEdit*>(QStringLiteral("AnswerWindowMs"))
        ->setText(QStringLiteral("1000"));
    dialog->adjustSize();
    Settle();
    ok = Save(dialog->grab(), folder + "/console-settings.png") && ok;
    dialog->reject();

    form.TranscriptClick();
    Settle();
    ok = Save(form.Transcript().grab(), folder + "/console-transcript.png") && ok;
    form.Transcript().close();

    // The editor on the gateway's four objects, checked on a bus the Modbus simulator serves.
    testing::ModbusSimProcess bus(scratch.File("bus.status"));
    form.NextClick();
    AppObjectEditor* editor = form.Editor();
    const std::string busDevice = bus.Device();
    editor->SetBusCheck({&lister, ProcessEnv,
                         [busDevice] { return std::optional<std::string>(busDevice); },
                         [] { return false; }, [device] { return device; }});
    editor->CheckOnBusClick();
    BusCheckWindow* check = editor->BusCheck();
    const int other = check->PortList()->count() - 1;
    check->PortList()->setCurrentIndex(other);
    emit check->PortList()->activated(other);
    QEventLoop ended;
    QObject::connect(check, &BusCheckWindow::RunEnded, &ended, &QEventLoop::quit);
    check->StartClick();
    ended.exec();
    check->resize(860, 400);
    Settle();
    ok = Save(check->grab(), folder + "/bus-check-window.png") && ok;
    check->close();
    editor->close();
    Settle();

    // Without a gateway: apply's example opened; the wizard offers the revision of the gateway
    // read above and the file's EDS texts.
    dialogs.Answer(TAVRIN_APPLY_EXAMPLE);
    form.OpenConfigurationClick();
    Settle();
    ok = Save(form.grab(), folder + "/main-window-offline.png") && ok;
    form.NextClick();
    form.Editor()->Controls().NextButton->click();
    boxes.shown.clear();
    ConnectionWizard* wizard = form.Wizard();
    Settle();
    ok =
        wizard != nullptr && Save(wizard->grab(), folder + "/connection-wizard-revision.png") && ok;
    return ok ? 0 : 1;
}
