#pragma once

#include <QIcon>
#include <QImage>

namespace zonora {

// The program's icon: a right-pointing arrowhead as tall as the icon, light
// grey above its midline and black below, with a dark grey strip along its
// left edge; transparent elsewhere. Drawn pixel by pixel in the colours of
// the 16-colour palette, at any size, from the shared rule in ui/icon_pixels.h.
QImage drawIcon(int size);

// The 16 and 32 pixel images.
QIcon programIcon();

}  // namespace zonora
