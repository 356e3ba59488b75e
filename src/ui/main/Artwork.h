// Pictures drawn by Tavrin itself with QPainter: the gateway, its controller module, the two
// channel connectors and the product artwork of the splash and about windows. They show a generic
// device and name no maker or product. Each is drawn at the given device pixel ratio so that it
// stays sharp at 200 % display scaling.
#pragma once

#include <QPixmap>
#include <QSize>

class QPainter;

#include "config/ModuleKind.h"

namespace tavrin {

// Logical sizes (device-independent pixels).
inline constexpr QSize kGatewayPictureSize{150, 190};
inline constexpr QSize kControllerPictureSize{110, 46};
inline constexpr QSize kChannelPictureSize{56, 40};
inline constexpr QSize kProductArtworkSize{160, 120};

// `ModulesImage`: the gateway housing.
QPixmap GatewayPicture(qreal devicePixelRatio);
// `Image6420(kind)`: the controller module, one look per module kind.
QPixmap ControllerPicture(ModuleKind kind, qreal devicePixelRatio);
// `ComImage(channel)`: 0 the CAN connector, 1 the RS-485 connector.
QPixmap ChannelPicture(int channel, qreal devicePixelRatio);
// `Image2` of the splash and `Image1(1)` of the about window.
QPixmap ProductArtwork(qreal devicePixelRatio);
// The same artwork drawn by any painter in logical units over kProductArtworkSize: the program's
// icons are made from it, as pixels and as SVG.
void DrawProductArtwork(QPainter& painter);

}  // namespace tavrin
