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
    const int right = area.right() + 1 - (opener.right() + 1 + kGap);
    const int left = opener.left() - kGap - area.left();
    const int below = area.bottom() + 1 - (opener.bottom() + 1 + kGap);
    const int above = opener.top() - kGap - area.top();
    const QPoint toRight(opener.right() + 1 + kGap, opener.top());
    const QPoint toLeft(opener.left() - kGap - size.width(), opener.top());
    const QPoint toBelow(opener.left(), opener.bottom() + 1 + kGap);
    const QPoint toAbove(opener.left(), opener.top() - kGap - size.height());
    QPoint corner;
    if (right >= size.width()) {
        corner = toRight;
    } else if (left >= size.width()) {
        corner = toLeft;
    } else if (below >= size.height()) {
        corner = toBelow;
    } else if (above >= size.height()) {
        corner = toAbove;
    } else {
        // No side has room: the one with the most, covering as little of the opener as it can.
        const int most = std::max({right, left, below, above});
        corner = most == right   ? toRight
                 : most == left  ? toLeft
                 : most == below ? toBelow
                                 : toAbove;
    }
    return KeepInside(corner, size, area);
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
