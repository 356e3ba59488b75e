// Quillon's INI control as a host sees it: created by ProgID, called by dispatch number, its
// design-time property, its fixed size and face, and what it asks of the desktop.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "inictl/Face.h"
#include "inictl/INI.h"

using namespace quillon;

namespace {

struct RecordingDesktop final : Desktop {
    void OpenDocument(QWidget*, const QString& path) override { opened << path; }
    void ShowQuestionBox(QWidget*, const QString& title, const QString& text) override {
        boxes << title + QStringLiteral("|") + text;
    }
    QStringList opened;
    QStringList boxes;
};

struct MapBag final : PropertyBag {
    std::optional<QVariant> ReadProperty(const QString& name) const override {
        const auto found = stored.find(name);
        return found == stored.end() ? std::nullopt : std::optional<QVariant>(found->second);
    }
    void WriteProperty(const QString& name, const QVariant& value) override {
        stored[name] = value;
    }
    std::map<QString, QVariant> stored;
};

QVariant Call(Control& control, DispId id, InvokeKind kind, QVariantList args = {}) {
    return control.Dispatch(id, kind, args);
}

Fault FaultOf(Control& control, DispId id, InvokeKind kind, QVariantList args) {
    try {
        control.Dispatch(id, kind, args);
    } catch (const Error& error) {
        return error.fault();
    }
    return static_cast<Fault>(-1);
}

}  // namespace

class INIControlTest : public QObject {
    Q_OBJECT
private slots:
    void FactoryServesOnlyItsProgId() {
        QVERIFY(CanUnloadNow());
        {
            std::unique_ptr<Control> control = CreateControl("Quillonctl.INI", nullptr);
            QVERIFY(control);
            QVERIFY(dynamic_cast<INI*>(control.get()));
            QVERIFY(!CanUnloadNow());
            QCOMPARE(ClassIdFromProgId("Quillonctl.INI"), std::string(kClassId));
        }
        QVERIFY(CanUnloadNow());
        QVERIFY(!CreateControl("Quillonctl.Ini2", nullptr));
        QVERIFY(!CreateInstance(kInterfaceId, nullptr));
        QVERIFY(ClassIdFromProgId("quillonctl.ini").empty());
    }

    // The members by their dispatch numbers, as a host calls them.
    void KeysThroughDispatch() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.ini"));
        std::unique_ptr<Control> ini = CreateControl(kProgId, nullptr);

        // No file name: GetKey gives the empty variant, not the empty text, and writes nothing.
        QCOMPARE(Call(*ini, DispId::FileName, InvokeKind::PropertyGet), QVariant(QString()));
        QVERIFY(!Call(*ini, DispId::GetKey, InvokeKind::Method, {"S", "k"}).isValid());
        Call(*ini, DispId::WriteKey, InvokeKind::Method, {"S", "k", "v"});

        Call(*ini, DispId::FileName, InvokeKind::PropertyPut, {path});
        QCOMPARE(Call(*ini, DispId::FileName, InvokeKind::PropertyGet).toString(), path);
        const QVariant missing = Call(*ini, DispId::GetKey, InvokeKind::Method, {"S", "k"});
        QVERIFY(missing.isValid());
        QCOMPARE(missing.toString(), QString());

        const QString longValue(1500, QLatin1Char('x'));
        Call(*ini, DispId::WriteKey, InvokeKind::Method, {"S", "k", longValue});
        QCOMPARE(Call(*ini, DispId::GetKey, InvokeKind::Method, {"s", "K"}).toString(),
                 longValue.left(1023));
        // Bytes of the single-byte code page pass unchanged.
        Call(*ini, DispId::WriteKey, InvokeKind::Method, {"S", "deg", QStringLiteral("45\u00b0C")});
        QCOMPARE(Call(*ini, DispId::GetKey, InvokeKind::Method, {"S", "deg"}).toString(),
                 QStringLiteral("45\u00b0C"));

