#include "ProductMark.h"

#include <vector>

namespace skin {
namespace {

struct Unit {
  float x, y, s;
  Point P(float u, float v) const { return {x + u * s, y + v * s}; }
  Sdf Poly(std::initializer_list<Point> unit) const {
    std::vector<Point> pts;
    for (const Point& p : unit) pts.push_back(P(p.x, p.y));
    return shape::Polygon(std::move(pts));
  }
};

}  // namespace

Sdf ProductMarkShape(float x, float y, float size) {
  const Unit u{x, y, size};
  return shape::Union(shape::Box(x + 0.04f * size, y + 0.05f * size, x + 0.96f * size, y + 0.79f * size,
                                 Radii::All(0.22f * size)),
                      u.Poly({{0.20f, 0.70f}, {0.46f, 0.70f}, {0.13f, 0.97f}}));
}

void DrawProductMark(Canvas& canvas, float x, float y, float size) {
  const Unit u{x, y, size};
  const bool small = size < 24.f;
  const int samples = size < 64.f ? 4 : 2;

  Sdf bubble = ProductMarkShape(x, y, size);
  const Rgb top{96, 194, 242}, bottom{20, 92, 182};
  canvas.Fill(bubble, paint::Vertical(y + 0.05f * size, top, y + 0.97f * size, bottom), 1.f, samples);
  if (!small) {
    // A soft gloss over the upper half.
    Sdf gloss = shape::Intersect(shape::Grow(bubble, -0.05f * size),
                                 shape::Circle(x + 0.5f * size, y - 0.62f * size, 1.02f * size));
    canvas.Fill(gloss, palette::kWhite, 0.16f, samples);
  }
  // A thin darker rim holds the shape on light desktops; at least half a pixel wide.
  const float rim = small ? 0.5f : 0.018f * size;
  canvas.Fill(shape::Intersect(shape::Outline(bubble, rim), shape::Grow(bubble, 0.01f * size)),
              Rgb{12, 58, 128}, small ? 0.45f : 0.55f, samples);

  // The V: its left arm white, its right arm a pale blue; they meet at the bottom point.
  const float t = small ? 0.035f : 0.0f;  // bolder arms where pixels are few
  Sdf left = u.Poly(
      {{0.22f - t, 0.19f}, {0.38f + t, 0.19f}, {0.50f, 0.50f - t}, {0.50f, 0.67f}, {0.435f - t, 0.67f}});
  Sdf right = u.Poly(
      {{0.50f, 0.50f - t}, {0.62f - t, 0.19f}, {0.78f + t, 0.19f}, {0.565f + t, 0.67f}, {0.50f, 0.67f}});
  canvas.Fill(shape::Grow(left, 0.008f * size), palette::kWhite, 1.f, samples);
  canvas.Fill(shape::Grow(right, 0.008f * size), Rgb{186, 230, 252}, 1.f, samples);
}

}  // namespace skin
