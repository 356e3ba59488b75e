// The main window's port list on a fake lister: the COM entries as they always were, the system's
// adapters after them, refreshing, a vanished adapter, "Other port..." and the remembered port;
// why a port would not open; the console transcript beside the --log file.
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <fstream>
#include <optional>

#include <QCheckBox>
#include <QLineEdit>
#include "MainWindowRig.h"
#include "WholeFile.h"
#include "console/FileTranscript.h"
#include "ui/main/ConsoleSettingsDialog.h"
#include "ui/main/TranscriptWindow.h"

using namespace tavrin;
using namespace tavrin::testing;

namespace {

const std::string kFtdiById = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XK1-if00-port0";
const SystemPort kFtdi{"ttyUSB0", "/dev/ttyUSB0", kFtdiById, "FT232R USB UART",
                       "FTDI",    "A9XK1",        0x0403,    0x6001};
const SystemPort kAcm{"ttyACM0", "/dev/ttyACM0", "", "", "Arduino", "", 0x2341, 0x0043};
const SystemPort kProlific{"ttyUSB1", "/dev/ttyUSB1", "",    "USB-Serial Controller", "Prolific",
                           "",        0x067B,         0x2303};

class FakeLister final : public PortLister {
public:
    std::vector<SystemPort> List() override { return ports; }
    std::vector<SystemPort> ports;
};

// A machine where every device node is root:dialout 0660 and the user is in no group of it.
class OutsideDialout final : public PortSystem {
public:
    bool nodes = true;
    std::optional<Node> Stat(const std::string&) override {
        return nodes ? std::optional<Node>(Node{0, 20, 0660}) : std::nullopt;
    }
    std::string GroupName(unsigned gid) override {
        return gid == 20 ? "dialout" : std::to_string(gid);
    }
    unsigned UserId() override { return 1000; }
    std::vector<unsigned> UserGroups() override { return {1000}; }
    std::vector<std::string> Holders(const std::string&, bool) override { return {}; }
};

// The window on the in-process gateway, with the fake lister and a scratch settings file.
struct PortsRig {
    // `kept`: what the settings file holds from an earlier session.
    explicit PortsRig(std::vector<SystemPort> ports, const QVariantMap& kept = {})
        : gateway(port, gatewaysim::DefaultEeprom()) {
        lister.ports = std::move(ports);
        for (auto it = kept.begin(); it != kept.end(); ++it) {
            settings.setValue(it.key(), it.value());
        }
        form.emplace(MainServices{image, assemblies, selections, port, clock, pump, boxes, dialogs,
                                  FakeEnv, dir.Path().string(), &lister, &settings,
                                  [this] { return typedPath; }, &os, &log});
        form->show();
    }

    const MainControls& c() const { return form->Controls(); }
    QString Shown() const { return c().ComPort->currentText(); }
    QStringList Labels() const {
        QStringList labels;
        for (int i = 0; i < c().ComPort->count(); ++i) {
            labels << c().ComPort->itemText(i);
        }
        return labels;
    }

    FakeClock clock;
    ScriptedPort port{clock};
    FakePump pump{clock, port};
    RecordingBoxes boxes;
    ScriptedFileDialogs dialogs;
    ConfigImage image;
    AssemblyTables assemblies;
    ConnectionSelections selections;
    SimulatedGateway gateway;
    gatewaysim::TempDir dir;
    QSettings settings{QString::fromStdString((dir.Path() / "tavrin.ini").string()),
                       QSettings::IniFormat};
    FakeLister lister;
    OutsideDialout os;
    std::string logPath = (dir.Path() / "console.log").string();
    FileTranscript log{logPath};
    std::optional<std::string> typedPath;
    std::optional<MainWindow> form;
};

}  // namespace

class MainWindowPortsTest : public QObject {
    Q_OBJECT

private slots:
    void ListsAdaptersAfterTheComEntriesAndOpensThemByTheirStableName() {
        PortsRig rig({kFtdi, kAcm});
        QStringList expected;
        for (int n = 1; n <= 16; ++n) {
            expected << QStringLiteral("COM %1").arg(n);
        }
        expected << "ttyUSB0 - FT232R USB UART (A9XK1)"
                 << "ttyACM0 - Arduino"
                 << "Other port...";
        QCOMPARE(rig.Labels(), expected);
        QCOMPARE(rig.Shown(), QStringLiteral("COM 1"));

        rig.c().ComPort->setCurrentIndex(16);
        rig.c().Connect->click();
        QCOMPARE(rig.port.openedDevice, kFtdiById);
        QCOMPARE(rig.form->LastReadOutcome(), std::optional(ReadOutcome::Completed));
        QCOMPARE(rig.settings.value("ports/lastConnected").toString(),
                 QString::fromStdString(kFtdiById));
    }

