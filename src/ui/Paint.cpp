#include "ui/Paint.h"

#include "win/Handle.h"

namespace ui {

SIZE BitmapSize(HBITMAP bitmap) noexcept {
  BITMAP info{};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) == 0) return {0, 0};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

SIZE BitmapResourceSize(HMODULE module, int id) noexcept {
  const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));  // RT_BITMAP
  const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data || ::SizeofResource(module, found) < sizeof(BITMAPCOREHEADER)) return {0, 0};
  // A bitmap resource is a packed DIB: an OS/2 core header or one of the Windows info headers.
  const auto* core = static_cast<const BITMAPCOREHEADER*>(data);
  if (core->bcSize == sizeof(BITMAPCOREHEADER)) return {core->bcWidth, core->bcHeight};
  if (core->bcSize < sizeof(BITMAPINFOHEADER) || ::SizeofResource(module, found) < sizeof(BITMAPINFOHEADER))
    return {0, 0};
  const auto* info = static_cast<const BITMAPINFOHEADER*>(data);
  return {info->biWidth, info->biHeight < 0 ? -info->biHeight : info->biHeight};
}

HBITMAP LoadSkinBitmap(int id) noexcept {
  return static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y) noexcept {
  if (!bitmap) return;
  const SIZE size = BitmapSize(bitmap);
  win::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  if (!memory) return;
  SelectGuard select(memory.get(), bitmap);
  ::TransparentBlt(dc, x, y, size.cx, size.cy, memory.get(), 0, 0, size.cx, size.cy, kTransparent);
}

void PaintParentBackground(HWND child, HDC dc, const RECT& rc) noexcept {
  HWND parent = ::GetParent(child);
  if (!parent) return;
  POINT origin{0, 0};
  ::MapWindowPoints(child, parent, &origin, 1);
  POINT old{};
  ::OffsetWindowOrgEx(dc, origin.x, origin.y, &old);
  // The parent paints its background for WM_PRINTCLIENT into our DC, shifted to our position.
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, rc.left + origin.x, rc.top + origin.y, rc.right + origin.x, rc.bottom + origin.y);
  ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  ::RestoreDC(dc, saved);
  ::SetWindowOrgEx(dc, old.x, old.y, nullptr);
}

SIZE MeasureText(HWND window, HFONT font, std::wstring_view text, int width, UINT format) noexcept {
  RECT rc{0, 0, width, 0};
  HDC dc = ::GetDC(window);
  if (!dc) return {};
  {
    SelectGuard select(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rc, DT_CALCRECT | format);
  }
  ::ReleaseDC(window, dc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace ui
