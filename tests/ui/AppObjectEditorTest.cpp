// The application object editor through its controls: loading the objects read from a gateway,
// the key filter, Add, Update, Delete and Erase, the views beside it, and the way back to Main_F.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "MainWindowRig.h"
#include "ReadObjects.h"
#include "appobj/editor/AppObjectEditor.h"

namespace tavrin::testing {
namespace {

// MBID, IOType, FCSel, MBSA, MBCL: the four objects the simulated gateway ships with.
const std::vector<AppObject> kStored = {
    {1, 0, 0, 0, 10}, {2, 1, 0, 100, 2}, {1, 0, 0, 20, 3}, {3, 3, 1, 10, 1}};

// The editor on its own, over a configuration holding `read`.
struct EditorRig {
    explicit EditorRig(const std::vector<AppObject>& read) : image(ImageHolding(read)) {
        editor.SetBeep([this] { ++beeps; });
        editor.show();
    }
    const AppObjectEditorControls& c() const { return editor.Controls(); }
    bool Shown(const QWidget* w) const { return w->isVisibleTo(&editor); }
    void Type(const char* id, int code, const char* start, const char* length) {
        c().MB_ID->setText(QString::fromLatin1(id));
        PickCode(code);
        c().MB_Start_addr->setText(QString::fromLatin1(start));
        c().MB_Comm_len->setText(QString::fromLatin1(length));
    }
    // As a user picks a list entry.
    void PickCode(int code) {
        c().MB_IO_type->setCurrentIndex(code);
        emit c().MB_IO_type->activated(code);
    }
    void PickInstance(int index) {
        c().Instance->setCurrentIndex(index);
        emit c().Instance->activated(index);
    }
    QStringList Fields() const {
        return {c().MB_ID->text(), c().MB_IO_type->currentText(), c().MB_Start_addr->text(),
                c().MB_Comm_len->text()};
    }
    QStringList BoxTexts() const {
        QStringList texts;
        for (const auto& b : boxes.shown)
            texts << QString::fromStdString(b.text);
        return texts;
    }

    ConfigImage image;
    AssemblyTables assemblies;
    RecordingBoxes boxes;
    ObjectViews views{image.working, assemblies};
    AppObjectEditor editor{image, boxes, views};
    int beeps = 0;
};

QString Cell(QWidget* view, const char* grid, int row, int column) {
    auto* table = view->findChild<QTableWidget*>(QString::fromLatin1(grid));
    const QTableWidgetItem* item = table ? table->item(row, column) : nullptr;
    return item ? item->text() : QString();
}

}  // namespace

class AppObjectEditorTest : public QObject {
    Q_OBJECT
private slots:
    void LoadsTheStoredObjectsAndShowsTheFirst() {
        EditorRig rig(kStored);
        QCOMPARE(rig.editor.windowTitle(), QStringLiteral("Application Object Setting"));
        QCOMPARE(rig.c().Instance->count(), 4);
        QCOMPARE(rig.c().Instance->itemText(0), QStringLiteral("         Instance  1"));
        QCOMPARE(rig.c().Instance->itemText(3), QStringLiteral("         Instance  4"));
        QCOMPARE(rig.c().MB_IO_type->count(), 6);
        QCOMPARE(rig.Fields(), (QStringList{"1", "FC15 Force Multiple Coils (0x0x)", "0", "10"}));
        QCOMPARE(rig.c().Label1[2]->text(), QStringLiteral("Relay Address (xxxxx)"));
        QCOMPARE(rig.c().Label3[2]->text(), QStringLiteral("(1-1920)"));
        QVERIFY(rig.Shown(rig.c().EraseMB));
        QVERIFY(!rig.Shown(rig.c().AddApp));
        QVERIFY(rig.c().UpdateApp->isEnabled() && rig.c().DeleteApp->isEnabled());
        QCOMPARE(rig.image.working.IOTotals, (IOTotalArray{13, 2, 0, 1}));

        rig.PickInstance(3);
        QCOMPARE(rig.Fields(), (QStringList{"3", "FC03 Read Holding Registers (0x4x)", "10", "1"}));
        QCOMPARE(rig.c().Label1[3]->text(), QStringLiteral("Data Length (Words)"));
        QCOMPARE(rig.c().MB_Comm_len->maxLength(), 3);
    }

