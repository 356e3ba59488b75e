// The three read-only views of the working table, opened through ObjectViews as the editor and the
// main window open them.
#include <QFontMetrics>
#include <QGroupBox>
#include <QPointer>
#include <QScreen>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <memory>
#include <vector>

#include "appobj/views/ObjectViews.h"
#include "widgets/Twips.h"
#include "widgets/WindowPlacement.h"

using namespace tavrin;

using Objects = std::vector<AppObject>;  // {MBID, IOType, FCSel, MBSA, MBCL}
Q_DECLARE_METATYPE(Objects)

namespace {

// Every text of the column shows whole: the designed widths are only a minimum.
bool TextFits(const QTableWidget& grid, int column) {
    for (int r = 0; r < grid.rowCount(); ++r) {
        const QTableWidgetItem* item = grid.item(r, column);
        if (!item || item->text().isEmpty())
            continue;
        const QFontMetrics metrics(item->font());
        if (metrics.horizontalAdvance(item->text()) > grid.columnWidth(column))
            return false;
    }
    return true;
}

enum View { Module, AppObj, AssObj };
const char* const kGridName[] = {"ModuleInfoRecord", "AppObjParaRecord", "AssConsParaRecord"};

// A working table and the views on it, as the main window owns them.
struct ViewsRig {
    AppObjectList working;
    AssemblyTables assemblies;
    ObjectViews views{working, assemblies};

