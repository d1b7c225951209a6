#include "IconFrame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skin::icon {

float Frame::W(float halfWidth) const {
  return std::max(halfWidth * s, minHalf);
}

Sdf Frame::Rect(float u0, float v0, float u1, float v1, float r) const {
  return shape::Box(cx + u0 * s, cy + v0 * s, cx + u1 * s, cy + v1 * s, Radii::All(r * s));
}

Sdf Frame::Poly(std::initializer_list<Point> unit) const {
  std::vector<Point> pts;
  for (const Point& p : unit) pts.push_back(P(p.x, p.y));
  return shape::Polygon(std::move(pts));
}

Sdf Frame::Circ(float u, float v, float r) const {
  return shape::Circle(cx + u * s, cy + v * s, r * s);
}

Sdf Frame::Ellipse(float u, float v, float rx, float ry) const {
  const Point c = P(u, v);
  const float ax = rx * s, ay = ry * s, k = std::min(ax, ay);
  // Not an exact distance, but close enough near the edge, which is all the anti-aliasing needs.
  return [=](float x, float y) { return (std::hypot((x - c.x) / ax, (y - c.y) / ay) - 1.f) * k; };
}

Sdf Frame::Ring(float u, float v, float r, float halfWidth) const {
  return shape::Outline(Circ(u, v, r), W(halfWidth));
}

Sdf Frame::Seg(float u0, float v0, float u1, float v1, float halfWidth) const {
  return shape::Segment(P(u0, v0), P(u1, v1), W(halfWidth));
}

Sdf Frame::Line(std::initializer_list<Point> unit, float halfWidth) const {
  std::vector<Point> pts(unit);
  Sdf line = Seg(pts[0].x, pts[0].y, pts[1].x, pts[1].y, halfWidth);
  for (size_t i = 2; i < pts.size(); ++i)
    line = shape::Union(std::move(line), Seg(pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y, halfWidth));
  return line;
}

Sdf Frame::Arc(float u, float v, float r, float halfWidth, float a0, float a1) const {
  const Point c = P(u, v);
  const float rad = r * s, hw = W(halfWidth), span = a1 - a0;
  const Point e0{c.x + rad * std::cos(a0), c.y + rad * std::sin(a0)};
  const Point e1{c.x + rad * std::cos(a1), c.y + rad * std::sin(a1)};
  return [=](float x, float y) {
    constexpr float kTurn = 2.f * std::numbers::pi_v<float>;
    const float a = std::fmod(std::atan2(y - c.y, x - c.x) - a0 + 2.f * kTurn, kTurn);
    if (a <= span) return std::fabs(std::hypot(x - c.x, y - c.y) - rad) - hw;
    return std::min(std::hypot(x - e0.x, y - e0.y), std::hypot(x - e1.x, y - e1.y)) - hw;
  };
}

Sdf Frame::Head(float u, float v, float angle, float length) const {
  const float dx = std::cos(angle), dy = std::sin(angle);
  const float bx = u - dx * length, by = v - dy * length, w = length * 0.9f;
  return Poly({{u, v}, {bx - dy * w, by + dx * w}, {bx + dy * w, by - dx * w}});
}

Sdf Frame::Page(float u0, float v0, float u1, float v1, float fold) const {
  Sdf page = Rect(u0, v0, u1, v1, 0.04f);
  return shape::Subtract(std::move(page),
                         Poly({{u1 - fold, v0 - 0.1f}, {u1 + 0.1f, v0 - 0.1f}, {u1 + 0.1f, v0 + fold}}));
}

Sdf Frame::PageFold(float u1, float v0, float fold) const {
  return Poly({{u1 - fold, v0}, {u1 - fold, v0 + fold}, {u1, v0 + fold}});
}

Sdf Frame::TextLines(float u0, float v0, float u1, int count, float gap) const {
  Sdf lines = Seg(u0, v0, u1, v0, 0.03f);
  for (int i = 1; i < count; ++i) {
    const float v = v0 + gap * static_cast<float>(i);
    const float end = i == count - 1 ? u0 + (u1 - u0) * 0.6f : u1;
    lines = shape::Union(std::move(lines), Seg(u0, v, end, v, 0.03f));
  }
  return lines;
}

Sdf Behind(Sdf back, const Sdf& front, float gap) {
  return shape::Subtract(std::move(back), shape::Grow(front, gap));
}

}  // namespace skin::icon
