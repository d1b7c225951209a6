// What fills a shape: a colour that may vary over the picture.
#pragma once

#include <functional>

#include "Colour.h"

namespace skin {

using Paint = std::function<Rgb(float x, float y)>;

namespace paint {

Paint Solid(Rgb colour);
// From `top` at y0 to `bottom` at y1 (clamped outside), the subtle vertical gradient of the skin.
Paint Vertical(float y0, Rgb top, float y1, Rgb bottom);
Paint Horizontal(float x0, Rgb left, float x1, Rgb right);
// `base` brightened towards `glow` around a centre, fading out at `radius`.
Paint Glow(Paint base, float cx, float cy, float radius, Rgb glow, float strength);

}  // namespace paint
}  // namespace skin
