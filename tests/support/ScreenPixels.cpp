#include "support/ScreenPixels.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "win/Dc.h"
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
  for (size_t i = 0; i < quads.size(); ++i)
    pixels.data[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
  return pixels;
}

size_t Stride(int width) {
  return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
}

}  // namespace

Pixels BitmapPixels(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) == 0) return {};
  const win::WindowDc screen(nullptr);
  return Read(screen.get(), bitmap, info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
}

Pixels GrabScreen(const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return {};
  const win::WindowDc screen(nullptr);
  win::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
  win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
  {
    const win::SelectScope select(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
  }  // a bitmap is read only when no DC holds it
  return Read(screen.get(), bitmap.get(), width, height);
}

Pixels Grab(HWND window) {
  RECT rc{};
  ::GetClientRect(window, &rc);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  return GrabScreen(rc);
}

Pixels GrabWindow(HWND window) {
  RECT rc{};
  ::GetWindowRect(window, &rc);
  return GrabScreen(rc);
}

size_t CountDifferences(const Pixels& a, const Pixels& b) {
  if (a.width != b.width || a.height != b.height) return std::max(a.data.size(), b.data.size());
  size_t count = 0;
  for (size_t i = 0; i < a.data.size(); ++i)
    if (a.data[i] != b.data[i]) ++count;
  return count;
}

Pixels LoadBitmapFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  BITMAPFILEHEADER head{};
  BITMAPINFOHEADER info{};
  if (!in.read(reinterpret_cast<char*>(&head), sizeof(head)) || head.bfType != 0x4D42 ||
      !in.read(reinterpret_cast<char*>(&info), sizeof(info)) || info.biCompression != BI_RGB ||
      (info.biBitCount != 24 && info.biBitCount != 32) || info.biWidth <= 0 || info.biHeight == 0)
    return {};
  const int width = info.biWidth, height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
  const size_t bytes = info.biBitCount / 8;
  const size_t stride = (static_cast<size_t>(width) * bytes + 3) & ~size_t{3};
  std::vector<unsigned char> rows(stride * static_cast<size_t>(height));
  in.seekg(head.bfOffBits);
  if (!in.read(reinterpret_cast<char*>(rows.data()), static_cast<std::streamsize>(rows.size()))) return {};
  Pixels pixels{width, height, std::vector<COLORREF>(static_cast<size_t>(width) * height)};
  for (int y = 0; y < height; ++y) {
    const unsigned char* row =
        rows.data() + stride * static_cast<size_t>(info.biHeight < 0 ? y : height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = row + bytes * static_cast<size_t>(x);
      pixels.data[static_cast<size_t>(y) * width + x] = RGB(p[2], p[1], p[0]);
    }
  }
  return pixels;
}

bool SaveBitmapFile(const Pixels& pixels, const std::filesystem::path& file) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = pixels.width;
  info.biHeight = pixels.height;  // bottom-up, as most programs expect
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const size_t stride = Stride(pixels.width);
  std::vector<char> rows(stride * static_cast<size_t>(pixels.height));
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x) {
      const COLORREF c = pixels.At(x, y);
      char* p =
          rows.data() + stride * static_cast<size_t>(pixels.height - 1 - y) + 3 * static_cast<size_t>(x);
      p[0] = static_cast<char>(GetBValue(c));
      p[1] = static_cast<char>(GetGValue(c));
      p[2] = static_cast<char>(GetRValue(c));
    }
  BITMAPFILEHEADER head{};
  head.bfType = 0x4D42;
  head.bfOffBits = sizeof(head) + sizeof(info);
  head.bfSize = static_cast<DWORD>(head.bfOffBits + rows.size());
  std::filesystem::path temporary = file;
  temporary += L".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&head), sizeof(head));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  return !error;
}

}  // namespace test
