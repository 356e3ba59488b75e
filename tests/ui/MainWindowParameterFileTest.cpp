// The File menu's parameter files on the main window, through INI1 and the simulated gateway:
// what the dialogs are asked, the file a save leaves, what an export types into the gateway, and
// that a bad file or a cancel changes nothing.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "WholeFile.h"
#include "WizardSteps.h"
#include "rules/ExportQuestion.h"
#include "ui/main/QtFileDialogs.h"
#include "ui/main/TranscriptWindow.h"

namespace tavrin::testing {
namespace {

constexpr int kBlock0FirstWord = 10;  // byte 40

// The file a save must leave for the gateway's words, byte for byte.
std::string SavedText(const gatewaysim::Eeprom& eeprom) {
    std::string text = "[EEPB_0]\r\n";
    for (int k = 0; k < 29; ++k) {
        text += "Add" + std::to_string(k) + "=" +
                std::to_string(eeprom.Word(0, kBlock0FirstWord + k)) + "\r\n";
    }
    text += "Add29=0\r\n[EEPB_1]\r\n";
    for (int k = 0; k < 7; ++k) {
        text += "Add" + std::to_string(k) + "=" + std::to_string(eeprom.Word(1, k)) + "\r\n";
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

class MainWindowParameterFileTest : public QObject {
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
        MainWindowRig main;
        QWidget* ini = main.form.findChild<QWidget*>(QStringLiteral("INI1"));
        QVERIFY(ini);
        QCOMPARE(ini->parentWidget(), &main.form);
        QVERIFY(!ini->isVisible());
        QVERIFY(!main.c().ImportToINI->isEnabled());
        QVERIFY(!main.c().ExportToEEP->isEnabled());
    }

    void DialogsStartFromTheProgramFolderAndCancelChangesNothing() {
        MainWindowRig main;
        main.Connect();
        const gatewaysim::Eeprom before = main.gateway.Image();
        main.c().ImportToINI->trigger();
        main.c().ExportToEEP->trigger();

        QCOMPARE(main.dialogs.asked.size(), std::size_t{2});
        const std::string folder = main.programDir.Path().string();
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

        QVERIFY(std::filesystem::is_empty(main.programDir.Path()));
        QVERIFY(main.boxes.shown.empty());
        QVERIFY(main.gateway.Image() == before);
        QVERIFY(main.form.isVisible());
    }

    void SaveRightAfterAConnectHoldsTheWordsRead() {
        MainWindowRig main;
        main.Connect();
        const std::string path = main.programDir.File("5310G_EEP.ini");
        main.dialogs.Answer(path);
        main.c().ImportToINI->trigger();
        QCOMPARE(ReadWholeFile(path), SavedText(main.gateway.Image()));
        QVERIFY(main.boxes.shown.empty());
    }

    void ASaveThatCannotBeWrittenSaysSo() {
        MainWindowRig main;
        main.Connect();
        const std::string path = main.programDir.File("no-such-folder/5310G_EEP.ini");
        main.dialogs.Answer(path);
        main.c().ImportToINI->trigger();
        // The message names the file and the system's reason under its own text.
        QCOMPARE(main.boxes.shown, (std::vector<ShownBox>{{"Can't write the parameter file!\n" +
                                                               path + ": No such file or directory",
                                                           "Error"}}));
    }

    // Each kind of file dialog starts where the last one of its kind was answered.
    void DialogsStartWhereTheirKindWasLastUsed() {
        MainWindowRig main;
        main.Connect();
        const std::filesystem::path kept = main.programDir.Path() / "kept";
        std::filesystem::create_directory(kept);
        main.dialogs.Answer((kept / "5310G_EEP.ini").string());
        main.c().ImportToINI->trigger();
        main.c().ExportToEEP->trigger();     // cancelled
        main.form.Transcript().SaveClick();  // cancelled
        QCOMPARE(main.dialogs.asked.size(), std::size_t{3});
        QCOMPARE(main.dialogs.asked[1].request.folder, kept.string());
        QCOMPARE(main.dialogs.asked[2].request.folder, main.programDir.Path().string());
    }

    void ExportTypesTheFileWordsIntoTheGatewayAndOffersToExit() {
        MainWindowRig main;
        main.Connect();
        const gatewaysim::Eeprom before = main.gateway.Image();
        const std::string path = main.programDir.File("other.ini");
        WriteWholeFile(path, OtherWordsFile());
        main.dialogs.Answer(path);
        main.boxes.answer = BoxAnswer::No;
        main.c().ExportToEEP->trigger();

        for (int k = 0; k < 29; ++k) {
            const std::uint32_t expected = k == 5 ? 4294967295u : 3 * k + 1;
            QCOMPARE(main.gateway.Image().Word(0, kBlock0FirstWord + k), expected);
        }
        // The word after the configuration area is not written, whatever the file says.
        QCOMPARE(main.gateway.Image().Word(0, kBlock0FirstWord + 29),
                 before.Word(0, kBlock0FirstWord + 29));
        for (int k = 0; k < 7; ++k) {
            QCOMPARE(main.gateway.Image().Word(1, k), std::uint32_t(500 + k));
        }
        QCOMPARE(main.boxes.Without(kExportTitle),
                 (std::vector<ShownBox>{
                     {"Are you sure to exit this program?", "Exit Query", BoxButtons::YesNo}}));
        QCOMPARE(main.image.settings.AppLayer, 1);
        QVERIFY(!main.form.Session().Busy);
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
        MainWindowRig main;
        main.Connect();
        const gatewaysim::Eeprom before = main.gateway.Image();
        const int opens = main.port.opens;
        std::string text = OtherWordsFile();
        text.replace(text.find("Add29=88"), 8, "Add29=x");
        const std::string path = main.programDir.File("bad.ini");
        WriteWholeFile(path, text);
        main.dialogs.Answer(path);
        main.c().ExportToEEP->trigger();
        QCOMPARE(main.port.opens, opens);
        QVERIFY(main.boxes.shown.empty());

        main.form.Session().Busy = true;
        main.c().ImportToINI->trigger();
        main.c().ExportToEEP->trigger();
        QCOMPARE(main.dialogs.asked.size(), std::size_t{1});
        QVERIFY(main.gateway.Image() == before);
    }

    // After a failed reconnect a file can still be written, but Next and saving wait for a good
    // read.
    void ExportAfterAFailedReadKeepsNextAndSavingOff() {
        MainWindowRig main;
        main.Connect();
        main.gateway.SlowFromLine(1, 400'000);
        main.Connect();
        QVERIFY(!main.form.Connected());
        main.gateway.SlowFromLine(1 << 30, 0);
        const std::string path = main.programDir.File("other.ini");
        WriteWholeFile(path, OtherWordsFile());
        main.dialogs.Answer(path);
        main.boxes.answer = BoxAnswer::No;
        main.c().ExportToEEP->trigger();

        QCOMPARE(main.gateway.Image().Word(1, 6), 506u);
        QVERIFY(main.c().Connect->isEnabled());
        QVERIFY(main.c().ExportToEEP->isEnabled());
        QVERIFY(!main.c().CreateMBDevice->isEnabled());
        QVERIFY(!main.c().ImportToINI->isEnabled());
    }

    // As a new user: back up the gateway, change it with Finish, write the backup into it, and a
    // reconnect finds the backed-up configuration again.
    void ABackupWrittenBackRestoresTheGateway() {
        MainWindowRig main;
        main.Connect();
        const ConfigImage original = main.image;
        const std::string path = main.programDir.File("5310G_EEP.ini");
        main.dialogs.Answer(path);
        main.c().ImportToINI->trigger();

        ConnectionWizard* wizard = OpenWizard(main);
        Pick(wizard->Controls().OutPut[0], 2);
        wizard->Controls().FinishDeviceSet->click();
        QCOMPARE(main.c().CommunicationState->text(), QStringLiteral("Verified"));
        QVERIFY(main.gateway.Image().Word(1, 4) != original.words.ReadBlock1Words[4]);

        main.dialogs.Answer(path);
        main.boxes.answer = BoxAnswer::No;
        main.c().ExportToEEP->trigger();
        main.Connect();
        QVERIFY(main.form.Connected());
        QCOMPARE(main.image.words.ReadBlock0Words, original.words.ReadBlock0Words);
        QCOMPARE(main.image.words.ReadBlock1Words, original.words.ReadBlock1Words);
        QCOMPARE(main.image.settings.NodeId, original.settings.NodeId);
        QCOMPARE(main.image.settings.ReadAppCount, original.settings.ReadAppCount);
    }

    // Export To EEP reads the words back once its write has ended: "Verified" on a match, one
    // box listing the differing words, or one saying the write could not be checked; only a
    // proven write offers to end the program.
    void ExportIsReadBack_data() {
        QTest::addColumn<int>("stuckAddress");  // block 0 byte that keeps its value; 0: none
        QTest::addColumn<int>("silentFrom");    // the console dies from this line on; 0: never
        QTest::addColumn<bool>("verify");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("linesAfterConnect");
        const QString exitQuestion = QStringLiteral("Are you sure to exit this program?");
        QTest::newRow("verified") << 0 << 0 << true << "Verified" << exitQuestion << 48 + 53;
        QTest::newRow("stuck word")
            << 48 << 0 << true << ""
            << "The gateway does not hold what was written:\nblock 0 byte 48 (NodeId, AppLayer, "
               "CanBaudIndex): written 7, read 327936"
            << 48 + 53;
        // The connect's 53 lines, the write's 48, and the read-back unanswered from its fourth
        // line: its sixth, "exit", is the first whose answer it waits for.
        QTest::newRow("read-back times out")
            << 0 << 53 + 48 + 4 << true << ""
            << "The write finished, but it could not be checked: Timeout" << 48 + 6;
        QTest::newRow("off") << 48 << 0 << false << "" << exitQuestion << 48;
    }
    void ExportIsReadBack() {
        QFETCH(int, stuckAddress);
        QFETCH(int, silentFrom);
        QFETCH(bool, verify);
        QFETCH(QString, status);
        QFETCH(QString, box);
        QFETCH(int, linesAfterConnect);
        gatewaysim::ConsoleFaults faults;
        faults.silentFromLine = silentFrom;
        if (stuckAddress) {
            faults.stuck.push_back({0, stuckAddress});
        }
        MainWindowRig main(gatewaysim::DefaultEeprom(), faults);
        main.form.SetVerifyWrites(verify);
        main.Connect();
        const std::size_t connectLines = SentLines(main.port.written).size();
        const std::string path = main.programDir.File("other.ini");
        WriteWholeFile(path, OtherWordsFile());
        main.dialogs.Answer(path);
        main.boxes.answer = BoxAnswer::No;
        main.c().CommunicationState->clear();
        main.c().ExportToEEP->trigger();

        QCOMPARE(SentLines(main.port.written).size() - connectLines,
                 std::size_t(linesAfterConnect));
        QCOMPARE(main.c().CommunicationState->text(), status);
        const std::vector<ShownBox> shown = main.boxes.Without(kExportTitle);
        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(shown[0].text), box);
        QVERIFY(!main.form.Session().Busy);
        QVERIFY(!main.port.IsOpen());
        QVERIFY(main.c().ExportToEEP->isEnabled());
    }

    // Export To EEP over a gateway it has read shows the difference first and asks; No writes
    // nothing, and a file that holds the gateway's own configuration says so.
    void ExportAsksBeforeWriting_data() {
        QTest::addColumn<bool>("same");
        QTest::addColumn<bool>("yes");
        QTest::newRow("differs, Yes writes") << false << true;
        QTest::newRow("differs, No writes nothing") << false << false;
        QTest::newRow("equal, No writes nothing") << true << false;
    }
    void ExportAsksBeforeWriting() {
        QFETCH(bool, same);
        QFETCH(bool, yes);
        MainWindowRig main;
        main.Connect();
        const gatewaysim::Eeprom before = main.gateway.Image();
        const ConfigImage shownBefore = main.image;
        const std::size_t connectLines = SentLines(main.port.written).size();
        const std::string path = main.programDir.File("job.ini");
        WriteWholeFile(path, same ? SavedText(before) : OtherWordsFile());
        main.dialogs.Answer(path);
        main.boxes.answers[kExportTitle] = yes ? BoxAnswer::Yes : BoxAnswer::No;
        main.boxes.answer = BoxAnswer::No;  // to "exit this program?"
        main.c().ExportToEEP->trigger();

        QVERIFY(!main.boxes.shown.empty());
        const ShownBox& question = main.boxes.shown[0];
        QCOMPARE(question.title, std::string(kExportTitle));
        // Enter does not write what the gateway already holds.
        QVERIFY(question.buttons == (same ? BoxButtons::YesNoDefaultNo : BoxButtons::YesNo));
        const std::string opening = same ? std::string(
                                               "The gateway and the file hold the same "
                                               "configuration.\n")
                                         : "The gateway differs from " + path + " in ";
        QCOMPARE(question.text.substr(0, opening.size()), opening);
        if (yes) {
            QCOMPARE(main.gateway.Image().Word(1, 6), 506u);
            QCOMPARE(main.boxes.shown.size(), std::size_t{2});
            QCOMPARE(main.boxes.shown[1].title, std::string("Exit Query"));
            return;
        }
        QCOMPARE(main.boxes.shown.size(), std::size_t{1});
        QCOMPARE(SentLines(main.port.written).size(), connectLines);
        QVERIFY(main.gateway.Image() == before);
        // The window still shows the gateway as read, and can compare or save it.
        QCOMPARE(main.image.words.FileBlock1Words, shownBefore.words.FileBlock1Words);
        QVERIFY(main.form.Connected());
        QVERIFY(main.c().ImportToINI->isEnabled());
        // The rows of "Compare with file" stay open beside the window when there are any.
        QCOMPARE(main.form.CompareWindow() != nullptr, !same);
        if (!same) {
            auto* table = main.form.CompareWindow()->findChild<QTableWidget*>("CompareTable");
            QVERIFY(table != nullptr && table->rowCount() > 0);
        }
    }

    // Compare with file: only after a connect has read a configuration; the difference in a
    // table (field, gateway, file); nothing is sent to the gateway.
    void CompareWithFileShowsTheDifference() {
        MainWindowRig main;
        QCOMPARE(main.c().CompareWithFile->objectName(), QStringLiteral("CompareWithFile"));
        QVERIFY(!main.c().CompareWithFile->isEnabled());
        main.Connect();
        QVERIFY(main.c().CompareWithFile->isEnabled());
        const std::string same = main.programDir.File("same.ini");
        WriteWholeFile(same, SavedText(main.gateway.Image()));
        gatewaysim::Eeprom changed = main.gateway.Image();
        changed.SetWord(0, kBlock0FirstWord + 2, 12u * 65536u + 256u);
        const std::string other = main.programDir.File("changed.ini");
        WriteWholeFile(other, SavedText(changed));
        const gatewaysim::Eeprom before = main.gateway.Image();
        const std::size_t lines = SentLines(main.port.written).size();

        main.dialogs.Answer(same);
        main.c().CompareWithFile->trigger();
        QVERIFY(main.form.CompareWindow() != nullptr);
        auto* table = main.form.CompareWindow()->findChild<QTableWidget*>("CompareTable");
        QVERIFY(table != nullptr);
        QCOMPARE(table->rowCount(), 0);

        main.dialogs.Answer(other);
        main.c().CompareWithFile->trigger();
        table = main.form.CompareWindow()->findChild<QTableWidget*>("CompareTable");
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("gateway"));
        const QStringList row{table->item(0, 0)->text(), table->item(0, 1)->text(),
                              table->item(0, 2)->text()};
        QCOMPARE(row, (QStringList{"NodeId", "5", "12"}));
        QCOMPARE(SentLines(main.port.written).size(), lines);
        QVERIFY(main.gateway.Image() == before);
        QVERIFY(main.boxes.shown.empty());
    }
};

}  // namespace tavrin::testing

QTEST_MAIN(tavrin::testing::MainWindowParameterFileTest)
#include "MainWindowParameterFileTest.moc"
