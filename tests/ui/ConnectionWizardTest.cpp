// The connection wizard through its controls and the whole job around it: from the main window
// through the editor to the wizard, Finish against the simulated gateway, and back.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <sstream>

#include "WholeFile.h"
#include "WizardSteps.h"

namespace tavrin::testing {
namespace {

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        entries << list->itemText(i);
    }
    return entries;
}

QStringList BoxTexts(const MainWindowRig& main) {
    QStringList texts;
    for (const auto& box : main.boxes.shown) {
        texts << QString::fromStdString(box.text);
    }
    return texts;
}

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

class ConnectionWizardTest : public QObject {
    Q_OBJECT
private slots:
    // The shipped configuration: outputs DO 13 bits and AO 2 registers, input AI 1 register;
    // Poll produces input assembly 03 and consumes output assembly 01.
    void RestoresTheStoredChoicesWithoutAMessage() {
        MainWindowRig main;
        ConnectionWizard* wizard = OpenWizard(main);
        QVERIFY(wizard && wizard->isVisible());
        QVERIFY(!main.form.Editor()->isVisible());
        QCOMPARE(wizard->windowTitle(), QStringLiteral("XQVEDS"));
        QVERIFY(main.boxes.shown.empty());

        const auto& c = wizard->Controls();
        QCOMPARE(Entries(c.InPut[1]),
                 (QStringList{"None", "I : 01(Assembly 03)", "I : 02(AI,App.04)"}));
        QCOMPARE(Entries(c.OutPut[2]),
                 (QStringList{"None", "O : 01(Assembly 01)", "O : 02(Assembly 02)",
                              "O : 03(DO,App.01)", "O : 04(DO,App.03)", "O : 05(AO,App.02)"}));
        QCOMPARE(c.InPut[0]->currentText(), QStringLiteral("I : 01(Assembly 03)"));
        QCOMPARE(c.OutPut[0]->currentText(), QStringLiteral("O : 01(Assembly 01)"));
        QCOMPARE(c.InPut[1]->currentText(), QStringLiteral("None"));
        // The Bit-Strobe and COS/Cyclic consumed paths are not the user's, and show nothing.
        for (int i : {1, 2}) {
            QVERIFY(!c.OutPut[i]->isEnabled());
            QCOMPARE(c.OutPut[i]->currentIndex(), -1);
            QCOMPARE(c.Label1[2 * i + 1]->text(), QStringLiteral("xxxxxxxxxxxx"));
        }
        QVERIFY(c.EDSInfo[0]->text().isEmpty() && c.EDSInfo[1]->text().isEmpty());
        QCOMPARE(main.selections.InputSel[0], 1);
        QCOMPARE(main.selections.OutputSel[0], 1);
    }

    void StartsFromNoneWhenTheChoicesNoLongerApply() {
        struct Case {
            const char* name;
            int storedPollInput;  // top byte of connection word 1
            bool editObjects;
            const char* message;  // empty: restored silently
        };
        const Case cases[] = {
            {"last entry", 2, false, ""},
            {"beyond the list", 3, false, "EEPROM ERROR,We show the default value."},
            {"objects edited", 1, true, "This is a new Setting for XQV gateway"},
        };
        for (const Case& k : cases) {
            gatewaysim::Eeprom eeprom = gatewaysim::DefaultEeprom();
            eeprom.SetWord(1, 1, static_cast<Word>(k.storedPollInput) * 16777216u + 0x040003u);
            MainWindowRig main(eeprom);
            ConnectionWizard* wizard = OpenWizard(main, [&] {
                if (k.editObjects) {
                    main.form.Editor()->Controls().DeleteApp->click();
                }
            });
            const auto& c = wizard->Controls();
            if (*k.message) {
                QCOMPARE(BoxTexts(main), QStringList{k.message});
                QCOMPARE(main.boxes.shown[0].title, std::string());
                QCOMPARE(c.InPut[0]->currentText(), QStringLiteral("None"));
                QCOMPARE(c.OutPut[0]->currentText(), QStringLiteral("None"));
                QCOMPARE(main.selections.InputSel[0], 0);
            } else {
                QVERIFY2(main.boxes.shown.empty(), k.name);
                QCOMPARE(main.selections.InputSel[0], k.storedPollInput);
            }
        }
    }

