// The main window without a gateway: a configuration made new or opened from a file goes through
// the panels, the editor and the wizard as a gateway's does, and Finish saves it with its EDS
// file without opening a port; the file then restores into a gateway as the configuration edited.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "WholeFile.h"
#include "WizardSteps.h"
#include "eds/EdsFile.h"
#include "offline/FirmwareRevision.h"

namespace tavrin::testing {
namespace {

// Adds a digital input object (FC02) through the editor's controls.
void AddDigitalInput(AppObjectEditor& editor, const char* id, const char* start, const char* bits) {
    const AppObjectEditorControls& c = editor.Controls();
    c.EraseMB->click();
    c.MB_ID->setText(QString::fromLatin1(id));
    Pick(c.MB_IO_type, 1);
    c.MB_Start_addr->setText(QString::fromLatin1(start));
    c.MB_Comm_len->setText(QString::fromLatin1(bits));
    c.AddApp->click();
}

}  // namespace

class OfflineWindowTest : public QObject {
    Q_OBJECT
private slots:
    void ANewConfigurationFinishedOfflineRestoresIntoAGateway() {
        MainWindowRig main;
        main.c().NewConfiguration->trigger();
        QVERIFY(main.form.Connected() && main.form.Offline());
        QCOMPARE(main.c().CommunicationState->text(), QStringLiteral("Offline: New configuration"));
        QCOMPARE(main.c().ConfigurationSource->text(),
                 QStringLiteral("New configuration, no gateway"));
        QVERIFY(!main.c().ExportToEEP->isEnabled());

        main.c().CreateMBDevice->click();
        QVERIFY(main.form.Editor());
        AddDigitalInput(*main.form.Editor(), "3", "10", "16");
        main.form.Editor()->Controls().NextButton->click();
        ConnectionWizard* wizard = main.form.Wizard();
        QVERIFY(wizard);
        const auto& w = wizard->Controls();
        QVERIFY(w.FirmwareRevision->isVisibleTo(wizard));
        Pick(w.InPut[0], 1);
        w.EDSInfo[0]->setText(QStringLiteral("Desk job"));

        // A revision that is not one is refused before anything is asked or written.
        w.FirmwareRevision->setText(QStringLiteral("1.5"));
        const std::size_t boxesBefore = main.boxes.shown.size();
        w.FinishDeviceSet->click();
        QCOMPARE(main.boxes.shown.size(), boxesBefore + 1);
        QCOMPARE(main.boxes.shown.back().text, FirmwareRevisionRefusal("1.5"));
        QVERIFY(main.form.Wizard() && main.dialogs.asked.empty());

        const std::string ini = (main.programDir.Path() / "desk.ini").string();
        w.FirmwareRevision->setText(QStringLiteral("1.05"));
        main.dialogs.Answer(ini);
        w.FinishDeviceSet->click();
        QVERIFY(!main.form.Wizard());
        QCOMPARE(main.port.opens, 0);
        const std::string eds = (main.programDir.Path() / "RODAR_ 1.eds").string();
        QVERIFY(std::filesystem::exists(ini));
        QVERIFY(ReadWholeFile(eds).find("Desk job") != std::string::npos);
        QCOMPARE(main.c().CommunicationState->text().toStdString(),
                 "Saved " + ini + "; Produce EDS File OK: " + eds);
        const ConfigWords saved = main.image.words.AsRead();

        // On site: Connect, write the file, read the gateway again.
        main.Connect();
        QVERIFY(!main.form.Offline());
        main.boxes.answer = BoxAnswer::No;  // stay when the job is done
        main.dialogs.Answer(ini);
        main.c().ExportToEEP->trigger();
        main.Connect();
        QVERIFY(main.form.LastReadOutcome() == ReadOutcome::Completed);
        const GatewaySettings& read = main.image.settings;
        QVERIFY(!read.ConfigWrong);
        QCOMPARE(int(read.ReadAppCount), 1);
        QCOMPARE(int(read.ReadAppObjects[0].MBID), 3);
        QCOMPARE(int(read.ReadAppObjects[0].IOType), 2);
        QCOMPARE(read.ReadAppObjects[0].MBSA, 10);
        QCOMPARE(read.ReadAppObjects[0].MBCL, 16);
        for (int k = 0; k < kBlock0ConfigWords; ++k) {
            QCOMPARE(main.image.words.ReadBlock0Words[k], saved.block0[k]);
        }
        QVERIFY(main.image.words.AsRead().block1 == saved.block1);
    }

