// The three read-only views of the working table: the device view, the application object view and
// the assembly view, opened through ObjectViews as the editor and the main window open them.
#include <memory>
#include <vector>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QPointer>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

#include "appobj/views/AppObjectView.h"
#include "appobj/views/ObjectViews.h"
#include "assembly/ui/ShowAssObjForm.h"
#include "ui/common/Twips.h"

using namespace tavrin;

using Objects = std::vector<AppObject>;
Q_DECLARE_METATYPE(Objects)

namespace {

enum View { Module, AppObj, AssObj };

// A working table and the views on it, as the main window owns them.
struct ViewsRig {
    ConfigImage image;
    AssemblyTables assemblies;
    ObjectViews views{image, assemblies};

    // Replaces the working table; the totals follow the objects as the editor keeps them.
    void Load(const Objects& objects) {
        image.AppObjects = {};
        image.IOTotals = {};
        image.AppCount = static_cast<std::uint8_t>(objects.size());
        for (std::size_t i = 0; i < objects.size(); ++i) {
            image.AppObjects[i] = objects[i];
            image.IOTotals[objects[i].IOType] += objects[i].MBCL;
        }
    }

    QWidget* Open(int view) {
        switch (view) {
            case Module:
                views.OpenModuleView();
                return views.ModuleView();
            case AppObj:
                views.OpenAppObjView();
                return views.AppObjView();
            default:
                views.OpenAssObjView();
                return views.AssObjView();
        }
    }
};

QTableWidget* GridOf(QWidget* view, const char* name) {
    return view ? view->findChild<QTableWidget*>(QString::fromLatin1(name)) : nullptr;
}

QString Cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

QStringList Row(const QTableWidget* grid, int row) {
    QStringList texts;
    for (int c = 0; c < grid->columnCount(); ++c) {
        texts << Cell(grid, row, c);
    }
    return texts;
}

// Every cell holds an item (so that even an empty one is drawn like the others), centred.
void CheckAllCellsCentred(const QTableWidget* grid) {
    for (int r = 0; r < grid->rowCount(); ++r) {
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QTableWidgetItem* item = grid->item(r, c);
            QVERIFY2(item, qPrintable(QStringLiteral("no item at %1,%2").arg(r).arg(c)));
            QCOMPARE(item->textAlignment(), int(Qt::AlignCenter));
            QVERIFY(!(item->flags() & Qt::ItemIsEditable));
        }
    }
}

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// MBID, IOType, FCSel, MBSA, MBCL: two digital outputs, an analog output and an analog input.
const Objects kWorkedExample{
    {1, 0, 0, 0, 10}, {2, 1, 0, 100, 2}, {1, 0, 0, 20, 3}, {3, 3, 1, 10, 1}};

const QStringList kIOTypeNames{QStringLiteral("Digital Output"), QStringLiteral("Analog  Output"),
                               QStringLiteral("Digital Input "), QStringLiteral("Analog  Input ")};

}  // namespace

class ObjectViewsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { DeleteClosedWindows(); }

    void ViewWindows_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("grid");
        QTest::newRow("devices") << int(Module) << "ShowModule"
                                 << "Device Information"
                                 << "Modbus devices Information"
                                 << "ModuleInfoRecord";
        QTest::newRow("application objects") << int(AppObj) << "ShowAppObj"
                                             << "Application Object Information"
                                             << "Application Object Information"
                                             << "AppObjParaRecord";
        QTest::newRow("assembly") << int(AssObj) << "ShowAssObj"
                                  << "Assembly Object Information"
                                  << "Assembly Object"
                                  << "AssConsParaRecord";
    }
    void ViewWindows() {
        QFETCH(int, view);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QString, frame);
        QFETCH(QString, grid);
        ViewsRig rig;
        QWidget* window = rig.Open(view);
        QVERIFY(window);
        QCOMPARE(window->objectName(), name);
        QCOMPARE(window->windowTitle(), title);
        QVERIFY(window->isWindow());
        QVERIFY(!window->parentWidget());
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
        auto* box = window->findChild<QGroupBox*>(QStringLiteral("Frame1"));
        QVERIFY(box);
        QCOMPARE(box->title(), frame);
        QTableWidget* table = box->findChild<QTableWidget*>(grid);
        QVERIFY(table);
        QVERIFY(table->horizontalHeader()->isHidden());
        QVERIFY(table->verticalHeader()->isHidden());
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    void AppObjectGridLayout_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QList<int>>("widthTwips");
        QTest::newRow("devices") << int(Module) << QStringList{"No.",        "Device ID", "IO_Type",
                                                               "Start_Addr", "Comm_Len",  ""}
                                 << QList<int>{1200, 1200, 1560, 1200, 1200, 1200};
        QTest::newRow("application objects")
            << int(AppObj) << QStringList{"Instance No.",      "Device_ID(Att.1)", "IO_Type(Att.2)",
                                          "Start_Addr(Att.3)", "Comm_Len(Att.4)",  ""}
            << QList<int>{1440, 1800, 1560, 1800, 1680, 1200};
    }
    void AppObjectGridLayout() {
        QFETCH(int, view);
        QFETCH(QStringList, headings);
        QFETCH(QList<int>, widthTwips);
        ViewsRig rig;
        const QTableWidget* grid =
            GridOf(rig.Open(view), view == Module ? "ModuleInfoRecord" : "AppObjParaRecord");
        QVERIFY(grid);
        QCOMPARE(grid->rowCount(), 11);
        QCOMPARE(Row(grid, 0), headings);
        for (int c = 0; c < widthTwips.size(); ++c) {
            QCOMPARE(grid->columnWidth(c), TwipsToPixels(*grid, widthTwips[c]));
        }
        // All ten objects show without scrolling.
        QVERIFY(grid->viewport()->width() >= grid->horizontalHeader()->length());
        QVERIFY(grid->viewport()->height() >= grid->verticalHeader()->length());
    }

    void AppObjectRows_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<Objects>("objects");
        QTest::addColumn<QList<QStringList>>("rows");  // rows 1.., the rest must be empty

        Objects ten;
        QList<QStringList> tenRows;
        for (int i = 1; i <= 10; ++i) {
            ten.push_back({static_cast<std::uint8_t>(i + 240), static_cast<std::uint8_t>(i % 4), 0,
                           1000 * i, i});
            tenRows << QStringList{
                QString::number(i),           QStringLiteral(" %1").arg(i + 240),
                kIOTypeNames[i % 4],          QStringLiteral(" %1").arg(1000 * i),
                QStringLiteral(" %1").arg(i), QString()};
        }
        const QStringList fc16Row{"1", " 5", "Analog  Output", " 0", " 12", ""};
        for (int view : {int(Module), int(AppObj)}) {
            const char* prefix = view == Module ? "devices" : "app objects";
            QTest::addRow("%s, no objects", prefix) << view << Objects{} << QList<QStringList>{};
            QTest::addRow("%s, one FC16 object", prefix)
                << view << Objects{{5, 1, 0, 0, 12}} << QList<QStringList>{fc16Row};
            QTest::addRow("%s, ten objects", prefix) << view << ten << tenRows;
        }
    }
    void AppObjectRows() {
        QFETCH(int, view);
        QFETCH(Objects, objects);
        QFETCH(QList<QStringList>, rows);
        ViewsRig rig;
        rig.Load(objects);
        const QTableWidget* grid =
            GridOf(rig.Open(view), view == Module ? "ModuleInfoRecord" : "AppObjParaRecord");
        QVERIFY(grid);
        QCOMPARE(grid->rowCount(), 11);
        QCOMPARE(grid->columnCount(), 6);
        for (int r = 1; r < grid->rowCount(); ++r) {
            const QStringList expected = r <= rows.size() ? rows[r - 1] : QStringList(6, QString());
            QCOMPARE(Row(grid, r), expected);
        }
        CheckAllCellsCentred(grid);
    }

    void AssemblyTabs_data() {
        QTest::addColumn<Objects>("objects");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("tabTwips");
        QTest::addColumn<QString>("shownGrid");
        QTest::addColumn<QString>("firstId");
        QTest::newRow("no objects")
            << Objects{} << QStringList{} << QStringList{} << 0 << "AssConsParaRecord"
            << "";
        QTest::newRow("worked example")
            << kWorkedExample << QStringList{"Output Instance", "Input Instance"}
            << QStringList{"O", "I"} << 4199 << "AssConsParaRecord"
            << "64";
        QTest::newRow("only inputs") << Objects{{9, 2, 1, 0, 16}} << QStringList{"Input Instance"}
                                     << QStringList{"I"} << 8465 << "AssProdParaRecord"
                                     << "64";
        QTest::newRow("only outputs") << Objects{{9, 1, 0, 0, 3}} << QStringList{"Output Instance"}
                                      << QStringList{"O"} << 8465 << "AssConsParaRecord"
                                      << "64";
    }
    void AssemblyTabs() {
        QFETCH(Objects, objects);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, keys);
        QFETCH(int, tabTwips);
        QFETCH(QString, shownGrid);
        QFETCH(QString, firstId);
        ViewsRig rig;
        rig.Load(objects);
        QWidget* view = rig.Open(AssObj);
        auto* tabs = view->findChild<QTabBar*>(QStringLiteral("AssObjParaTableTag"));
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), captions.size());
        for (int i = 0; i < tabs->count(); ++i) {
            QCOMPARE(tabs->tabText(i), captions[i]);
            QCOMPARE(tabs->tabData(i).toString(), keys[i]);
            QCOMPARE(tabs->tabRect(i).width(), TwipsToPixels(*tabs, tabTwips));
        }
        QTableWidget* output = GridOf(view, "AssConsParaRecord");
        QTableWidget* input = GridOf(view, "AssProdParaRecord");
        QVERIFY(output && input);
        QCOMPARE(output->isVisible(), shownGrid == output->objectName());
        QCOMPARE(input->isVisible(), shownGrid == input->objectName());
        const QTableWidget* shown = output->isVisible() ? output : input;
        QCOMPARE(shown->rowCount(), 5);
        QCOMPARE(Cell(shown, 1, 1), firstId);
        if (captions.isEmpty()) {
            for (const QTableWidget* grid : {output, input}) {
                for (int r = 0; r < grid->rowCount(); ++r) {
                    QVERIFY(Row(grid, r).join(QString()).isEmpty());
                }
            }
        }
    }

    // Both grids of the worked example, switching tabs there and back; the tabs keep showing the
    // instances derived when the view opened, even after the working table changes.
    void AssemblyGridsOfTheWorkedExample() {
        ViewsRig rig;
        rig.Load(kWorkedExample);
        QWidget* view = rig.Open(AssObj);
        auto* tabs = view->findChild<QTabBar*>(QStringLiteral("AssObjParaTableTag"));
        QTableWidget* output = GridOf(view, "AssConsParaRecord");
        QTableWidget* input = GridOf(view, "AssProdParaRecord");
        QVERIFY(tabs && output && input);

        const auto checkOutput = [&] {
            QVERIFY(output->isVisible());
            QVERIFY(!input->isVisible());
            QCOMPARE(output->columnCount(), 7);
            QCOMPARE(Row(output, 0),
                     (QStringList{"IO Type", "Ins. ID (Hex)", "Ins. Length", "Mapping  0",
                                  "Mapping  1", "Mapping  2", "Mapping  3"}));
            QCOMPARE(Row(output, 1), (QStringList{"Digital", "64", "3", " 1:00007~00000",
                                                  " 1:00009~00008", " 1:00022~00020", ""}));
            QCOMPARE(Row(output, 2), (QStringList{"Analog", "65", "4", " 2:00100", " 2:00100",
                                                  " 2:00101", " 2:00101"}));
            QCOMPARE(Row(output, 3), QStringList(7, QString()));
            QCOMPARE(Row(output, 4), QStringList(7, QString()));
            for (int c = 0; c < 7; ++c) {
                QCOMPARE(output->columnWidth(c), TwipsToPixels(*output, c < 3 ? 1000 : 1400));
            }
            CheckAllCellsCentred(output);
        };
        checkOutput();

        rig.Load({{7, 2, 0, 0, 8}});
        tabs->setCurrentIndex(1);
        QVERIFY(input->isVisible());
        QVERIFY(!output->isVisible());
        QCOMPARE(input->columnCount(), 5);
        QCOMPARE(Row(input, 0), (QStringList{"IO Type", "Ins. ID (Hex)", "Ins. Length",
                                             "Mapping  0", "Mapping  1"}));
        QCOMPARE(Row(input, 1), (QStringList{"Analog", "66", "2", " 3:00010", " 3:00010"}));
        QCOMPARE(Row(input, 2), QStringList(5, QString()));
        CheckAllCellsCentred(input);

        // Back on the first tab the grid is filled again from the same instances.
        output->item(1, 1)->setText(QStringLiteral("stale"));
        tabs->setCurrentIndex(0);
        checkOutput();
    }

    void AssemblyLoadWritesTheSharedTables() {
        ViewsRig rig;
        rig.assemblies.Truncated = true;
        rig.assemblies.InputAssemblies[1].Length = 99;
        rig.Load(kWorkedExample);
        rig.Open(AssObj);
        const AssemblyTables& t = rig.assemblies;
        QCOMPARE(t.LastOutputAssembly, std::uint8_t{1});
        QCOMPARE(t.LastInputAssembly, std::uint8_t{0});
        QCOMPARE(t.OutputAssemblies[0].Length, std::int16_t{3});
        QCOMPARE(t.OutputAssemblies[1].Length, std::int16_t{4});
        QCOMPARE(t.InputAssemblies[0].Length, std::int16_t{2});
        QCOMPARE(t.InputAssemblies[1].Length, std::int16_t{0});
        QVERIFY(!t.Truncated);
        QCOMPARE(t.OutputAssemblies[1].Mapping.back(), std::string(" 2:00101"));
    }

    // The widest instance the gateway has room for, also when a stored table asks for more.
    void AssemblyGridOfTheLongestInstance_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("lastMapping");
        QTest::newRow("1025 bytes") << 8200 << " 1:08199~08192";
        QTest::newRow("cut off at 1025 bytes") << 9000 << " 1:08199~08192";
    }
    void AssemblyGridOfTheLongestInstance() {
        QFETCH(int, bits);
        QFETCH(QString, lastMapping);
        ViewsRig rig;
        rig.Load({{1, 0, 0, 0, bits}});
        const QTableWidget* output = GridOf(rig.Open(AssObj), "AssConsParaRecord");
        QVERIFY(output);
        QCOMPARE(output->columnCount(), 1028);
        QCOMPARE(Cell(output, 0, 1027), QStringLiteral("Mapping  1024"));
        QCOMPARE(Cell(output, 1, 2), QStringLiteral("1025"));
        QCOMPARE(Cell(output, 1, 1027), lastMapping);
        QCOMPARE(output->columnWidth(2), TwipsToPixels(*output, 1000));
        QCOMPARE(output->columnWidth(1027), TwipsToPixels(*output, 1400));
        QCOMPARE(output->item(4, 1027)->textAlignment(), int(Qt::AlignCenter));
    }

    // A second open only brings the view forward; after a close the next open shows the table
    // as it is then.
    void OpenAgainDoesNotRefresh_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("column");  // a cell of row 1 that shows the device id
        QTest::newRow("devices") << int(Module) << "ModuleInfoRecord" << 1;
        QTest::newRow("application objects") << int(AppObj) << "AppObjParaRecord" << 1;
        QTest::newRow("assembly") << int(AssObj) << "AssConsParaRecord" << 3;
    }
    void OpenAgainDoesNotRefresh() {
        QFETCH(int, view);
        QFETCH(QString, grid);
        QFETCH(int, column);
        const auto deviceShown = [&](QWidget* window) {
            return Cell(window->findChild<QTableWidget*>(grid), 1, column).section(':', 0, 0);
        };
        ViewsRig rig;
        rig.Load({{5, 0, 0, 0, 8}});
        QPointer<QWidget> first = rig.Open(view);
        QVERIFY(first);
        QCOMPARE(deviceShown(first), QStringLiteral(" 5"));

        rig.Load({{7, 0, 0, 0, 8}, {8, 0, 0, 8, 8}});
        QCOMPARE(rig.Open(view), first.data());
        QCOMPARE(deviceShown(first), QStringLiteral(" 5"));
        QCOMPARE(rig.assemblies.OutputAssemblies[0].Mapping.size(),
                 std::size_t{view == AssObj ? 1u : 0u});

        QVERIFY(first->close());
        QWidget* second = rig.Open(view);
        QVERIFY(second && second != first.data());
        QCOMPARE(deviceShown(second), QStringLiteral(" 7"));
        DeleteClosedWindows();
        QVERIFY(!first);
    }

    void ClosingTheRegistryClosesEveryView_data() {
        QTest::addColumn<bool>("byDestructor");
        QTest::newRow("CloseAll") << false;
        QTest::newRow("destructor") << true;
    }
    void ClosingTheRegistryClosesEveryView() {
        QFETCH(bool, byDestructor);
        auto rig = std::make_unique<ViewsRig>();
        rig->Load(kWorkedExample);
        QList<QPointer<QWidget>> windows;
        for (int view : {int(Module), int(AppObj), int(AssObj)}) {
            windows << QPointer<QWidget>(rig->Open(view));
        }
        if (byDestructor) {
            rig.reset();
        } else {
            rig->views.CloseAll();
            QVERIFY(!rig->views.ModuleView());
            QVERIFY(!rig->views.AppObjView());
            QVERIFY(!rig->views.AssObjView());
        }
        for (const auto& window : windows) {
            QVERIFY(window && !window->isVisible());
        }
        DeleteClosedWindows();
        for (const auto& window : windows) {
            QVERIFY(!window);
        }
    }
};

QTEST_MAIN(ObjectViewsTest)
#include "ObjectViewsTest.moc"
