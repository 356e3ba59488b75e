// "Check on bus..." of the application object editor, driven through its window against the
// Modbus slave simulator on a pseudo-terminal: the port is chosen as in the main window ("Other
// port..."), the rows are read off the table, and the refusals come as boxes.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <atomic>
#include <semaphore>

#include "ModbusSimProcess.h"
#include "ReadObjects.h"
#include "RecordingReadView.h"
#include "SimProcess.h"
#include "appobj/editor/AppObjectEditor.h"
#include "appobj/views/ObjectViews.h"
#include "modbus/BusCheckGuard.h"

namespace tavrin::testing {
namespace {

// The gateway simulator's four objects, which the Modbus simulator's built-in map serves.
const std::vector<AppObject> kStored = {
    {1, 0, 0, 0, 10}, {2, 1, 0, 100, 2}, {1, 0, 0, 20, 3}, {3, 3, 1, 10, 1}};

// A run waits for answers that come at once; the reply timeout is only there for a lost one.
constexpr int kReplyTimeoutMs = 10000;
// How long a test waits for a run that is owed nothing but time; never reached by a passing run.
constexpr int kRunEndsWithinMs = 120000;

// Gives every read one answer only once the test lets it.
class HeldBus final : public ModbusBus {
public:
    HeldBus(std::atomic<int>& entered, std::counting_semaphore<8>& release)
        : m_entered(entered), m_release(release) {}
    std::string Open(const BusSerialSettings&) override { return {}; }
    BusReply Read(int, BusRead, int, int count) override {
        ++m_entered;
        m_release.acquire();
        BusReply reply;
        reply.kind = BusReply::Kind::Ok;
        reply.values.assign(static_cast<std::size_t>(count), 0);
        return reply;
    }
    void Close() override {}

private:
    std::atomic<int>& m_entered;
    std::counting_semaphore<8>& m_release;
};

struct BusRig {
    BusRig() : image(ImageHolding(kStored)) {
        image.settings.ComBaudIndex = 3;  // 9600 8N1, as the simulator listens
        image.settings.ComDataBits = 8;
        image.settings.ComParity = 0;
        image.settings.ComStopBits = 1;
        image.settings.ComTimeout = kReplyTimeoutMs;
    }
    void Wire(const std::string& busDevice) {
        BusCheckServices services;
        services.env = [](const std::string&) { return std::optional<std::string>(); };
        services.askDevicePath = [busDevice] { return std::optional<std::string>(busDevice); };
        services.consoleBusy = [this] { return consoleBusy; };
        services.consoleDevice = [this] { return consoleDevice; };
        services.makeBus = makeBus;
        editor.SetBusCheck(services);
        editor.show();
    }
    BusCheckWindow* Open() {
        editor.Controls().CheckOnBus->click();
        return editor.BusCheck();
    }
    // "Other port...", answered with the simulator's device.
    static void ChooseOtherPort(BusCheckWindow& w) {
        const int other = w.PortList()->count() - 1;
        w.PortList()->setCurrentIndex(other);
        emit w.PortList()->activated(other);
    }
    static QStringList Column(const BusCheckWindow& w, int column) {
        QStringList cells;
        for (int r = 0; r < w.Rows()->rowCount(); ++r) {
            cells << w.Rows()->item(r, column)->text();
        }
        return cells;
    }
    QStringList BoxTexts() const {
        QStringList texts;
        for (const auto& b : boxes.shown) {
            texts << QString::fromStdString(b.text);
        }
        return texts;
    }

