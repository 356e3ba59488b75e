#include "ui/main/Artwork.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace tavrin {
namespace {

const QColor kOutline{0x4a, 0x51, 0x5a};
const QColor kBrass{0xd8, 0xb0, 0x4c};

// A transparent pixmap of `logical` size whose painter works in logical units.
QPixmap Canvas(QSize logical, qreal devicePixelRatio) {
    // A zero, negative or NaN ratio would give an empty pixmap; draw at 100 % instead.
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(qRound(logical.width() * dpr), qRound(logical.height() * dpr));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void Prepare(QPainter& painter) {
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
}

QFont PixelFont(int pixels, bool bold) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLinearGradient VerticalShade(const QRectF& rect, const QColor& colour) {
    QLinearGradient shade(rect.topLeft(), rect.bottomLeft());
    shade.setColorAt(0.0, colour.lighter(125));
    shade.setColorAt(0.45, colour);
    shade.setColorAt(1.0, colour.darker(125));
    return shade;
}

void DrawScrew(QPainter& painter, QPointF centre, qreal radius) {
    QRadialGradient metal(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
    metal.setColorAt(0.0, QColor(0xfa, 0xfb, 0xfc));
    metal.setColorAt(1.0, QColor(0x86, 0x8d, 0x96));
    painter.setPen(QPen(kOutline, 0.7));
    painter.setBrush(metal);
    painter.drawEllipse(centre, radius, radius);
    // The slot is turned a little so that the heads do not look printed on.
    painter.setPen(QPen(QColor(0x3c, 0x42, 0x4a), radius * 0.32, Qt::SolidLine, Qt::RoundCap));
    const QPointF half(radius * 0.62, -radius * 0.22);
    painter.drawLine(centre - half, centre + half);
}

void DrawLed(QPainter& painter, QPointF centre, qreal radius, const QColor& colour) {
    QColor glowColour = colour;
    glowColour.setAlpha(120);
    QRadialGradient glow(centre, radius * 2.4);
    glow.setColorAt(0.0, glowColour);
    glow.setColorAt(1.0, Qt::transparent);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius * 2.4, radius * 2.4);

    QRadialGradient lens(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    lens.setColorAt(0.0, colour.lighter(175));
    lens.setColorAt(0.5, colour);
    lens.setColorAt(1.0, colour.darker(150));
    painter.setPen(QPen(colour.darker(220), 0.6));
    painter.setBrush(lens);
    painter.drawEllipse(centre, radius, radius);
}

// A row of screw terminals. The wire openings face the side the wires come from.
void DrawTerminalRow(QPainter& painter, const QRectF& body, int poles, const QColor& colour,
                     bool openingsAbove) {
    painter.setPen(QPen(colour.darker(170), 0.8));
    painter.setBrush(VerticalShade(body, colour));
    painter.drawRoundedRect(body, 2.5, 2.5);

    const qreal pitch = body.width() / poles;
    const qreal height = body.height();
    const QSizeF opening(pitch * 0.56, height * 0.27);
    const qreal screwY = openingsAbove ? body.bottom() - height * 0.38 : body.top() + height * 0.38;
    const qreal openingY =
        openingsAbove ? body.top() + height * 0.1 : body.bottom() - height * 0.1 - opening.height();
    for (int pole = 0; pole < poles; ++pole) {
        const qreal x = body.left() + pitch * (pole + 0.5);
        if (pole > 0) {
            painter.setPen(QPen(colour.darker(150), 0.6));
            const qreal divider = body.left() + pitch * pole;
            painter.drawLine(QPointF(divider, body.top() + 1.5),
                             QPointF(divider, body.bottom() - 1.5));
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x16, 0x19, 0x1d));
        painter.drawRoundedRect(QRectF(QPointF(x - opening.width() / 2, openingY), opening), 1.0,
                                1.0);
        DrawScrew(painter, QPointF(x, screwY), std::min(pitch * 0.34, height * 0.17));
    }
}

// The gateway in its own 150 x 190 coordinates; the product artwork draws it scaled.
void DrawGateway(QPainter& painter) {
    // DIN rail behind the housing, with its mounting slots showing at both ends.
    const QRectF rail(4, 84, 142, 22);
    QLinearGradient steel(rail.topLeft(), rail.bottomLeft());
    steel.setColorAt(0.0, QColor(0xc9, 0xce, 0xd4));
    steel.setColorAt(0.5, QColor(0xf1, 0xf3, 0xf5));
    steel.setColorAt(1.0, QColor(0xa4, 0xab, 0xb3));
    painter.setPen(QPen(QColor(0x8a, 0x91, 0x99), 0.8));
    painter.setBrush(steel);
    painter.drawRect(rail);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x9a, 0xa1, 0xa9));
    painter.drawRect(QRectF(rail.left(), rail.top() + 3, rail.width(), 1.2));
    painter.drawRect(QRectF(rail.left(), rail.bottom() - 4.2, rail.width(), 1.2));
    painter.setBrush(QColor(0x6c, 0x73, 0x7b));
    for (const qreal x : {10.0, 128.0}) {
        painter.drawRoundedRect(QRectF(x, rail.top() + 8, 12, 6), 3, 3);
    }

