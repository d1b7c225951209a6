#include "Pictograms.h"

#include <numbers>
#include <vector>

namespace skin {
namespace {

using shape::Box;
using shape::Circle;
using shape::Grow;
using shape::Polygon;
using shape::Segment;
using shape::Subtract;
using shape::Union;

struct Layer {
  Sdf shape;
  bool secondary = false;
};

// Maps the pictogram's unit square (-0.5 .. 0.5 on both axes) to pixels.
struct Frame {
  float cx, cy, s;
  Point P(float u, float v) const { return {cx + u * s, cy + v * s}; }
  float L(float u) const { return u * s; }
  Sdf Rect(float u0, float v0, float u1, float v1, float r = 0.f) const {
    return Box(cx + u0 * s, cy + v0 * s, cx + u1 * s, cy + v1 * s, Radii::All(r * s));
  }
  Sdf Poly(std::initializer_list<Point> unit) const {
    std::vector<Point> pts;
    for (const Point& p : unit) pts.push_back(P(p.x, p.y));
    return Polygon(std::move(pts));
  }
};

std::vector<Layer> Translation(const Frame& f) {
  Sdf front = Union(f.Rect(-0.12f, -0.10f, 0.48f, 0.36f, 0.12f),
                    f.Poly({{0.16f, 0.30f}, {0.36f, 0.30f}, {0.42f, 0.52f}}));
  Sdf back = Union(f.Rect(-0.48f, -0.44f, 0.10f, 0.04f, 0.12f),
                   f.Poly({{-0.38f, 0.0f}, {-0.16f, 0.0f}, {-0.42f, 0.22f}}));
  back = Subtract(back, Grow(front, f.L(0.07f)));
  back = Subtract(back, f.Rect(-0.37f, -0.25f, -0.06f, -0.18f, 0.03f));
  front = Subtract(front, f.Rect(-0.01f, 0.02f, 0.37f, 0.09f, 0.03f));
  front = Subtract(front, f.Rect(-0.01f, 0.17f, 0.24f, 0.24f, 0.03f));
  return {{back, true}, {front, false}};
}

std::vector<Layer> Setup(const Frame& f) {
  Sdf gear = Circle(f.cx, f.cy, f.L(0.31f));
  for (int k = 0; k < 8; ++k) {
    Sdf tooth = f.Rect(-0.085f, -0.49f, 0.085f, -0.2f, 0.03f);
    gear = Union(gear,
                 shape::Rotate(tooth, {f.cx, f.cy}, static_cast<float>(k) * std::numbers::pi_v<float> / 4.f));
  }
  gear = Subtract(gear, Circle(f.cx, f.cy, f.L(0.17f)));
  Sdf hub = Circle(f.cx, f.cy, f.L(0.09f));
  return {{gear, false}, {hub, true}};
}

std::vector<Layer> Dictionaries(const Frame& f) {
  Sdf left = f.Poly({{-0.48f, -0.32f}, {-0.04f, -0.25f}, {-0.04f, 0.40f}, {-0.48f, 0.32f}});
  Sdf right = f.Poly({{0.04f, -0.25f}, {0.48f, -0.32f}, {0.48f, 0.32f}, {0.04f, 0.40f}});
  for (int k = 0; k < 3; ++k) {
    const float v = -0.13f + 0.15f * static_cast<float>(k);
    left = Subtract(left, Segment(f.P(-0.39f, v), f.P(-0.13f, v + 0.04f), f.L(0.028f)));
    if (k > 0) right = Subtract(right, Segment(f.P(0.13f, v + 0.04f), f.P(0.39f, v), f.L(0.028f)));
  }
  Sdf ribbon = f.Poly({{0.20f, -0.31f}, {0.32f, -0.33f}, {0.32f, -0.02f}, {0.26f, -0.08f}, {0.20f, -0.02f}});
  right = Subtract(right, Grow(ribbon, f.L(0.04f)));
  return {{Union(Grow(left, f.L(0.015f)), Grow(right, f.L(0.015f))), false}, {ribbon, true}};
}

std::vector<Layer> Launch(const Frame& f) {
  Sdf body = f.Poly({{0.f, -0.50f},
                     {0.12f, -0.36f},
                     {0.16f, -0.16f},
                     {0.16f, 0.20f},
                     {-0.16f, 0.20f},
                     {-0.16f, -0.16f},
                     {-0.12f, -0.36f}});
  body = Grow(body, f.L(0.02f));
  Sdf fins = Union(f.Poly({{0.18f, -0.02f}, {0.36f, 0.20f}, {0.36f, 0.32f}, {0.18f, 0.22f}}),
                   f.Poly({{-0.18f, -0.02f}, {-0.18f, 0.22f}, {-0.36f, 0.32f}, {-0.36f, 0.20f}}));
  Sdf rocket = Subtract(Union(body, fins), Circle(f.cx, f.cy - f.L(0.13f), f.L(0.075f)));
  Sdf flame = Grow(f.Poly({{-0.09f, 0.27f}, {0.09f, 0.27f}, {0.f, 0.48f}}), f.L(0.02f));
  return {{rocket, false}, {flame, true}};
}

std::vector<Layer> Network(const Frame& f) {
  const Point top = f.P(0.f, -0.30f), left = f.P(-0.33f, 0.27f), right = f.P(0.33f, 0.27f);
  const float w = f.L(0.035f);
  Sdf links = Union(Segment(top, left, w), Union(Segment(top, right, w), Segment(left, right, w)));
  const float r = f.L(0.14f);
  Sdf nodes = Union(Circle(top.x, top.y, r), Union(Circle(left.x, left.y, r), Circle(right.x, right.y, r)));
  return {{links, true}, {nodes, false}};
}

std::vector<Layer> MyVanto(const Frame& f) {
  Sdf head = Circle(f.cx, f.cy - f.L(0.18f), f.L(0.17f));
  Sdf shoulders = Box(f.cx - f.L(0.36f), f.cy + f.L(0.10f), f.cx + f.L(0.36f), f.cy + f.L(0.48f),
                      {f.L(0.3f), f.L(0.3f), f.L(0.05f), f.L(0.05f)});
  shoulders = Subtract(shoulders, Grow(head, f.L(0.06f)));
  Sdf spark = Grow(f.Poly({{0.34f, -0.48f},
                           {0.38f, -0.38f},
                           {0.48f, -0.34f},
                           {0.38f, -0.30f},
                           {0.34f, -0.20f},
                           {0.30f, -0.30f},
                           {0.20f, -0.34f},
                           {0.30f, -0.38f}}),
                   f.L(0.01f));
  return {{Union(head, shoulders), false}, {spark, true}};
}

std::vector<Layer> Guide(const Frame& f) {
  Sdf page = f.Rect(-0.34f, -0.46f, 0.34f, 0.46f, 0.05f);
  page = Subtract(page, f.Poly({{0.12f, -0.50f}, {0.40f, -0.50f}, {0.40f, -0.22f}}));
  Sdf fold = f.Poly({{0.12f, -0.46f}, {0.12f, -0.24f}, {0.34f, -0.24f}});
  page = Subtract(page, Grow(fold, f.L(0.035f)));
  page = Subtract(page, f.Rect(-0.22f, -0.14f, 0.22f, -0.07f, 0.03f));
  page = Subtract(page, f.Rect(-0.22f, 0.03f, 0.22f, 0.10f, 0.03f));
  page = Subtract(page, f.Rect(-0.22f, 0.20f, 0.08f, 0.27f, 0.03f));
  return {{page, false}, {fold, true}};
}

}  // namespace

void DrawPictogram(Canvas& canvas, Pictogram which, float cx, float cy, float size, Rgb primary,
                   Rgb secondary) {
  const Frame f{cx, cy, size};
  std::vector<Layer> layers;
  switch (which) {
    case Pictogram::kTranslation: layers = Translation(f); break;
    case Pictogram::kSetup: layers = Setup(f); break;
    case Pictogram::kDictionaries: layers = Dictionaries(f); break;
    case Pictogram::kLaunch: layers = Launch(f); break;
    case Pictogram::kNetwork: layers = Network(f); break;
    case Pictogram::kMyVanto: layers = MyVanto(f); break;
    case Pictogram::kGuide: layers = Guide(f); break;
  }
  for (const Layer& layer : layers) canvas.Fill(layer.shape, layer.secondary ? secondary : primary, 1.f, 2);
}

}  // namespace skin