    void AnEmptyTableOffersAdd() {
        EditorRig rig({});
        QCOMPARE(rig.c().Instance->count(), 0);
        QVERIFY(rig.Shown(rig.c().AddApp));
        QVERIFY(!rig.Shown(rig.c().EraseMB));
        QVERIFY(!rig.c().UpdateApp->isEnabled() && !rig.c().DeleteApp->isEnabled());
        QCOMPARE(rig.c().MB_IO_type->currentIndex(), 0);
        QCOMPARE(rig.c().Label1[2]->text(), QStringLiteral("Relay Address (xxxxx)"));
        QCOMPARE(rig.c().Label3[1]->text(), QStringLiteral("(0-65535)"));
    }

    void KeysOtherThanDigitsAndBackspaceBeep() {
        EditorRig rig({});
        QLineEdit* length = rig.c().MB_Comm_len;
        QTest::keyClicks(length, "12a");
        QCOMPARE(length->text(), QStringLiteral("12"));
        QCOMPARE(rig.beeps, 1);
        QTest::keyClick(length, Qt::Key_Backspace);
        QCOMPARE(length->text(), QStringLiteral("1"));
        QTest::keyClicks(length, "-.9999");
        QCOMPARE(length->text(), QStringLiteral("1999"));  // four characters for bits
        QCOMPARE(rig.beeps, 3);
        // A typed digit brings Erase up, but it stays under Add.
        QVERIFY(rig.Shown(rig.c().EraseMB) && rig.Shown(rig.c().AddApp));

        rig.PickCode(5);  // FC16: registers
        QVERIFY(length->text().isEmpty());
        QTest::keyClicks(length, "1234");
        QCOMPARE(length->text(), QStringLiteral("123"));
    }

    void AddUpdateDeleteThroughTheForm() {
        EditorRig rig(kStored);
        rig.c().EraseMB->click();
        QVERIFY(rig.Shown(rig.c().AddApp));
        QCOMPARE(rig.Fields(), (QStringList{"", "FC01 Read Coil Status (0x0x)", "", ""}));

        rig.Type("7", 1, "300", "9");  // FC02, 9 inputs
        rig.c().AddApp->click();
        QCOMPARE(rig.c().Instance->count(), 5);
        QCOMPARE(rig.c().Instance->currentIndex(), 4);
        QCOMPARE(rig.Fields(), (QStringList{"7", "FC02 Read Input Status (0x1x)", "300", "9"}));
        QVERIFY(rig.Shown(rig.c().EraseMB) && !rig.Shown(rig.c().AddApp));
        QCOMPARE(rig.image.working.IOTotals, (IOTotalArray{13, 2, 9, 1}));
        QVERIFY(!rig.image.settings.ConnInfoValid);

        // Instance 1 from FC15 with 10 bits to FC16 with 4 registers.
        rig.PickInstance(0);
        rig.Type("1", 5, "0", "4");
        rig.c().UpdateApp->click();
        QCOMPARE(rig.BoxTexts(), QStringList{"Success!!!"});
        QCOMPARE(rig.image.working.IOTotals, (IOTotalArray{3, 6, 9, 1}));
        QCOMPARE(rig.c().Instance->itemText(0), QStringLiteral("         Instance  1"));

        rig.Type("1", 2, "0", "121");
        rig.c().UpdateApp->click();
        QCOMPARE(rig.BoxTexts(),
                 (QStringList{"Success!!!", "Communication Length Error. (1-120)", "Failure!!!"}));
        QCOMPARE(rig.image.working.IOTotals, (IOTotalArray{3, 6, 9, 1}));

        // Delete instance 2 of 5: the rest move up, the last entry goes, the last is selected.
        rig.PickInstance(1);
        rig.c().DeleteApp->click();
        QCOMPARE(rig.c().Instance->count(), 4);
        QCOMPARE(rig.c().Instance->currentIndex(), 3);
        QCOMPARE(rig.Fields(), (QStringList{"7", "FC02 Read Input Status (0x1x)", "300", "9"}));
        QCOMPARE(rig.image.working.AppObjects[1], (AppObject{1, 0, 0, 20, 3}));
        QCOMPARE(rig.image.working.AppObjects[4], AppObject{});
        QCOMPARE(rig.image.working.IOTotals, (IOTotalArray{3, 4, 9, 1}));

        // Deleting everything leaves no selection and no table commands.
        for (int i = 0; i < 4; ++i)
            rig.c().DeleteApp->click();
        QCOMPARE(rig.c().Instance->count(), 0);
        QCOMPARE(rig.c().Instance->currentIndex(), -1);
        QVERIFY(!rig.c().UpdateApp->isEnabled() && !rig.c().DeleteApp->isEnabled());
        QCOMPARE(rig.image.working.IOTotals, IOTotalArray{});
    }

