// Small symbols on buttons and controls, as shapes centred on (cx, cy) within `size` pixels.
#pragma once

#include "Shape.h"

namespace skin::glyph {

Sdf ChevronDown(float cx, float cy, float size, float stroke);
Sdf ChevronUp(float cx, float cy, float size, float stroke);
Sdf ChevronRight(float cx, float cy, float size, float stroke);
Sdf Tick(float cx, float cy, float size, float stroke);
Sdf Cross(float cx, float cy, float size, float stroke);
Sdf Dash(float cx, float cy, float size, float stroke);
Sdf House(float cx, float cy, float size);
Sdf ArrowLeft(float cx, float cy, float size, float stroke);
Sdf Question(float cx, float cy, float size);
Sdf Restore(float cx, float cy, float size);  // two overlapping windows

}  // namespace skin::glyph
