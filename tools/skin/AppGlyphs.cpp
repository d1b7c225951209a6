// Glyphs of the translation and dictionary programs of the suite.
#include <numbers>

#include "IconGlyphs.h"

namespace skin::icon {
namespace {

using shape::Subtract;
using shape::Union;

constexpr float kPi = std::numbers::pi_v<float>;

// A closed book seen from the front: cover with a darker spine on the left.
Glyph Book(const Frame& f, float u0, float v0, float u1, float v1, Ink cover) {
  Sdf body = f.Rect(u0, v0, u1, v1, 0.05f);
  Sdf spine =
      f.Seg(u0 + 0.09f * (u1 - u0) / 0.5f, v0 + 0.04f, u0 + 0.09f * (u1 - u0) / 0.5f, v1 - 0.04f, 0.025f);
  Sdf label = f.Seg(u0 + (u1 - u0) * 0.42f, v0 + (v1 - v0) * 0.28f, u1 - (u1 - u0) * 0.18f,
                    v0 + (v1 - v0) * 0.28f, 0.03f);
  return {{std::move(body), cover}, {Union(std::move(spine), std::move(label)), Ink::kDark}};
}

void Append(Glyph& to, Glyph from) {
  for (Layer& l : from) to.push_back(std::move(l));
}

}  // namespace

Glyph DictionaryInstaller(const Frame& f) {
  Sdf box = f.Rect(-0.42f, -0.04f, 0.42f, 0.46f, 0.05f);
  Sdf lid = f.Seg(-0.42f, 0.08f, 0.42f, 0.08f, 0.03f);
  Sdf arrow = Union(f.Seg(0.f, -0.48f, 0.f, -0.02f, 0.07f), f.Head(0.f, 0.22f, kPi / 2, 0.22f));
  return {{Behind(std::move(box), arrow, f.L(0.05f)), Ink::kWhite},
          {std::move(lid), Ink::kDark},
          {std::move(arrow), Ink::kPale}};
}

Glyph PluginManager(const Frame& f) {
  Sdf piece = Union(f.Rect(-0.40f, -0.26f, 0.26f, 0.40f, 0.05f),
                    Union(f.Circ(-0.07f, -0.32f, 0.12f), f.Circ(0.32f, 0.07f, 0.12f)));
  piece = Subtract(std::move(piece), f.Circ(-0.40f, 0.07f, 0.10f));
  piece = Subtract(std::move(piece), f.Circ(-0.07f, 0.40f, 0.10f));
  return {{std::move(piece), Ink::kWhite}};
}

Glyph TranslatorLite(const Frame& f) {
  Sdf page = f.Page(-0.40f, -0.48f, 0.24f, 0.42f, 0.16f);
  Sdf arrow = Union(f.Seg(0.02f, 0.30f, 0.34f, 0.30f, 0.06f), f.Head(0.50f, 0.30f, 0.f, 0.18f));
  return {{Behind(std::move(page), arrow, f.L(0.06f)), Ink::kWhite},
          {f.PageFold(0.24f, -0.48f, 0.16f), Ink::kPale},
          {f.TextLines(-0.28f, -0.18f, 0.12f, 3, 0.13f), Ink::kDark},
          {std::move(arrow), Ink::kPale}};
}

Glyph DictionaryEditor(const Frame& f) {
  Glyph g = Book(f, -0.42f, -0.44f, 0.18f, 0.44f, Ink::kWhite);
  Sdf pen = Union(f.Seg(0.42f, -0.36f, 0.04f, 0.22f, 0.075f),
                  f.Poly({{-0.04f, 0.22f}, {0.10f, 0.30f}, {-0.06f, 0.44f}}));
  g[0].shape = Behind(g[0].shape, pen, f.L(0.06f));
  g.push_back({std::move(pen), Ink::kPale});
  return g;
}

Glyph Translator(const Frame& f) {
  Sdf back = f.Rect(-0.46f, -0.46f, 0.10f, 0.22f, 0.04f);
  Sdf front = f.Page(-0.10f, -0.22f, 0.46f, 0.46f, 0.14f);
  Sdf arrows = Union(Union(f.Seg(-0.02f, 0.04f, 0.24f, 0.04f, 0.035f), f.Head(0.36f, 0.04f, 0.f, 0.12f)),
                     Union(f.Seg(0.36f, 0.26f, 0.10f, 0.26f, 0.035f), f.Head(-0.02f, 0.26f, kPi, 0.12f)));
  return {{Behind(std::move(back), front, f.L(0.06f)), Ink::kPale},
          {f.TextLines(-0.38f, -0.34f, -0.02f, 2, 0.14f), Ink::kDark},
          {std::move(front), Ink::kWhite},
          {std::move(arrows), Ink::kDark}};
}

Glyph BatchTranslator(const Frame& f) {
  Sdf front = f.Rect(-0.22f, -0.22f, 0.46f, 0.46f, 0.04f);
  Sdf middle = Behind(f.Rect(-0.34f, -0.34f, 0.34f, 0.34f, 0.04f), front, f.L(0.05f));
  Sdf back = Behind(f.Rect(-0.46f, -0.46f, 0.22f, 0.22f, 0.04f), f.Rect(-0.34f, -0.34f, 0.34f, 0.34f, 0.04f),
                    f.L(0.05f));
  return {{std::move(back), Ink::kPale},
          {std::move(middle), Ink::kPale},
          {std::move(front), Ink::kWhite},
          {f.TextLines(-0.10f, -0.06f, 0.34f, 3, 0.14f), Ink::kDark}};
}

Glyph MemoryManager(const Frame& f) {
  const float rx = 0.36f, ry = 0.12f;
  Sdf body = Union(f.Rect(-rx, -0.34f, rx, 0.34f),
                   Union(f.Ellipse(0.f, -0.34f, rx, ry), f.Ellipse(0.f, 0.34f, rx, ry)));
  Sdf rings = shape::Outline(f.Ellipse(0.f, -0.34f, rx - 0.03f, ry - 0.02f), f.W(0.025f));
  for (const float v : {-0.09f, 0.15f}) {
    Sdf band =
        Subtract(shape::Outline(f.Ellipse(0.f, v, rx - 0.03f, ry), f.W(0.025f)), f.Rect(-1.f, -1.f, 1.f, v));
    rings = Union(std::move(rings), std::move(band));
  }
  return {{std::move(body), Ink::kWhite}, {std::move(rings), Ink::kDark}};
}

Glyph XmlRules(const Frame& f) {
  Sdf brackets = Union(f.Line({{-0.20f, -0.30f}, {-0.46f, 0.f}, {-0.20f, 0.30f}}, 0.065f),
                       f.Line({{0.20f, -0.30f}, {0.46f, 0.f}, {0.20f, 0.30f}}, 0.065f));
  return {{std::move(brackets), Ink::kWhite}, {f.Seg(0.10f, -0.40f, -0.10f, 0.40f, 0.05f), Ink::kPale}};
}

Glyph Backup(const Frame& f) {
  // Three quarters of a turn round the disk, the head at the gap in the upper right.
  Sdf arc = Union(f.Arc(0.f, 0.f, 0.38f, 0.065f, -kPi * 0.05f, kPi * 1.42f),
                  f.Head(0.10f, -0.42f, -kPi * 0.08f, 0.22f));
  Sdf disk = f.Rect(-0.20f, -0.20f, 0.20f, 0.20f, 0.04f);
  Sdf shutter = f.Rect(-0.10f, -0.20f, 0.10f, -0.06f, 0.01f);
  Sdf label = f.Rect(-0.13f, 0.03f, 0.13f, 0.20f, 0.01f);
  return {{std::move(arc), Ink::kWhite},
          {std::move(disk), Ink::kPale},
          {std::move(shutter), Ink::kDark},
          {std::move(label), Ink::kWhite}};
}

Glyph DictionaryMerge(const Frame& f) {
  Glyph g = Book(f, -0.46f, -0.48f, -0.06f, -0.02f, Ink::kWhite);
  Append(g, Book(f, 0.06f, -0.48f, 0.46f, -0.02f, Ink::kPale));
  Sdf arrow =
      Union(f.Line({{-0.26f, 0.06f}, {-0.26f, 0.14f}, {0.f, 0.24f}, {0.26f, 0.14f}, {0.26f, 0.06f}}, 0.055f),
            Union(f.Seg(0.f, 0.24f, 0.f, 0.30f, 0.055f), f.Head(0.f, 0.50f, kPi / 2, 0.2f)));
  g.push_back({std::move(arrow), Ink::kWhite});
  return g;
}

Glyph PackMaker(const Frame& f) {
  Sdf top = f.Poly({{-0.44f, -0.18f}, {-0.18f, -0.44f}, {0.44f, -0.44f}, {0.18f, -0.18f}});
  Sdf side = f.Poly({{0.18f, -0.18f}, {0.44f, -0.44f}, {0.44f, 0.20f}, {0.18f, 0.46f}});
  Sdf front = f.Rect(-0.44f, -0.18f, 0.18f, 0.46f);
  Sdf tape = Union(f.Poly({{-0.08f, -0.18f}, {0.18f, -0.44f}, {0.28f, -0.44f}, {0.02f, -0.18f}}),
                   f.Rect(-0.08f, -0.18f, 0.02f, 0.46f));
  const float gap = f.L(0.025f);
  return {{Behind(std::move(top), front, gap), Ink::kWhite},
          {Behind(Behind(std::move(side), front, gap),
                  f.Poly({{-0.44f, -0.18f}, {-0.18f, -0.44f}, {0.44f, -0.44f}, {0.18f, -0.18f}}), gap),
           Ink::kPale},
          {std::move(front), Ink::kWhite},
          {std::move(tape), Ink::kDark}};
}

Glyph Terminology(const Frame& f) {
  Sdf page = f.Page(-0.44f, -0.48f, 0.24f, 0.40f, 0.16f);
  Sdf lens = f.Circ(0.12f, 0.10f, 0.22f);
  Sdf glass = Union(f.Ring(0.12f, 0.10f, 0.22f, 0.055f), f.Seg(0.28f, 0.26f, 0.46f, 0.44f, 0.08f));
  Sdf lines = Subtract(f.TextLines(-0.32f, -0.26f, 0.10f, 4, 0.14f), shape::Grow(lens, f.L(0.02f)));
  return {{Behind(std::move(page), glass, f.L(0.05f)), Ink::kWhite},
          {std::move(lines), Ink::kDark},
          {Subtract(lens, f.Circ(0.12f, 0.10f, 0.17f)), Ink::kPale},
          {std::move(glass), Ink::kPale}};
}

Glyph Trados(const Frame& f) {
  const float r = 0.26f, w = 0.07f;
  Sdf left = f.Ring(-0.16f, 0.f, r, w), right = f.Ring(0.16f, 0.f, r, w);
  // Interlocked: the left ring passes over the right one at the top, under it at the bottom.
  Sdf top = f.Rect(-1.f, -1.f, 1.f, 0.f), bottom = f.Rect(-1.f, 0.f, 1.f, 1.f);
  Sdf rightShown = Subtract(right, shape::Intersect(shape::Grow(left, f.L(0.05f)), top));
  Sdf leftShown = Subtract(left, shape::Intersect(shape::Grow(right, f.L(0.05f)), bottom));
  return {{std::move(leftShown), Ink::kWhite}, {std::move(rightShown), Ink::kPale}};
}

Glyph TermConverter(const Frame& f) {
  Sdf sheet = f.Page(-0.46f, -0.48f, -0.06f, 0.04f, 0.12f);
  Glyph g = {{std::move(sheet), Ink::kWhite}, {f.TextLines(-0.38f, -0.26f, -0.14f, 3, 0.1f), Ink::kDark}};
  Append(g, Book(f, 0.06f, -0.04f, 0.46f, 0.48f, Ink::kWhite));
  Sdf arrows = Union(Union(f.Line({{0.06f, -0.34f}, {0.30f, -0.34f}, {0.30f, -0.24f}}, 0.045f),
                           f.Head(0.30f, -0.10f, kPi / 2, 0.14f)),
                     Union(f.Line({{-0.06f, 0.34f}, {-0.30f, 0.34f}, {-0.30f, 0.24f}}, 0.045f),
                           f.Head(-0.30f, 0.10f, -kPi / 2, 0.14f)));
  g.push_back({std::move(arrows), Ink::kPale});
  return g;
}

}  // namespace skin::icon