    const QRectF housing(28, 8, 94, 175);
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawRoundedRect(housing.translated(3, 3), 7, 7);

    // Clip that holds the housing on the rail.
    painter.setPen(QPen(kOutline, 0.8));
    painter.setBrush(QColor(0x6f, 0x77, 0x80));
    painter.drawRoundedRect(QRectF(66, 180, 18, 8), 2, 2);

    QLinearGradient plastic(housing.topLeft(), housing.topRight());
    plastic.setColorAt(0.0, QColor(0xe6, 0xe9, 0xed));
    plastic.setColorAt(0.7, QColor(0xcf, 0xd4, 0xda));
    plastic.setColorAt(1.0, QColor(0xb3, 0xba, 0xc2));
    painter.setPen(QPen(kOutline, 1.0));
    painter.setBrush(plastic);
    painter.drawRoundedRect(housing, 7, 7);

    const QColor terminalGrey(0x4b, 0x52, 0x5a);
    DrawTerminalRow(painter, QRectF(36, 14, 78, 26), 4, terminalGrey, true);
    DrawTerminalRow(painter, QRectF(36, 151, 78, 26), 4, terminalGrey, false);

    const QRectF panel(34, 46, 82, 100);
    QLinearGradient blue(panel.topLeft(), panel.bottomRight());
    blue.setColorAt(0.0, QColor(0x3f, 0x85, 0xc9));
    blue.setColorAt(1.0, QColor(0x22, 0x57, 0x8e));
    painter.setPen(QPen(QColor(0x1b, 0x45, 0x70), 1.0));
    painter.setBrush(blue);
    painter.drawRoundedRect(panel, 4, 4);

    const QRectF plate(42, 52, 66, 18);
    painter.setPen(QPen(QColor(0xa9, 0xb4, 0xc0), 0.8));
    painter.setBrush(QColor(0xf4, 0xf6, 0xf8));
    painter.drawRoundedRect(plate, 2, 2);
    painter.setPen(QColor(0x1d, 0x2b, 0x3a));
    painter.setFont(PixelFont(10, true));
    painter.drawText(plate, Qt::AlignCenter, QStringLiteral("GATEWAY"));

    struct Led {
        qreal x;
        QColor colour;
        const char* caption;
    };
    const std::array<Led, 3> leds{{{52, QColor(0x3c, 0xd6, 0x4f), "PWR"},
                                   {75, QColor(0x3c, 0xd6, 0x4f), "NET"},
                                   {98, QColor(0xff, 0xae, 0x2a), "BUS"}}};
    for (const Led& led : leds) {
        DrawLed(painter, QPointF(led.x, 81), 3.2, led.colour);
        painter.setPen(QColor(0xe8, 0xf0, 0xf8));
        painter.setFont(PixelFont(6, false));
        painter.drawText(QRectF(led.x - 12, 86, 24, 8), Qt::AlignCenter,
                         QString::fromLatin1(led.caption));
    }

