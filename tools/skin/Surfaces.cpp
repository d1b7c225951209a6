#include "Surfaces.h"

#include "Canvas.h"
#include "Layout.h"
#include "ProductMark.h"
#include "SkinScales.h"

namespace skin {

using namespace layout;
using shape::Box;

Image DrawMainBackground(int dpi) {
  const float w = kWindowWidth, h = kWindowHeight, band = kTitleBandHeight;
  Canvas c(kWindowWidth, kWindowHeight, dpi);
  // Body: deep blue, a little lighter near the top left where the eye starts.
  Paint body = paint::Glow(paint::Vertical(band, palette::kBodyTop, h, palette::kBodyBottom), 150.f, 60.f,
                           520.f, Rgb{36, 104, 178}, 0.32f);
  c.Fill(Box(0, 0, w, h), body);
  // Title band with a light edge below it.
  c.Fill(Box(0, 0, w, band), paint::Glow(paint::Vertical(0, palette::kTitleTop, band, palette::kTitleBottom),
                                         60.f, 0.f, 420.f, Rgb{44, 120, 196}, 0.35f));
  c.Fill(Box(0, band, w, band + 1), palette::kAccent, 0.55f);
  c.Fill(Box(0, band + 1, w, band + 2), palette::kNavyLine, 0.8f);
  // A faint line above the bottom bar, just under the panels.
  const float bar = kPanelY + kPanelHeight + 6;
  c.Fill(Box(10, bar, w - 10, bar + 1), palette::kAccent, 0.10f);
  // The window's edge in the border colour.
  c.Fill(shape::Outline(Box(0.5f, 0.5f, w - 0.5f, h - 0.5f), 0.5f), palette::kAccent);
  DrawProductMark(c, kMarkX, kMarkY, kMarkSize);
  return c.Flatten(SolidBackdrop(palette::kBodyBottom));
}

Image DrawStartBackground(const Image& mainBackground, int dpi) {
  const float w = kStartWidth, h = kStartHeight;
  Canvas c(kStartWidth, kStartHeight, dpi);
  Sdf page = Box(0, 0, w, h, Radii::All(8.f));
  c.Fill(page, paint::Vertical(0, palette::kPaper, h, palette::kPaperShade));
  // A soft light from the top left, and the mark as a faint watermark in the free lower corner.
  c.Fill(shape::Intersect(page, shape::Circle(60.f, -40.f, 300.f)), palette::kWhite, 0.5f);
  c.Fill(shape::Outline(shape::Grow(page, -0.5f), 0.5f), palette::kAccent, 0.55f);
  return c.Flatten(ImageBackdrop(mainBackground, skinscale::Px(kStartX, dpi), skinscale::Px(kStartY, dpi)));
}

Image DrawPanelBackground(const Image& mainBackground, int dpi) {
  const float w = kPanelWidth, h = kPanelHeight, col = kColumnWidth;
  Canvas c(kPanelWidth, kPanelHeight, dpi);
  Sdf panel = Box(0, 0, w, h, Radii::Bottom(8.f));
  // Content side: white paper for black text.
  c.Fill(panel, paint::Vertical(0, palette::kWhite, h, palette::kPaperShade));
  // Help column: blue for white text, with the mark faintly in its lower part.
  Sdf column = shape::Intersect(panel, Box(0, 0, col, h));
  c.Fill(column, paint::Glow(paint::Vertical(0, palette::kColumnTop, h, palette::kColumnBottom), 40.f, 20.f,
                             300.f, Rgb{52, 128, 204}, 0.3f));
  c.Fill(shape::Intersect(column, ProductMarkShape(58.f, h - 150.f, 120.f)), palette::kWhite, 0.06f);
  c.Fill(Box(col, 0, col + 1, h), palette::kNavyLine, 0.35f);
  // The accent strip along the top joins the selected ribbon tab to the panel.
  c.Fill(Box(0, 0, w, 3), paint::Vertical(0, palette::kAccentLight, 3, palette::kAccent));
  c.Fill(shape::Intersect(shape::Outline(shape::Grow(panel, -0.5f), 0.5f), shape::HalfPlaneBelow(3.f)),
         palette::kAccent, 0.6f);
  return c.Flatten(ImageBackdrop(mainBackground, skinscale::Px(kPanelX, dpi), skinscale::Px(kPanelY, dpi)));
}

}  // namespace skin