        QCOMPARE(Call(*ini, DispId::RES, InvokeKind::Method, {101}).toString(),
                 QStringLiteral("About Quillon INI Control"));
    }

    void RefusedCalls_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<int>("fault");
        const int method = int(InvokeKind::Method);
        QTest::newRow("unknown number")
            << 1610809351 << method << QVariantList{} << int(Fault::UnknownMember);
        QTest::newRow("method called as property")
            << int(DispId::GetKey) << int(InvokeKind::PropertyGet) << QVariantList{}
            << int(Fault::UnknownMember);
        QTest::newRow("property written without a value")
            << int(DispId::FileName) << int(InvokeKind::PropertyPut) << QVariantList{}
            << int(Fault::WrongArgumentCount);
        QTest::newRow("GetKey with one argument")
            << int(DispId::GetKey) << method << QVariantList{"S"} << int(Fault::WrongArgumentCount);
        QTest::newRow("RES of a text")
            << int(DispId::RES) << method << QVariantList{"abc"} << int(Fault::WrongArgumentType);
        QTest::newRow("RES without a string")
            << int(DispId::RES) << method << QVariantList{100} << int(Fault::NoSuchResource);
    }

    void RefusedCalls() {
        QFETCH(int, id);
        QFETCH(int, kind);
        QFETCH(QVariantList, args);
        QFETCH(int, fault);
        std::unique_ptr<Control> ini = CreateControl(kProgId, nullptr);
        QCOMPARE(int(FaultOf(*ini, DispId(id), InvokeKind(kind), args)), fault);
    }

    void FileNameIsADesignTimeProperty() {
        INI ini(nullptr, HostMode::Design);
        QSignalSpy changed(&ini, &INI::PropertyChanged);
        MapBag bag;
        ini.InitProperties();
        ini.WriteProperties(bag);
        QVERIFY(bag.stored.empty());  // the default is not stored

        ini.SetFileName(QStringLiteral("/data/5310G_EEP.ini"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("FileName"));
        ini.WriteProperties(bag);
        QCOMPARE(bag.stored[QStringLiteral("FileName")].toString(),
                 QStringLiteral("/data/5310G_EEP.ini"));

        INI restored(nullptr, HostMode::Design);
        restored.ReadProperties(bag);
        QCOMPARE(restored.FileName(), QStringLiteral("/data/5310G_EEP.ini"));
        restored.ReadProperties(MapBag{});
        QCOMPARE(restored.FileName(), QString());
    }

    void KeepsItsOneSize() {
        INI ini(nullptr, HostMode::Design);
        const QSize expected(qRound(400 * ini.logicalDpiX() / 1440.0),
                             qRound(430 * ini.logicalDpiY() / 1440.0));
        QCOMPARE(ini.FixedSize(), expected);
        ini.show();
        ini.resize(200, 50);
        QCOMPARE(ini.size(), expected);
        ini.setGeometry(0, 0, 10, 400);
        QCOMPARE(ini.size(), expected);
    }

    void InvisibleWhileTheHostRuns() {
        QWidget form;
        INI running(&form, HostMode::Run);
        INI placed(&form, HostMode::Design);
        form.show();
        running.show();
        QVERIFY(!running.isVisible());
        QVERIFY(placed.isVisible());
    }

    void FaceHasSixteenColours() {
        const QImage face = ControlFace();
        QCOMPARE(face.size(), QSize(32, 32));
        QCOMPARE(face.format(), QImage::Format_Indexed8);
        QCOMPARE(face.colorCount(), 16);
        QCOMPARE(ToolboxBitmap().size(), QSize(16, 15));
        QCOMPARE(ToolboxBitmap().colorCount(), 16);
    }

    // Only an existing, ordinary, visible file goes to the desktop.
    void EditINIOpensOnlyOrdinaryFiles() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("p.ini"));
        const QString hidden = dir.filePath(QStringLiteral(".p.ini"));
        for (const QString& name : {file, hidden}) {
            QFile out(name);
            QVERIFY(out.open(QIODevice::WriteOnly));
        }
        RecordingDesktop desktop;
        INI ini;
        ini.SetDesktop(&desktop);
        for (const QString& name :
             {QString(), dir.filePath(QStringLiteral("none.ini")), hidden, dir.path(), file}) {
            ini.SetFileName(name);
            ini.EditINI();
        }
        QCOMPARE(desktop.opened, QStringList{file});
    }

    void AboutBoxComesFromTheStringTable() {
        RecordingDesktop desktop;
        INI ini;
        ini.SetDesktop(&desktop);
        ini.ShowAboutBox();
        QCOMPARE(desktop.boxes.size(), 1);
        const QStringList parts = desktop.boxes[0].split(QLatin1Char('|'));
        int id = 101;
        QCOMPARE(parts[0], ini.RES(id));
        const QStringList lines = parts[1].split(QLatin1Char('\n'));
        const QString separator(26, QLatin1Char('-'));
        id = 107;
        QCOMPARE(ini.RES(id), separator);
        QCOMPARE(lines.count(separator), 6);
        QCOMPARE(parts[1].count(separator + QLatin1Char('\n') + separator + QLatin1Char('\n') +
                                separator),
                 2);
        for (id = 102; id <= 110; ++id) {
            QVERIFY2(lines.contains(ini.RES(id)), qPrintable(QString::number(id)));
        }
    }
};

QTEST_MAIN(INIControlTest)
#include "INIControlTest.moc"