    // Nine-way D socket on a steel plate between two screw posts.
    const QRectF shell(47, 108, 56, 26);
    painter.setPen(QPen(QColor(0x6f, 0x76, 0x7e), 0.8));
    painter.setBrush(steel);
    painter.drawRoundedRect(shell, 2, 2);
    for (const qreal x : {shell.left() + 6, shell.right() - 6}) {
        DrawScrew(painter, QPointF(x, shell.center().y()), 3.2);
    }
    QPainterPath d;
    d.moveTo(58, 113);
    d.lineTo(92, 113);
    d.lineTo(89, 129);
    d.lineTo(61, 129);
    d.closeSubpath();
    painter.setPen(QPen(QColor(0x5c, 0x63, 0x6b), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(0x22, 0x26, 0x2b));
    painter.drawPath(d);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBrass);
    for (int pin = 0; pin < 5; ++pin) {
        painter.drawEllipse(QPointF(63 + pin * 6, 118), 1.4, 1.4);
    }
    for (int pin = 0; pin < 4; ++pin) {
        painter.drawEllipse(QPointF(66 + pin * 6, 124.5), 1.4, 1.4);
    }
}

}  // namespace

QPixmap GatewayPicture(qreal devicePixelRatio) {
    QPixmap pixmap = Canvas(kGatewayPictureSize, devicePixelRatio);
    QPainter painter(&pixmap);
    Prepare(painter);
    DrawGateway(painter);
    return pixmap;
}

QPixmap ControllerPicture(ModuleKind kind, qreal devicePixelRatio) {
    const bool rt = kind == ModuleKind::K6420RT;
    QPixmap pixmap = Canvas(kControllerPictureSize, devicePixelRatio);
    QPainter painter(&pixmap);
    Prepare(painter);

    const QRectF board(1, 2, 108, 42);
    QPainterPath outline;
    outline.addRoundedRect(board, 3, 3);
    painter.setPen(QPen(QColor(0x0e, 0x3d, 0x25), 1.0));
    painter.setBrush(VerticalShade(board, QColor(0x1f, 0x7a, 0x4a)));
    painter.drawPath(outline);

    // The band tells the two modules apart at a glance: blue for the 6420e, orange for the 6420RT.
    const QColor band = rt ? QColor(0xe0, 0x74, 0x12) : QColor(0x2a, 0x6c, 0xc0);
    painter.save();
    painter.setClipPath(outline);
    painter.setPen(Qt::NoPen);
    painter.setBrush(VerticalShade(QRectF(board.topLeft(), QSizeF(board.width(), 13)), band));
    painter.drawRect(QRectF(board.topLeft(), QSizeF(board.width(), 13)));
    painter.restore();
    painter.setPen(Qt::white);
    painter.setFont(PixelFont(10, true));
    painter.drawText(QRectF(board.left() + 6, board.top(), 70, 13),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     rt ? QStringLiteral("6420RT") : QStringLiteral("6420e"));

    // Mounting holes.
    for (const QPointF hole : {QPointF(board.right() - 6, board.top() + 6.5),
                               QPointF(board.right() - 6, board.bottom() - 6),
                               QPointF(board.left() + 6, board.bottom() - 6)}) {
        painter.setPen(QPen(kBrass, 1.2));
        painter.setBrush(QColor(0x10, 0x14, 0x12));
        painter.drawEllipse(hole, 2.4, 2.4);
    }

    // Processor with its pins on all four sides.
    const QRectF chip(14, 19, 20, 20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xc4, 0xc8, 0xcc));
    for (int pin = 0; pin < 6; ++pin) {
        const qreal offset = 3 + pin * 2.9;
        painter.drawRect(QRectF(chip.left() + offset, chip.top() - 2, 1.1, 2));
        painter.drawRect(QRectF(chip.left() + offset, chip.bottom(), 1.1, 2));
        painter.drawRect(QRectF(chip.left() - 2, chip.top() + offset, 2, 1.1));
        painter.drawRect(QRectF(chip.right(), chip.top() + offset, 2, 1.1));
    }
    painter.setPen(QPen(QColor(0x05, 0x05, 0x05), 0.6));
    painter.setBrush(QColor(0x24, 0x27, 0x2b));
    painter.drawRect(chip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x55, 0x5a, 0x60));
    painter.drawEllipse(QPointF(chip.left() + 3.5, chip.top() + 3.5), 1.2, 1.2);

    // Crystal and a few small parts.
    painter.setPen(QPen(QColor(0x80, 0x86, 0x8c), 0.6));
    painter.setBrush(QColor(0xdc, 0xe0, 0xe4));
    painter.drawRoundedRect(QRectF(41, 20, 13, 6), 3, 3);
    painter.setPen(Qt::NoPen);
    for (int part = 0; part < 3; ++part) {
        painter.setBrush(QColor(0x2c, 0x2c, 0x2c));
        painter.drawRect(QRectF(42 + part * 5, 31, 3, 2));
        painter.setBrush(QColor(0xb0, 0x8a, 0x5a));
        painter.drawRect(QRectF(42 + part * 5, 35, 3, 2));
    }

    // Pin header along the lower edge.
    const QRectF header(60, 31, 38, 7);
    painter.setBrush(QColor(0x1a, 0x1a, 0x1a));
    painter.drawRect(header);
    painter.setBrush(kBrass);
    for (int pin = 0; pin < 6; ++pin) {
        painter.drawRect(QRectF(header.left() + 2 + pin * 6.2, header.top() + 2, 3, 3));
    }

    DrawLed(painter, QPointF(64, 22), 2.2,
            rt ? QColor(0xff, 0x4b, 0x3a) : QColor(0x3c, 0xd6, 0x4f));
    return pixmap;
}

