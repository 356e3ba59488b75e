// Writes from the windows go to the gateway that was read, and what the window holds as read
// follows what that gateway holds: two simulators on two list entries, over Tavrin's real serial
// path. Connected to the first, with the list moved to the second, Finish and Export To EEP refuse
// and the second gateway receives nothing; after a verified Finish, Import To ini file saves what
// the gateway holds now, and after an unverified one it asks for a Connect first.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "EepromFile.h"
#include "PtyWindowRig.h"
#include "SimProcess.h"
#include "WholeFile.h"
#include "appobj/editor/AppObjectEditor.h"
#include "eds/ui/ConnectionWizard.h"

using namespace tavrin;
using tavrin::testing::ShownBox;

namespace {

using testing::PtyWindowRig;

void Pick(QComboBox* list, int position) {
    list->setCurrentIndex(position);
    emit list->activated(position);
}

// One simulated gateway with the shipped configuration, in a folder of its own.
struct Gateway {
    Gateway() {
        gatewaysim::SaveEeprom(scratch.File("eeprom.bin"), gatewaysim::DefaultEeprom());
        sim.emplace(scratch.File("eeprom.bin"));
    }
    testing::ScratchDir scratch;
    std::optional<testing::SimProcess> sim;
};

ConnectionWizard* OpenWizard(PtyWindowRig& rig) {
    rig.c().CreateMBDevice->click();
    if (rig.form.Editor() == nullptr) {
        return nullptr;
    }
    rig.form.Editor()->Controls().NextButton->click();
    return rig.form.Wizard();
}

enum class WriteJob { Finish, Export };

}  // namespace

Q_DECLARE_METATYPE(WriteJob)

class WriteTargetTest : public QObject {
    Q_OBJECT
private slots:
    void WritesOnlyTheGatewayThatWasRead_data() {
        QTest::addColumn<WriteJob>("job");
        QTest::newRow("Finish") << WriteJob::Finish;
        QTest::newRow("Export To EEP") << WriteJob::Export;
    }

    void WritesOnlyTheGatewayThatWasRead() {
        QFETCH(WriteJob, job);
        Gateway a;
        Gateway b;
        const std::string bEeprom = testing::ReadWholeFile(b.scratch.File("eeprom.bin"));
        PtyWindowRig rig(*a.sim, 1);
        rig.env["TAVRIN_COM2"] = b.sim->Device();
        rig.boxes.answer = BoxAnswer::No;
        rig.Connect();
        QVERIFY(rig.form.Connected());
        const QString aName = QStringLiteral("COM 1 (%1)").arg(a.sim->Device().c_str());
        const QString bName = QStringLiteral("COM 2 (%1)").arg(b.sim->Device().c_str());
        QCOMPARE(rig.form.windowTitle(), QStringLiteral("General Setting - ") + aName);

        Pick(rig.c().ComPort, 1);
        const std::string ini = rig.programDir.File("5310G_EEP.ini");
        rig.dialogs.Answer(ini);
        rig.c().ImportToINI->trigger();
        ConnectionWizard* wizard = nullptr;
        auto write = [&] {
            if (job == WriteJob::Finish) {
                wizard->Controls().FinishDeviceSet->click();
            } else {
                rig.dialogs.Answer(ini);
                rig.c().ExportToEEP->trigger();
            }
        };
        if (job == WriteJob::Finish) {
            wizard = OpenWizard(rig);
            QVERIFY(wizard);
        }
        write();

        const QString refusal = QStringLiteral("The gateway in this window was read on ") + aName +
                                QStringLiteral(", but the port list shows ") + bName +
                                QStringLiteral(". Nothing was written: connect to ") + bName +
                                QStringLiteral(" first.");
        QCOMPARE(rig.boxes.shown, (std::vector<ShownBox>{{refusal.toStdString(), "Warning"}}));
        QVERIFY(!rig.form.Session().Busy);
        QVERIFY(!rig.port.IsOpen());
        if (job == WriteJob::Finish) {
            QCOMPARE(rig.form.Wizard(), wizard);
            QVERIFY(wizard->Controls().FinishDeviceSet->isEnabled());
            QVERIFY(wizard->Controls().BackButton->isEnabled());
            QVERIFY(!rig.form.LastVerifyOutcome());
        }

        // Back on the port that was read, the same write goes through, to that gateway only.
        Pick(rig.c().ComPort, 0);
        rig.boxes.shown.clear();
        write();
        QCOMPARE(rig.form.LastVerifyOutcome(), std::optional(ReadBackOutcome::Verified));

        b.sim->Stop();
        a.sim->Stop();
        QVERIFY(!testing::ReadWholeFile(a.sim->TranscriptPath()).empty());
        QVERIFY(std::filesystem::exists(b.sim->TranscriptPath()));
        QCOMPARE(testing::ReadWholeFile(b.sim->TranscriptPath()), std::string());
        QVERIFY(testing::ReadWholeFile(b.scratch.File("eeprom.bin")) == bEeprom);
    }

    void ImportAfterFinishSavesWhatTheGatewayHolds_data() {
        QTest::addColumn<bool>("verify");
        QTest::newRow("verified") << true;
        QTest::newRow("not verified") << false;
    }

    void ImportAfterFinishSavesWhatTheGatewayHolds() {
        QFETCH(bool, verify);
        Gateway a;
        PtyWindowRig rig(*a.sim);
        rig.form.SetVerifyWrites(verify);
        rig.Connect();
        QCOMPARE(rig.image.settings.NodeId, 5);
        rig.c().CANNodeId->setText(QStringLiteral("12"));
        rig.c().SettingCANParameter->click();
        ConnectionWizard* wizard = OpenWizard(rig);
        QVERIFY(wizard);
        wizard->Controls().FinishDeviceSet->click();
        QVERIFY(rig.boxes.shown.empty());
        QCOMPARE(rig.form.Wizard(), nullptr);

        const std::string afterFinish = a.scratch.File("after-finish.ini");
        rig.dialogs.Answer(afterFinish);
        rig.c().ImportToINI->trigger();
        if (!verify) {
            // What the gateway holds now was never read: nothing is saved or compared.
            rig.c().CompareWithFile->trigger();
            const ShownBox connectFirst{
                "The gateway was written, but what it holds now was not read back. Connect "
                "first, then save or compare.",
                "Error"};
            QCOMPARE(rig.boxes.shown, (std::vector<ShownBox>{connectFirst, connectFirst}));
            QVERIFY(rig.dialogs.asked.empty());
            QVERIFY(!std::filesystem::exists(afterFinish));
            return;
        }
        QVERIFY(rig.boxes.shown.empty());

        // A fresh read of the gateway finds node 12 and saves the very same file.
        rig.Connect();
        QCOMPARE(rig.image.settings.NodeId, 12);
        const std::string afterConnect = a.scratch.File("after-connect.ini");
        rig.dialogs.Answer(afterConnect);
        rig.c().ImportToINI->trigger();
        QCOMPARE(testing::ReadWholeFile(afterFinish), testing::ReadWholeFile(afterConnect));
    }
};

QTEST_MAIN(WriteTargetTest)
#include "WriteTargetTest.moc"