    // A gateway's parameter file finished without the gateway, and the gateway finished online with
    // the same choices at the same moment: the same words and the same EDS file.
    void OfflineFinishMatchesOnlineFinish() {
        MainWindowRig online;
        online.Connect();
        const std::string ini = (online.programDir.Path() / "gateway.ini").string();
        online.dialogs.Answer(ini);
        online.c().ImportToINI->trigger();
        ConnectionWizard* wizard = OpenWizard(online);
        wizard->Controls().EDSInfo[0]->setText(QStringLiteral("Same job"));
        wizard->Controls().FinishDeviceSet->click();
        QVERIFY(!online.form.Wizard());

        MainWindowRig offline;
        offline.dialogs.Answer(ini);
        offline.c().OpenConfiguration->trigger();
        QVERIFY(offline.form.Offline());
        offline.c().CreateMBDevice->click();
        offline.form.Editor()->Controls().NextButton->click();
        const auto& w = offline.form.Wizard()->Controls();
        w.EDSInfo[0]->setText(QStringLiteral("Same job"));
        w.FirmwareRevision->setText(QStringLiteral("1.05"));
        offline.dialogs.Answer((offline.programDir.Path() / "saved.ini").string());
        w.FinishDeviceSet->click();
        QVERIFY(!offline.form.Wizard());

        const ConfigWords saved = offline.image.words.AsRead();
        for (int k = 0; k < kBlock0ConfigWords; ++k) {
            QCOMPARE(saved.block0[k], online.gateway.Image().Word(0, 10 + k));
        }
        for (int k = 0; k < kBlock1Words; ++k) {
            QCOMPARE(saved.block1[k], online.gateway.Image().Word(1, k));
        }
        const std::string eds = EdsFileName(online.image.settings.NodeId);
        const std::string onlineEds = ReadWholeFile((online.programDir.Path() / eds).string());
        QVERIFY(onlineEds.find("Same job") != std::string::npos);
        QCOMPARE(ReadWholeFile((offline.programDir.Path() / eds).string()), onlineEds);
    }

    // A file that is no configuration changes nothing: the configuration shown stays.
    void ABadFileLeavesTheConfigurationOpen() {
        MainWindowRig main;
        main.dialogs.Answer(std::string(TAVRIN_APPLY_EXAMPLE));
        main.c().OpenConfiguration->trigger();
        QVERIFY(main.form.Offline());
        QCOMPARE(main.c().CommunicationState->text(),
                 QStringLiteral("Offline: apply-example.json"));
        QCOMPARE(int(main.image.settings.NodeId), 12);

        const std::string bad = (main.programDir.Path() / "bad.ini").string();
        WriteWholeFile(bad, "[EEPB_0]\nAdd0=1\n");
        main.dialogs.Answer(bad);
        main.c().OpenConfiguration->trigger();
        QCOMPARE(main.boxes.shown.back().text, bad + ": [EEPB_0] Add1 is missing or empty");
        QCOMPARE(main.boxes.shown.back().title, std::string("Error"));
        QCOMPARE(main.form.OfflinePath(), std::string(TAVRIN_APPLY_EXAMPLE));
        QCOMPARE(int(main.image.settings.NodeId), 12);
        QCOMPARE(main.port.opens, 0);
    }
};

}  // namespace tavrin::testing

QTEST_MAIN(tavrin::testing::OfflineWindowTest)
#include "OfflineWindowTest.moc"