QPixmap ChannelPicture(int channel, qreal devicePixelRatio) {
    QPixmap pixmap = Canvas(kChannelPictureSize, devicePixelRatio);
    QPainter painter(&pixmap);
    Prepare(painter);

    if (channel == 1) {
        // Three-way RS-485 terminal block under a marker strip naming the terminals.
        const QRectF marker(5, 2, 46, 10);
        painter.setPen(QPen(QColor(0xa9, 0xb4, 0xc0), 0.8));
        painter.setBrush(QColor(0xf4, 0xf6, 0xf8));
        painter.drawRoundedRect(marker, 1.5, 1.5);
        painter.setPen(QColor(0x1d, 0x2b, 0x3a));
        painter.setFont(PixelFont(8, true));
        const std::array<const char*, 3> names{"A", "B", "SG"};
        const qreal pitch = marker.width() / 3;
        for (int pole = 0; pole < 3; ++pole) {
            painter.drawText(
                QRectF(marker.left() + pitch * pole, marker.top(), pitch, marker.height()),
                Qt::AlignCenter, QString::fromLatin1(names[pole]));
        }
        DrawTerminalRow(painter, QRectF(5, 12, 46, 26), 3, QColor(0x3f, 0x5f, 0x82), false);
        return pixmap;
    }

    // Five-way pluggable CAN connector; the wire stubs carry the usual network cable colours.
    const QRectF body(3, 3, 50, 26);
    const qreal pitch = body.width() / 5;
    const std::array<QColor, 5> wires{QColor(0x20, 0x20, 0x20), QColor(0x2f, 0x6f, 0xd0),
                                      QColor(0xb8, 0xbe, 0xc4), QColor(0xf4, 0xf4, 0xf4),
                                      QColor(0xd8, 0x2b, 0x2b)};
    for (int pole = 0; pole < 5; ++pole) {
        const qreal x = body.left() + pitch * (pole + 0.5);
        painter.setPen(QPen(QColor(0x50, 0x56, 0x5e), 4.4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(x, body.bottom()), QPointF(x, 37.5));
        painter.setPen(QPen(wires[pole], 3.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(x, body.bottom()), QPointF(x, 37.5));
    }
    DrawTerminalRow(painter, body, 5, QColor(0x2e, 0x8b, 0x57), false);
    return pixmap;
}

QPixmap ProductArtwork(qreal devicePixelRatio) {
    QPixmap pixmap = Canvas(kProductArtworkSize, devicePixelRatio);
    QPainter painter(&pixmap);
    DrawProductArtwork(painter);
    return pixmap;
}

void DrawProductArtwork(QPainter& painter) {
    Prepare(painter);
    // Soft shadow under the gateway.
    QRadialGradient shadow(QPointF(80, 110), 44);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 60));
    shadow.setColorAt(1.0, Qt::transparent);
    painter.save();
    painter.translate(80, 110);
    painter.scale(1.0, 0.18);
    painter.translate(-80, -110);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawEllipse(QPointF(80, 110), 44, 44);
    painter.restore();

    painter.save();
    painter.translate(42, 10);
    painter.scale(0.5, 0.5);
    DrawGateway(painter);
    painter.restore();

    // The network cable leaves a top terminal to the left, the serial cable a bottom one to the
    // right. Drawn over the gateway so that they go into the terminal openings.
    struct Cable {
        QPainterPath path;
        QColor colour;
    };
    QPainterPath network(QPointF(65, 19));
    network.cubicTo(QPointF(65, -2), QPointF(28, 2), QPointF(14, 34));
    QPainterPath serial(QPointF(84.5, 95.5));
    serial.cubicTo(QPointF(84.5, 120), QPointF(128, 116), QPointF(146, 84));
    const std::array<Cable, 2> cables{
        {{network, QColor(0x2f, 0x6f, 0xb8)}, {serial, QColor(0xe8, 0x86, 0x1c)}}};
    for (const Cable& cable : cables) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(cable.colour.darker(160), 5.2, Qt::SolidLine, Qt::FlatCap));
        painter.drawPath(cable.path);
        painter.setPen(QPen(cable.colour, 3.4, Qt::SolidLine, Qt::FlatCap));
        painter.drawPath(cable.path);
    }

    // Plugs on the cable ends, turned along the cable.
    const auto drawPlug = [&painter](QPointF at, qreal angle, const QColor& colour) {
        painter.save();
        painter.translate(at);
        painter.rotate(angle);
        painter.setPen(QPen(colour.darker(170), 0.8));
        painter.setBrush(VerticalShade(QRectF(-5, -2, 10, 12), colour));
        painter.drawRoundedRect(QRectF(-5, -2, 10, 12), 2, 2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xc4, 0xc8, 0xcc));
        painter.drawRect(QRectF(-3, 10, 6, 3));
        painter.restore();
    };
    drawPlug(QPointF(14, 34), 25, QColor(0x2e, 0x8b, 0x57));
    drawPlug(QPointF(146, 84), 210, QColor(0x3f, 0x5f, 0x82));

    // Network waves beside each plug.
    const auto drawWaves = [&painter](QPointF centre, qreal startAngle, const QColor& colour) {
        for (int ring = 0; ring < 3; ++ring) {
            QColor wave = colour;
            wave.setAlpha(200 - ring * 55);
            painter.setPen(QPen(wave, 2.0, Qt::SolidLine, Qt::RoundCap));
            painter.setBrush(Qt::NoBrush);
            const qreal radius = 6 + ring * 5;
            painter.drawArc(
                QRectF(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2),
                qRound(startAngle * 16), 90 * 16);
        }
    };
    drawWaves(QPointF(20, 50), 180, QColor(0x2f, 0x6f, 0xb8));
    drawWaves(QPointF(140, 70), 0, QColor(0xe8, 0x86, 0x1c));
}

}  // namespace tavrin
