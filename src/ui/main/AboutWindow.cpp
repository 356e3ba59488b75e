#include "ui/main/AboutWindow.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "TavrinVersion.h"
#include "ui/main/Artwork.h"
#include "widgets/CentreOnScreen.h"

namespace tavrin {

// Qt::Window keeps the form a window of its own when the main window is its parent.
AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Tavrin Utility"));
    setAttribute(Qt::WA_DeleteOnClose);

    const auto addLabel = [](QWidget* owner, const char* name, const QString& text) {
        auto* label = new QLabel(text, owner);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };

    QLabel* title = addLabel(this, "Label5", QStringLiteral("Tavrin Utility"));
    QFont titleFont = title->font();
    titleFont.setFamily(QStringLiteral("Arial"));
    titleFont.setStyleHint(QFont::SansSerif);
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    title->setFont(titleFont);

    QLabel* product = addLabel(this, "Label2",
                               QStringLiteral("K-5310G-DeviceNet Slave/Modbus RTU Master Gateway"));

    QLabel* version = addLabel(this, "Label6", QStringLiteral("Ver. 1.3, Nov 2012"));
    QFont versionFont = version->font();
    versionFont.setFamily(QStringLiteral("Trebuchet MS"));
    versionFont.setStyleHint(QFont::SansSerif);
    version->setFont(versionFont);
    // Label6 keeps the device's own release text; this program's version, the one --version
    // prints, stands beside it.
    QLabel* programVersion =
        addLabel(this, "ProgramVersion", QStringLiteral("Program version " TAVRIN_VERSION));

    auto* support = new QGroupBox(QStringLiteral("Support"), this);
    support->setObjectName(QStringLiteral("Frame1"));
    QLabel* web = addLabel(support, "Label3", QStringLiteral("https://tavrin.example"));
    QLabel* rights =
        addLabel(support, "Label1",
                 QStringLiteral("Copyright (C) 2026 The Tavrin developers. All rights reserved."));
    // The address is there to be copied into a browser.
    web->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* supportLayout = new QVBoxLayout(support);
    supportLayout->addWidget(web);
    supportLayout->addWidget(rights);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1_1"));
    image->setPixmap(ProductArtwork(devicePixelRatioF()));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    // Return on the focused button closes the form, as in a dialog.
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    auto* heading = new QVBoxLayout;
    heading->addStretch();
    heading->addWidget(title);
    heading->addWidget(product);
    heading->addWidget(version);
    heading->addWidget(programVersion);
    heading->addStretch();

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(image, 0, Qt::AlignTop);
    top->addLayout(heading);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(support);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ok->setFocus();
    CentreOnScreen(*this);
}

}  // namespace tavrin
