// Glyphs of the network, administration and quality programs of the suite.
#include <cmath>
#include <numbers>

#include "IconGlyphs.h"

namespace skin::icon {
namespace {

using shape::Subtract;
using shape::Union;

constexpr float kPi = std::numbers::pi_v<float>;

Sdf Person(const Frame& f, float u, float v, float scale) {
  Sdf head = f.Circ(u, v - 0.16f * scale, 0.15f * scale);
  Sdf body =
      f.Rect(u - 0.30f * scale, v + 0.04f * scale, u + 0.30f * scale, v + 0.40f * scale, 0.24f * scale);
  body = Subtract(std::move(body), f.Rect(-1.f, v + 0.40f * scale - 0.001f, 1.f, 1.f));
  return Union(std::move(head),
               Behind(std::move(body), f.Circ(u, v - 0.16f * scale, 0.15f * scale), f.L(0.05f)));
}

// A server unit: a flat box with a light and two vents.
Sdf ServerUnit(const Frame& f, float u0, float v0, float u1, float v1) {
  return f.Rect(u0, v0, u1, v1, 0.04f);
}
Sdf UnitMarks(const Frame& f, float u0, float v0, float u1, float v1) {
  const float v = (v0 + v1) / 2.f;
  return Union(f.Seg(u0 + 0.10f, v, u0 + 0.34f, v, 0.025f), f.Circ(u1 - 0.11f, v, 0.045f));
}

Sdf Gear(const Frame& f, float u, float v, float r) {
  Sdf gear = f.Circ(u, v, r * 0.78f);
  for (int i = 0; i < 8; ++i) {
    const float a = static_cast<float>(i) * kPi / 4.f;
    gear = Union(std::move(gear),
                 f.Seg(u, v, u + std::cos(a) * r * 0.92f, v + std::sin(a) * r * 0.92f, r * 0.16f));
  }
  return Subtract(std::move(gear), f.Circ(u, v, r * 0.34f));
}

}  // namespace

Glyph Icq(const Frame& f) {
  // Seven petals; the top one is the accent.
  auto petal = [&f](int i) {
    const float a = -kPi / 2 + static_cast<float>(i) * 2.f * kPi / 7.f;
    return f.Circ(std::cos(a) * 0.31f, std::sin(a) * 0.31f, 0.15f);
  };
  Sdf petals = petal(1), accent = petal(0);
  for (int i = 2; i < 7; ++i) petals = Union(std::move(petals), petal(i));
  Sdf centre = f.Circ(0.f, 0.f, 0.15f);
  return {{Behind(std::move(petals), centre, f.L(0.03f)), Ink::kWhite},
          {Behind(std::move(accent), centre, f.L(0.03f)), Ink::kPale},
          {std::move(centre), Ink::kPale}};
}

Glyph ServerLogin(const Frame& f) {
  Sdf key = Union(f.Circ(-0.24f, -0.24f, 0.20f), f.Seg(-0.16f, -0.16f, 0.38f, 0.38f, 0.06f));
  key = Union(std::move(key),
              Union(f.Seg(0.18f, 0.18f, 0.06f, 0.30f, 0.06f), f.Seg(0.30f, 0.30f, 0.20f, 0.40f, 0.06f)));
  key = Subtract(std::move(key), f.Circ(-0.28f, -0.28f, 0.07f));
  return {{std::move(key), Ink::kWhite}};
}

Glyph ServerSetup(const Frame& f) {
  Sdf units =
      Union(ServerUnit(f, -0.44f, -0.46f, 0.30f, -0.14f), ServerUnit(f, -0.44f, -0.08f, 0.30f, 0.24f));
  Sdf gear = Gear(f, 0.24f, 0.26f, 0.24f);
  Sdf marks = Union(UnitMarks(f, -0.44f, -0.46f, 0.30f, -0.14f), UnitMarks(f, -0.44f, -0.08f, 0.30f, 0.24f));
  return {{Behind(std::move(units), gear, f.L(0.06f)), Ink::kWhite},
          {Behind(std::move(marks), gear, f.L(0.06f)), Ink::kDark},
          {std::move(gear), Ink::kPale}};
}

Glyph Server(const Frame& f) {
  Sdf units = f.Rect(-1.f, -1.f, -1.f, -1.f), marks = units;
  for (int i = 0; i < 3; ++i) {
    const float v0 = -0.46f + static_cast<float>(i) * 0.32f;
    units = Union(std::move(units), ServerUnit(f, -0.38f, v0, 0.38f, v0 + 0.27f));
    marks = Union(std::move(marks), UnitMarks(f, -0.38f, v0, 0.38f, v0 + 0.27f));
  }
  return {{std::move(units), Ink::kWhite}, {std::move(marks), Ink::kDark}};
}

Glyph UserManager(const Frame& f) {
  Sdf front = Person(f, 0.12f, 0.06f, 1.f);
  Sdf back = Person(f, -0.20f, -0.06f, 0.85f);
  return {{Behind(std::move(back), front, f.L(0.06f)), Ink::kPale}, {std::move(front), Ink::kWhite}};
}

Glyph Linguist(const Frame& f) {
  Sdf person = Person(f, -0.12f, -0.04f, 1.f);
  Sdf book = f.Rect(0.06f, 0.02f, 0.46f, 0.46f, 0.04f);
  Sdf spine = f.Seg(0.26f, 0.06f, 0.26f, 0.42f, 0.025f);
  return {{Behind(std::move(person), book, f.L(0.06f)), Ink::kWhite},
          {std::move(book), Ink::kPale},
          {std::move(spine), Ink::kDark}};
}

Glyph Synchronize(const Frame& f) {
  Sdf upper = Union(f.Arc(0.f, 0.f, 0.34f, 0.06f, kPi * 1.05f, kPi * 1.85f),
                    f.Head(0.40f, -0.02f, kPi * 0.45f, 0.2f));
  Sdf lower = Union(f.Arc(0.f, 0.f, 0.34f, 0.06f, kPi * 0.05f, kPi * 0.85f),
                    f.Head(-0.40f, 0.02f, -kPi * 0.55f, 0.2f));
  return {{std::move(upper), Ink::kWhite}, {std::move(lower), Ink::kPale}};
}

Glyph QaStudio(const Frame& f) {
  const Point c = f.P(0.f, 0.f);
  Sdf tube = f.Rect(-0.14f, -0.40f, 0.14f, 0.46f, 0.14f);
  Sdf inside = f.Rect(-0.08f, -0.40f, 0.08f, 0.40f, 0.08f);
  Sdf liquid = shape::Intersect(inside, f.Rect(-1.f, 0.06f, 1.f, 1.f));
  Sdf rim = f.Rect(-0.22f, -0.46f, 0.22f, -0.36f, 0.03f);
  const float tilt = kPi / 7.f;
  return {{shape::Rotate(Union(Subtract(std::move(tube), inside), std::move(rim)), c, tilt), Ink::kWhite},
          {shape::Rotate(std::move(liquid), c, tilt), Ink::kPale}};
}

Glyph QaLab(const Frame& f) {
  Sdf frame = Union(f.Seg(0.f, -0.40f, 0.f, 0.36f, 0.045f), f.Seg(-0.40f, -0.28f, 0.40f, -0.28f, 0.04f));
  frame =
      Union(std::move(frame), Union(f.Rect(-0.22f, 0.36f, 0.22f, 0.46f, 0.03f), f.Circ(0.f, -0.40f, 0.07f)));
  Sdf strings = Union(f.Line({{-0.48f, 0.06f}, {-0.34f, -0.28f}, {-0.20f, 0.06f}}, 0.02f),
                      f.Line({{0.20f, 0.06f}, {0.34f, -0.28f}, {0.48f, 0.06f}}, 0.02f));
  Sdf pans = Union(shape::Intersect(f.Circ(-0.34f, 0.04f, 0.16f), f.Rect(-1.f, 0.04f, 1.f, 1.f)),
                   shape::Intersect(f.Circ(0.34f, 0.04f, 0.16f), f.Rect(-1.f, 0.04f, 1.f, 1.f)));
  return {{std::move(frame), Ink::kWhite}, {std::move(strings), Ink::kPale}, {std::move(pans), Ink::kWhite}};
}

Glyph QaProbe(const Frame& f) {
  Sdf needle = f.Seg(0.34f, -0.34f, 0.02f, -0.02f, 0.045f);
  Sdf grip = f.Seg(0.46f, -0.46f, 0.32f, -0.32f, 0.09f);
  Sdf tick = f.Line({{-0.44f, 0.08f}, {-0.18f, 0.36f}, {0.30f, -0.08f}}, 0.085f);
  return {{Behind(std::move(needle), tick, f.L(0.06f)), Ink::kWhite},
          {std::move(grip), Ink::kPale},
          {std::move(tick), Ink::kWhite}};
}

Glyph Updater(const Frame& f) {
  Sdf disc = f.Circ(0.f, 0.f, 0.46f);
  Sdf arrow = Union(f.Seg(0.f, -0.06f, 0.f, 0.28f, 0.07f), f.Head(0.f, -0.30f, -kPi / 2, 0.26f));
  return {{std::move(disc), Ink::kWhite}, {std::move(arrow), Ink::kDark}};
}

}  // namespace skin::icon
