#include "ControlsHost.h"

#include <memory>

#include "SkinIds.h"
#include "support/Driver.h"
#include "controls/MenuRibbon.h"
#include "controls/Paint.h"

namespace controls {
namespace {

constexpr UINT kSettleMessage = WM_APP + 1;

}  // namespace

bool TestHost::Create() {
  background_.reset(ui::LoadSkinBitmap(IDB_MAIN_BACKGROUND));
  if (!CreateWindowOf(L"ControlsTestHost", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
                      nullptr, 0))
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
      notes_.push_back({WM_COMMAND, wParam});  // the notification code too, in the high word
      if (onCommand_) onCommand_(wParam);
      return 0;
    case app::kTabLeftMessage:
    case app::kTabEnteredMessage:
    case app::kBackMessage: notes_.push_back({message, wParam}); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: notes_.push_back({message, wParam, lParam}); return 0;
    case kSettleMessage: settled_ = true; return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    default: return Default(message, wParam, lParam);
  }
}

void TestHost::Paint(HDC dc) const {
  // The main window's skin, and below it (the host is taller) its bottom colour.
  RECT rc{0, 0, kWidth, kHeight};
  win::UniqueBrush brush(::CreateSolidBrush(RGB(16, 40, 80)));
  ::FillRect(dc, &rc, brush.get());
  win::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  win::SelectScope select(memory.get(), background_.get());
  const SIZE size = ui::BitmapSize(background_.get());
  ::BitBlt(dc, 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}

Pixels SkinPixels(int bitmapId) {
  win::UniqueBitmap bitmap(ui::LoadSkinBitmap(bitmapId));
  return test::BitmapPixels(bitmap.get());
}

double ShareShowing(const Pixels& screen, POINT origin, const Pixels& face, const Pixels& other,
                    const RECT& skip) {
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

void ControlsTest::SetUp() {
  ASSERT_TRUE(host_.Create());
}

}  // namespace controls
