// The File menu's parameter files on the main window, through INI1 and the simulated gateway:
// what the dialogs are asked, the file a save leaves, what an export types into the gateway, and
// that a bad file or a cancel changes nothing.
#include <QAction>
#include <QPushButton>
#include <QTest>

#include "WholeFile.h"
#include "WizardSteps.h"
#include "ui/main/QtFileDialogs.h"

namespace tavrin::testing {
namespace {

constexpr int kBlock0FirstWord = 10;  // byte 40

// The file a save must leave for the gateway's words, byte for byte.
std::string SavedText(const gatewaysim::Eeprom& eeprom) {
    std::string text = "[EEPB_0]\r\n";
    for (int k = 0; k < 29; ++k) {
        text += "Add" + std::to_string(k) + "=" +
                std::to_string(eeprom.word(0, kBlock0FirstWord + k)) + "\r\n";
    }
    text += "Add29=0\r\n[EEPB_1]\r\n";
    for (int k = 0; k < 7; ++k) {
        text += "Add" + std::to_string(k) + "=" + std::to_string(eeprom.word(1, k)) + "\r\n";
    }
    return text;
}

// A parameter file of other words: block 0 word k = 3k + 1 (word 5 the largest word), block 1
// word k = 500 + k.
std::string OtherWordsFile() {
    std::string text = "[EEPB_0]\r\n";
    for (int k = 0; k < 30; ++k) {
        text += "Add" + std::to_string(k) + "=" +
                (k == 5 ? "4294967295" : std::to_string(3 * k + 1)) + "\r\n";
    }
    text += "[EEPB_1]\r\n";
    for (int k = 0; k < 7; ++k) {
        text += "Add" + std::to_string(k) + "=" + std::to_string(500 + k) + "\r\n";
    }
    return text;
}

}  // namespace

class MainFormParameterFileTest : public QObject {
    Q_OBJECT
private slots:
    // The dialog's filter as Qt takes it.
    void NameFiltersFromPairs_data() {
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<QString>("filters");
        QTest::newRow("parameter files") << "INI Files (*.ini)|*.ini"
                                         << "INI Files (*.ini)";
        QTest::newRow("pattern added") << "Text|*.txt|All|*"
                                       << "Text (*.txt);;All (*)";
        QTest::newRow("unpaired tail dropped") << "INI Files (*.ini)|*.ini|Odd"
                                               << "INI Files (*.ini)";
    }

    void NameFiltersFromPairs() {
        QFETCH(QString, pairs);
        QFETCH(QString, filters);
        QCOMPARE(QtNameFilters(pairs.toStdString()), filters);
    }

    void INI1IsAnUnseenControlOfTheWindow() {
        MainFormRig main;
        QWidget* ini = main.form.findChild<QWidget*>(QStringLiteral("INI1"));
        QVERIFY(ini);
        QCOMPARE(ini->parentWidget(), &main.form);
        QVERIFY(!ini->isVisible());
        QVERIFY(!main.c().ImportToINI->isEnabled());
        QVERIFY(!main.c().ExportToEEP->isEnabled());
    }

    void DialogsStartFromTheProgramFolderAndCancelChangesNothing() {
        MainFormRig main;
        main.Connect();
        const gatewaysim::Eeprom before = main.gateway.eeprom();
        main.c().ImportToINI->trigger();
        main.c().ExportToEEP->trigger();

        QCOMPARE(main.dialogs.asked.size(), std::size_t{2});
        const std::string folder = main.programDir.path().string();
        const AskedDialog& save = main.dialogs.asked[0];
        QVERIFY(save.save);
        QCOMPARE(save.request.title, std::string("Save k-5310G's EEP Para to ini file"));
        QCOMPARE(save.request.filter, std::string("INI Files (*.ini)|*.ini"));
        QCOMPARE(save.request.folder, folder);
        QCOMPARE(save.request.fileName, std::string("5310G_EEP.ini"));
        const AskedDialog& load = main.dialogs.asked[1];
        QVERIFY(!load.save);
        QCOMPARE(load.request.title, std::string("Write ini file to k-5310G's EEP"));
        QCOMPARE(load.request.folder, folder);
        QCOMPARE(load.request.fileName, std::string("5310G_EEP.ini"));

        QVERIFY(std::filesystem::is_empty(main.programDir.path()));
        QVERIFY(main.boxes.shown.empty());
        QVERIFY(main.gateway.eeprom() == before);
        QVERIFY(main.form.isVisible());
    }

    void SaveRightAfterAConnectHoldsTheWordsRead() {
        MainFormRig main;
        main.Connect();
        const std::string path = main.programDir.file("5310G_EEP.ini");
        main.dialogs.Answer(path);
        main.c().ImportToINI->trigger();
        QCOMPARE(ReadWholeFile(path), SavedText(main.gateway.eeprom()));
        QVERIFY(main.boxes.shown.empty());
    }

    void ASaveThatCannotBeWrittenSaysSo() {
        MainFormRig main;
        main.Connect();
        main.dialogs.Answer(main.programDir.file("no-such-folder/5310G_EEP.ini"));
        main.c().ImportToINI->trigger();
        QCOMPARE(main.boxes.shown,
                 (std::vector<ShownBox>{{"Can't write the parameter file!", "Error"}}));
    }

