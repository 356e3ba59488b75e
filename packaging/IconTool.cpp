// Makes the program's icons from its own product artwork: the scalable SVG and the PNGs of the
// hicolor theme sizes. Run by the build (offscreen platform), never installed.
//
//   tavrin-icon-tool OUTPUT_DIR NAME   writes OUTPUT_DIR/scalable/apps/NAME.svg and
//                                      OUTPUT_DIR/<n>x<n>/apps/NAME.png for n = 48, 128, 256
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/main/Artwork.h"

namespace {

// The artwork is wider than high; an icon is square, so the artwork sits in the middle of it.
constexpr int kSide = 160;
static_assert(tavrin::kProductArtworkSize.width() == kSide);

void DrawIcon(QPainter& painter, qreal scale) {
    painter.scale(scale, scale);
    painter.translate(0, (kSide - tavrin::kProductArtworkSize.height()) / 2.0);
    tavrin::DrawProductArtwork(painter);
}

bool WritePng(const QString& folder, const QString& name, int pixels) {
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(pixels);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        DrawIcon(painter, qreal(pixels) / kSide);
    }
    return QDir().mkpath(dir) && image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

bool WriteSvg(const QString& folder, const QString& name) {
    const QString dir = folder + QStringLiteral("/scalable/apps");
    if (!QDir().mkpath(dir)) {
        return false;
    }
    QSvgGenerator svg;
    svg.setFileName(dir + QLatin1Char('/') + name + QStringLiteral(".svg"));
    svg.setSize(QSize(kSide, kSide));
    svg.setViewBox(QRect(0, 0, kSide, kSide));
    svg.setTitle(QStringLiteral("Tavrin"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    DrawIcon(painter, 1.0);
    return painter.end();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: tavrin-icon-tool OUTPUT_DIR NAME\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    bool written = WriteSvg(folder, name);
    for (const int pixels : {48, 128, 256}) {
        written = WritePng(folder, name, pixels) && written;
    }
    if (!written) {
        std::fprintf(stderr, "tavrin-icon-tool: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
