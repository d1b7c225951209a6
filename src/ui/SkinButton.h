// A push button drawn from skin bitmaps: normal, hover and pressed faces, magenta transparent, with
// an optional white caption centred on the face.
#pragma once

#include <windows.h>

#include <string>

#include "win/Handle.h"

namespace ui {

class SkinButton {
 public:
  SkinButton() = default;
  SkinButton(const SkinButton&) = delete;
  SkinButton& operator=(const SkinButton&) = delete;
  ~SkinButton();

  // Loads the three faces from the executable and creates the button at (x, y) sized to the face.
  bool Create(HWND parent, int id, int x, int y, int normalId, int hoverId, int pressedId,
              const std::wstring& caption = {}, HFONT font = nullptr);

  void SetCaption(const std::wstring& caption) {
    caption_ = caption;
    if (!hwnd_) return;
    ::SetWindowTextW(hwnd_, caption_.c_str());  // what tools and screen readers see
    ::InvalidateRect(hwnd_, nullptr, FALSE);
  }

  // Draws the face for WM_DRAWITEM sent to the parent.
  void Draw(const DRAWITEMSTRUCT& item) const;

  [[nodiscard]] HWND hwnd() const noexcept { return hwnd_; }
  [[nodiscard]] SIZE Size() const noexcept { return size_; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data) noexcept;

  HWND hwnd_ = nullptr;
  win::UniqueGdiObject faces_[3];
  SIZE size_{};
  bool hover_ = false;
  std::wstring caption_;
  HFONT font_ = nullptr;
};

}  // namespace ui
