#include "window/WindowSkin.h"

#include "ResourceIds.h"
#include "SkinIds.h"
#include "controls/Paint.h"

namespace ui {

void WindowSkin::Apply(HWND window) {
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  const auto icon = [self](int width, int height) {
    return static_cast<HICON>(
        ::LoadImageW(self, MAKEINTRESOURCEW(IDI_STARTDECK), IMAGE_ICON, width, height, 0));
  };
  largeIcon_.reset(icon(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)));
  smallIcon_.reset(icon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)));
  ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
  ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

  // As large as the background, centred on the screen.
  background_.reset(LoadSkinBitmap(IDB_MAIN_BACKGROUND));
  const SIZE size = BitmapSize(background_.get());
  const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - size.cx / 2;
  const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2 - size.cy / 2;
  ::SetWindowPos(window, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowSkin::Paint(HDC dc) const {
  if (!background_) return;
  win::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  win::SelectScope select(memory.get(), background_.get());
  const SIZE size = BitmapSize(background_.get());
  ::BitBlt(dc, 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace ui
