// Connect from the main window over a real pseudo-terminal against the gateway simulator program:
// Tavrin's own serial path, the window's state after every way a read can end, and the window
// staying usable (and impossible to close) while a read runs.
#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "EepromFile.h"
#include "MainWindowRig.h"
#include "PtyWindowRig.h"
#include "SimProcess.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"

using namespace tavrin;
using tavrin::testing::ShownBox;

namespace {

using testing::PtyWindowRig;

std::string SimEeprom(testing::ScratchDir& scratch, bool blank) {
    const std::string path = scratch.File("eeprom.bin");
    gatewaysim::SaveEeprom(path, blank ? gatewaysim::Eeprom{} : gatewaysim::DefaultEeprom());
    return path;
}

}  // namespace

class MainWindowConnectTest : public QObject {
    Q_OBJECT

private slots:
    void ConnectEndsInTheWindowStateOfItsOutcome_data() {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<bool>("blank");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("box");    // text, empty for none
        QTest::addColumn<QString>("title");  // of that box
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("connected");
        // A port that will not open fails before the window takes its reading look, so Next
        // keeps the state it had.
        QTest::addColumn<bool>("next");
        QTest::newRow("gateway") << QStringList{} << false << 1 << ""
                                 << ""
                                 << "Waiting for configuration" << true << true;
        QTest::newRow("entry 12 is COM 12") << QStringList{} << false << 12 << ""
                                            << ""
                                            << "Waiting for configuration" << true << true;
        QTest::newRow("defaulted configuration")
            << QStringList{} << true << 1 << "The configuration stored in EEPROM is wrong!"
            << "Warnning"
            << "Waiting for configuration" << true << true;
        QTest::newRow("silent") << QStringList{"--silent-from", "20"} << false << 1 << "Timeout"
                                << "Error"
                                << "Timeout" << false << false;
        QTest::newRow("foreign module")
            << QStringList{"--module", "7188XB"} << false << 1 << "This modules is not 6420RT!"
            << "Error"
            << "Timeout" << false << false;
        QTest::newRow("garbage word")
            << QStringList{"--garbage-at", "48"} << false << 1 << "Timeout"
            << "Error"
            << "Timeout" << false << false;
        QTest::newRow("port held")
            << QStringList{"--hold"} << false << 1 << "COM 1 has been occupied"
            << "Error"
            << "COM 1 has been occupied" << false << true;
    }

    void ConnectEndsInTheWindowStateOfItsOutcome() {
        QFETCH(QStringList, simArgs);
        QFETCH(bool, blank);
        QFETCH(int, entry);
        QFETCH(QString, box);
        QFETCH(QString, title);
        QFETCH(QString, status);
        QFETCH(bool, connected);
        QFETCH(bool, next);
        testing::ScratchDir scratch;
        std::vector<std::string> args;
        for (const QString& arg : simArgs) {
            args.push_back(arg.toStdString());
        }
        testing::SimProcess sim(SimEeprom(scratch, blank), args);
        PtyWindowRig rig(sim, entry);

        rig.Connect();

        std::vector<ShownBox> expected;
        if (!box.isEmpty()) {
            expected.push_back({box.toStdString(), title.toStdString()});
        }
        QCOMPARE(rig.boxes.shown, expected);
        QCOMPARE(rig.c().CommunicationState->text(), status);
        QCOMPARE(rig.form.Connected(), connected);
        QVERIFY(!rig.port.IsOpen());
        QVERIFY(!rig.form.Session().Busy);
        QVERIFY(rig.c().Connect->isEnabled());
        QVERIFY(rig.c().ComPort->isEnabled());
        QVERIFY(rig.c().ExitProgramButton->isEnabled());
        QVERIFY(!rig.c().ConnectProgress->isVisibleTo(&rig.form));
        QCOMPARE(rig.c().CreateMBDevice->isEnabled(), next);
        QCOMPARE(rig.c().ImportToINI->isEnabled(), connected);
        QCOMPARE(rig.c().CANNodeId->isVisibleTo(&rig.form), connected);
        QCOMPARE(rig.c().ComButton[0]->isVisibleTo(&rig.form), connected);
        if (connected) {
            QCOMPARE(rig.c().FirmwareVer->text(),
                     QString::fromLatin1(blank ? "0.00-0/00/00" : "1.05-2004/03/09"));
            QCOMPARE(rig.form.Panels().ShownPanel(), 0);
        }
    }

