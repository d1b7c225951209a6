#include "Shape.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace skin::shape {

Sdf Box(float x0, float y0, float x1, float y1, Radii radii) {
  const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
  const float hx = (x1 - x0) * 0.5f, hy = (y1 - y0) * 0.5f;
  return [=](float x, float y) {
    const float px = x - cx, py = y - cy;
    const float r = px < 0.f ? (py < 0.f ? radii.topLeft : radii.bottomLeft)
                             : (py < 0.f ? radii.topRight : radii.bottomRight);
    const float qx = std::fabs(px) - hx + r, qy = std::fabs(py) - hy + r;
    const float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.f) - r;
  };
}

Sdf Circle(float cx, float cy, float r) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf Segment(Point a, Point b, float halfWidth) {
  return [=](float x, float y) {
    const float ex = b.x - a.x, ey = b.y - a.y;
    const float wx = x - a.x, wy = y - a.y;
    const float len2 = ex * ex + ey * ey;
    const float t = len2 > 0.f ? std::clamp((wx * ex + wy * ey) / len2, 0.f, 1.f) : 0.f;
    return std::hypot(wx - ex * t, wy - ey * t) - halfWidth;
  };
}

Sdf Polygon(std::vector<Point> points) {
  return [pts = std::move(points)](float x, float y) {
    float best = (x - pts[0].x) * (x - pts[0].x) + (y - pts[0].y) * (y - pts[0].y);
    float sign = 1.f;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      const float ex = pts[j].x - pts[i].x, ey = pts[j].y - pts[i].y;
      const float wx = x - pts[i].x, wy = y - pts[i].y;
      const float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.f, 1.f);
      const float bx = wx - ex * t, by = wy - ey * t;
      best = std::min(best, bx * bx + by * by);
      const bool c1 = y >= pts[i].y, c2 = y<pts[j].y, c3 = ex * wy> ey * wx;
      if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
    }
    return sign * std::sqrt(best);
  };
}

Sdf HalfPlaneBelow(float line) {
  return [=](float, float y) { return line - y; };
}

Sdf Union(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Sdf Intersect(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Sdf Subtract(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Sdf Grow(Sdf a, float by) {
  return [a = std::move(a), by](float x, float y) { return a(x, y) - by; };
}

Sdf Outline(Sdf a, float halfWidth) {
  return [a = std::move(a), halfWidth](float x, float y) { return std::fabs(a(x, y)) - halfWidth; };
}

Sdf Move(Sdf a, float dx, float dy) {
  return [a = std::move(a), dx, dy](float x, float y) { return a(x - dx, y - dy); };
}

Sdf Rotate(Sdf a, Point centre, float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  return [a = std::move(a), centre, c, s](float x, float y) {
    const float px = x - centre.x, py = y - centre.y;
    return a(centre.x + px * c + py * s, centre.y - px * s + py * c);
  };
}

}  // namespace skin::shape
