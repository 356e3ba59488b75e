// The control's pictures, drawn here rather than shipped as files: the 32 x 32 face it shows on a
// form and the 16 x 15 bitmap for a designer's toolbox, both in the 16 standard colours.
#pragma once

#include <QImage>

#include "inictl/QuillonExport.h"

namespace quillon {

QUILLON_API QImage ControlFace();
QUILLON_API QImage ToolboxBitmap();

}  // namespace quillon
