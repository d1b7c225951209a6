// An off-screen copy of a window's surface: draw into dc(), then Present() copies it to the screen in
// one step, so the menu controls never flicker.
#pragma once

#include <windows.h>

#include "controls/Paint.h"
#include "win/Handle.h"

namespace ui {

class MenuBackBuffer {
 public:
  MenuBackBuffer(HDC target, int width, int height) noexcept
      : target_(target),
        width_(width),
        height_(height),
        dc_(::CreateCompatibleDC(target)),
        bitmap_(::CreateCompatibleBitmap(target, width, height)) {
    if (dc_ && bitmap_) old_ = ::SelectObject(dc_.get(), bitmap_.get());
    if (old_ == HGDI_ERROR) old_ = nullptr;
  }
  // The bitmap is selected out before it and the DC are deleted.
  ~MenuBackBuffer() {
    if (old_) ::SelectObject(dc_.get(), old_);
  }
  MenuBackBuffer(const MenuBackBuffer&) = delete;
  MenuBackBuffer& operator=(const MenuBackBuffer&) = delete;

  // Falls back to the target itself when no buffer could be made: flicker beats a blank control.
  [[nodiscard]] HDC dc() const noexcept { return old_ ? dc_.get() : target_; }
  void Present() const noexcept {
    if (old_) ::BitBlt(target_, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
  }

 private:
  HDC target_;
  int width_;
  int height_;
  win::UniqueMemoryDc dc_;
  win::UniqueBitmap bitmap_;
  HGDIOBJ old_ = nullptr;  // what the buffer's bitmap replaced in dc_; null when there is no buffer
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
