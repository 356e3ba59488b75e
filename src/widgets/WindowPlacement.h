// Where secondary windows stand: a view beside the window that opened it, so the two can be read
// together; a tool window on its parent's screen, wholly on it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tavrin {

// The top-left corner for a window of `size` beside `opener` inside `area`: to its right, else
// to its left, else above, else below, lined up with the opener's top (or left) edge. When no
// side has room, the place inside `area` that covers the least of the opener.
QPoint BesidePosition(const QRect& opener, const QSize& size, const QRect& area);

// The top-left corner for a window of `size` centred on `parent`, moved so that it lies wholly
// inside `area` (its top-left corner stays inside when it is larger than the area).
QPoint InsidePosition(const QRect& parent, const QSize& size, const QRect& area);

// Moves `window` beside `opener` on the opener's screen.
void PlaceBeside(QWidget& window, const QWidget& opener);
// Moves `window` onto `parent`'s screen, centred on the parent and wholly visible.
void PlaceOnParentsScreen(QWidget& window, const QWidget& parent);

}  // namespace tavrin
