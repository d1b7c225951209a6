// Shapes as signed distance functions in pixel units (negative inside), with pixel centres at
// x + 0.5, y + 0.5. Anti-aliasing comes from the distance, so edges are smooth at any size.
#pragma once

#include <functional>
#include <vector>

namespace skin {

using Sdf = std::function<float(float x, float y)>;

struct Point {
  float x = 0.f;
  float y = 0.f;
};

// Corner radii, clockwise from the top left.
struct Radii {
  float topLeft = 0.f;
  float topRight = 0.f;
  float bottomRight = 0.f;
  float bottomLeft = 0.f;
  static constexpr Radii All(float r) { return {r, r, r, r}; }
  static constexpr Radii Top(float r) { return {r, r, 0.f, 0.f}; }
  static constexpr Radii Bottom(float r) { return {0.f, 0.f, r, r}; }
  static constexpr Radii Left(float r) { return {r, 0.f, 0.f, r}; }
  static constexpr Radii Right(float r) { return {0.f, r, r, 0.f}; }
};

namespace shape {

Sdf Box(float x0, float y0, float x1, float y1, Radii radii = {});
Sdf Circle(float cx, float cy, float r);
Sdf Segment(Point a, Point b, float halfWidth);  // a stroke with round caps
Sdf Polygon(std::vector<Point> points);
Sdf HalfPlaneBelow(float y);  // everything with y greater than the line

Sdf Union(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);           // a without b
Sdf Grow(Sdf a, float by);            // grows (positive) or shrinks (negative) the shape
Sdf Outline(Sdf a, float halfWidth);  // a band of the given half width along the edge
Sdf Move(Sdf a, float dx, float dy);
Sdf Rotate(Sdf a, Point centre, float radians);

}  // namespace shape
}  // namespace skin
