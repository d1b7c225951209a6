// The main window's own buttons: minimise and close, Help, the bottom push buttons, and the
// system-menu item bitmaps.
#include "Canvas.h"
#include "Faces.h"
#include "Glyphs.h"
#include "Layout.h"
#include "SkinScales.h"

namespace skin {
namespace {

using namespace layout;
using shape::Box;

struct Look {
  Rgb top, bottom, border;
  float borderOpacity;
  float highlight;  // opacity of the light line along the inner top edge
};

// Buttons on the deep blue window: a lighter blue body, brighter under the mouse, sunk when pressed.
Look WindowLook(State state) {
  switch (state) {
    case State::kHover: return {{58, 150, 216}, {30, 106, 178}, palette::kAccentLight, 1.f, 0.30f};
    case State::kPressed: return {{14, 52, 102}, {24, 82, 148}, palette::kAccent, 1.f, 0.f};
    case State::kDisabled: return {{40, 60, 90}, {32, 50, 78}, {80, 100, 128}, 1.f, 0.f};
    case State::kNormal: break;
  }
  return {{34, 96, 166}, {20, 64, 124}, palette::kAccent, 0.8f, 0.18f};
}

void DrawBody(Canvas& c, const Sdf& body, float top, float bottom, const Look& look) {
  c.Fill(body, paint::Vertical(top, look.top, bottom, look.bottom));
  if (look.highlight > 0.f)
    c.Fill(shape::Intersect(shape::Outline(shape::Grow(body, -1.5f), 0.5f), Box(0, top, 10000.f, top + 3.f)),
           palette::kWhite, look.highlight);
  c.Fill(shape::Outline(shape::Grow(body, -0.5f), 0.5f), look.border, look.borderOpacity);
}

}  // namespace

Image DrawTopButton(TopButton which, State state, const Image& mainBackground, int dpi) {
  const bool close = which == TopButton::kClose;
  const int w = close ? kCloseWidth : kMinimizeWidth, h = kTopButtonHeight;
  // The pair reads as one control: rounded on its outer ends only.
  const int x = close ? kWindowWidth - kCloseRightMargin - kCloseWidth
                      : kWindowWidth - kCloseRightMargin - kCloseWidth - kMinimizeWidth + 1;
  Canvas c(w, h, dpi);
  Sdf body =
      Box(0, 0, static_cast<float>(w), static_cast<float>(h), close ? Radii::Right(5.f) : Radii::Left(5.f));
  Look look = WindowLook(state);
  if (close && state == State::kHover)
    look = {palette::kDangerTop, palette::kDangerBottom, {250, 150, 140}, 1.f, 0.25f};
  if (close && state == State::kPressed) look = {{150, 34, 32}, {190, 52, 46}, {230, 120, 110}, 1.f, 0.f};
  DrawBody(c, body, 0.f, static_cast<float>(h), look);
  const float cx = static_cast<float>(w) * 0.5f + (state == State::kPressed ? 0.5f : 0.f);
  const float cy = static_cast<float>(h) * 0.5f + (state == State::kPressed ? 0.5f : 0.f);
  if (close)
    c.Fill(glyph::Cross(cx, cy, 8.f, 1.8f), palette::kWhite, 1.f, 3);
  else
    c.Fill(glyph::Dash(cx, cy + 4.f, 10.f, 2.f), palette::kWhite, 1.f, 3);
  return c.FlattenKeyed(
      ImageBackdrop(mainBackground, skinscale::Px(x, dpi), skinscale::Px(kTopButtonY, dpi)));
}

Image DrawHelpButton(State state, const Image& mainBackground, int dpi) {
  const float s = kHelpSize;
  Canvas c(kHelpSize, kHelpSize, dpi);
  Sdf body = shape::Circle(s * 0.5f, s * 0.5f, s * 0.5f - 0.5f);
  DrawBody(c, body, 0.f, s, WindowLook(state));
  const float d = state == State::kPressed ? 0.5f : 0.f;
  c.Fill(glyph::Question(s * 0.5f + d, s * 0.5f + d, 12.f), palette::kWhite, 1.f, 3);
  return c.FlattenKeyed(
      ImageBackdrop(mainBackground, skinscale::Px(kHelpX, dpi), skinscale::Px(kHelpY, dpi)));
}

Image DrawBottomButton(BottomGlyph glyph, State state, const Image& mainBackground, int dpi) {
  const float w = kBottomButtonWidth, h = kBottomButtonHeight;
  Canvas c(kBottomButtonWidth, kBottomButtonHeight, dpi);
  DrawBody(c, Box(0, 0, w, h, Radii::All(6.f)), 0.f, h, WindowLook(state));
  // Home and Back: the glyph sits left of their caption, which starts at x = 19.
  const float d = state == State::kPressed ? 0.5f : 0.f;
  const Rgb ink = palette::kWhite;
  if (glyph == BottomGlyph::kHome) c.Fill(glyph::House(12.f + d, h * 0.5f + d, 12.f), ink, 1.f, 3);
  if (glyph == BottomGlyph::kBack) c.Fill(glyph::ArrowLeft(12.f + d, h * 0.5f + d, 10.f, 2.f), ink, 1.f, 3);
  return c.FlattenKeyed(ImageBackdrop(mainBackground,
                                      skinscale::Px(kWindowWidth - 12 - kBottomButtonWidth, dpi),
                                      skinscale::Px(kBottomButtonY, dpi)));
}

Image DrawMenuBitmap(MenuGlyph glyph, int dpi) {
  // The menu combines these with its own colour: white stays the menu's colour, the dark glyph
  // shows. So no transparent colour here.
  const float s = kMenuBitmapSize, m = s * 0.5f;
  Canvas c(kMenuBitmapSize, kMenuBitmapSize, dpi);
  const Rgb ink{16, 48, 96};
  switch (glyph) {
    case MenuGlyph::kRestore: c.Fill(glyph::Restore(m, m, 10.f), ink, 1.f, 3); break;
    case MenuGlyph::kMinimize: c.Fill(glyph::Dash(m, m + 3.5f, 8.f, 2.f), ink, 1.f, 3); break;
    case MenuGlyph::kClose: c.Fill(glyph::Cross(m, m, 7.f, 1.6f), ink, 1.f, 3); break;
  }
  return c.Flatten(SolidBackdrop(palette::kWhite), false);
}

}  // namespace skin
