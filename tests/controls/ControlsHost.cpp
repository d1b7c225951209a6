#include "ControlsHost.h"

#include <memory>

#include "SkinIds.h"
#include "support/Driver.h"
#include "ui/MenuRibbon.h"
#include "ui/Paint.h"

namespace controls {
namespace {

constexpr UINT kSettleMessage = WM_APP + 1;

// Reads `bitmap` (any format) as top-down 32-bit pixels.
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

bool TestHost::Create() {
  background_.reset(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_MAIN_BACKGROUND), IMAGE_BITMAP, 0,
                                 0, LR_CREATEDIBSECTION));
  if (!CreateWindowOf(L"ControlsTestHost", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight, nullptr,
                      0))
    return false;
  ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(hwnd());
  return true;
}

void TestHost::Settle() {
  settled_ = false;
  ::PostMessageW(hwnd(), kSettleMessage, 0, 0);
  EXPECT_TRUE(test::WaitUntil([this] { return settled_; }, std::chrono::seconds(10)));
}

LRESULT TestHost::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      notes_.push_back({WM_COMMAND, LOWORD(wParam)});
      return 0;
    case kTabLeftMessage:
    case kTabEnteredMessage:
    case kMenuReselectedMessage:
      notes_.push_back({message, wParam});
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      notes_.push_back({message, wParam, lParam});
      return 0;
    case kSettleMessage:
      settled_ = true;
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = ::BeginPaint(hwnd(), &ps);
      Paint(dc);
      ::EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

void TestHost::Paint(HDC dc) const {
  // The main window's skin, and below it (the host is taller) its bottom colour.
  RECT rc{0, 0, kWidth, kHeight};
  win::UniqueGdiObject brush(::CreateSolidBrush(RGB(16, 40, 80)));
  ::FillRect(dc, &rc, static_cast<HBRUSH>(brush.get()));
  win::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  ui::SelectGuard select(memory.get(), background_.get());
  const SIZE size = ui::BitmapSize(static_cast<HBITMAP>(background_.get()));
  ::BitBlt(dc, 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}

Pixels SkinPixels(int bitmapId) {
  win::UniqueGdiObject bitmap(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  const SIZE size = ui::BitmapSize(static_cast<HBITMAP>(bitmap.get()));
  HDC screen = ::GetDC(nullptr);
  Pixels pixels = Read(screen, static_cast<HBITMAP>(bitmap.get()), size.cx, size.cy);
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
    {
      ui::SelectGuard select(memory.get(), bitmap.get());
      ::BitBlt(memory.get(), 0, 0, rc.right, rc.bottom, screen, origin.x, origin.y, SRCCOPY);
    }
    pixels = Read(screen, static_cast<HBITMAP>(bitmap.get()), rc.right, rc.bottom);
  }
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

double ShareShowing(const Pixels& screen, POINT origin, const Pixels& face, const Pixels& other, const RECT& skip) {
  int compared = 0, showing = 0;
  for (int y = 0; y < face.height; ++y) {
    for (int x = 0; x < face.width; ++x) {
      const COLORREF want = face.At(x, y);
      const POINT at{x, y};
      if (want == ui::kTransparent || want == other.At(x, y) || ::PtInRect(&skip, at)) continue;
      const int sx = origin.x + x, sy = origin.y + y;
      if (sx < 0 || sy < 0 || sx >= screen.width || sy >= screen.height) continue;
      ++compared;
      if (screen.At(sx, sy) == want) ++showing;
    }
  }
  return compared ? static_cast<double>(showing) / compared : 0.0;
}

RECT RectIn(HWND child, HWND ancestor) {
  RECT rc{};
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, ancestor, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

app::SharedGraphics* ControlsTest::graphics_ = nullptr;

void ControlsTest::SetUpTestSuite() {
  static app::SharedGraphics graphics;
  graphics.Create();
  graphics_ = &graphics;
}

void ControlsTest::TearDownTestSuite() {
  if (graphics_) graphics_->Destroy();
}

void ControlsTest::SetUp() { ASSERT_TRUE(host_.Create()); }

}  // namespace controls
