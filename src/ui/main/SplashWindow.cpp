#include "ui/main/SplashWindow.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/main/Artwork.h"
#include "widgets/CentreOnScreen.h"

namespace tavrin {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Logo"));

    // Without a title bar the frame's line is the only edge the window has.
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Plain);
    // A light card stands out from whatever is behind the splash.
    frame->setBackgroundRole(QPalette::Base);
    frame->setAutoFillBackground(true);

    const auto addLabel = [frame](const char* name, const QString& text) {
        auto* label = new QLabel(text, frame);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };
    QLabel* maker = addLabel("Label1", QStringLiteral("Tavrin Field Tools"));
    QLabel* rights = addLabel(
        "Label2", QStringLiteral("Copyright (C) 2026 The Tavrin developers. All rights reserved."));
    QLabel* release = addLabel("Label3", QStringLiteral("Release version: v1.3"));
    QLabel* web = addLabel("Label4", QStringLiteral("https://tavrin.example"));

    QFont makerFont = maker->font();
    makerFont.setBold(true);
    makerFont.setPointSizeF(makerFont.pointSizeF() * 1.6);
    maker->setFont(makerFont);
    QFont releaseFont = release->font();
    releaseFont.setBold(true);
    release->setFont(releaseFont);

    auto* image = new QLabel(frame);
    image->setObjectName(QStringLiteral("Image2"));
    image->setPixmap(ProductArtwork(devicePixelRatioF()));

    auto* text = new QVBoxLayout;
    text->setSpacing(6);
    text->addStretch();
    text->addWidget(maker);
    text->addSpacing(6);
    text->addWidget(release);
    text->addWidget(web);
    text->addStretch();
    text->addWidget(rights);

    auto* inside = new QHBoxLayout(frame);
    inside->setContentsMargins(18, 18, 24, 18);
    inside->setSpacing(20);
    inside->addWidget(image, 0, Qt::AlignVCenter);
    inside->addLayout(text);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    CentreOnScreen(*this);
}

}  // namespace tavrin