    void BitStrobeTakesNoMoreThanEightBytes() {
        MainWindowRig main;
        ConnectionWizard* wizard = OpenWizard(main, [&] {
            AddDigitalInput(*main.form.Editor(), "7", "0", "65");
            AddDigitalInput(*main.form.Editor(), "8", "0", "64");
        });
        const auto& c = wizard->Controls();
        // None, the digital assembly (17 bytes), the analog one (2), DI 65 bits, DI 64, AI 1.
        QCOMPARE(c.InPut[1]->itemText(3), QStringLiteral("I : 03(DI,App.05)"));
        main.boxes.shown.clear();

        Pick(c.InPut[1], 4);
        QVERIFY(main.boxes.shown.empty());
        QCOMPARE(main.selections.InputSel[1], 4);
        for (int tooLong : {3, 1}) {
            Pick(c.InPut[1], tooLong);
            QCOMPARE(BoxTexts(main), QStringList{"Error! The selected data length > 8 bytes"});
            QCOMPARE(main.boxes.shown[0].title, std::string("Error"));
            QCOMPARE(c.InPut[1]->currentIndex(), 4);
            QCOMPARE(main.selections.InputSel[1], 4);
            main.boxes.shown.clear();
        }
        // Poll and COS/Cyclic connections carry any size.
        Pick(c.InPut[0], 1);
        Pick(c.InPut[2], 3);
        QVERIFY(main.boxes.shown.empty());
        QCOMPARE(main.selections.InputSel[0], 1);
        QCOMPARE(main.selections.InputSel[2], 3);
    }

    // A stored Bit-Strobe choice can be too long when the words came from elsewhere (a parameter
    // file); it is refused like a user's choice and the list falls back to "None".
    void ATooLongStoredBitStrobeChoiceFallsBackToNone() {
        MainWindowRig main;
        main.Connect();
        main.image.settings.ReadAppObjects[3].MBCL = 5;  // AI of 5 registers: 10 bytes
        main.image.settings.StoredIOTotals[3] = 5;
        main.image.words.Block1Words[2] = 2u * 16777216u + 100u * 65536u + 4u * 256u + 23u;
        ConnectionWizard* wizard = OpenWizard(main);
        QCOMPARE(BoxTexts(main), QStringList{"Error! The selected data length > 8 bytes"});
        QCOMPARE(wizard->Controls().InPut[1]->currentText(), QStringLiteral("None"));
        QCOMPARE(main.selections.InputSel[1], 0);
        QCOMPARE(wizard->Controls().InPut[0]->currentText(), QStringLiteral("I : 01(Assembly 03)"));
    }

    void BackAndTheCloseBoxReturnToTheEditorWithItsTable() {
        MainWindowRig main;
        for (bool byBack : {true, false}) {
            ConnectionWizard* wizard =
                OpenWizard(main, [&] { AddDigitalInput(*main.form.Editor(), "9", "0", "8"); });
            if (byBack) {
                wizard->Controls().BackButton->click();
            } else {
                wizard->close();
            }
            QCOMPARE(main.form.Wizard(), nullptr);
            AppObjectEditor* editor = main.form.Editor();
            QVERIFY(editor && editor->isVisible());
            QVERIFY(!main.form.isVisible());
            QCOMPARE(main.image.working.AppCount, 5);
            editor->Controls().Command2->click();
        }
    }

