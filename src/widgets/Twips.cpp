#include "widgets/Twips.h"

#include <QScreen>
#include <QWidget>
#include <cmath>

namespace tavrin {

int TwipsToPixels(const QWidget& widget, double twips) {
    const QScreen* screen = widget.screen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

}  // namespace tavrin