    void TheEleventhAddIsRefused() {
        EditorRig rig({});
        for (int i = 0; i < 10; ++i) {
            rig.c().EraseMB->click();
            rig.Type("1", 3, "0", "1");
            rig.c().AddApp->click();
        }
        QCOMPARE(rig.c().Instance->count(), 10);
        QVERIFY(rig.boxes.shown.empty());
        rig.c().EraseMB->click();
        rig.Type("1", 3, "0", "1");
        rig.c().AddApp->click();
        QCOMPARE(rig.BoxTexts(), QStringList{"Application Object Max: 10"});
        QCOMPARE(rig.c().Instance->count(), 10);
    }

    void ViewsShowTheTableAsItWasWhenOpened() {
        EditorRig rig(kStored);
        rig.c().ShowAppInf->click();
        rig.c().ShowMBInf->click();
        rig.c().ShowAssInf->click();
        QWidget* app = rig.views.AppObjView();
        QVERIFY(app && app->isVisible());
        QCOMPARE(Cell(app, "AppObjParaRecord", 2, 2), QStringLiteral("Analog  Output"));
        QCOMPARE(Cell(app, "AppObjParaRecord", 2, 3), QStringLiteral(" 100"));
        QCOMPARE(Cell(rig.views.ModuleView(), "ModuleInfoRecord", 4, 1), QStringLiteral(" 3"));
        QWidget* ass = rig.views.AssObjView();
        QCOMPARE(Cell(ass, "AssConsParaRecord", 2, 1), QStringLiteral("65"));
        QCOMPARE(rig.assemblies.LastOutputAssembly, 1);

        rig.PickInstance(1);
        rig.c().DeleteApp->click();
        rig.c().ShowAppInf->click();  // already open: brought forward, not refreshed
        QCOMPARE(rig.views.AppObjView(), app);
        QCOMPARE(Cell(app, "AppObjParaRecord", 2, 3), QStringLiteral(" 100"));
        app->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        rig.c().ShowAppInf->click();
        QCOMPARE(Cell(rig.views.AppObjView(), "AppObjParaRecord", 2, 3), QStringLiteral(" 20"));
    }

    void NextHidesTheEditorKeepingItsTable() {
        EditorRig rig(kStored);
        QSignalSpy next(&rig.editor, &AppObjectEditor::NextRequested);
        rig.c().NextButton->click();
        QCOMPARE(next.count(), 1);
        QVERIFY(!rig.editor.isVisible());
        QCOMPARE(rig.image.working.AppCount, 4);
    }

    // From Main_F to the editor and back: Back discards the working table.
    void MainWindowOpensTheEditorAndBackReturns() {
        MainWindowRig main;
        main.Connect();
        main.c().CreateMBDevice->click();
        AppObjectEditor* editor = main.form.Editor();
        QVERIFY(editor && editor->isVisible());
        QVERIFY(!main.form.isVisible());
        QCOMPARE(editor->Controls().Instance->count(), 4);

        editor->Controls().DeleteApp->click();
        editor->Controls().Command2->click();
        QVERIFY(main.form.isVisible());
        QCOMPARE(main.form.Editor(), nullptr);
        QCOMPARE(main.image.working.AppCount, 0);

        // A new visit starts again from the objects as read.
        main.c().CreateMBDevice->click();
        QCOMPARE(main.form.Editor()->Controls().Instance->count(), 4);
    }

    void ClosingTheProgramClosesTheViews() {
        MainWindowRig main;
        main.Connect();
        main.c().CreateMBDevice->click();
        main.form.Editor()->Controls().ShowAssInf->click();
        main.form.Editor()->Controls().ShowMBInf->click();
        main.form.Editor()->Controls().Command2->click();
        QVERIFY(main.form.Views().AssObjView()->isVisible());
        main.form.close();
        QVERIFY(!main.form.Views().AssObjView() || !main.form.Views().AssObjView()->isVisible());
        QVERIFY(!main.form.Views().ModuleView() || !main.form.Views().ModuleView()->isVisible());
    }

    void CanOpenGatewaysGoNowhere() {
        MainWindowRig main;
        main.Connect();
        main.c().ApplicationSelect[0]->setEnabled(true);
        main.c().ApplicationSelect[0]->click();
        main.c().CreateMBDevice->click();
        QCOMPARE(main.form.Editor(), nullptr);
        QVERIFY(main.form.isVisible());
    }
};

}  // namespace tavrin::testing

QTEST_MAIN(tavrin::testing::AppObjectEditorTest)
#include "AppObjectEditorTest.moc"
