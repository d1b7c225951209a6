#include "Canvas.h"

#include <algorithm>
#include <cmath>

#include "SkinScales.h"

namespace skin {
namespace {

// Below this coverage a pixel of a keyed picture stays transparent: the surface under it then
// shows through, which is what the pixel would have been blended with anyway.
constexpr float kKeyedCoverage = 0.04f;

// 4 x 4 ordered dither, so long subtle gradients do not band. Offsets stay inside (-0.5, 0.5),
// so a value that is already whole (a backdrop pixel) never changes.
float Dither(int x, int y) {
  static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (static_cast<float>(kBayer[y & 3][x & 3]) + 0.5f) / 16.f - 0.5f;
}

std::uint8_t ToByte(float v, float offset) {
  return static_cast<std::uint8_t>(std::clamp(std::floor(v + 0.5f + offset), 0.f, 255.f));
}

void Store(std::uint8_t* p, Rgb c, float offset) {
  p[0] = ToByte(c.r, offset);
  p[1] = ToByte(c.g, offset);
  p[2] = ToByte(c.b, offset);
}

}  // namespace

Backdrop SolidBackdrop(Rgb colour) {
  return [=](int, int) { return colour; };
}

Backdrop ImageBackdrop(const Image& image, int left, int top) {
  return [&image, left, top](int x, int y) {
    const int ix = std::clamp(x + left, 0, image.width - 1), iy = std::clamp(y + top, 0, image.height - 1);
    return image.Colour(ix, iy);
  };
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      colour_(static_cast<size_t>(width) * height),
      cover_(static_cast<size_t>(width) * height, 0.f) {}

Canvas::Canvas(int designWidth, int designHeight, int dpi)
    : Canvas(skinscale::Px(designWidth, dpi), skinscale::Px(designHeight, dpi)) {
  scaleX_ = static_cast<float>(width_) / static_cast<float>(designWidth);
  scaleY_ = static_cast<float>(height_) / static_cast<float>(designHeight);
  scale_ = static_cast<float>(dpi) / static_cast<float>(skinscale::kDesignDpi);
}

void Canvas::Fill(const Sdf& shape, const Paint& paint, float opacity, int samples) {
  const float step = 1.f / static_cast<float>(samples);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      float c = 0.f;
      for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          // The sample's place in design units; its distance from the edge back in pixels. At 96 DPI
          // both scales are exactly 1, so the arithmetic is that of a plain pixel canvas.
          const float d = shape((static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) * step) / scaleX_,
                                (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) * step) / scaleY_);
          c += std::clamp(0.5f - d * static_cast<float>(samples) * scale_, 0.f, 1.f);
        }
      }
      c *= opacity * step * step;
      if (c <= 0.f) continue;
      const size_t i = static_cast<size_t>(y) * width_ + x;
      const Rgb p = paint((static_cast<float>(x) + 0.5f) / scaleX_, (static_cast<float>(y) + 0.5f) / scaleY_);
      colour_[i] = Add(Scale(colour_[i], 1.f - c), Scale(p, c));
      cover_[i] = cover_[i] * (1.f - c) + c;
    }
  }
}

void Canvas::Fill(const Sdf& shape, Rgb colour, float opacity, int samples) {
  Fill(shape, paint::Solid(colour), opacity, samples);
}

Image Canvas::Flatten(const Backdrop& under, bool dither) const {
  Image out(width_, height_, 3);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const size_t i = static_cast<size_t>(y) * width_ + x;
      const Rgb c = Add(colour_[i], Scale(under(x, y), 1.f - cover_[i]));
      Store(out.At(x, y), c, dither ? Dither(x, y) : 0.f);
    }
  }
  return out;
}

Image Canvas::FlattenKeyed(const Backdrop& under, bool dither) const {
  Image out(width_, height_, 3);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const size_t i = static_cast<size_t>(y) * width_ + x;
      if (cover_[i] < kKeyedCoverage) {
        Store(out.At(x, y), palette::kMagenta, 0.f);
        continue;
      }
      const Rgb c = Add(colour_[i], Scale(under(x, y), 1.f - cover_[i]));
      Store(out.At(x, y), c, dither ? Dither(x, y) : 0.f);
    }
  }
  return out;
}

Image Canvas::FlattenAlpha() const {
  Image out(width_, height_, 4);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const size_t i = static_cast<size_t>(y) * width_ + x;
      std::uint8_t* p = out.At(x, y);
      const float a = cover_[i];
      if (a < 1.f / 255.f) {
        p[0] = p[1] = p[2] = p[3] = 0;
        continue;
      }
      Store(p, Scale(colour_[i], 1.f / a), 0.f);
      p[3] = ToByte(a * 255.f, 0.f);
    }
  }
  return out;
}

}  // namespace skin