    void ExportTypesTheFileWordsIntoTheGatewayAndOffersToExit() {
        MainFormRig main;
        main.Connect();
        const gatewaysim::Eeprom before = main.gateway.eeprom();
        const std::string path = main.programDir.file("other.ini");
        WriteWholeFile(path, OtherWordsFile());
        main.dialogs.Answer(path);
        main.boxes.answer = BoxAnswer::No;
        main.c().ExportToEEP->trigger();

        for (int k = 0; k < 29; ++k) {
            const std::uint32_t expected = k == 5 ? 4294967295u : 3 * k + 1;
            QCOMPARE(main.gateway.eeprom().word(0, kBlock0FirstWord + k), expected);
        }
        // The word after the configuration area is not written, whatever the file says.
        QCOMPARE(main.gateway.eeprom().word(0, kBlock0FirstWord + 29),
                 before.word(0, kBlock0FirstWord + 29));
        for (int k = 0; k < 7; ++k) {
            QCOMPARE(main.gateway.eeprom().word(1, k), std::uint32_t(500 + k));
        }
        QCOMPARE(main.boxes.shown, (std::vector<ShownBox>{{"Are you sure to exit this program?",
                                                           "Exit Query", BoxButtons::YesNo}}));
        QCOMPARE(main.image.AppLayer, 1);
        QVERIFY(!main.image.Busy);
        QVERIFY(!main.port.IsOpen());
        // Staying on: the window is usable as before.
        QVERIFY(main.form.isVisible());
        QVERIFY(main.c().Connect->isEnabled());
        QVERIFY(main.c().CreateMBDevice->isEnabled());
        QVERIFY(main.c().ExportToEEP->isEnabled());

        main.boxes.answer = BoxAnswer::Yes;
        main.dialogs.Answer(path);
        main.c().ExportToEEP->trigger();
        QVERIFY(!main.form.isVisible());
    }

    // A file with a bad key, or a console sequence already running, never reaches the gateway.
    void NothingIsWrittenFromABadFileOrWhileBusy() {
        MainFormRig main;
        main.Connect();
        const gatewaysim::Eeprom before = main.gateway.eeprom();
        const int opens = main.port.opens;
        std::string text = OtherWordsFile();
        text.replace(text.find("Add29=88"), 8, "Add29=x");
        const std::string path = main.programDir.file("bad.ini");
        WriteWholeFile(path, text);
        main.dialogs.Answer(path);
        main.c().ExportToEEP->trigger();
        QCOMPARE(main.port.opens, opens);
        QVERIFY(main.boxes.shown.empty());

        main.image.Busy = true;
        main.c().ImportToINI->trigger();
        main.c().ExportToEEP->trigger();
        QCOMPARE(main.dialogs.asked.size(), std::size_t{1});
        QVERIFY(main.gateway.eeprom() == before);
    }

    // After a failed reconnect a file can still be written, but Next and saving wait for a good
    // read.
    void ExportAfterAFailedReadKeepsNextAndSavingOff() {
        MainFormRig main;
        main.Connect();
        main.gateway.SlowFromLine(1, 400'000);
        main.Connect();
        QVERIFY(!main.form.Connected());
        main.gateway.SlowFromLine(1 << 30, 0);
        const std::string path = main.programDir.file("other.ini");
        WriteWholeFile(path, OtherWordsFile());
        main.dialogs.Answer(path);
        main.boxes.answer = BoxAnswer::No;
        main.c().ExportToEEP->trigger();

        QCOMPARE(main.gateway.eeprom().word(1, 6), 506u);
        QVERIFY(main.c().Connect->isEnabled());
        QVERIFY(main.c().ExportToEEP->isEnabled());
        QVERIFY(!main.c().CreateMBDevice->isEnabled());
        QVERIFY(!main.c().ImportToINI->isEnabled());
    }

    // As a new user: back up the gateway, change it with Finish, write the backup into it, and a
    // reconnect finds the backed-up configuration again.
    void ABackupWrittenBackRestoresTheGateway() {
        MainFormRig main;
        main.Connect();
        const ConfigImage original = main.image;
        const std::string path = main.programDir.file("5310G_EEP.ini");
        main.dialogs.Answer(path);
        main.c().ImportToINI->trigger();

        XQVEdsSetForm* wizard = OpenWizard(main);
        Pick(wizard->Controls().OutPut[0], 2);
        wizard->Controls().FinishDeviceSet->click();
        QCOMPARE(main.c().CommunicationState->text(), QStringLiteral("Produce EDS File OK"));
        QVERIFY(main.gateway.eeprom().word(1, 4) != original.ReadBlock1Words[4]);

        main.dialogs.Answer(path);
        main.boxes.answer = BoxAnswer::No;
        main.c().ExportToEEP->trigger();
        main.Connect();
        QVERIFY(main.form.Connected());
        QCOMPARE(main.image.ReadBlock0Words, original.ReadBlock0Words);
        QCOMPARE(main.image.ReadBlock1Words, original.ReadBlock1Words);
        QCOMPARE(main.image.NodeId, original.NodeId);
        QCOMPARE(main.image.ReadAppCount, original.ReadAppCount);
    }
};

}  // namespace tavrin::testing

QTEST_MAIN(tavrin::testing::MainFormParameterFileTest)
#include "MainFormParameterFileTest.moc"
