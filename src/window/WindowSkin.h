// The main window's own look: its icons at the sizes of its DPI, and the background picture of its
// scale, which gives the window its size and covers all of it.
#pragma once

#include <windows.h>

#include "SkinIds.h"
#include "win/Handle.h"
#include "win/Scale.h"

namespace app {
class SharedGraphics;
}

namespace ui {

// Skin picture `id` at the shared graphics' scale: theirs when they hold it, else the program's own
// picture loaded into `own`. Null when there is none.
[[nodiscard]] HBITMAP SkinPicture(const app::SharedGraphics& graphics, int id, win::UniqueBitmap& own);

// Where a window of `size` sits centred in the work area of the monitor that shows most of `window`
// (the primary one while it shows nowhere yet), inside it as InsideWorkArea keeps it.
[[nodiscard]] POINT CentredOnMonitor(HWND window, SIZE size) noexcept;
// `at` moved as little as needed for a window of `size` there to lie inside the work area of the
// monitor it is nearest; a window larger than that keeps its top-left corner, and with it the
// title bar and the close button, inside.
[[nodiscard]] POINT InsideWorkArea(POINT at, SIZE size) noexcept;

class WindowSkin {
 public:
  static constexpr int kBackground = IDB_MAIN_BACKGROUND;

  // Gives `window` its icons and the background's size at the graphics' scale, centred on its
  // monitor. The graphics outlive the window.
  void Apply(HWND window, const app::SharedGraphics& graphics);
  // The icons and the background of the graphics' scale, which may have changed since Apply; the
  // window takes the background's size and keeps its top left corner.
  void Rescale(HWND window);
  void Paint(HDC dc) const;
  // The background's size: the window's.
  [[nodiscard]] SIZE Size() const noexcept;
  [[nodiscard]] HICON LargeIcon() const noexcept { return largeIcon_.get(); }

 private:
  void SetIcons(HWND window, int dpi);
  [[nodiscard]] HBITMAP Background() const noexcept;

  const app::SharedGraphics* graphics_ = nullptr;
  win::UniqueBitmap ownBackground_;  // only where the shared graphics do not hold the background
  win::UniqueIcon largeIcon_;
  win::UniqueIcon smallIcon_;
};

}  // namespace ui
