// The EDS file's folder for a user who may not write the program's folder, as a technician meets
// it when the program is installed under /usr: the wizard shows the folder (the documents folder,
// made when missing), Finish stores, proves and writes the file there; a folder the user may not
// write is refused before anything is typed, and another one can be chosen. Runs as nobody.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "EepromFile.h"
#include "FakeConsoleHardware.h"
#include "OrdinaryUser.h"
#include "RecordingReadView.h"
#include "ScriptedFileDialogs.h"
#include "SimulatedGateway.h"
#include "WizardSteps.h"
#include "console/ReadBack.h"
#include "eds/EdsFile.h"
#include "gatewaysim/TempDir.h"

using namespace tavrin;
using namespace tavrin::testing;
namespace fs = std::filesystem;

namespace {

constexpr fs::perms kReadOnly = fs::perms::owner_read | fs::perms::owner_exec;

// The window as installed: its program folder read-only, the documents folder not there yet.
struct InstalledRig {
    InstalledRig() : gateway(port, gatewaysim::DefaultEeprom()) {
        fs::create_directory(program);
        fs::permissions(program, kReadOnly);
        MainServices services{image, assemblies, selections, port,    clock,
                              pump,  boxes,      dialogs,    FakeEnv, program.string()};
        services.documentsFolder = documents.string();
        services.askFolder = [this](const std::string&) { return chosenFolder; };
        form.emplace(std::move(services));
        form->show();
    }
    ~InstalledRig() {
        form.reset();
        std::error_code ignored;
        fs::permissions(program, fs::perms::owner_all, ignored);
        fs::permissions(documents, fs::perms::owner_all, ignored);
    }
    ConnectionWizard* OpenWizard() {
        form->Controls().Connect->click();
        form->Controls().CreateMBDevice->click();
        form->Editor()->Controls().NextButton->click();
        return form->Wizard();
    }
    std::string EdsName() const { return EdsFileName(image.settings.NodeId); }

    FakeClock clock;
    ScriptedPort port{clock};
    FakePump pump{clock, port};
    RecordingBoxes boxes;
    ScriptedFileDialogs dialogs;
    ConfigImage image;
    AssemblyTables assemblies;
    ConnectionSelections selections;
    SimulatedGateway gateway;
    gatewaysim::TempDir scratch;
    fs::path program = scratch.Path() / "bin";
    fs::path documents = scratch.Path() / "home" / "Documents";
    std::optional<std::string> chosenFolder;
    std::optional<MainWindow> form;
};

}  // namespace

class EdsFolderTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!PermissionsBind()) {
            QSKIP("root writes every folder; needs setpriv to run as an ordinary user");
        }
    }

    void FinishWritesIntoTheDocumentsFolderWhenTheProgramsFolderIsNotWritable() {
        InstalledRig rig;
        ConnectionWizard* wizard = rig.OpenWizard();
        QVERIFY(wizard != nullptr);
        auto* shown = wizard->findChild<QLineEdit*>(QStringLiteral("EdsFolder"));
        QVERIFY(shown != nullptr && shown->isReadOnly());
        QCOMPARE(shown->text().toStdString(), rig.documents.string());
        QVERIFY(fs::is_directory(rig.documents));

        wizard->Controls().FinishDeviceSet->click();
        QVERIFY(rig.boxes.shown.empty());
        QCOMPARE(rig.form->LastVerifyOutcome(), std::optional(ReadBackOutcome::Verified));
        QCOMPARE(rig.form->Controls().CommunicationState->text(), QString::fromLatin1(kVerified));
        const fs::path eds = rig.documents / rig.EdsName();
        QVERIFY(fs::exists(eds));
        QVERIFY(fs::is_empty(rig.program));
        QCOMPARE(rig.form->Controls().CommunicationState->toolTip().toStdString(),
                 "EDS file: " + eds.string());
    }

    void AFolderThatCannotTakeTheFileIsRefusedBeforeAnythingIsTyped() {
        InstalledRig rig;
        fs::create_directories(rig.documents);
        fs::permissions(rig.documents, kReadOnly);
        ConnectionWizard* wizard = rig.OpenWizard();
        const std::size_t typedBefore = rig.port.written.size();
        const int opensBefore = rig.port.opens;

        wizard->Controls().FinishDeviceSet->click();
        QCOMPARE(rig.port.written.size(), typedBefore);
        QCOMPARE(rig.port.opens, opensBefore);
        QCOMPARE(rig.boxes.shown.size(), std::size_t{1});
        const std::string path = rig.documents.string() + "/" + rig.EdsName();
        QCOMPARE(rig.boxes.shown[0].text,
                 "Can't write " + path +
                     ": Permission denied\nNothing was written to the gateway. Choose a folder "
                     "you may write for the EDS file, then press Finish again.");
        QCOMPARE(rig.form->Wizard(), wizard);
        QVERIFY(wizard->Controls().FinishDeviceSet->isEnabled());
        QVERIFY(!rig.form->Session().Busy);

        // Another folder, and Finish goes through.
        const fs::path other = rig.scratch.Path() / "eds";
        fs::create_directory(other);
        rig.chosenFolder = other.string();
        wizard->Controls().EdsFolderChange->click();
        QCOMPARE(wizard->Controls().EdsFolder->text().toStdString(), other.string());
        QCOMPARE(rig.form->Folders().Choices().eds, other.string());
        wizard->Controls().FinishDeviceSet->click();
        QCOMPARE(rig.form->LastVerifyOutcome(), std::optional(ReadBackOutcome::Verified));
        QVERIFY(fs::exists(other / rig.EdsName()));
    }
};

int main(int argc, char** argv) {
    BecomeOrdinaryUser(argc, argv);
    QApplication app(argc, argv);
    EdsFolderTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EdsFolderTest.moc"
