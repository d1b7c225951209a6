// Start-page buttons: the large "Translate" button and the six cards below it.
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
  Rgb disc;             // behind the pictogram (cards only)
  Rgb ink, ink2;        // pictogram
  float shadow, gloss;  // opacities
};

// Indexed by State: normal, hover, pressed, disabled.
constexpr Look kLargeLooks[] = {
    {{74, 178, 234}, {24, 108, 184}, {18, 92, 164}, {}, palette::kWhite, {196, 232, 252}, 0.22f, 0.14f},
    {{100, 196, 244}, {36, 130, 204}, {18, 92, 164}, {}, palette::kWhite, {196, 232, 252}, 0.22f, 0.14f},
    {{20, 96, 170}, {40, 136, 208}, {18, 92, 164}, {}, palette::kWhite, {196, 232, 252}, 0.08f, 0.f},
    {{222, 228, 236},
     {204, 212, 222},
     {186, 194, 206},
     {},
     palette::kDisabledInk,
     palette::kDisabledInk,
     0.06f,
     0.f},
};

constexpr Look kCardLooks[] = {
    {palette::kWhite,
     {241, 247, 253},
     palette::kCardBorder,
     {226, 240, 252},
     palette::kInk,
     palette::kAccent,
     0.12f,
     0.f},
    {{248, 252, 255},
     {222, 240, 253},
     palette::kAccent,
     {204, 232, 251},
     palette::kInk,
     palette::kAccent,
     0.18f,
     0.f},
    {{214, 234, 250},
     {230, 242, 252},
     palette::kAccentDark,
     {190, 224, 248},
     palette::kInk,
     palette::kAccent,
     0.04f,
     0.f},
    {palette::kDisabledFace,
     palette::kDisabledFace,
     palette::kDisabledLine,
     {228, 231, 236},
     palette::kDisabledInk,
     palette::kDisabledInk,
     0.f,
     0.f},
};

const Look& LookOf(const Look (&looks)[4], State state) {
  return looks[static_cast<int>(state)];
}

// A soft shadow under a shape on the light page: a few widening rings of very light navy.
void Shadow(Canvas& c, const Sdf& body, float drop, float strength) {
  if (strength <= 0.f) return;
  Sdf moved = shape::Move(body, 0.f, drop);
  for (int i = 0; i < 3; ++i)
    c.Fill(shape::Grow(moved, static_cast<float>(i)), Rgb{20, 50, 100}, strength / 3.f);
}

}  // namespace

Image DrawStartLarge(State state, const Image& startBackground, int dpi) {
  const float w = kLargeWidth, h = kLargeHeight;
  const Look& look = LookOf(kLargeLooks, state);
  const bool pressed = state == State::kPressed;
  Canvas c(kLargeWidth, kLargeHeight, dpi);
  Sdf body = Box(2, 1, w - 2, h - 4, Radii::All(10.f));
  Shadow(c, body, pressed ? 1.f : 2.f, look.shadow);
  c.Fill(body, paint::Vertical(1, look.top, h - 4, look.bottom));
  if (look.gloss > 0.f)
    c.Fill(shape::Intersect(shape::Grow(body, -1.f), Box(0, 0, w, 0.45f * h)), palette::kWhite, look.gloss);
  c.Fill(shape::Outline(shape::Grow(body, -0.5f), 0.5f), look.border);
  const float d = pressed ? 1.f : 0.f, cy = (h - 3.f) * 0.5f + d;
  DrawPictogram(c, Pictogram::kTranslation, 44.f + d, cy, 44.f, look.ink, look.ink2);
  // A "go" chevron at the right end says the whole bar is one button.
  c.Fill(glyph::ChevronRight(w - 36.f + d, cy, 22.f, 4.f), look.ink, state == State::kDisabled ? 1.f : 0.6f,
         2);
  return c.FlattenKeyed(
      ImageBackdrop(startBackground, skinscale::Px(kLargeX, dpi), skinscale::Px(kLargeY, dpi)));
}

Image DrawStartSmall(Pictogram pictogram, int column, int row, State state, const Image& startBackground,
                     int dpi) {
  const float h = kSmallHeight;
  const Look& look = LookOf(kCardLooks, state);
  Canvas c(kSmallWidth, kSmallHeight, dpi);
  Sdf card = Box(kCardLeft, 3, kCardRight, h - 5, Radii::All(8.f));
  Shadow(c, card, 1.5f, look.shadow);
  c.Fill(card, paint::Vertical(3, look.top, h - 5, look.bottom));
  c.Fill(shape::Outline(shape::Grow(card, -0.5f), 0.5f), look.border);
  // The pictogram on a disc, left of the caption (which starts at x = 74).
  const float cx = (kCardLeft + 74.f) * 0.5f, cy = (h - 2.f) * 0.5f;
  c.Fill(shape::Circle(cx, cy, 21.f), look.disc);
  DrawPictogram(c, pictogram, cx, cy, 26.f, look.ink, look.ink2);
  const int x = column == 0 ? 1 : kSmallWidth + 1;
  const int y = kSmallY + row * (kSmallHeight + 1);
  return c.FlattenKeyed(ImageBackdrop(startBackground, skinscale::Px(x, dpi), skinscale::Px(y, dpi)));
}

}  // namespace skin
