// Sizes given in twips (1/1440 inch), the unit the gateway's documentation and the original
// layouts use, turned into pixels at the screen's logical resolution.
#pragma once

class QWidget;

namespace tavrin {

inline constexpr int kTwipsPerInch = 1440;

// Whole pixels for `twips` on the screen `widget` is on (96 dpi when it has none).
int TwipsToPixels(const QWidget& widget, double twips);

}  // namespace tavrin
