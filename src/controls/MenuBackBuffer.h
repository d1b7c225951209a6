// An off-screen copy of a window's surface: draw into dc(), then Present() copies it to the screen in
// one step, so the menu controls never flicker.
#pragma once

#include <windows.h>

#include <optional>

#include "controls/Paint.h"
#include "win/Dc.h"
#include "win/Handle.h"

namespace ui {

class MenuBackBuffer {
 public:
  // Where the buffer's pixels live: a bitmap made for this paint, or one the thread keeps between
  // paints and grows to the largest asked for. The kept one is for controls painted many at a time
  // (a page of buttons), each paint drawing every pixel of it: making a DC and a bitmap for every
  // paint costs about a third of what drawing such a control does. A paint into it while another
  // holds it gets a bitmap of its own.
  enum class Surface { kOwn, kKept };

  MenuBackBuffer(HDC target, int width, int height, Surface surface = Surface::kOwn) noexcept;
  ~MenuBackBuffer();
  MenuBackBuffer(const MenuBackBuffer&) = delete;
  MenuBackBuffer& operator=(const MenuBackBuffer&) = delete;

  // Falls back to the target itself when no buffer could be made: flicker beats a blank control.
  [[nodiscard]] HDC dc() const noexcept { return dc_ ? dc_ : target_; }
  void Present() const noexcept {
    if (dc_) ::BitBlt(target_, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
  }

 private:
  HDC target_;
  int width_;
  int height_;
  HDC dc_ = nullptr;  // the buffer's DC, own or kept; null without a buffer
  bool kept_ = false;
  win::UniqueMemoryDc ownDc_;
  win::UniqueBitmap ownBitmap_;
  // The bitmap is selected out before it and the DC are deleted (members go in reverse order).
  std::optional<win::SelectScope> select_;
};

// Answers WM_PAINT for a window that paints all of itself: `paint(dc)` draws a `size` area into a
// back buffer, which then reaches the screen in one step.
template <class PaintFunction>
void PaintBuffered(HWND window, SIZE size, PaintFunction&& paint) {
  const win::PaintScope scope(window);
  MenuBackBuffer buffer(scope.dc(), size.cx, size.cy);
  paint(buffer.dc());
  buffer.Present();
}

}  // namespace ui
