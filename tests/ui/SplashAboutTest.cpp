// The splash and about windows: their named controls, fonts and closing, and the drawn pictures.
#include <memory>

#include <QAbstractButton>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include "TavrinVersion.h"
#include "ui/main/AboutWindow.h"
#include "ui/main/Artwork.h"
#include "ui/main/SplashWindow.h"

namespace tavrin {
namespace {

const QString kRights =
    QStringLiteral("Copyright (C) 2026 The Tavrin developers. All rights reserved.");

std::unique_ptr<QWidget> MakeWindow(const QString& name) {
    if (name == QLatin1String("Logo")) {
        return std::make_unique<SplashWindow>();
    }
    return std::make_unique<AboutWindow>();
}

QPixmap Picture(const QString& name, qreal dpr) {
    if (name == QLatin1String("gateway")) {
        return GatewayPicture(dpr);
    }
    if (name == QLatin1String("6420e")) {
        return ControllerPicture(ModuleKind::K6420e, dpr);
    }
    if (name == QLatin1String("6420RT")) {
        return ControllerPicture(ModuleKind::K6420RT, dpr);
    }
    if (name == QLatin1String("CAN")) {
        return ChannelPicture(0, dpr);
    }
    if (name == QLatin1String("RS-485")) {
        return ChannelPicture(1, dpr);
    }
    return ProductArtwork(dpr);
}

}  // namespace

class SplashAboutTest : public QObject {
    Q_OBJECT
private slots:
    void ControlTexts_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* window, const char* control, const char* container,
                            const QString& text) {
            QTest::addRow("%s.%s", window, control)
                << QString::fromLatin1(window) << QString::fromLatin1(control)
                << QString::fromLatin1(container) << text;
        };
        row("Logo", "Label1", "Frame1", QStringLiteral("Tavrin Field Tools"));
        row("Logo", "Label2", "Frame1", kRights);
        row("Logo", "Label3", "Frame1", QStringLiteral("Release version: v1.3"));
        row("Logo", "Label4", "Frame1", QStringLiteral("https://tavrin.example"));
        row("AboutForm", "Label5", "AboutForm", QStringLiteral("Tavrin Utility"));
        row("AboutForm", "Label2", "AboutForm",
            QStringLiteral("K-5310G-DeviceNet Slave/Modbus RTU Master Gateway"));
        row("AboutForm", "Label6", "AboutForm", QStringLiteral("Ver. 1.3, Nov 2012"));
        row("AboutForm", "ProgramVersion", "AboutForm",
            QStringLiteral("Program version " TAVRIN_VERSION));
        row("AboutForm", "Label3", "Frame1", QStringLiteral("https://tavrin.example"));
        row("AboutForm", "Label1", "Frame1", kRights);
        row("AboutForm", "Command1", "AboutForm", QStringLiteral("OK"));
    }
    void ControlTexts() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, container);
        QFETCH(QString, text);
        const auto form = MakeWindow(window);
        QCOMPARE(form->objectName(), window);
        auto* widget = form->findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(label->text(), text);
        } else {
            auto* button = qobject_cast<QAbstractButton*>(widget);
            QVERIFY(button);
            QCOMPARE(button->text(), text);
        }
    }

    void Fonts_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::newRow("title") << "Label5"
                               << "Arial" << true;
        QTest::newRow("version") << "Label6"
                                 << "Trebuchet MS" << false;
    }
    void Fonts() {
        QFETCH(QString, control);
        QFETCH(QString, family);
        QFETCH(bool, bold);
        AboutWindow form;
        auto* label = form.findChild<QLabel*>(control);
        QVERIFY(label);
        QCOMPARE(label->font().family(), family);
        QCOMPARE(label->font().bold(), bold);
    }

    void SplashIsFramelessWithArtwork() {
        SplashWindow logo;
        QVERIFY(logo.isWindow());
        QVERIFY(logo.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(logo.windowType(), Qt::SplashScreen);
        QVERIFY(logo.findChild<QFrame*>(QStringLiteral("Frame1")));
        auto* image = logo.findChild<QLabel*>(QStringLiteral("Image2"));
        QVERIFY(image);
        QVERIFY(!image->pixmap().isNull());
        QCOMPARE(image->pixmap().devicePixelRatio(), logo.devicePixelRatioF());
    }

    void AboutIsOwnWindowEvenWithParent() {
        QWidget owner;
        auto* form = new AboutWindow(&owner);
        QVERIFY(form->isWindow());
        QCOMPARE(form->windowTitle(), QStringLiteral("Tavrin Utility"));
        auto* support = form->findChild<QGroupBox*>(QStringLiteral("Frame1"));
        QVERIFY(support);
        QCOMPARE(support->title(), QStringLiteral("Support"));
        auto* image = form->findChild<QLabel*>(QStringLiteral("Image1_1"));
        QVERIFY(image);
        QVERIFY(!image->pixmap().isNull());
    }

    void OkClosesAndDeletesAbout() {
        QPointer<AboutWindow> form = new AboutWindow;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        auto* ok = form->findChild<QAbstractButton*>(QStringLiteral("Command1"));
        QVERIFY(ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
    }

    void WindowsFitAndAreCentred_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("splash") << "Logo";
        QTest::newRow("about") << "AboutForm";
    }
    void WindowsFitAndAreCentred() {
        QFETCH(QString, window);
        const auto form = MakeWindow(window);
        // Leave room for a title bar and a task bar on a 1024 x 768 display.
        QVERIFY2(form->width() <= 1024 && form->height() <= 768 - 80,
                 qPrintable(QStringLiteral("%1 x %2").arg(form->width()).arg(form->height())));
        const QPoint offCentre = form->frameGeometry().center() -
                                 QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2);
    }

    void Pictures_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QSize>("logicalSize");
        QTest::addColumn<qreal>("dpr");
        const std::pair<const char*, QSize> pictures[] = {
            {"gateway", kGatewayPictureSize},   {"6420e", kControllerPictureSize},
            {"6420RT", kControllerPictureSize}, {"CAN", kChannelPictureSize},
            {"RS-485", kChannelPictureSize},    {"product", kProductArtworkSize}};
        for (const auto& [name, size] : pictures) {
            for (const qreal dpr : {1.0, 2.0}) {
                QTest::addRow("%s@%g", name, dpr) << QString::fromLatin1(name) << size << dpr;
            }
        }
    }
    void Pictures() {
        QFETCH(QString, picture);
        QFETCH(QSize, logicalSize);
        QFETCH(qreal, dpr);
        const QPixmap pixmap = Picture(picture, dpr);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.devicePixelRatio(), dpr);
        QCOMPARE(pixmap.size(), logicalSize * dpr);
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(logicalSize));
        // Drawn on a transparent ground, with the object itself solid in the middle.
        const QImage image = pixmap.toImage();
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    }

    void PicturesThatMustDiffer() {
        for (const qreal dpr : {1.0, 2.0}) {
            QVERIFY(ControllerPicture(ModuleKind::K6420e, dpr).toImage() !=
                    ControllerPicture(ModuleKind::K6420RT, dpr).toImage());
            QVERIFY(ChannelPicture(0, dpr).toImage() != ChannelPicture(1, dpr).toImage());
        }
    }

    void UnknownChannelShowsCan_data() {
        QTest::addColumn<int>("channel");
        QTest::newRow("negative") << -1;
        QTest::newRow("two") << 2;
        QTest::newRow("large") << 99;
    }
    void UnknownChannelShowsCan() {
        QFETCH(int, channel);
        QCOMPARE(ChannelPicture(channel, 1.0).toImage(), ChannelPicture(0, 1.0).toImage());
    }
};

}  // namespace tavrin

QTEST_MAIN(tavrin::SplashAboutTest)
#include "SplashAboutTest.moc"
