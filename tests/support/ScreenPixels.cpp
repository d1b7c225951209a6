#include "support/ScreenPixels.h"

#include "win/Handle.h"

namespace test {
namespace {

Pixels Read(HDC dc, HBITMAP bitmap, int width, int height) {
  Pixels pixels{width, height, std::vector<COLORREF>(static_cast<size_t>(width) * height)};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> quads(pixels.data.size());
  ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), quads.data(), &info, DIB_RGB_COLORS);
  for (size_t i = 0; i < quads.size(); ++i) pixels.data[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
  return pixels;
}

}  // namespace

Pixels BitmapPixels(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) == 0) return {};
  HDC screen = ::GetDC(nullptr);
  Pixels pixels = Read(screen, bitmap, info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

Pixels Grab(HWND window) {
  RECT rc{};
  ::GetClientRect(window, &rc);
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  HDC screen = ::GetDC(nullptr);
  Pixels pixels;
  {
    win::UniqueMemoryDc memory(::CreateCompatibleDC(screen));
    win::UniqueGdiObject bitmap(::CreateCompatibleBitmap(screen, rc.right, rc.bottom));
    const HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, rc.right, rc.bottom, screen, origin.x, origin.y, SRCCOPY);
    ::SelectObject(memory.get(), old);  // a bitmap is read only when no DC holds it
    pixels = Read(screen, static_cast<HBITMAP>(bitmap.get()), rc.right, rc.bottom);
  }
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace test
