// Building blocks of the list icons' glyphs: a unit square (-0.5 .. 0.5 on both axes, y down)
// mapped onto the glyph area of the tile, and the strokes, pages and arrows the glyphs share.
#pragma once

#include <initializer_list>
#include <vector>

#include "Shape.h"

namespace skin::icon {

// What a glyph layer is painted with: white on the blue tile, a pale blue for accents, and the
// dark ink for marks drawn on white parts.
enum class Ink { kWhite, kPale, kDark };

struct Layer {
  Sdf shape;
  Ink ink = Ink::kWhite;
};
using Glyph = std::vector<Layer>;

struct Frame {
  float cx, cy, s;
  float minHalf;  // thinnest half stroke in pixels, so the 16-pixel images keep their lines

  Point P(float u, float v) const { return {cx + u * s, cy + v * s}; }
  float L(float u) const { return u * s; }
  float W(float halfWidth) const;  // a stroke's half width in pixels, never below minHalf
  Sdf Rect(float u0, float v0, float u1, float v1, float r = 0.f) const;
  Sdf Poly(std::initializer_list<Point> unit) const;
  Sdf Circ(float u, float v, float r) const;
  Sdf Ellipse(float u, float v, float rx, float ry) const;
  Sdf Ring(float u, float v, float r, float halfWidth) const;
  Sdf Seg(float u0, float v0, float u1, float v1, float halfWidth) const;
  Sdf Line(std::initializer_list<Point> unit, float halfWidth) const;  // open polyline
  // A stroke along the circle from angle a0 to a1 (radians, clockwise on screen, 0 = right).
  Sdf Arc(float u, float v, float r, float halfWidth, float a0, float a1) const;
  // A filled arrow head with its tip at (u, v), pointing along `angle`.
  Sdf Head(float u, float v, float angle, float length) const;
  // A sheet with a folded top-right corner; `fold` is the fold's size. The fold itself is a
  // separate shape, for a second colour.
  Sdf Page(float u0, float v0, float u1, float v1, float fold) const;
  Sdf PageFold(float u1, float v0, float fold) const;
  // Short text lines across a page, as a dark layer.
  Sdf TextLines(float u0, float v0, float u1, int count, float gap) const;
};

// A gap around `front` cut out of `back`, so overlapping parts stay apart.
Sdf Behind(Sdf back, const Sdf& front, float gap);

}  // namespace skin::icon
