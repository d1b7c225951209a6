// Pieces of the panel controls: push buttons, check boxes, the combo box's drop button, the
// scroll bar and the list's row strips.
#include "Canvas.h"
#include "Faces.h"
#include "Glyphs.h"
#include "Layout.h"

namespace skin {
namespace {

using namespace layout;
using shape::Box;

// Panel content: the surface push buttons and drop buttons sit on.
constexpr Rgb kContent{247, 250, 254};
constexpr Rgb kTrackEdge{222, 231, 241};
constexpr Rgb kTrack{239, 244, 250};

struct Look {
  Rgb top, bottom, border, ink;
  float highlight;
};

// The blue, filled look of every action button on the light panels.
Look ActionLook(State state) {
  switch (state) {
    case State::kHover: return {{106, 198, 245}, {42, 142, 214}, {30, 120, 192}, palette::kWhite, 0.3f};
    case State::kPressed: return {{22, 98, 170}, {42, 138, 208}, {16, 82, 150}, palette::kWhite, 0.f};
    case State::kDisabled:
      return {palette::kDisabledFace, {228, 231, 236}, palette::kDisabledLine, palette::kDisabledInk, 0.f};
    case State::kNormal: break;
  }
  return {{78, 180, 236}, {30, 122, 196}, {24, 104, 176}, palette::kWhite, 0.22f};
}

void DrawAction(Canvas& c, const Sdf& body, float top, float bottom, const Look& look) {
  c.Fill(body, paint::Vertical(top, look.top, bottom, look.bottom));
  if (look.highlight > 0.f)
    c.Fill(shape::Intersect(shape::Outline(shape::Grow(body, -1.5f), 0.5f), Box(0, top, 1000.f, top + 4.f)),
           palette::kWhite, look.highlight);
  c.Fill(shape::Outline(shape::Grow(body, -0.5f), 0.5f), look.border);
}

}  // namespace

Image DrawPushButton(State state, int dpi) {
  const float w = kPushWidth, h = kPushHeight;
  Canvas c(kPushWidth, kPushHeight, dpi);
  DrawAction(c, Box(0, 0, w, h, Radii::All(5.f)), 0.f, h, ActionLook(state));
  return c.FlattenKeyed(SolidBackdrop(kContent));
}

Image DrawCheckBox(bool ticked, State state, int dpi) {
  const float s = kCheckSize;
  Canvas c(kCheckSize, kCheckSize, dpi);
  Sdf box = Box(0, 0, s, s, Radii::All(3.f));
  Look look = ActionLook(state);
  if (!ticked) {
    look = {palette::kWhite, {228, 240, 250}, palette::kAccent, palette::kWhite, 0.f};
    if (state == State::kHover)
      look = {{242, 250, 255}, {212, 234, 251}, palette::kAccentLight, palette::kWhite, 0.f};
    if (state == State::kPressed)
      look = {{196, 224, 246}, {220, 236, 250}, palette::kAccentDark, palette::kWhite, 0.f};
  }
  DrawAction(c, box, 0.f, s, look);
  if (ticked) c.Fill(glyph::Tick(s * 0.5f, s * 0.5f, 11.f, 2.2f), look.ink, 1.f, 3);
  // The box sits on the blue window and on white panels alike: its rounded corner pixels take
  // the edge colour rather than either surface, and only the outermost corner pixel is keyed.
  return c.FlattenKeyed(SolidBackdrop(look.border));
}

Image DrawComboDrop(State state, int dpi) {
  const float s = kDropSize;
  Canvas c(kDropSize, kDropSize, dpi);
  const Look look = ActionLook(state);
  DrawAction(c, Box(0, 0, s, s, Radii::All(3.f)), 0.f, s, look);
  const float d = state == State::kPressed ? 0.5f : 0.f;
  c.Fill(glyph::ChevronDown(s * 0.5f + d, s * 0.5f + 0.5f + d, 8.f, 2.f), look.ink, 1.f, 3);
  return c.FlattenKeyed(SolidBackdrop(palette::kWhite));
}

Image DrawScrollArrow(bool up, State state, int dpi) {
  const float w = kScrollWidth, h = kScrollArrowHeight;
  Canvas c(kScrollWidth, kScrollArrowHeight, dpi);
  // The arrows are the two ends of the bar: opaque, on the track's colours.
  c.Fill(Box(0, 0, w, h), kTrack);
  c.Fill(Box(0, 0, 1, h), kTrackEdge);
  c.Fill(Box(w - 1, 0, w, h), kTrackEdge);
  // Indexed by State (no disabled arrow): the button's fill and its chevron.
  constexpr Rgb kFill[] = {{220, 233, 246}, {190, 222, 247}, {120, 190, 236}};
  constexpr Rgb kInk[] = {{72, 124, 178}, palette::kAccentDark, {14, 64, 124}};
  const Rgb fill = kFill[static_cast<int>(state)], ink = kInk[static_cast<int>(state)];
  c.Fill(Box(1.5f, 1.f, w - 1.5f, h - 1.f, Radii::All(3.f)), fill);
  const float cy = h * 0.5f + (up ? -0.5f : 0.5f);
  c.Fill(up ? glyph::ChevronUp(w * 0.5f, cy, 6.f, 1.6f) : glyph::ChevronDown(w * 0.5f, cy, 6.f, 1.6f), ink,
         1.f, 3);
  return c.Flatten(SolidBackdrop(kTrack));
}

Image DrawScrollTrack(int dpi) {
  // Stretched over the bar's height, so every row is the same.
  const float w = kScrollWidth, h = 32.f;
  Canvas c(kScrollWidth, 32, dpi);
  c.Fill(Box(0, 0, w, h), kTrack);
  c.Fill(Box(0, 0, 1, h), kTrackEdge);
  c.Fill(Box(w - 1, 0, w, h), kTrackEdge);
  c.Fill(Box(6.5f, 0, 7.5f, h), kTrackEdge, 0.6f);
  return c.Flatten(SolidBackdrop(kTrack), false);
}

Image DrawScrollThumb(State state, int dpi) {
  const float w = kScrollWidth, h = kThumbHeight;
  Canvas c(kScrollWidth, kThumbHeight, dpi);
  // Indexed by State: lit from the left.
  constexpr Rgb kLeft[] = {{150, 206, 240}, {110, 198, 244}, {58, 152, 218}};
  constexpr Rgb kRight[] = {{104, 182, 230}, {64, 166, 226}, {28, 118, 194}};
  const Rgb left = kLeft[static_cast<int>(state)], right = kRight[static_cast<int>(state)];
  Sdf body = Box(2, 1, w - 2, h - 1, Radii::All(5.f));
  c.Fill(body, paint::Horizontal(2, left, w - 2, right));
  c.Fill(shape::Outline(shape::Grow(body, -0.5f), 0.5f), palette::kAccentDark, 0.35f);
  for (int i = -1; i <= 1; ++i) {
    const float y = h * 0.5f + static_cast<float>(i) * 4.f;
    c.Fill(Box(4.5f, y - 0.5f, w - 4.5f, y + 0.5f), palette::kWhite, 0.8f);
  }
  return c.FlattenKeyed(SolidBackdrop(kTrack));
}

Image DrawListRows(ListRows kind, int dpi) {
  const float w = kListWidth, rowH = kListRowHeight, h = rowH * kListRows;
  Canvas c(kListWidth, kListRowHeight * kListRows, dpi);
  c.Fill(Box(0, 0, w, h), palette::kWhite);
  if (kind != ListRows::kPlain) {
    // Every row is drawn hot, so the slice of whichever row is hovered can be taken.
    const float right = kind == ListRows::kHot ? w - 1.f : w - 22.f;
    for (int r = 0; r < kListRows; ++r) {
      const float y = rowH * static_cast<float>(r);
      Sdf row = Box(1, y + 1.f, right, y + rowH - 1.f, Radii::All(4.f));
      c.Fill(row, paint::Vertical(y, {238, 247, 255}, y + rowH, {212, 235, 252}));
      c.Fill(shape::Outline(shape::Grow(row, -0.5f), 0.5f), palette::kAccent, 0.5f);
      c.Fill(Box(1, y + 6.f, 4, y + rowH - 6.f, Radii::All(1.5f)), palette::kAccent);
    }
  }
  for (int r = 1; r < kListRows; ++r) {
    const float y = rowH * static_cast<float>(r);
    c.Fill(Box(16, y - 0.5f, w - 16, y + 0.5f), palette::kHairline, kind == ListRows::kPlain ? 1.f : 0.5f);
  }
  c.Fill(shape::Outline(Box(0.5f, 0.5f, w - 0.5f, h - 0.5f), 0.5f), palette::kCardBorder);
  return c.Flatten(SolidBackdrop(palette::kWhite), false);
}

}  // namespace skin
