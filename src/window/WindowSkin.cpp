#include "window/WindowSkin.h"

#include <algorithm>
#include <utility>

#include "ResourceIds.h"
#include "SkinIds.h"
#include "controls/Paint.h"
#include "core/SharedGraphics.h"
#include "win/DpiChange.h"

namespace ui {

HBITMAP SkinPicture(const app::SharedGraphics& graphics, int id, win::UniqueBitmap& own) {
  if (const HBITMAP shared = graphics.Bitmap(id)) {
    own.reset();
    return shared;
  }
  own.reset(LoadSkinBitmap(id));
  return own.get();
}

namespace {

// The work area (the screen without the taskbar) of `monitor`; the primary screen when it has none.
RECT WorkAreaOf(HMONITOR monitor) noexcept {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor && ::GetMonitorInfoW(monitor, &info)) return info.rcWork;
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

// `at` moved as little as needed for a window of `size` to lie inside `area`; a window larger than
// the area keeps its top-left corner, and so its title bar and close button, inside.
POINT Inside(const RECT& area, POINT at, SIZE size) noexcept {
  at.x = std::max(area.left, std::min(at.x, area.right - size.cx));
  at.y = std::max(area.top, std::min(at.y, area.bottom - size.cy));
  return at;
}

}  // namespace

POINT CentredOnMonitor(HWND window, SIZE size) noexcept {
  const RECT area = WorkAreaOf(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
  return Inside(area,
                {area.left + (area.right - area.left) / 2 - size.cx / 2,
                 area.top + (area.bottom - area.top) / 2 - size.cy / 2},
                size);
}

POINT InsideWorkArea(POINT at, SIZE size) noexcept {
  const RECT place{at.x, at.y, at.x + size.cx, at.y + size.cy};
  return Inside(WorkAreaOf(::MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST)), at, size);
}

void WindowSkin::Apply(HWND window, const app::SharedGraphics& graphics) {
  graphics_ = &graphics;
  SetIcons(window, graphics.Scale().dpi());
  (void)SkinPicture(graphics, kBackground, ownBackground_);
  // As large as the background, centred on the screen.
  const SIZE size = Size();
  const POINT at = CentredOnMonitor(window, size);
  ::SetWindowPos(window, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowSkin::Rescale(HWND window) {
  if (!graphics_) return;
  SetIcons(window, graphics_->Scale().dpi());
  // The old background may still be on screen until the window repaints: the new one first.
  win::UniqueBitmap own;
  (void)SkinPicture(*graphics_, kBackground, own);
  ownBackground_ = std::move(own);
  const SIZE size = Size();
  ::SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowSkin::SetIcons(HWND window, int dpi) {
  // The sizes the system shows a window's icons at, at the window's DPI.
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  const auto icon = [self, dpi](int width, int height) {
    return win::UniqueIcon(static_cast<HICON>(::LoadImageW(self, MAKEINTRESOURCEW(IDI_STARTDECK), IMAGE_ICON,
                                                           win::SystemMetricForDpi(width, dpi),
                                                           win::SystemMetricForDpi(height, dpi), 0)));
  };
  win::UniqueIcon large = icon(SM_CXICON, SM_CYICON);
  win::UniqueIcon small = icon(SM_CXSMICON, SM_CYSMICON);
  // The window lets go of the old icons before they are destroyed.
  ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.get()));
  ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  largeIcon_ = std::move(large);
  smallIcon_ = std::move(small);
}

HBITMAP WindowSkin::Background() const noexcept {
  if (ownBackground_) return ownBackground_.get();
  return graphics_ ? graphics_->Bitmap(kBackground) : nullptr;
}

SIZE WindowSkin::Size() const noexcept {
  return BitmapSize(Background());
}

void WindowSkin::Paint(HDC dc) const {
  DrawBitmap(dc, Background(), 0, 0);
}

}  // namespace ui
