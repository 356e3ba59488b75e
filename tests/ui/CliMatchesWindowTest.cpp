// tavrin-cli and the window on the same gateway give the same files: a parameter file saved by
// the main window's "Import To ini file" and one saved by `tavrin-cli backup` are byte for byte
// the same, and `tavrin-cli eds` writes the EDS file the wizard's Finish wrote for the
// configuration it stored (apart from ModDate and ModTime, the moment of writing). The window runs
// on its real serial path against the simulator program on a pseudo-terminal.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <sstream>

#include "EepromFile.h"
#include "MainWindowRig.h"
#include "PtyWindowRig.h"
#include "SimProcess.h"
#include "WholeFile.h"
#include "appobj/editor/AppObjectEditor.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"
#include "eds/ui/ConnectionWizard.h"

using namespace tavrin;

namespace {

using gatewaysim::Eeprom;

testing::CommandResult Cli(const testing::SimProcess& sim, std::vector<std::string> args) {
    args.insert(args.begin(), TAVRIN_CLI_WATCHED_EXE);
    args.insert(args.end(), {"--port", "1"});
    const auto room = testing::CliRoom();
    args.insert(args.end(), room.begin(), room.end());
    return testing::RunCommand(args, {"TAVRIN_COM1=" + sim.Device()});
}

void Pick(QComboBox* list, int position) {
    list->setCurrentIndex(position);
    emit list->activated(position);
}

// Every line but the two that carry the moment the file was written.
QStringList LinesBesidesModified(const std::string& eds) {
    QStringList lines;
    int modified = 0;
    std::istringstream in(eds);
    std::string line;
    while (std::getline(in, line)) {
        if (line.find("ModDate    = ") != std::string::npos ||
            line.find("ModTime    = ") != std::string::npos) {
            ++modified;
            continue;
        }
        lines << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    }
    return modified == 2 ? lines : QStringList{"ModDate or ModTime missing"};
}

enum class EdsJob { StoredObjects, EditedObjects };

}  // namespace

Q_DECLARE_METATYPE(EdsJob)

class CliMatchesWindowTest : public QObject {
    Q_OBJECT
private slots:
    void BackupSavesTheFileTheWindowSaves_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("shipped configuration") << 0;
        QTest::newRow("blank, read with the configuration warning") << 1;
        QTest::newRow("largest words") << 2;
    }

    void BackupSavesTheFileTheWindowSaves() {
        QFETCH(int, kind);
        Eeprom eeprom = kind == 1 ? Eeprom{} : gatewaysim::DefaultEeprom();
        if (kind == 2) {
            eeprom.SetWord(0, 10 + 20, 4294967295u);
            eeprom.SetWord(0, 10 + 28, 2147483648u);
            eeprom.SetWord(1, 6, 4294967295u);
        }
        testing::ScratchDir scratch;
        gatewaysim::SaveEeprom(scratch.File("eeprom.bin"), eeprom);
        testing::SimProcess sim(scratch.File("eeprom.bin"));

        testing::PtyWindowRig window(sim);
        window.c().Connect->click();
        QVERIFY(window.form.Connected());
        const std::string byWindow = scratch.File("window.ini");
        window.dialogs.Answer(byWindow);
        window.c().ImportToINI->trigger();

        const std::string byCli = scratch.File("cli.ini");
        const testing::CommandResult result = Cli(sim, {"backup", byCli});
        QVERIFY2(result.status == 0, result.err.c_str());
        const std::string saved = testing::ReadWholeFile(byWindow);
        QVERIFY(saved.size() > 300);
        QCOMPARE(testing::ReadWholeFile(byCli), saved);
    }

    void EdsWritesTheFileFinishWrote_data() {
        QTest::addColumn<EdsJob>("job");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("author");
        QTest::newRow("stored objects, new choices") << EdsJob::StoredObjects << "Line 3 packer"
                                                     << "J. Okafor";
        QTest::newRow("edited objects, Bit-Strobe on a new input") << EdsJob::EditedObjects << ""
                                                                   << "M. Ortiz";
        // Both keep the texts to the file's single-byte code page the same way.
        QTest::newRow("texts beyond ASCII")
            << EdsJob::StoredObjects << QString::fromUtf8("Caf\u00e9 \u03a9 line") << "N\u00f8rd";
    }

    void EdsWritesTheFileFinishWrote() {
        QFETCH(EdsJob, job);
        QFETCH(QString, description);
        QFETCH(QString, author);
        testing::ScratchDir scratch;
        gatewaysim::SaveEeprom(scratch.File("eeprom.bin"), gatewaysim::DefaultEeprom());
        testing::SimProcess sim(scratch.File("eeprom.bin"));

        testing::PtyWindowRig window(sim);
        window.c().Connect->click();
        QVERIFY(window.form.Connected());
        window.c().CreateMBDevice->click();
        AppObjectEditor* editor = window.form.Editor();
        QVERIFY(editor);
        if (job == EdsJob::EditedObjects) {
            // A digital input of 16 bits from device 7: input list None, Assembly 03,
            // Assembly 04, DI App.05, AI App.04.
            const AppObjectEditorControls& e = editor->Controls();
            e.EraseMB->click();
            e.MB_ID->setText(QStringLiteral("7"));
            Pick(e.MB_IO_type, 1);
            e.MB_Start_addr->setText(QStringLiteral("100"));
            e.MB_Comm_len->setText(QStringLiteral("16"));
            e.AddApp->click();
            QCOMPARE(window.image.working.AppCount, 5);
        }
        editor->Controls().NextButton->click();
        ConnectionWizard* wizard = window.form.Wizard();
        QVERIFY(wizard);
        const ConnectionWizardControls& w = wizard->Controls();
        Pick(w.OutPut[0], 2);
        Pick(w.InPut[0], 1);
        Pick(w.InPut[1], job == EdsJob::EditedObjects ? 3 : 2);
        Pick(w.InPut[2], 2);
        w.EDSInfo[0]->setText(description);
        w.EDSInfo[1]->setText(author);
        w.FinishDeviceSet->click();
        QCOMPARE(window.c().CommunicationState->text(), QStringLiteral("Verified"));
        const std::string byWindow = testing::ReadWholeFile(window.programDir.File("RODAR_ 5.eds"));
        QVERIFY(byWindow.size() > 1000);

        const std::string folder = scratch.File("cli");
        std::filesystem::create_directory(folder);
        const testing::CommandResult result =
            Cli(sim, {"eds", "--out", folder, "--description", description.toStdString(),
                      "--author", author.toStdString()});
        QVERIFY2(result.status == 0, result.err.c_str());
        // Stored choices come back without a message.
        QCOMPARE(QString::fromStdString(result.err),
                 QStringLiteral("tavrin-cli: reading COM 1 ...\n"
                                "tavrin-cli: reading COM 1: done\n"));
        const std::string byCli = testing::ReadWholeFile(folder + "/RODAR_ 5.eds");
        QCOMPARE(LinesBesidesModified(byCli), LinesBesidesModified(byWindow));
    }
};

QTEST_MAIN(CliMatchesWindowTest)
#include "CliMatchesWindowTest.moc"
