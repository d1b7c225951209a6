#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace skin::paint {

Paint Solid(Rgb colour) {
  return [=](float, float) { return colour; };
}

Paint Vertical(float y0, Rgb top, float y1, Rgb bottom) {
  return [=](float, float y) { return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.f, 1.f)); };
}

Paint Horizontal(float x0, Rgb left, float x1, Rgb right) {
  return [=](float x, float) { return Mix(left, right, std::clamp((x - x0) / (x1 - x0), 0.f, 1.f)); };
}

Paint Glow(Paint base, float cx, float cy, float radius, Rgb glow, float strength) {
  return [=, base = std::move(base)](float x, float y) {
    const float d = std::clamp(std::hypot(x - cx, y - cy) / radius, 0.f, 1.f);
    const float w = (1.f - d) * (1.f - d) * strength;  // soft falloff, no visible rim
    return Mix(base(x, y), glow, w);
  };
}

}  // namespace skin::paint