    ConfigImage image;
    AssemblyTables assemblies;
    RecordingBoxes boxes;
    ObjectViews views{image.working, assemblies};
    AppObjectEditor editor{image, boxes, views};
    bool consoleBusy = false;
    std::string consoleDevice = "/dev/ttyS0";
    std::function<std::unique_ptr<ModbusBus>()> makeBus;
};

class BusCheckWindowTest : public QObject {
    Q_OBJECT
private slots:
    void checksEveryObjectOfTheWorkingTable() {
        ScratchDir scratch;
        ModbusSimProcess sim(scratch.File("status"));
        BusRig rig;
        rig.Wire(sim.Device());
        BusCheckWindow* w = rig.Open();
        QVERIFY(w != nullptr);
        QCOMPARE(w->PortList()->itemText(0), QStringLiteral("COM 1"));
        QCOMPARE(w->PortList()->itemText(w->PortList()->count() - 1),
                 QStringLiteral("Other port..."));
        BusRig::ChooseOtherPort(*w);
        QCOMPARE(w->PortList()->currentText(), QString::fromStdString(sim.Device()));
        QVERIFY(w->findChild<QLabel*>("ReadsOnly")->text().startsWith("Reads only"));

        QSignalSpy ended(w, &BusCheckWindow::RunEnded);
        w->findChild<QPushButton*>("BusStart")->click();
        QVERIFY(ended.wait(kRunEndsWithinMs));
        QCOMPARE(BusRig::Column(*w, 0), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(BusRig::Column(*w, 2),
                 (QStringList{"FC01 (for FC15)", "FC03 (for FC16)", "FC01 (for FC15)", "FC03"}));
        QCOMPARE(BusRig::Column(*w, 5),
                 (QStringList{"OK: 1 0 1 1 0 0 1 0 1 1", "OK: 1234 (0x04D2), 48879 (0xBEEF)",
                              "OK: 0 1 1", "OK: 42 (0x002A)"}));
        QCOMPARE(w->StatusLine()->text(), QStringLiteral("4 of 4 objects answered OK"));

        // Only the object chosen, the second time.
        w->ObjectChoice()->setCurrentIndex(4);
        w->findChild<QPushButton*>("BusStart")->click();
        QVERIFY(ended.wait(kRunEndsWithinMs));
        QCOMPARE(BusRig::Column(*w, 5), (QStringList{"OK: 42 (0x002A)"}));
        QVERIFY(rig.boxes.shown.empty());
        sim.Stop();
        QCOMPARE(sim.Count("writes"), 0L);
        QCOMPARE(sim.Count("requests"), 5L);
    }

    void refusesWhileAConsoleJobRuns() {
        BusRig rig;
        rig.consoleBusy = true;
        rig.Wire("/dev/null");
        QVERIFY(rig.Open() == nullptr);
        QCOMPARE(rig.BoxTexts(), QStringList{kBusCheckConsoleBusy});

        // A job that starts while the window is open is refused at Start.
        rig.consoleBusy = false;
        BusCheckWindow* w = rig.Open();
        QVERIFY(w != nullptr);
        BusRig::ChooseOtherPort(*w);
        rig.consoleBusy = true;
        w->findChild<QPushButton*>("BusStart")->click();
        QVERIFY(!w->Running());
        QCOMPARE(rig.BoxTexts().size(), 2);
        QCOMPARE(rig.BoxTexts().last(), QString::fromLatin1(kBusCheckConsoleBusy));
    }

    void refusesThePortOfTheConsole() {
        ScratchDir scratch;
        ModbusSimProcess sim(scratch.File("status"));
        BusRig rig;
        rig.consoleDevice = sim.Device();
        rig.Wire(sim.Device());
        BusCheckWindow* w = rig.Open();
        BusRig::ChooseOtherPort(*w);
        w->findChild<QPushButton*>("BusStart")->click();
        QVERIFY(!w->Running());
        QCOMPARE(rig.BoxTexts(),
                 QStringList{QString::fromStdString(BusIsConsolePortText(sim.Device()))});
        QCOMPARE(w->Rows()->rowCount(), 0);
        sim.Stop();
        QCOMPARE(sim.Count("requests"), 0L);
    }

    // Stop is heard between objects: the object on the line is finished, no further one sent.
    void stopEndsTheRunAfterTheObjectOnTheLine() {
        std::atomic<int> entered{0};
        std::counting_semaphore<8> release{0};
        BusRig rig;
        rig.makeBus = [&] { return std::make_unique<HeldBus>(entered, release); };
        rig.Wire("/dev/null");
        BusCheckWindow* w = rig.Open();
        BusRig::ChooseOtherPort(*w);
        QSignalSpy ended(w, &BusCheckWindow::RunEnded);
        w->findChild<QPushButton*>("BusStart")->click();
        QVERIFY(w->Running());
        QTRY_VERIFY_WITH_TIMEOUT(entered.load() == 1, kRunEndsWithinMs);
        w->findChild<QPushButton*>("BusStop")->click();
        release.release();
        QVERIFY(ended.wait(kRunEndsWithinMs));
        QCOMPARE(entered.load(), 1);
        QCOMPARE(w->Rows()->rowCount(), 1);
        QCOMPARE(w->StatusLine()->text(), QStringLiteral("1 of 1 objects answered OK (stopped)"));
    }
};

}  // namespace
}  // namespace tavrin::testing

QTEST_MAIN(tavrin::testing::BusCheckWindowTest)
#include "BusCheckWindowTest.moc"
