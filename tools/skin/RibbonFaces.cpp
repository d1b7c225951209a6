// Ribbon tabs: a row of seven square tabs above the panels; the selected one rises and joins the
// panel's top strip, so the open tab and its page read as one piece.
#include "Canvas.h"
#include "Faces.h"
#include "Layout.h"
#include "SkinScales.h"

namespace skin {
namespace {

using namespace layout;
using shape::Box;

// The caption (white, drawn by the program) starts at y = 47: the body darkens towards it.
constexpr float kCaptionTop = 47.f;

struct Look {
  Rgb top, middle, bottom;  // at the tab's top, at the caption's top, at the bottom
  Rgb border;
  float borderOpacity;
  Rgb ink, ink2;  // pictogram
  float highlight;
};

// Indexed by State: normal, hover, pressed (= selected), disabled.
constexpr Look kLooks[] = {
    {{34, 94, 166},
     {24, 72, 136},
     {20, 62, 120},
     palette::kAccent,
     0.45f,
     palette::kInkSoft,
     palette::kAccentLight,
     0.12f},
    {{52, 132, 204},
     {34, 100, 170},
     {28, 86, 152},
     palette::kAccentLight,
     0.9f,
     palette::kWhite,
     palette::kAccentLight,
     0.25f},
    {{84, 184, 238},
     {44, 140, 208},
     palette::kAccentDark,
     palette::kAccentLight,
     0.9f,
     palette::kWhite,
     {206, 238, 255},
     0.35f},
    {{38, 56, 84}, {32, 48, 74}, {28, 42, 66}, {74, 92, 118}, 0.5f, {88, 106, 132}, {88, 106, 132}, 0.f},
};

}  // namespace

Image DrawTab(Pictogram pictogram, int index, State state, const Image& mainBackground, int dpi) {
  const float w = kTabWidth, h = kTabHeight;
  const Look& look = kLooks[static_cast<int>(state)];
  const bool selected = state == State::kPressed;
  const float y0 = selected ? 0.f : 5.f;
  Canvas c(kTabWidth, kTabHeight, dpi);
  Sdf body = Box(1, y0, w - 1, h, Radii::Top(8.f));
  Paint upper = paint::Vertical(y0, look.top, kCaptionTop, look.middle);
  Paint lower = paint::Vertical(kCaptionTop, look.middle, h, look.bottom);
  c.Fill(body, [=](float x, float y) { return y < kCaptionTop ? upper(x, y) : lower(x, y); });
  if (look.highlight > 0.f)
    c.Fill(shape::Intersect(shape::Outline(shape::Grow(body, -1.5f), 0.5f), Box(0, 0, w, y0 + 12.f)),
           palette::kWhite, look.highlight);
  // The edge on the sides and top only: the bottom opens onto the panel.
  c.Fill(shape::Intersect(shape::Outline(shape::Grow(body, -0.5f), 0.5f), Box(0, 0, w, h - 1.f)), look.border,
         look.borderOpacity);
  DrawPictogram(c, pictogram, w * 0.5f, selected ? 25.f : 27.f, 30.f, look.ink, look.ink2);
  return c.FlattenKeyed(ImageBackdrop(mainBackground, skinscale::Px(kRibbonX + index * kTabWidth, dpi),
                                      skinscale::Px(kRibbonY, dpi)));
}

}  // namespace skin