    // The whole job as a new user does it, then a reconnect that finds it stored.
    void FinishStoresTheJobWritesTheEdsFileAndReturnsToMain() {
        MainWindowRig main;
        ConnectionWizard* wizard =
            OpenWizard(main, [&] { AddDigitalInput(*main.form.Editor(), "7", "100", "16"); });
        main.boxes.shown.clear();  // the new-setting message
        main.form.Editor()->Controls().ShowAppInf->click();
        const auto& c = wizard->Controls();
        QCOMPARE(c.InPut[0]->itemText(3), QStringLiteral("I : 03(DI,App.05)"));
        Pick(c.InPut[0], 3);
        Pick(c.OutPut[0], 2);
        QTest::keyClicks(c.EDSInfo[0], QStringLiteral("Line 3 packer"));
        QTest::keyClicks(c.EDSInfo[1], QStringLiteral("J. Okafor"));
        c.FinishDeviceSet->click();

        QCOMPARE(main.c().CommunicationState->text(), QStringLiteral("Verified"));
        QVERIFY(main.boxes.shown.empty());
        QVERIFY(main.form.isVisible());
        QCOMPARE(main.form.Wizard(), nullptr);
        QCOMPARE(main.form.Editor(), nullptr);
        QCOMPARE(main.form.Views().AppObjView(), nullptr);
        QVERIFY(!main.form.Session().Busy);
        QVERIFY(!main.port.IsOpen());

        const std::string eds = ReadWholeFile(main.programDir.File("RODAR_ 5.eds"));
        QVERIFY(eds.find("$ File Description Section : Line 3 packer\r\n") != std::string::npos);
        QVERIFY(eds.find("$ Created by : J. Okafor\r\n") != std::string::npos);
        // The gateway holds the job: Poll produces entry 3, the new object, and consumes entry 2.
        QCOMPARE(main.gateway.Image().Word(1, 1), 3u * 16777216 + 100 * 65536 + 5 * 256 + 22);
        QCOMPARE(main.gateway.Image().Word(1, 4), 2u * 16777216 + 4 * 65536 + 2 * 256 + 3);

        // A reconnect reads it back and the wizard shows the same choices without a message.
        main.Connect();
        QCOMPARE(main.image.settings.ReadAppCount, 5);
        wizard = OpenWizard(main);
        QVERIFY(main.boxes.shown.empty());
        QCOMPARE(wizard->Controls().InPut[0]->currentText(), QStringLiteral("I : 03(DI,App.05)"));
        QCOMPARE(wizard->Controls().OutPut[0]->currentText(),
                 QStringLiteral("O : 02(Assembly 02)"));
    }

    // Finish reads back what it stored: a settings-only store compares the settings and the
    // connection words alone, and a connection word that keeps its old value is listed.
    void AFinishThatDoesNotHoldIsListed() {
        gatewaysim::ConsoleFaults faults;
        faults.stuck.push_back({1, 16});
        MainWindowRig main(gatewaysim::DefaultEeprom(), faults);
        ConnectionWizard* wizard = OpenWizard(main);
        Pick(wizard->Controls().OutPut[0], 2);
        wizard->Controls().FinishDeviceSet->click();

        QCOMPARE(BoxTexts(main),
                 QStringList{"The gateway does not hold what was written:\nblock 1 byte 16 "
                             "(ReadBlock1Words[4]): written 33817091, read 17039619"});
        QCOMPARE(main.boxes.shown[0].title, std::string("Error"));
        QCOMPARE(main.c().CommunicationState->text(), QStringLiteral("Produce EDS File OK"));
        QCOMPARE(main.form.Wizard(), nullptr);
        QVERIFY(!main.form.Session().Busy);
        QVERIFY(!main.port.IsOpen());
    }

    void AFailedFinishLeavesTheWizardReadyToTryAgain() {
        MainWindowRig main;
        ConnectionWizard* wizard = OpenWizard(main);
        main.gateway.SlowFromLine(1, 400'000);  // every answer comes after the 200 ms window
        wizard->Controls().FinishDeviceSet->click();

        QCOMPARE(BoxTexts(main), QStringList{"Timeout"});
        QCOMPARE(main.boxes.shown[0].title, std::string());
        QCOMPARE(main.c().CommunicationState->text(), QStringLiteral("Timeout"));
        QCOMPARE(main.form.Wizard(), wizard);
        QVERIFY(wizard->isVisible());
        QVERIFY(wizard->Controls().BackButton->isEnabled());
        QVERIFY(wizard->Controls().FinishDeviceSet->isEnabled());
        QVERIFY(!main.form.Session().Busy);
        QVERIFY(!main.port.IsOpen());
        QVERIFY(!QFile::exists(QString::fromStdString(main.programDir.File("RODAR_ 5.eds"))));

        // Pressing Finish again writes the whole job.
        main.gateway.SlowFromLine(1 << 30, 0);
        wizard->Controls().FinishDeviceSet->click();
        QCOMPARE(main.c().CommunicationState->text(), QStringLiteral("Verified"));
        QCOMPARE(main.form.Wizard(), nullptr);
    }
};

}  // namespace tavrin::testing

QTEST_MAIN(tavrin::testing::ConnectionWizardTest)
#include "ConnectionWizardTest.moc"