    // Refreshes as the list drops down or the idle timer fires, driven here by hand.
    void RefreshKeepsTheChoiceAndReportsAVanishedAdapter() {
        PortsRig rig({kFtdi});
        rig.c().ComPort->setCurrentIndex(16);
        rig.lister.ports = {kProlific, kFtdi};  // another adapter enumerates first
        rig.form->RefreshPorts();
        QCOMPARE(rig.Shown(), QStringLiteral("ttyUSB0 - FT232R USB UART (A9XK1)"));
        QCOMPARE(rig.c().ComPort->count(), 19);

        rig.lister.ports = {kProlific};
        rig.form->RefreshPorts();
        QCOMPARE(rig.c().ComPort->currentIndex(), -1);
        QCOMPARE(rig.c().CommunicationState->text(),
                 QStringLiteral("ttyUSB0 - FT232R USB UART (A9XK1) is no longer connected"));
        rig.c().Connect->click();
        QCOMPARE(rig.port.opens, 0);

        // Nothing changes while a console sequence has the port.
        rig.c().ComPort->setCurrentIndex(3);
        rig.form->Session().Busy = true;
        rig.lister.ports = {};
        rig.form->RefreshPorts();
        QCOMPARE(rig.c().ComPort->count(), 18);
    }

    void PreselectsTheRememberedPortWhenItIsThere_data() {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QString>("shown");
        QTest::newRow("adapter") << QString::fromStdString(kFtdiById)
                                 << "ttyUSB0 - FT232R USB UART (A9XK1)";
        QTest::newRow("adapter by its tty") << "/dev/ttyACM0"
                                            << "ttyACM0 - Arduino";
        QTest::newRow("COM 3") << "/fake/TAVRIN_COM3"
                               << "COM 3";
        QTest::newRow("unplugged") << "/dev/serial/by-id/usb-gone"
                                   << "COM 1";
    }
    void PreselectsTheRememberedPortWhenItIsThere() {
        QFETCH(QString, remembered);
        QFETCH(QString, shown);
        PortsRig rig({kFtdi, kAcm}, {{"ports/lastConnected", remembered}});
        QCOMPARE(rig.Shown(), shown);
    }

    // The box keeps its first line and adds why and what to do.
    void CannotOpenSaysWhyAndWhatToDo_data() {
        QTest::addColumn<bool>("nodes");
        QTest::addColumn<QString>("box");
        QTest::newRow("no access")
            << true
            << "Can't open COM 1!\nYou may not use /fake/TAVRIN_COM1: it is open to the group "
               "dialout, and you are not in it.\nTo join it: sudo usermod -aG dialout $USER, then "
               "log out and in again.";
        QTest::newRow("missing") << false
                                 << "Can't open COM 1!\nThere is no /fake/TAVRIN_COM1. Ports "
                                    "there: /dev/ttyUSB0, /dev/ttyACM0.";
    }
    void CannotOpenSaysWhyAndWhatToDo() {
        QFETCH(bool, nodes);
        QFETCH(QString, box);
        PortsRig rig({kFtdi, kAcm});
        rig.os.nodes = nodes;
        rig.port.openResult = {OpenStatus::CannotOpen, {}};
        rig.c().Connect->click();
        QCOMPARE(rig.boxes.shown.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(rig.boxes.shown[0].text), box);
    }

    // The window shows what the --log file gets, entry for entry; Save... writes the same.
    void TranscriptShowsWhatTheLogFileGets() {
        PortsRig rig({});
        rig.c().ConsoleTranscript->trigger();
        TranscriptWindow& transcript = rig.form->Transcript();
        QVERIFY(transcript.isVisible());
        rig.c().Connect->click();
        QCOMPARE(rig.form->LastReadOutcome(), std::optional(ReadOutcome::Completed));

        const std::string logged = ReadWholeFile(rig.logPath);
        const QStringList shown = transcript.Text().split('\n');
        const QStringList inFile = QString::fromLatin1(logged).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(shown.size(), inFile.size());
        QVERIFY(shown.size() > 10);
        const auto afterStamp = [](const QString& entry) { return entry.section(' ', 3); };
        for (int i = 0; i < shown.size(); ++i) {
            QCOMPARE(afterStamp(shown[i]), afterStamp(inFile[i]));
        }
        QVERIFY(transcript.Text().contains(QStringLiteral(" recv \"\\r\\n")));

        const std::string saved = (rig.dir.Path() / "saved.log").string();
        rig.dialogs.Answer(saved);
        transcript.findChild<QPushButton*>("SaveTranscript")->click();
        QCOMPARE(QString::fromLatin1(ReadWholeFile(saved)), transcript.Text() + '\n');
        transcript.findChild<QPushButton*>("ClearTranscript")->click();
        QVERIFY(transcript.Text().isEmpty());
    }

