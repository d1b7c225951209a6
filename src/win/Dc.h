// Scopes for device contexts: each gives back what it took when it ends.
#pragma once

#include <windows.h>

#include "win/Handle.h"

namespace win {

// BeginPaint ... EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) noexcept : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  ~PaintScope() {
    if (dc_) ::EndPaint(window_, &paint_);
  }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  [[nodiscard]] HDC dc() const noexcept { return dc_; }
  [[nodiscard]] const RECT& area() const noexcept { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// GetDC (the client area; the screen for a null window) or GetWindowDC (the whole window, frame
// included) ... ReleaseDC.
class WindowDc {
 public:
  enum class Area { kClient, kWholeWindow };

  explicit WindowDc(HWND window, Area area = Area::kClient) noexcept
      : window_(window), dc_(area == Area::kClient ? ::GetDC(window) : ::GetWindowDC(window)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  [[nodiscard]] HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a DC, with the one it replaced selected back when the scope ends.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
  ~SelectScope() {
    if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

  // False when the object could not be selected (no DC, no object).
  [[nodiscard]] bool selected() const noexcept { return old_ && old_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A memory DC compatible with `dc` with `bitmap` selected into it, to copy the picture from; the
// bitmap is selected out before the DC is deleted.
class BitmapDc {
 public:
  BitmapDc(HDC dc, HBITMAP bitmap) noexcept
      : memory_(::CreateCompatibleDC(dc)), select_(memory_.get(), bitmap) {}
  BitmapDc(const BitmapDc&) = delete;
  BitmapDc& operator=(const BitmapDc&) = delete;

  [[nodiscard]] HDC get() const noexcept { return memory_.get(); }
  // False when there is nothing to copy from.
  explicit operator bool() const noexcept { return select_.selected(); }

 private:
  UniqueMemoryDc memory_;
  SelectScope select_;
};

}  // namespace win
