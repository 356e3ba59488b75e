#include "widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tavrin {
namespace {

constexpr int kGap = 8;  // pixels between a view and its opener

// Moves `corner` so that a window of `size` lies inside `area` as far as it can.
QPoint KeepInside(QPoint corner, const QSize& size, const QRect& area) {
    corner.setX(std::max(area.left(), std::min(corner.x(), area.right() + 1 - size.width())));
    corner.setY(std::max(area.top(), std::min(corner.y(), area.bottom() + 1 - size.height())));
    return corner;
}

QRect AreaOf(const QWidget& widget) {
    QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

QPoint BesidePosition(const QRect& opener, const QSize& size, const QRect& area) {
    // Right, left, above, below: a view is read beside its opener, and the forms keep their
    // buttons at the bottom, so covering the top of one is the lesser harm.
    const QPoint sides[] = {
        {opener.right() + 1 + kGap, opener.top()},
        {opener.left() - kGap - size.width(), opener.top()},
        {opener.left(), opener.top() - kGap - size.height()},
        {opener.left(), opener.bottom() + 1 + kGap},
    };
    QPoint best;
    long long bestCovered = -1;
    for (const QPoint& side : sides) {
        const QPoint corner = KeepInside(side, size, area);
        const QRect covered = QRect(corner, size).intersected(opener);
        const long long coveredArea =
            covered.isEmpty() ? 0 : 1LL * covered.width() * covered.height();
        if (bestCovered < 0 || coveredArea < bestCovered) {
            best = corner;
            bestCovered = coveredArea;
        }
    }
    return best;
}

QPoint InsidePosition(const QRect& parent, const QSize& size, const QRect& area) {
    const QPoint centred(parent.center().x() - size.width() / 2,
                         parent.center().y() - size.height() / 2);
    return KeepInside(centred, size, area);
}

void PlaceBeside(QWidget& window, const QWidget& opener) {
    const QRect area = AreaOf(opener);
    if (area.isEmpty()) {
        return;
    }
    window.adjustSize();
    window.move(BesidePosition(opener.frameGeometry(), window.frameGeometry().size(), area));
}

void PlaceOnParentsScreen(QWidget& window, const QWidget& parent) {
    const QRect area = AreaOf(parent);
    if (area.isEmpty()) {
        return;
    }
    window.move(InsidePosition(parent.frameGeometry(), window.frameGeometry().size(), area));
}

}  // namespace tavrin
