// A window's scale: lengths of the 96-DPI design turned into pixels at the DPI the window is laid
// out at. Every place that positions or sizes something on screen goes through one of these; the
// rounding rule itself is in SkinScales.h, shared with the skin generator.
#pragma once

#include <windows.h>

#include "SkinScales.h"

namespace win {

class Scale {
 public:
  constexpr Scale() noexcept = default;
  constexpr explicit Scale(int dpi) noexcept : dpi_(dpi > 0 ? dpi : skinscale::kDesignDpi) {}

  [[nodiscard]] constexpr int dpi() const noexcept { return dpi_; }
  [[nodiscard]] constexpr bool IsDesign() const noexcept { return dpi_ == skinscale::kDesignDpi; }
  [[nodiscard]] constexpr int Percent() const noexcept { return skinscale::Percent(dpi_); }

  // A design length in pixels.
  [[nodiscard]] constexpr int Px(int design) const noexcept { return skinscale::Px(design, dpi_); }
  [[nodiscard]] constexpr POINT Px(POINT design) const noexcept { return {Px(design.x), Px(design.y)}; }
  [[nodiscard]] constexpr SIZE Px(SIZE design) const noexcept { return {Px(design.cx), Px(design.cy)}; }
  // A rectangle given by its edges, scaled edge by edge.
  [[nodiscard]] constexpr RECT Px(const RECT& design) const noexcept {
    return {Px(design.left), Px(design.top), Px(design.right), Px(design.bottom)};
  }
  // The design box at (x, y) of width w and height h, as scaled edges (left, top, right, bottom).
  [[nodiscard]] constexpr RECT Box(int x, int y, int w, int h) const noexcept {
    return Px(RECT{x, y, x + w, y + h});
  }
  // A font height in design pixels (negative: character height, as CreateFont takes it).
  [[nodiscard]] constexpr int FontHeight(int design) const noexcept { return Px(design); }

  friend constexpr bool operator==(Scale a, Scale b) noexcept { return a.dpi_ == b.dpi_; }

 private:
  int dpi_ = skinscale::kDesignDpi;
};

// The DPI Windows reports for the window: its monitor's for a per-monitor aware program, the
// system's where Windows predates per-monitor DPI (the call is looked up at run time).
[[nodiscard]] int DpiOfWindow(HWND window) noexcept;
// The system DPI (the primary monitor's at log-on).
[[nodiscard]] int SystemDpi() noexcept;
// The scale a window at `dpi` is laid out and drawn at: snapped to the skin's scales.
[[nodiscard]] constexpr Scale SkinScaleFor(int dpi) noexcept {
  return Scale(skinscale::SkinDpiFor(dpi));
}
[[nodiscard]] inline Scale SkinScaleOf(HWND window) noexcept {
  return SkinScaleFor(DpiOfWindow(window));
}

}  // namespace win