    // OK applies and keeps what it accepts; anything else is refused with its reason and the
    // dialog stays open with nothing changed.
    void ConsoleSettingsAreCheckedAppliedAndKept_data() {
        QTest::addColumn<QString>("pace");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("slow console") << " 5"
                                      << "1000"
                                      << "";
        QTest::newRow("pace not a number")
            << "2.5"
            << "200"
            << "The pace between characters must be a whole number of milliseconds, 0 to 100.";
        QTest::newRow("pace too long") << "101"
                                       << "200"
                                       << "The pace between characters must be 0 to 100 ms.";
        QTest::newRow("window too short") << "1"
                                          << "49"
                                          << "The answer window must be 50 to 10000 ms.";
        QTest::newRow("window empty")
            << "1"
            << ""
            << "The answer window must be a whole number of milliseconds, 50 to 10000.";
    }
    void ConsoleSettingsAreCheckedAppliedAndKept() {
        QFETCH(QString, pace);
        QFETCH(QString, window);
        QFETCH(QString, refusal);
        PortsRig rig({});
        rig.c().ConsoleSettings->trigger();
        ConsoleSettingsDialog* dialog = rig.form->SettingsDialog();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QCOMPARE(dialog->findChild<QLineEdit*>("PaceMs")->text(), QStringLiteral("1"));
        QCOMPARE(dialog->findChild<QLineEdit*>("AnswerWindowMs")->text(), QStringLiteral("200"));
        QVERIFY(dialog->findChild<QCheckBox*>("VerifyWrites")->isChecked());
        dialog->findChild<QLineEdit*>("PaceMs")->setText(pace);
        dialog->findChild<QLineEdit*>("AnswerWindowMs")->setText(window);
        dialog->findChild<QCheckBox*>("VerifyWrites")->setChecked(false);
        dialog->OkClick();
        if (!refusal.isEmpty()) {
            QCOMPARE(rig.boxes.shown.size(), std::size_t{1});
            QCOMPARE(QString::fromStdString(rig.boxes.shown[0].text), refusal);
            QVERIFY(dialog->isVisible());
            QCOMPARE(rig.form->ConsoleSettingsInUse(), ConsoleSettings{});
            QVERIFY(!rig.settings.contains("console/paceMs"));
            return;
        }
        const ConsoleSettings wanted{{5, 1000}, false};
        QVERIFY(rig.boxes.shown.empty());
        QCOMPARE(rig.form->ConsoleSettingsInUse(), wanted);
        QCOMPARE(rig.form->ConsoleTimingInUse(), wanted.timing);
        // The next start finds them.
        PortsRig next({}, {{"console/paceMs", rig.settings.value("console/paceMs")},
                           {"console/answerWindowMs", rig.settings.value("console/answerWindowMs")},
                           {"console/verifyWrites", rig.settings.value("console/verifyWrites")}});
        QCOMPARE(next.form->ConsoleSettingsInUse(), wanted);
        QCOMPARE(next.form->ConsoleTimingInUse(), wanted.timing);
    }

    void OtherPortAsksForADevicePathAndKeepsIt() {
        PortsRig rig({});
        QCOMPARE(rig.c().ComPort->count(), 17);
        rig.c().ComPort->setCurrentIndex(16);
        rig.c().Connect->click();  // cancelled
        QCOMPARE(rig.port.opens, 0);

        rig.typedPath = "/dev/pts/7";
        rig.c().Connect->click();
        QCOMPARE(rig.port.openedDevice, std::string("/dev/pts/7"));
        rig.form->RefreshPorts();
        QCOMPARE(rig.Labels().mid(16), (QStringList{"/dev/pts/7", "Other port..."}));
        QCOMPARE(rig.Shown(), QStringLiteral("/dev/pts/7"));
    }

    // A typed path that connected is offered at the next start, chosen when it was the last
    // port; "~/" is the home folder; a path that never opened does not stay listed.
    void TypedPathsThatConnectedAreOfferedAtTheNextStart() {
        PortsRig rig({});
        rig.port.openResult = {OpenStatus::CannotOpen, {}};
        rig.typedPath = "/dev/ttyTYPO";
        rig.c().ComPort->setCurrentIndex(16);
        rig.c().Connect->click();
        QCOMPARE(rig.port.openedDevice, std::string("/dev/ttyTYPO"));
        QCOMPARE(rig.Labels().mid(16), QStringList{"Other port..."});
        QCOMPARE(rig.Shown(), QStringLiteral("Other port..."));

        rig.port.openResult = {OpenStatus::Opened, {}};
        rig.typedPath = "~/gateway-pty";
        rig.boxes.shown.clear();
        rig.c().Connect->click();
        QCOMPARE(rig.port.openedDevice, std::string("/fake/HOME/gateway-pty"));
        QVERIFY(rig.form->Connected());

        PortsRig next({}, {{"ports/typed", rig.settings.value("ports/typed")},
                           {"ports/lastConnected", rig.settings.value("ports/lastConnected")}});
        QCOMPARE(next.Labels().mid(16), (QStringList{"/fake/HOME/gateway-pty", "Other port..."}));
        QCOMPARE(next.Shown(), QStringLiteral("/fake/HOME/gateway-pty"));
    }
};

QTEST_MAIN(MainWindowPortsTest)
#include "MainWindowPortsTest.moc"
