// The main window's own look: its icons, and the background bitmap that gives the window its size
// and covers all of it.
#pragma once

#include <windows.h>

#include "win/Handle.h"

namespace ui {

class WindowSkin {
 public:
  // Gives `window` its icons, and the background's size, centred on the screen.
  void Apply(HWND window);
  void Paint(HDC dc) const;
  [[nodiscard]] HICON LargeIcon() const noexcept { return largeIcon_.get(); }

 private:
  win::UniqueBitmap background_;
  win::UniqueIcon largeIcon_;
  win::UniqueIcon smallIcon_;
};

}  // namespace ui