    // Replaces the working table; the totals follow the objects as the editor keeps them.
    void Load(const Objects& objects) {
        working.AppObjects = {};
        working.IOTotals = {};
        working.AppCount = static_cast<std::uint8_t>(objects.size());
        for (std::size_t i = 0; i < objects.size(); ++i) {
            working.AppObjects[i] = objects[i];
            working.IOTotals[objects[i].IOType] += objects[i].MBCL;
        }
    }
    QWidget* Open(int view) {
        if (view == Module) {
            views.OpenModuleView();
            return views.ModuleView();
        }
        if (view == AppObj) {
            views.OpenAppObjView();
            return views.AppObjView();
        }
        views.OpenAssObjView();
        return views.AssObjView();
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

// Every cell, empty ones too, holds a centred read-only item.
bool AllCellsCentred(const QTableWidget* grid) {
    for (int r = 0; r < grid->rowCount(); ++r) {
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QTableWidgetItem* item = grid->item(r, c);
            if (!item || item->textAlignment() != int(Qt::AlignCenter) ||
                (item->flags() & Qt::ItemIsEditable)) {
                return false;
            }
        }
    }
    return true;
}

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const Objects kWorkedExample{
    {1, 0, 0, 0, 10}, {2, 1, 0, 100, 2}, {1, 0, 0, 20, 3}, {3, 3, 1, 10, 1}};

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
        QTest::newRow("devices") << int(Module) << "ShowModule"
                                 << "Device Information"
                                 << "Modbus devices Information";
        QTest::newRow("app objects") << int(AppObj) << "ShowAppObj"
                                     << "Application Object Information"
                                     << "Application Object Information";
        QTest::newRow("assembly") << int(AssObj) << "ShowAssObj"
                                  << "Assembly Object Information"
                                  << "Assembly Object";
    }
    void ViewWindows() {
        QFETCH(int, view);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QString, frame);
        ViewsRig rig;
        QWidget* window = rig.Open(view);
        QVERIFY(window && window->isVisible() && !window->isModal() && !window->parentWidget());
        QCOMPARE(window->objectName(), name);
        QCOMPARE(window->windowTitle(), title);
        QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
        auto* box = window->findChild<QGroupBox*>(QStringLiteral("Frame1"));
        QVERIFY(box && GridOf(box, kGridName[view]));
        QCOMPARE(box->title(), frame);
    }

    void AppObjectGrids_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<Objects>("objects");
        QTest::addColumn<QList<QStringList>>("rows");  // rows 1.., the later ones must be empty

        const QStringList types{"Digital Output", "Analog  Output", "Digital Input ",
                                "Analog  Input "};
        Objects ten;
        QList<QStringList> tenRows;
        for (int i = 1; i <= 10; ++i) {
            ten.push_back({static_cast<std::uint8_t>(i + 240), static_cast<std::uint8_t>(i % 4), 0,
                           1000 * i, i});
            tenRows << QStringList{QString::number(i),
                                   QStringLiteral(" %1").arg(i + 240),
                                   types[i % 4],
                                   QStringLiteral(" %1").arg(1000 * i),
                                   QStringLiteral(" %1").arg(i),
                                   QString()};
        }
        const QStringList fc16{"1", " 5", "Analog  Output", " 0", " 12", ""};
        for (int view : {int(Module), int(AppObj)}) {
            const char* prefix = view == Module ? "devices" : "app objects";
            QTest::addRow("%s, no objects", prefix) << view << Objects{} << QList<QStringList>{};
            QTest::addRow("%s, one FC16 object", prefix)
                << view << Objects{{5, 1, 0, 0, 12}} << QList<QStringList>{fc16};
            QTest::addRow("%s, ten objects", prefix) << view << ten << tenRows;
        }
    }
    void AppObjectGrids() {
        QFETCH(int, view);
        QFETCH(Objects, objects);
        QFETCH(QList<QStringList>, rows);
        const QStringList headings[] = {
            {"No.", "Device ID", "IO_Type", "Start_Addr", "Comm_Len", ""},
            {"Instance No.", "Device_ID(Att.1)", "IO_Type(Att.2)", "Start_Addr(Att.3)",
             "Comm_Len(Att.4)", ""}};
        const QList<int> widthTwips[] = {{1200, 1200, 1560, 1200, 1200, 1200},
                                         {1440, 1800, 1560, 1800, 1680, 1200}};
        ViewsRig rig;
        rig.Load(objects);
        const QTableWidget* grid = GridOf(rig.Open(view), kGridName[view]);
        QVERIFY(grid);
        QCOMPARE(grid->rowCount(), 11);
        QCOMPARE(Row(grid, 0), headings[view]);
        for (int r = 1; r < grid->rowCount(); ++r) {
            QCOMPARE(Row(grid, r), r <= rows.size() ? rows[r - 1] : QStringList(6, QString()));
        }
        for (int c = 0; c < 6; ++c) {
            QVERIFY(grid->columnWidth(c) >= TwipsToPixels(*grid, widthTwips[view][c]));
            QVERIFY(TextFits(*grid, c));
        }
        QVERIFY(AllCellsCentred(grid));
    }

    void AssemblyTabs_data() {
        QTest::addColumn<Objects>("objects");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("tabTwips");
        QTest::addColumn<bool>("outputShown");
        QTest::addColumn<QString>("firstId");
        QTest::newRow("no objects")
            << Objects{} << QStringList{} << QStringList{} << 0 << true << "";
        QTest::newRow("worked example")
            << kWorkedExample << QStringList{"Output Instance", "Input Instance"}
            << QStringList{"O", "I"} << 4199 << true << "64";
        QTest::newRow("only inputs") << Objects{{9, 2, 1, 0, 16}} << QStringList{"Input Instance"}
                                     << QStringList{"I"} << 8465 << false << "64";
    }
    void AssemblyTabs() {
        QFETCH(Objects, objects);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, keys);
        QFETCH(int, tabTwips);
        QFETCH(bool, outputShown);
        QFETCH(QString, firstId);
        ViewsRig rig;
        rig.Load(objects);
        QWidget* view = rig.Open(AssObj);
        auto* tabs = view->findChild<QTabBar*>(QStringLiteral("AssObjParaTableTag"));
        QTableWidget* output = GridOf(view, "AssConsParaRecord");
        QTableWidget* input = GridOf(view, "AssProdParaRecord");
        QVERIFY(tabs && output && input);
        QCOMPARE(tabs->count(), captions.size());
        for (int i = 0; i < tabs->count(); ++i) {
            QCOMPARE(tabs->tabText(i), captions[i]);
            QCOMPARE(tabs->tabData(i).toString(), keys[i]);
            QCOMPARE(tabs->tabRect(i).width(), TwipsToPixels(*tabs, tabTwips));
        }
        QCOMPARE(output->isVisible(), outputShown);
        QCOMPARE(input->isVisible(), !outputShown);
        const QTableWidget* shown = outputShown ? output : input;
        QCOMPARE(shown->rowCount(), 5);
        QCOMPARE(Cell(shown, 1, 1), firstId);
        if (captions.isEmpty()) {
            QVERIFY(output->columnCount() == 0 && input->columnCount() == 0);
        }
    }

    // Both grids of the worked example, switching there and back; the tabs keep showing the
    // instances derived when the view opened, which it also stored into the shared tables.
    void AssemblyGridsOfTheWorkedExample() {
        ViewsRig rig;
        rig.assemblies.Truncated = true;
        rig.Load(kWorkedExample);
        QWidget* view = rig.Open(AssObj);
        auto* tabs = view->findChild<QTabBar*>(QStringLiteral("AssObjParaTableTag"));
        QTableWidget* output = GridOf(view, "AssConsParaRecord");
        QTableWidget* input = GridOf(view, "AssProdParaRecord");
        QVERIFY(tabs && output && input);
        QVERIFY(!rig.assemblies.Truncated);
        QCOMPARE(rig.assemblies.OutputAssemblies[1].Length, std::int16_t{4});
        QCOMPARE(rig.assemblies.InputAssemblies[0].Mapping.size(), std::size_t{2});

        const auto checkOutput = [&] {
            QVERIFY(output->isVisible() && !input->isVisible());
            QCOMPARE(Row(output, 0),
                     (QStringList{"IO Type", "Ins. ID (Hex)", "Ins. Length", "Mapping  0",
                                  "Mapping  1", "Mapping  2", "Mapping  3"}));
            QCOMPARE(Row(output, 1), (QStringList{"Digital", "64", "3", " 1:00007~00000",
                                                  " 1:00009~00008", " 1:00022~00020", ""}));
            QCOMPARE(Row(output, 2), (QStringList{"Analog", "65", "4", " 2:00100", " 2:00100",
                                                  " 2:00101", " 2:00101"}));
            QCOMPARE(Row(output, 3) + Row(output, 4), QStringList(14, QString()));
            for (int c = 0; c < 7; ++c) {
                QVERIFY(output->columnWidth(c) >= TwipsToPixels(*output, c < 3 ? 1000 : 1400));
                QVERIFY(TextFits(*output, c));
            }
            QVERIFY(AllCellsCentred(output));
        };
        checkOutput();

        rig.Load({{7, 2, 0, 0, 8}});
        tabs->setCurrentIndex(1);
        QVERIFY(input->isVisible() && !output->isVisible());
        QCOMPARE(Row(input, 0), (QStringList{"IO Type", "Ins. ID (Hex)", "Ins. Length",
                                             "Mapping  0", "Mapping  1"}));
        QCOMPARE(Row(input, 1), (QStringList{"Analog", "66", "2", " 3:00010", " 3:00010"}));
        QCOMPARE(Row(input, 2), QStringList(5, QString()));
        QVERIFY(AllCellsCentred(input));

        output->item(1, 1)->setText(QStringLiteral("stale"));
        tabs->setCurrentIndex(0);
        checkOutput();
    }

    // The widest instance the gateway has room for, also when a stored table asks for more.
    void AssemblyGridOfTheLongestInstance_data() {
        QTest::addColumn<int>("bits");
        QTest::newRow("1025 bytes") << 8200;
        QTest::newRow("cut off at 1025 bytes") << 9000;
    }
    void AssemblyGridOfTheLongestInstance() {
        QFETCH(int, bits);
        ViewsRig rig;
        rig.Load({{1, 0, 0, 0, bits}});
        const QTableWidget* output = GridOf(rig.Open(AssObj), "AssConsParaRecord");
        QVERIFY(output);
        QCOMPARE(output->columnCount(), 1028);
        QCOMPARE(Cell(output, 0, 1027), QStringLiteral("Mapping  1024"));
        QCOMPARE(Cell(output, 1, 2), QStringLiteral("1025"));
        QCOMPARE(Cell(output, 1, 1027), QStringLiteral(" 1:08199~08192"));
        QVERIFY(output->columnWidth(1027) >= TwipsToPixels(*output, 1400));
        QVERIFY(TextFits(*output, 1027));
    }

    // A second open only brings the view forward; after a close the next open shows the table
    // as it is then.
    void OpenAgainDoesNotRefresh_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("column");  // the cell of row 1 that starts with the device id
        QTest::newRow("devices") << int(Module) << 1;
        QTest::newRow("app objects") << int(AppObj) << 1;
        QTest::newRow("assembly") << int(AssObj) << 3;
    }
    void OpenAgainDoesNotRefresh() {
        QFETCH(int, view);
        QFETCH(int, column);
        const auto deviceShown = [&](QWidget* window) {
            return Cell(GridOf(window, kGridName[view]), 1, column).section(':', 0, 0);
        };
        ViewsRig rig;
        rig.Load({{5, 0, 0, 0, 8}});
        QPointer<QWidget> first = rig.Open(view);
        QVERIFY(first);
        QCOMPARE(deviceShown(first), QStringLiteral(" 5"));

        rig.Load({{7, 0, 0, 0, 8}, {8, 0, 0, 8, 8}});
        QCOMPARE(rig.Open(view), first.data());
        QCOMPARE(deviceShown(first), QStringLiteral(" 5"));
        QCOMPARE(int(rig.assemblies.OutputAssemblies[0].Length), view == AssObj ? 1 : 0);

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
            QVERIFY(!rig->views.ModuleView() && !rig->views.AppObjView() &&
                    !rig->views.AssObjView());
        }
        for (const auto& window : windows) {
            QVERIFY(window && !window->isVisible());
        }
        DeleteClosedWindows();
        for (const auto& window : windows) {
            QVERIFY(!window);
        }
    }

    // Each view opens beside the window that opened it, inside the screen, not over it.
    void ViewsOpenBesideTheirOpener() {
        ViewsRig rig;
        rig.Load(kWorkedExample);
        // A small opener in a corner, so that every view has room beside it on any screen.
        QWidget opener;
        opener.resize(100, 60);
        opener.move(0, 0);
        opener.show();
        const QRect area = opener.screen()->availableGeometry();
        rig.views.OpenModuleView(&opener);
        rig.views.OpenAppObjView(&opener);
        rig.views.OpenAssObjView(&opener);
        for (QWidget* view :
             {rig.views.ModuleView(), rig.views.AppObjView(), rig.views.AssObjView()}) {
            QVERIFY(view != nullptr);
            const QRect placed = view->frameGeometry();
            QVERIFY2(!placed.intersects(opener.frameGeometry()), qPrintable(view->objectName()));
            QVERIFY2(area.contains(placed), qPrintable(view->objectName()));
        }
    }

    // Where a window goes beside its opener, and on its parent's screen: right, else left, else
    // above, else below; when no side has room, where it covers least of the opener; never
    // outside the screen's area when it fits there.
    void PlacementBesideAndInside_data() {
        QTest::addColumn<QRect>("opener");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("beside");
        QTest::addColumn<QPoint>("inside");
        const QSize view(300, 200);
        QTest::newRow("room on the right")
            << QRect(0, 0, 400, 300) << view << QPoint(408, 0) << QPoint(49, 49);
        QTest::newRow("opener at the right edge")
            << QRect(800, 100, 480, 300) << view << QPoint(492, 100) << QPoint(889, 149);
        QTest::newRow("wide opener, room below")
            << QRect(0, 0, 1280, 400) << view << QPoint(0, 408) << QPoint(489, 99);
        QTest::newRow("opener low and wide, room above")
            << QRect(0, 600, 1280, 424) << view << QPoint(0, 392) << QPoint(489, 711);
        QTest::newRow("no room anywhere, kept on screen")
            << QRect(0, 0, 1280, 1024) << view << QPoint(980, 0) << QPoint(489, 411);
        QTest::newRow("parent half off screen")
            << QRect(1100, 900, 400, 300) << view << QPoint(792, 824) << QPoint(980, 824);
    }

    void PlacementBesideAndInside() {
        QFETCH(QRect, opener);
        QFETCH(QSize, size);
        QFETCH(QPoint, beside);
        QFETCH(QPoint, inside);
        const QRect area(0, 0, 1280, 1024);
        QCOMPARE(BesidePosition(opener, size, area), beside);
        QCOMPARE(InsidePosition(opener, size, area), inside);
    }
};

QTEST_MAIN(ObjectViewsTest)
#include "ObjectViewsTest.moc"
