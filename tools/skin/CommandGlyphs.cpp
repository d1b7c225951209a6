#include <numbers>

#include "IconGlyphs.h"

namespace skin::icon {
namespace {

using shape::Subtract;
using shape::Union;

constexpr float kPi = std::numbers::pi_v<float>;

// Stroke letters in the box (x0, y0) - (x1, y1), with half stroke width w.
Sdf LetterW(const Frame& f, float x0, float y0, float x1, float y1, float w) {
  const float dx = (x1 - x0) / 4.f;
  return f.Line({{x0, y0}, {x0 + dx, y1}, {x0 + 2 * dx, y0 + (y1 - y0) * 0.3f}, {x0 + 3 * dx, y1}, {x1, y0}},
                w);
}
Sdf LetterX(const Frame& f, float x0, float y0, float x1, float y1, float w) {
  return Union(f.Seg(x0, y0, x1, y1, w), f.Seg(x1, y0, x0, y1, w));
}
Sdf LetterP(const Frame& f, float x0, float y0, float x1, float y1, float w) {
  const float mid = y0 + (y1 - y0) * 0.55f, r = (mid - y0) / 2.f;
  return Union(f.Seg(x0, y0, x0, y1, w), Union(f.Line({{x0, y0}, {x1 - r, y0}}, w),
                                               Union(f.Line({{x0, mid}, {x1 - r, mid}}, w),
                                                     f.Arc(x1 - r, y0 + r, r, w, -kPi / 2, kPi / 2))));
}
Sdf LetterD(const Frame& f, float x0, float y0, float x1, float y1, float w) {
  const float r = (y1 - y0) / 2.f;
  const float rr = std::min(r, x1 - x0);
  Sdf straight =
      Union(f.Seg(x0, y0, x0, y1, w), Union(f.Seg(x0, y0, x1 - rr, y0, w), f.Seg(x0, y1, x1 - rr, y1, w)));
  Sdf round = f.Arc(x1 - rr, y0 + r, r, w, -kPi / 2, kPi / 2);
  if (rr < r)
    round = Union(f.Arc(x1 - rr, y0 + rr, rr, w, -kPi / 2, 0.f),
                  Union(f.Seg(x1, y0 + rr, x1, y1 - rr, w), f.Arc(x1 - rr, y1 - rr, rr, w, 0.f, kPi / 2)));
  return Union(std::move(straight), std::move(round));
}
Sdf LetterF(const Frame& f, float x0, float y0, float x1, float y1, float w) {
  const float mid = y0 + (y1 - y0) * 0.5f;
  return Union(f.Seg(x0, y0, x0, y1, w),
               Union(f.Seg(x0, y0, x1, y0, w), f.Seg(x0, mid, x1 - (x1 - x0) * 0.2f, mid, w)));
}

// The Office documents: a page on the right, a dark badge with the letter on the left.
Glyph OfficeDocument(const Frame& f, Sdf page, Sdf letter) {
  Sdf badge = f.Rect(-0.48f, -0.20f, 0.08f, 0.36f, 0.07f);
  Sdf lines = Subtract(f.TextLines(0.14f, -0.16f, 0.34f, 4, 0.13f), f.Rect(-1.f, -1.f, 0.14f, 1.f));
  return {{Behind(std::move(page), badge, f.L(0.05f)), Ink::kWhite},
          {f.PageFold(0.40f, -0.46f, 0.16f), Ink::kPale},
          {std::move(lines), Ink::kPale},
          {std::move(badge), Ink::kDark},
          {std::move(letter), Ink::kWhite}};
}

}  // namespace

Glyph QuickTranslate(const Frame& f) {
  Sdf bubble = Union(f.Rect(-0.46f, -0.40f, 0.46f, 0.26f, 0.16f),
                     f.Poly({{-0.26f, 0.20f}, {-0.02f, 0.20f}, {-0.34f, 0.46f}}));
  const float w = 0.05f;
  Sdf bigA = Union(f.Line({{-0.34f, 0.12f}, {-0.17f, -0.28f}, {0.00f, 0.12f}}, w),
                   f.Seg(-0.26f, -0.01f, -0.08f, -0.01f, w * 0.8f));
  Sdf smallA = Union(f.Ring(0.16f, 0.01f, 0.10f, w * 0.8f), f.Seg(0.27f, -0.12f, 0.27f, 0.12f, w * 0.8f));
  return {{std::move(bubble), Ink::kWhite}, {Union(std::move(bigA), std::move(smallA)), Ink::kDark}};
}

Glyph WebPage(const Frame& f) {
  const float r = 0.44f, w = 0.03f;
  Sdf disc = f.Circ(0.f, 0.f, r);
  Sdf lines = shape::Outline(f.Ellipse(0.f, 0.f, 0.17f, r - 0.03f), f.W(w));
  lines = Union(std::move(lines), f.Seg(-r, 0.f, r, 0.f, w));
  lines = Union(std::move(lines),
                shape::Intersect(Union(f.Seg(-r, -0.23f, r, -0.23f, w), f.Seg(-r, 0.23f, r, 0.23f, w)),
                                 f.Circ(0.f, 0.f, r - 0.07f)));
  return {{std::move(disc), Ink::kWhite}, {std::move(lines), Ink::kDark}};
}

Glyph WordDocument(const Frame& f) {
  return OfficeDocument(f, f.Page(-0.26f, -0.46f, 0.40f, 0.46f, 0.16f),
                        LetterW(f, -0.38f, -0.08f, -0.02f, 0.24f, 0.04f));
}

Glyph ExcelSheet(const Frame& f) {
  return OfficeDocument(f, f.Page(-0.26f, -0.46f, 0.40f, 0.46f, 0.16f),
                        LetterX(f, -0.32f, -0.06f, -0.08f, 0.22f, 0.05f));
}

Glyph PowerPoint(const Frame& f) {
  return OfficeDocument(f, f.Page(-0.26f, -0.46f, 0.40f, 0.46f, 0.16f),
                        LetterP(f, -0.29f, -0.08f, -0.06f, 0.24f, 0.045f));
}

Glyph Pdf(const Frame& f) {
  Sdf page = f.Page(-0.36f, -0.48f, 0.36f, 0.48f, 0.18f);
  Sdf band = f.Rect(-0.48f, -0.04f, 0.48f, 0.32f, 0.05f);
  const float w = 0.032f, y0 = 0.03f, y1 = 0.25f;
  Sdf text = Union(LetterP(f, -0.39f, y0, -0.17f, y1, w),
                   Union(LetterD(f, -0.10f, y0, 0.12f, y1, w), LetterF(f, 0.20f, y0, 0.39f, y1, w)));
  return {{Behind(std::move(page), band, f.L(0.04f)), Ink::kWhite},
          {f.PageFold(0.36f, -0.48f, 0.18f), Ink::kPale},
          {std::move(band), Ink::kDark},
          {std::move(text), Ink::kWhite}};
}

Glyph Email(const Frame& f) {
  Sdf body = f.Rect(-0.48f, -0.32f, 0.48f, 0.32f, 0.06f);
  Sdf flap = f.Line({{-0.40f, -0.24f}, {0.f, 0.06f}, {0.40f, -0.24f}}, 0.04f);
  Sdf folds = Union(f.Seg(-0.40f, 0.24f, -0.12f, 0.0f, 0.03f), f.Seg(0.40f, 0.24f, 0.12f, 0.0f, 0.03f));
  return {{std::move(body), Ink::kWhite}, {std::move(folds), Ink::kPale}, {std::move(flap), Ink::kDark}};
}

Glyph Messengers(const Frame& f) {
  Sdf front = Union(f.Rect(-0.10f, -0.08f, 0.48f, 0.34f, 0.12f),
                    f.Poly({{0.18f, 0.28f}, {0.38f, 0.28f}, {0.42f, 0.50f}}));
  Sdf back = Union(f.Rect(-0.48f, -0.44f, 0.12f, 0.04f, 0.12f),
                   f.Poly({{-0.38f, 0.0f}, {-0.16f, 0.0f}, {-0.42f, 0.22f}}));
  Sdf dots =
      Union(f.Circ(0.06f, 0.13f, 0.05f), Union(f.Circ(0.19f, 0.13f, 0.05f), f.Circ(0.32f, 0.13f, 0.05f)));
  return {{Behind(std::move(back), front, f.L(0.06f)), Ink::kPale},
          {std::move(front), Ink::kWhite},
          {std::move(dots), Ink::kDark}};
}

Glyph OpenOffice(const Frame& f) {
  Sdf page = f.Page(-0.36f, -0.48f, 0.36f, 0.48f, 0.18f);
  // A gull (two wing arcs meeting at the body) over a short wave.
  Sdf gull = Union(f.Arc(-0.15f, 0.06f, 0.16f, 0.045f, kPi * 1.12f, kPi * 1.88f),
                   f.Arc(0.15f, 0.06f, 0.16f, 0.045f, kPi * 1.12f, kPi * 1.88f));
  Sdf wave = Union(f.Arc(-0.10f, 0.32f, 0.10f, 0.03f, kPi * 1.1f, kPi * 1.9f),
                   f.Arc(0.10f, 0.26f, 0.10f, 0.03f, kPi * 0.1f, kPi * 0.9f));
  return {{std::move(page), Ink::kWhite},
          {f.PageFold(0.36f, -0.48f, 0.18f), Ink::kPale},
          {Union(std::move(gull), std::move(wave)), Ink::kDark}};
}

Glyph Profiles(const Frame& f) {
  Sdf tracks =
      Union(f.Seg(-0.30f, -0.42f, -0.30f, 0.42f, 0.035f),
            Union(f.Seg(0.f, -0.42f, 0.f, 0.42f, 0.035f), f.Seg(0.30f, -0.42f, 0.30f, 0.42f, 0.035f)));
  Sdf knobs =
      Union(f.Rect(-0.42f, 0.04f, -0.18f, 0.22f, 0.05f),
            Union(f.Rect(-0.12f, -0.30f, 0.12f, -0.12f, 0.05f), f.Rect(0.18f, -0.04f, 0.42f, 0.14f, 0.05f)));
  return {{Behind(std::move(tracks), knobs, f.L(0.05f)), Ink::kPale}, {std::move(knobs), Ink::kWhite}};
}

}  // namespace skin::icon
