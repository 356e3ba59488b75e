#include "inictl/Face.h"

#include <QPainter>
#include <QPolygon>
#include <QVector>
#include <cmath>
#include <numbers>

namespace quillon {
namespace {

// The 16 colours of the classic palette, in their usual order.
const QVector<QRgb>& SixteenColours() {
    static const QVector<QRgb> colours = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return colours;
}

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kNavy = 0xff000080;
constexpr QRgb kOlive = 0xff808000;
constexpr QRgb kSilver = 0xffc0c0c0;
constexpr QRgb kGrey = 0xff808080;
constexpr QRgb kYellow = 0xffffff00;
constexpr QRgb kWhite = 0xffffffff;

// Pixel drawing without smoothing, so every pixel is one of the sixteen colours exactly.
QImage Canvas(int width, int height) {
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(kSilver);
    return canvas;
}

QImage ToSixteenColours(const QImage& canvas) {
    return canvas.convertToFormat(QImage::Format_Indexed8, SixteenColours(), Qt::ThresholdDither);
}

// A sheet with a folded top-right corner and `lines` lines of text.
void DrawSheet(QPainter& painter, const QRect& sheet, int fold, int lines) {
    const QPolygon outline({sheet.topLeft(), QPoint(sheet.right() - fold, sheet.top()),
                            QPoint(sheet.right(), sheet.top() + fold), sheet.bottomRight(),
                            sheet.bottomLeft()});
    painter.setPen(kBlack);
    painter.setBrush(QColor(kWhite));
    painter.drawPolygon(outline);
    painter.drawLine(sheet.right() - fold, sheet.top(), sheet.right() - fold, sheet.top() + fold);
    painter.drawLine(sheet.right() - fold, sheet.top() + fold, sheet.right(), sheet.top() + fold);
    painter.setPen(kNavy);
    const int gap = (sheet.height() - fold) / (lines + 1);
    for (int line = 1; line <= lines; ++line) {
        const int y = sheet.top() + fold / 2 + line * gap;
        const int end = line % 2 == 0 ? sheet.right() - 3 : sheet.right() - 6;
        painter.drawLine(sheet.left() + 3, y, end, y);
    }
}

void DrawCogwheel(QPainter& painter, QPoint centre, int radius, int teeth) {
    QPolygon wheel;
    for (int step = 0; step < teeth * 4; ++step) {
        const double angle = 2 * std::numbers::pi * step / (teeth * 4);
        const int r = (step % 4 < 2) ? radius : radius * 3 / 4;
        wheel << QPoint(centre.x() + static_cast<int>(std::lround(r * std::cos(angle))),
                        centre.y() + static_cast<int>(std::lround(r * std::sin(angle))));
    }
    painter.setPen(kBlack);
    painter.setBrush(QColor(kOlive));
    painter.drawPolygon(wheel);
    painter.setBrush(QColor(kYellow));
    const int hub = std::max(1, radius / 3);
    painter.drawEllipse(centre, hub, hub);
}

}  // namespace

QImage ControlFace() {
    QImage canvas = Canvas(32, 32);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawSheet(painter, QRect(3, 1, 21, 28), 6, 6);
    DrawCogwheel(painter, QPoint(23, 23), 8, 8);
    painter.setPen(kGrey);
    painter.drawLine(4, 30, 14, 30);
    painter.end();
    return ToSixteenColours(canvas);
}

QImage ToolboxBitmap() {
    QImage canvas = Canvas(16, 15);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawSheet(painter, QRect(1, 0, 10, 13), 3, 3);
    DrawCogwheel(painter, QPoint(11, 10), 4, 6);
    painter.end();
    return ToSixteenColours(canvas);
}

}  // namespace quillon
