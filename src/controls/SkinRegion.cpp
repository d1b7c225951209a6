#include "controls/SkinRegion.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "controls/Paint.h"

namespace ui::skin {

std::vector<RECT> OpaqueRuns(HBITMAP bitmap) {
  std::vector<RECT> runs;
  const SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return runs;
  // The pixels as top-down 32-bit BGRX rows, whatever the bitmap's own format.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
  const int rows = ::GetDIBits(win::WindowDc(nullptr).get(), bitmap, 0, static_cast<UINT>(size.cy),
                               pixels.data(), &info, DIB_RGB_COLORS);
  if (rows != size.cy) return runs;

  constexpr std::uint32_t kMagenta = 0x00FF00FF;  // BGRX of the skin's transparent colour
  for (int y = 0; y < size.cy; ++y) {
    const std::uint32_t* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(size.cx);
    for (int x = 0; x < size.cx;) {
      if ((row[x] & 0x00FFFFFF) == kMagenta) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < size.cx && (row[x] & 0x00FFFFFF) != kMagenta) ++x;
      runs.push_back({start, y, x, y + 1});
    }
  }
  return runs;
}

win::UniqueRegion OpaqueRegion(HBITMAP bitmap) {
  const std::vector<RECT> runs = OpaqueRuns(bitmap);
  if (runs.empty()) return {};
  // One call with every rectangle instead of a union per run: the same region, made at once.
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(runs.size());
  header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  header->rcBound = {0, 0, 0, 0};
  for (const RECT& run : runs) {
    header->rcBound.right = std::max(header->rcBound.right, run.right);
    header->rcBound.bottom = std::max(header->rcBound.bottom, run.bottom);
  }
  std::memcpy(data.data() + sizeof(RGNDATAHEADER), runs.data(), runs.size() * sizeof(RECT));
  return win::UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                             reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace ui::skin
