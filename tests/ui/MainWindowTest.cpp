// The main window and its parameter panels, driven as a user would through a connect to an
// in-process simulated gateway.
#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <QMessageBox>
#include <QTimer>
#include "MainWindowRig.h"

#include "ui/main/AboutWindow.h"
#include "ui/main/QtMessageBoxes.h"

using namespace tavrin;
using tavrin::testing::MainWindowRig;
using tavrin::testing::ShownBox;

namespace {

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        entries << list->itemText(i);
    }
    return entries;
}

// The state table of the main window: which commands the user has.
void CheckCommands(MainWindowRig& rig, bool next, bool fileMenu) {
    QVERIFY(rig.c().Connect->isEnabled());
    QVERIFY(rig.c().ComPort->isEnabled());
    QVERIFY(rig.c().ExitProgramButton->isEnabled());
    QCOMPARE(rig.c().CreateMBDevice->isEnabled(), next);
    QCOMPARE(rig.c().ImportToINI->isEnabled(), fileMenu);
    QCOMPARE(rig.c().ExportToEEP->isEnabled(), fileMenu);
}

// Re-opens the CAN side so it shows what the configuration now holds.
void ReopenCanSide(MainWindowRig& rig) {
    rig.c().ComButton[1]->click();
    rig.c().ComButton[0]->click();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void StartsUnconnectedWithSixteenPorts() {
        MainWindowRig rig;
        QCOMPARE(rig.form.objectName(), QStringLiteral("Main_F"));
        QCOMPARE(rig.form.windowTitle(), QStringLiteral("General Setting"));
        // COM 1..COM 16, then "Other port..." (the rig lists no system ports).
        QCOMPARE(rig.c().ComPort->count(), 17);
        QCOMPARE(rig.c().ComPort->itemText(0), QStringLiteral("COM 1"));
        QCOMPARE(rig.c().ComPort->itemText(15), QStringLiteral("COM 16"));
        CheckCommands(rig, true, false);
        QVERIFY(rig.c().ApplicationSelect[1]->isChecked());
        QVERIFY(!rig.Shown(rig.c().ModulesImage));
        QVERIFY(!rig.Shown(rig.c().ComButton[0]));
        QVERIFY(!rig.Shown(rig.c().CANNodeId));
        QVERIFY(!rig.Shown(rig.c().ComParaSetting));
        QVERIFY(rig.Shown(rig.c().ParaSetting));
        // The code's names are mended; the design names users' scripts find stay as they were.
        QCOMPARE(rig.c().ExitProgramButton->objectName(), QStringLiteral("EixtProgram"));
        QCOMPARE(rig.c().ComParaSetting->objectName(), QStringLiteral("COMParaSeteing"));
        QCOMPARE(rig.image.settings.ComTimeout, 200);
        QVERIFY(rig.c().CommunicationState->text().isEmpty());
    }

    void EveryPortEntryOpensItsOwnPort() {
        for (int entry = 0; entry < 16; ++entry) {
            MainWindowRig rig;
            rig.c().ComPort->setCurrentIndex(entry);
            rig.Connect();
            QCOMPARE(rig.port.openedDevice, "/fake/TAVRIN_COM" + std::to_string(entry + 1));
        }
    }

    void NextBeforeConnectAsksForAConnectAndFlipsBold() {
        MainWindowRig rig;
        QLineEdit* state = rig.c().CommunicationState;
        for (bool bold : {true, false, true}) {
            rig.c().CreateMBDevice->click();
            QCOMPARE(state->text(), QStringLiteral("Connect K-5310G First"));
            QCOMPARE(state->font().bold(), bold);
        }
        rig.Connect();
        QVERIFY(!state->font().bold());
    }

    void ConnectShowsTheGatewayAndOpensTheCanSide() {
        MainWindowRig rig;
        rig.Connect();
        QCOMPARE(rig.form.LastReadOutcome(), std::optional(ReadOutcome::Completed));
        QVERIFY(rig.form.Connected());
        QVERIFY(rig.boxes.shown.empty());
        CheckCommands(rig, true, true);
        QCOMPARE(rig.c().FirmwareVer->text(), QStringLiteral("1.05-2004/03/09"));
        QCOMPARE(rig.c().CommunicationState->text(), QStringLiteral("Waiting for configuration"));
        QVERIFY(rig.Shown(rig.c().ModulesImage));
        QVERIFY(rig.Shown(rig.c().Image6420[1]));
        QVERIFY(!rig.Shown(rig.c().Image6420[0]));
        QVERIFY(!rig.Shown(rig.c().ConnectProgress));
        QCOMPARE(rig.form.Panels().ShownPanel(), 0);
        QVERIFY(rig.c().ComButton[0]->Value());
        QCOMPARE(rig.c().ComButton[0]->BackColour(), QColor(255, 0, 0));
        QCOMPARE(rig.c().ComButton[1]->BackColour(), QColor(192, 192, 192));
        QVERIFY(!rig.c().ApplicationSelect[0]->isEnabled());
        QVERIFY(rig.c().ApplicationSelect[1]->isChecked());
        QCOMPARE(rig.c().CANBaudrate->count(), 3);
        QCOMPARE(rig.c().ViewerText[0]->text(), QStringLiteral("DeviceNet"));
        QCOMPARE(rig.c().ViewerText[1]->text(), QStringLiteral("       125    KBPS"));
        QCOMPARE(rig.c().ViewerText[2]->text(), QStringLiteral("5"));
        QCOMPARE(rig.c().CANNodeId->text(), QStringLiteral("5"));
    }

    void CanSettingValidatesAndStores_data() {
        QTest::addColumn<int>("storedLayer");
        QTest::addColumn<QString>("nodeText");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("message");  // empty when the commit passes
        QTest::addColumn<int>("nodeId");
        QTest::newRow("DeviceNet 250") << 1 << "7" << 1 << "" << 7;
        QTest::newRow("63.4 stores 63") << 1 << "63.4" << 0 << "" << 63;
        QTest::newRow("12.5 stores 12") << 1 << "12.5" << 2 << "" << 12;
        QTest::newRow("63.6 refused") << 1 << "63.6" << 0 << "Node ID is not supported!(1~63)" << 0;
        QTest::newRow("127 under DeviceNet")
            << 1 << "127" << 0 << "Node ID is not supported!(1~63)" << 0;
        QTest::newRow("empty") << 1 << "" << 0 << "Node ID is not supported!(1~63)" << 0;
        QTest::newRow("no digits") << 1 << "node" << 0 << "Node ID is not supported!(1~63)" << 0;
        QTest::newRow("127 under CANopen") << 0 << "127" << 7 << "" << 127;
        QTest::newRow("1.5 stores 2") << 0 << "1.5" << 4 << "" << 2;
        QTest::newRow("0 under CANopen")
            << 0 << "0" << 0 << "Node ID is not supported!(1~127)" << 0;
        QTest::newRow("128 under CANopen")
            << 0 << "128" << 0 << "Node ID is not supported!(1~127)" << 0;
    }

    void CanSettingValidatesAndStores() {
        QFETCH(int, storedLayer);
        QFETCH(QString, nodeText);
        QFETCH(int, rate);
        QFETCH(QString, message);
        QFETCH(int, nodeId);
        MainWindowRig rig;
        rig.Connect();
        rig.image.settings.AppLayer = static_cast<std::uint8_t>(storedLayer);
        ReopenCanSide(rig);
        const ConfigImage before = rig.image;
        const QString viewerRate = rig.c().ViewerText[1]->text();

        rig.c().CANNodeId->setText(nodeText);
        rig.c().CANBaudrate->setCurrentIndex(rate);
        rig.c().SettingCANParameter->click();

        if (!message.isEmpty()) {
            QCOMPARE(rig.boxes.shown, (std::vector<ShownBox>{{message.toStdString(), "Error"}}));
            QCOMPARE(rig.image.settings.NodeId, before.settings.NodeId);
            QCOMPARE(rig.image.settings.CanBaudIndex, before.settings.CanBaudIndex);
            QCOMPARE(rig.c().CANNodeId->text(), nodeText);  // the input stays for correcting
            QCOMPARE(rig.c().ViewerText[1]->text(), viewerRate);
            return;
        }
        QVERIFY(rig.boxes.shown.empty());
        QCOMPARE(rig.image.settings.AppLayer, storedLayer);
        QCOMPARE(rig.image.settings.CanBaudIndex, rate);
        QCOMPARE(rig.image.settings.NodeId, nodeId);
        QCOMPARE(rig.c().ViewerText[0]->text(),
                 QString::fromStdString(storedLayer ? "DeviceNet" : "CANopen"));
        QCOMPARE(rig.c().ViewerText[1]->text(), rig.c().CANBaudrate->itemText(rate));
        QCOMPARE(rig.c().ViewerText[2]->text(), QString::number(nodeId));
        QCOMPARE(rig.c().CommunicationState->text(), QStringLiteral("Setting CAN Parameter Ok"));
    }

    void OpeningTheCanSideCorrectsSilently() {
        MainWindowRig rig;
        rig.Connect();
        rig.image.settings.AppLayer = 0;
        rig.image.settings.NodeId = 200;
        rig.image.settings.CanBaudIndex = 9;
        ReopenCanSide(rig);
        QVERIFY(rig.boxes.shown.empty());
        QCOMPARE(rig.image.settings.NodeId, 1);
        QCOMPARE(rig.c().CANNodeId->text(), QStringLiteral("1"));
        QCOMPARE(rig.image.settings.CanBaudIndex, 0);
        // Switching the option to CANopen filled the list and chose its first entry.
        QCOMPARE(rig.c().ViewerText[1]->text(), QStringLiteral("         10    KBPS"));

        // With the option already on, the list is refilled here and nothing is chosen.
        rig.image.settings.CanBaudIndex = 9;
        ReopenCanSide(rig);
        QCOMPARE(rig.image.settings.CanBaudIndex, 0);
        QCOMPARE(rig.c().CANBaudrate->currentIndex(), -1);
        QVERIFY(rig.c().ViewerText[1]->text().isEmpty());
    }

    void DeviceNetCodeWithoutARateShowsNoneAndNeedsAChoice() {
        MainWindowRig rig;
        rig.Connect();
        rig.image.settings.CanBaudIndex = 5;
        ReopenCanSide(rig);
        QCOMPARE(rig.c().CANBaudrate->count(), 3);
        QCOMPARE(rig.c().CANBaudrate->currentIndex(), -1);
        QVERIFY(rig.c().ViewerText[1]->text().isEmpty());
        QCOMPARE(rig.image.settings.CanBaudIndex, 5);

        rig.c().SettingCANParameter->click();
        QCOMPARE(rig.boxes.shown.size(), std::size_t{1});
        QCOMPARE(rig.boxes.shown[0].title, std::string("Error"));
        QCOMPARE(rig.image.settings.CanBaudIndex, 5);

        rig.c().CANBaudrate->setCurrentIndex(2);
        rig.c().SettingCANParameter->click();
        QCOMPARE(rig.image.settings.CanBaudIndex, 2);
    }

    void LayerListIsRefilledOnceWhenSwitchingSides() {
        MainWindowRig rig;
        rig.Connect();
        rig.image.settings.AppLayer = 0;
        ReopenCanSide(rig);
        QCOMPARE(Entries(rig.c().CANBaudrate).size(), 8);
        // The user picks DeviceNet without committing, then looks at the COM side and back.
        rig.c().ApplicationSelect[1]->click();
        QCOMPARE(Entries(rig.c().CANBaudrate),
                 QStringList({"       125    KBPS", "       250    KBPS", "       500    KBPS"}));
        QCOMPARE(rig.c().CANBaudrate->currentIndex(), 0);
        ReopenCanSide(rig);
        QVERIFY(rig.c().ApplicationSelect[0]->isChecked());
        QStringList entries = Entries(rig.c().CANBaudrate);
        QCOMPARE(entries.size(), 8);
        QCOMPARE(entries.removeDuplicates(), 0);
        QCOMPARE(rig.image.settings.AppLayer, 0);
    }

    void ComSideShowsTheSettingsWithoutPadding() {
        MainWindowRig rig;
        rig.Connect();
        rig.c().ComButton[1]->click();
        QCOMPARE(rig.form.Panels().ShownPanel(), 1);
        QVERIFY(rig.Shown(rig.c().ComParaSetting));
        QVERIFY(rig.Shown(rig.c().COMParaView));
        QVERIFY(!rig.Shown(rig.c().ParaSetting));
        QVERIFY(!rig.Shown(rig.c().ParaView));
        QCOMPARE(rig.c().ComButton[1]->BackColour(), QColor(255, 0, 0));
        QCOMPARE(rig.c().ComButton[0]->BackColour(), QColor(192, 192, 192));
        QVERIFY(!rig.c().ComButton[0]->Value());
        QCOMPARE(rig.c().ComBr->currentText(), QStringLiteral("            9600   BPS"));
        const QStringList viewer = {"9600   BPS", "8", "NONE", "1", "200 ms"};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(rig.c().COMViewerText[i]->text(), viewer[i]);
        }
    }

    void ComSetValidatesTheTimeoutAndComputesTheCheckByte_data() {
        QTest::addColumn<QString>("timeout");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("parity");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("storedTimeout");
        QTest::addColumn<int>("checkByte");
        QTest::newRow("9600 8N1") << "200" << 3 << 0 << true << 200 << 174;
        QTest::newRow("largest timeout") << "32767" << 3 << 0 << true << 32767 << 174;
        QTest::newRow("57600 8O1") << "12.5" << 6 << 2 << true << 12 << 236;
        QTest::newRow("115200 8E1") << "1" << 7 << 1 << true << 1 << 205;
        QTest::newRow("timeout 32768") << "32768" << 3 << 0 << false << 200 << 174;
        QTest::newRow("timeout 0") << "0" << 3 << 0 << false << 200 << 174;
        QTest::newRow("timeout text") << "soon" << 3 << 0 << false << 200 << 174;
    }

    void ComSetValidatesTheTimeoutAndComputesTheCheckByte() {
        QFETCH(QString, timeout);
        QFETCH(int, baud);
        QFETCH(int, parity);
        QFETCH(bool, accepted);
        QFETCH(int, storedTimeout);
        QFETCH(int, checkByte);
        MainWindowRig rig;
        rig.Connect();
        rig.c().ComButton[1]->click();
        rig.c().ComBr->setCurrentIndex(baud);
        rig.c().ComPb->setCurrentIndex(parity);
        rig.c().ComTimeout->setText(timeout);
        rig.c().SettingCOMParameter->click();

        QCOMPARE(rig.image.settings.ComTimeout, storedTimeout);
        QCOMPARE(rig.image.settings.ComCheckByte, checkByte);
        if (!accepted) {
            QCOMPARE(
                rig.boxes.shown,
                (std::vector<ShownBox>{{"Timeout value is out of range!(1ms~32767ms)", "Error"}}));
            QCOMPARE(rig.image.settings.ComBaudIndex, 3);
            QCOMPARE(rig.c().COMViewerText[4]->text(), QStringLiteral("200 ms"));
            return;
        }
        QVERIFY(rig.boxes.shown.empty());
        QCOMPARE(rig.image.settings.ComBaudIndex, baud);
        QCOMPARE(rig.image.settings.ComParity, parity);
        QCOMPARE(rig.image.settings.ComDataBits, 8);
        QCOMPARE(rig.image.settings.ComStopBits, 1);
        QCOMPARE(rig.c().COMViewerText[4]->text(), QString::number(storedTimeout) + " ms");
        QCOMPARE(rig.c().COMViewerText[0]->text(), rig.c().ComBr->currentText().trimmed());
        QCOMPARE(rig.c().CommunicationState->text(), QStringLiteral("Setting COM Parameter Ok"));
    }

    void ReleasingAToggleHidesTheSettingFramesAndPressingItAgainOnlyBringsItBack() {
        MainWindowRig rig;
        rig.Connect();
        ChannelToggle* com = rig.c().ComButton[1];
        com->click();
        com->click();  // released
        QVERIFY(!rig.Shown(rig.c().ComParaSetting));
        QVERIFY(!rig.Shown(rig.c().ParaSetting));
        QVERIFY(rig.Shown(rig.c().COMParaView));
        QCOMPARE(com->BackColour(), QColor(192, 192, 192));

        rig.image.settings.ComBaudIndex = 0;  // not shown until the side is opened anew
        com->click();
        QVERIFY(rig.Shown(rig.c().ComParaSetting));
        QCOMPARE(com->BackColour(), QColor(255, 0, 0));
        QCOMPARE(rig.c().ComBr->currentIndex(), 3);
    }

    void ReturnInAFieldCommitsItsPanel() {
        MainWindowRig rig;
        rig.Connect();
        rig.c().CANNodeId->clear();
        QTest::keyClicks(rig.c().CANNodeId, "9");
        QTest::keyClick(rig.c().CANNodeId, Qt::Key_Return);
        QCOMPARE(rig.image.settings.NodeId, 9);

        rig.c().ComButton[1]->click();
        rig.c().ComTimeout->clear();
        QTest::keyClicks(rig.c().ComTimeout, "40000");
        QTest::keyClick(rig.c().ComTimeout, Qt::Key_Return);
        QCOMPARE(rig.boxes.shown.size(), std::size_t{1});
        QCOMPARE(rig.image.settings.ComTimeout, 200);
    }

    void CloseAsksAndIsRefusedWhileBusy() {
        MainWindowRig rig;
        rig.boxes.answer = BoxAnswer::No;
        QVERIFY(!rig.form.close());
        QCOMPARE(rig.boxes.shown, (std::vector<ShownBox>{{"Are you sure to exit this program?",
                                                          "Exit Query", BoxButtons::YesNo}}));
        QVERIFY(rig.form.isVisible());

        rig.boxes.shown.clear();
        rig.form.Session().Busy = true;
        QVERIFY(!rig.form.close());
        QCOMPARE(rig.boxes.shown, (std::vector<ShownBox>{{"Module is connecting now!", "Error"}}));

        rig.form.Session().Busy = false;
        rig.boxes.answer = BoxAnswer::Yes;
        QVERIFY(rig.form.close());
    }

    void ExitProgramAndTheFileMenuExitCloseTheSameWay() {
        MainWindowRig rig;
        rig.boxes.answer = BoxAnswer::No;
        rig.c().ExitProgramButton->click();
        rig.c().ExitProgram->trigger();
        QCOMPARE(rig.boxes.shown.size(), std::size_t{2});
        QCOMPARE(rig.boxes.shown[1].title, std::string("Exit Query"));
    }

    void ScreenBoxesShowTheirTitleAndReturnTheAnswer() {
        QtMessageBoxes boxes;
        QString seenTitle;
        QString seenText;
        QMessageBox::StandardButton seenDefault = QMessageBox::NoButton;
        // Answers the box with `button` once it is on screen.
        auto answerWith = [&](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, [&, button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                seenTitle = box->windowTitle();
                seenText = box->text();
                seenDefault = box->standardButton(box->defaultButton());
                box->button(button)->click();
            });
        };
        answerWith(QMessageBox::No);
        QCOMPARE(boxes.Show("Are you sure to exit this program?", "Exit Query", BoxButtons::YesNo,
                            BoxIcon::Question),
                 BoxAnswer::No);
        QCOMPARE(seenTitle, QStringLiteral("Exit Query"));
        answerWith(QMessageBox::Yes);
        QCOMPARE(boxes.Show("?", "Exit Query", BoxButtons::YesNo, BoxIcon::Question),
                 BoxAnswer::Yes);
        QCOMPARE(seenDefault, QMessageBox::Yes);
        // A question whose safe answer is No has No as its default.
        answerWith(QMessageBox::Yes);
        QCOMPARE(boxes.Show("?", "Export To EEP", BoxButtons::YesNoDefaultNo, BoxIcon::Question),
                 BoxAnswer::Yes);
        QCOMPARE(seenDefault, QMessageBox::No);
        // A box without a title of its own shows the program's.
        answerWith(QMessageBox::Ok);
        QCOMPARE(boxes.Show("Inappropriate ioctl for device", "", BoxButtons::Ok, BoxIcon::None),
                 BoxAnswer::Ok);
        QCOMPARE(seenTitle, QStringLiteral("Tavrin"));
        QCOMPARE(seenText, QStringLiteral("Inappropriate ioctl for device"));
    }

    void AboutOpensOneWindowAtMost() {
        MainWindowRig rig;
        rig.c().About_->trigger();
        rig.c().About_->trigger();
        QCOMPARE(rig.form.findChildren<AboutWindow*>().size(), 1);
        QVERIFY(rig.form.findChild<AboutWindow*>()->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
