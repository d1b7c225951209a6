#include "Glyphs.h"

namespace skin::glyph {

using shape::Box;
using shape::Segment;
using shape::Union;

Sdf ChevronDown(float cx, float cy, float size, float stroke) {
  const float h = size * 0.5f, v = size * 0.25f;
  return Union(Segment({cx - h, cy - v}, {cx, cy + v}, stroke * 0.5f),
               Segment({cx, cy + v}, {cx + h, cy - v}, stroke * 0.5f));
}

Sdf ChevronUp(float cx, float cy, float size, float stroke) {
  const float h = size * 0.5f, v = size * 0.25f;
  return Union(Segment({cx - h, cy + v}, {cx, cy - v}, stroke * 0.5f),
               Segment({cx, cy - v}, {cx + h, cy + v}, stroke * 0.5f));
}

Sdf ChevronRight(float cx, float cy, float size, float stroke) {
  const float h = size * 0.5f, v = size * 0.25f;
  return Union(Segment({cx - v, cy - h}, {cx + v, cy}, stroke * 0.5f),
               Segment({cx + v, cy}, {cx - v, cy + h}, stroke * 0.5f));
}

Sdf Tick(float cx, float cy, float size, float stroke) {
  const float s = size;
  const Point knee{cx - 0.08f * s, cy + 0.24f * s};
  return Union(Segment({cx - 0.34f * s, cy + 0.0f * s}, knee, stroke * 0.5f),
               Segment(knee, {cx + 0.36f * s, cy - 0.28f * s}, stroke * 0.5f));
}

Sdf Cross(float cx, float cy, float size, float stroke) {
  const float h = size * 0.5f;
  return Union(Segment({cx - h, cy - h}, {cx + h, cy + h}, stroke * 0.5f),
               Segment({cx - h, cy + h}, {cx + h, cy - h}, stroke * 0.5f));
}

Sdf Dash(float cx, float cy, float size, float stroke) {
  const float h = size * 0.5f;
  return Box(cx - h, cy - stroke * 0.5f, cx + h, cy + stroke * 0.5f, Radii::All(stroke * 0.3f));
}

Sdf House(float cx, float cy, float size) {
  const float s = size;
  Sdf roof = shape::Polygon({{cx - 0.52f * s, cy - 0.02f * s},
                             {cx, cy - 0.48f * s},
                             {cx + 0.52f * s, cy - 0.02f * s},
                             {cx + 0.38f * s, cy - 0.02f * s},
                             {cx, cy - 0.32f * s},
                             {cx - 0.38f * s, cy - 0.02f * s}});
  Sdf walls = Box(cx - 0.32f * s, cy - 0.08f * s, cx + 0.32f * s, cy + 0.44f * s, Radii::Bottom(0.04f * s));
  Sdf door = Box(cx - 0.09f * s, cy + 0.14f * s, cx + 0.09f * s, cy + 0.46f * s);
  return Union(roof, shape::Subtract(walls, door));
}

Sdf ArrowLeft(float cx, float cy, float size, float stroke) {
  const float h = size * 0.5f, r = stroke * 0.5f;
  return Union(Segment({cx - h, cy}, {cx + h, cy}, r),
               Union(Segment({cx - h, cy}, {cx - h + size * 0.4f, cy - size * 0.4f}, r),
                     Segment({cx - h, cy}, {cx - h + size * 0.4f, cy + size * 0.4f}, r)));
}

Sdf Question(float cx, float cy, float size) {
  const float s = size;
  const float r = 0.22f * s, w = 0.075f * s, hookY = cy - 0.16f * s;
  // The hook: a ring without its lower-left quarter, then the stem down from its lowest point.
  Sdf ring = shape::Outline(shape::Circle(cx, hookY, r), w);
  Sdf lowerLeft = Box(cx - r - 2.f * w, hookY, cx, hookY + r + 2.f * w);
  Sdf hook = shape::Subtract(ring, lowerLeft);
  Sdf stem = Segment({cx, hookY + r}, {cx, cy + 0.16f * s}, w);
  Sdf dot = shape::Circle(cx, cy + 0.38f * s, 0.09f * s);
  return Union(Union(hook, stem), dot);
}

Sdf Restore(float cx, float cy, float size) {
  const float s = size, t = 1.f;
  Sdf back = shape::Outline(Box(cx - 0.18f * s, cy - 0.42f * s, cx + 0.42f * s, cy + 0.12f * s), t * 0.5f);
  Sdf front = Box(cx - 0.42f * s, cy - 0.14f * s, cx + 0.18f * s, cy + 0.42f * s);
  Sdf frontEdge = shape::Outline(front, t * 0.5f);
  Sdf frontBar = Box(cx - 0.42f * s, cy - 0.14f * s, cx + 0.18f * s, cy - 0.02f * s);
  return Union(shape::Subtract(back, front), Union(frontEdge, frontBar));
}

}  // namespace skin::glyph