    void PortThatCannotBeOpenedChangesNothing() {
        PtyWindowRig rig("/nonexistent/tty-for-tavrin");
        rig.Connect();
        QCOMPARE(rig.boxes.shown, (std::vector<ShownBox>{{"Can't open COM 1!", "Error"}}));
        QVERIFY(rig.c().CreateMBDevice->isEnabled());
        QVERIFY(rig.c().Connect->isEnabled());
        QVERIFY(!rig.form.Session().Busy);
    }

    void HangUpShowsThePortErrorAndReleases() {
        testing::ScratchDir scratch;
        testing::SimProcess sim(SimEeprom(scratch, false), {"--hangup-after", "20"});
        PtyWindowRig rig(sim);
        rig.Connect();
        QCOMPARE(rig.boxes.shown.size(), std::size_t{1});
        QCOMPARE(rig.boxes.shown[0].title, std::string());
        QVERIFY(rig.c().CommunicationState->text().isEmpty());
        QVERIFY(!rig.c().CreateMBDevice->isEnabled());
        QVERIFY(rig.c().Connect->isEnabled());
        QVERIFY(!rig.port.IsOpen());
        QVERIFY(!rig.form.Session().Busy);
    }

    // The words of the failed read are partly new and partly zero: no backup may be made of them,
    // while a parameter file can still be written into the gateway.
    void FailedReconnectDisablesSavingAndNext() {
        testing::ScratchDir scratch;
        // The first read takes 53 console lines; the second goes silent early.
        testing::SimProcess sim(SimEeprom(scratch, false), {"--silent-from", "60"});
        PtyWindowRig rig(sim);
        rig.Connect();
        QVERIFY(rig.form.Connected());
        rig.Connect();
        QCOMPARE(rig.boxes.shown, (std::vector<ShownBox>{{"Timeout", "Error"}}));
        QVERIFY(!rig.form.Connected());
        QVERIFY(!rig.c().CreateMBDevice->isEnabled());
        QVERIFY(!rig.c().ImportToINI->isEnabled());
        QVERIFY(rig.c().ExportToEEP->isEnabled());
        QVERIFY(!rig.c().CANNodeId->isVisibleTo(&rig.form));
        QVERIFY(rig.c().FirmwareVer->text().isEmpty());
    }

    // A backup saved over the real port, edited by hand and written back: a reconnect reads
    // exactly the file's words.
    void ParameterFileRoundTripOverThePort() {
        testing::ScratchDir scratch;
        testing::SimProcess sim(SimEeprom(scratch, false), {});
        PtyWindowRig rig(sim);
        rig.Connect();
        const Block0Array block0 = rig.image.words.ReadBlock0Words;
        Block1Array block1 = rig.image.words.ReadBlock1Words;
        const std::string path = scratch.File("5310G_EEP.ini");
        rig.dialogs.Answer(path);
        rig.c().ImportToINI->trigger();

        std::string text = testing::ReadWholeFile(path);
        const std::string key = "[EEPB_1]\r\nAdd0=";
        const std::size_t at = text.find(key) + key.size();
        text.replace(at, text.find('\r', at) - at, "4294967295");
        testing::WriteWholeFile(path, text);
        block1[0] = 4294967295u;

        rig.dialogs.Answer(path);
        rig.boxes.answer = BoxAnswer::No;
        rig.c().ExportToEEP->trigger();
        QVERIFY(!rig.form.Session().Busy);
        rig.Connect();
        QVERIFY(rig.form.Connected());
        QCOMPARE(rig.image.words.ReadBlock0Words, block0);
        QCOMPARE(rig.image.words.ReadBlock1Words, block1);
    }

    void WindowStaysLiveButCannotCloseWhileReading() {
        testing::ScratchDir scratch;
        // Answers come late but inside the answer window, so the read takes a few seconds.
        testing::SimProcess sim(SimEeprom(scratch, false), {"--slow-ms", "25"});
        PtyWindowRig rig(sim);
        bool closedWhileReading = true;
        bool busyWhenTried = false;
        QTimer::singleShot(300, &rig.form, [&] {
            busyWhenTried = rig.form.Session().Busy;
            closedWhileReading = rig.form.close();
        });
        rig.Connect();
        QVERIFY(busyWhenTried);  // the timer ran inside the read: events were serviced
        QVERIFY(!closedWhileReading);
        QVERIFY(rig.form.Connected());
        QCOMPARE(rig.boxes.shown, (std::vector<ShownBox>{{"Module is connecting now!", "Error"}}));

        rig.boxes.answer = BoxAnswer::Yes;
        QVERIFY(rig.form.close());
        QCOMPARE(rig.boxes.shown.back().title, std::string("Exit Query"));
    }
};

QTEST_MAIN(MainWindowConnectTest)
#include "MainWindowConnectTest.moc"
