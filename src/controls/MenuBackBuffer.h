// An off-screen copy of a window's surface: draw into dc(), then Present() copies it to the screen in
// one step, so the menu controls never flicker.
#pragma once

#include <windows.h>

#include "controls/Paint.h"
#include "win/Dc.h"
#include "win/Handle.h"

namespace ui {

class MenuBackBuffer {
 public:
  MenuBackBuffer(HDC target, int width, int height) noexcept
      : target_(target),
        width_(width),
        height_(height),
        dc_(::CreateCompatibleDC(target)),
        bitmap_(::CreateCompatibleBitmap(target, width, height)),
        select_(dc_.get(), bitmap_.get()) {}
  MenuBackBuffer(const MenuBackBuffer&) = delete;
  MenuBackBuffer& operator=(const MenuBackBuffer&) = delete;

  // Falls back to the target itself when no buffer could be made: flicker beats a blank control.
  [[nodiscard]] HDC dc() const noexcept { return select_.selected() ? dc_.get() : target_; }
  void Present() const noexcept {
    if (select_.selected()) ::BitBlt(target_, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
  }

 private:
  HDC target_;
  int width_;
  int height_;
  win::UniqueMemoryDc dc_;
  win::UniqueBitmap bitmap_;
  // The bitmap is selected out before it and the DC are deleted (members go in reverse order).
  win::SelectScope select_;
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
