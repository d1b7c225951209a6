// The product mark: a speech bubble in the suite's blues carrying a two-tone "V" (one arm per
// language). The program icon is this mark; the window shows it in its title band.
#pragma once

#include "Canvas.h"

namespace skin {

// Draws the mark into the square (x, y, size). Small sizes get a simpler, bolder drawing.
void DrawProductMark(Canvas& canvas, float x, float y, float size);
// The mark's outline alone (the bubble), for watermarks.
Sdf ProductMarkShape(float x, float y, float size);

}  // namespace skin
