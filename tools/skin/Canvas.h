// The drawing surface: premultiplied colour and coverage per pixel, filled shape by shape with
// "over" compositing. It starts empty (fully transparent); finishing it decides what the empty
// and partly covered pixels become.
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
  Canvas(int width, int height);

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
  std::vector<Rgb> colour_;   // premultiplied by coverage
  std::vector<float> cover_;  // 0 = empty, 1 = fully covered
};

}  // namespace skin
