// The drawing surface: premultiplied colour and coverage per pixel, filled shape by shape with
// "over" compositing. It starts empty (fully transparent); finishing it decides what the empty
// and partly covered pixels become.
//
// Shapes and paints are given in the 96-DPI design's units. A canvas made for another DPI has
// skinscale::Px(width) x Px(height) pixels and maps each design axis onto exactly its pixels, so
// the picture's edges stay on the design's edges; anti-aliasing is one device pixel wide, so
// edges stay crisp at every scale. At 96 DPI a design unit is a pixel.
#pragma once

#include <functional>
#include <vector>

#include "Image.h"
#include "Paint.h"
#include "Shape.h"

namespace skin {

// What lies under a picture where it is placed, in the picture's own pixel coordinates.
using Backdrop = std::function<Rgb(int x, int y)>;
Backdrop SolidBackdrop(Rgb colour);
// The pixels of `image` seen from a picture placed at (left, top) on it.
Backdrop ImageBackdrop(const Image& image, int left, int top);

class Canvas {
 public:
  // A canvas of width x height pixels, shapes given in pixels (the design at 96 DPI).
  Canvas(int width, int height);
  // A canvas for the design size designWidth x designHeight drawn at `dpi`.
  Canvas(int designWidth, int designHeight, int dpi);

  // In pixels.
  int width() const { return width_; }
  int height() const { return height_; }

  // Covers `shape` with `paint` at the given opacity. `samples` > 1 supersamples each pixel
  // (samples x samples) for tiny drawings such as the 16-pixel icon.
  void Fill(const Sdf& shape, const Paint& paint, float opacity = 1.f, int samples = 1);
  void Fill(const Sdf& shape, Rgb colour, float opacity = 1.f, int samples = 1);

  // Opaque picture: the canvas laid over `under` (pixels it leaves uncovered show `under`).
  Image Flatten(const Backdrop& under, bool dither = true) const;
  // Keyed picture: pixels the drawing does not reach become magenta; every other pixel is opaque,
  // its partial coverage blended with `under`, the surface it is meant to sit on. No pixel is
  // ever blended with magenta.
  Image FlattenKeyed(const Backdrop& under, bool dither = true) const;
  // 32-bit picture with straight alpha, for icons.
  Image FlattenAlpha() const;

 private:
  int width_;
  int height_;
  float scaleX_ = 1.f;  // pixels per design unit along each axis
  float scaleY_ = 1.f;
  float scale_ = 1.f;         // pixels per design unit of a distance: dpi / 96
  std::vector<Rgb> colour_;   // premultiplied by coverage
  std::vector<float> cover_;  // 0 = empty, 1 = fully covered
};

}  // namespace skin
