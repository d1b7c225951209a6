#include "controls/ListScrollBar.h"

#include "StringIds.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "controls/MenuBackBuffer.h"
#include "core/PrivateMessages.h"
#include "controls/Paint.h"
#include "win/Resources.h"

namespace ui::skin {
namespace {

constexpr int kPageSteps = 4;  // a click on the track beside the thumb

}  // namespace

bool CSkinVerticleScrollbar::Create(HWND parent, int x, int y, int height, const ScrollBarBitmaps& bitmaps,
                                    ListScrollTarget& target) {
  bitmaps_ = bitmaps;
  target_ = &target;
  return CreateWindowOf(L"StartdeckListScrollBar", WS_CHILD, x, y, Width(), height, parent, 0) != nullptr;
}

void CSkinVerticleScrollbar::SetScale(win::Scale scale) noexcept {
  scale_ = scale;
  if (!hwnd()) return;
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, Width(), rc.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CSkinVerticleScrollbar::SetBitmaps(const ScrollBarBitmaps& bitmaps) noexcept {
  bitmaps_ = bitmaps;
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CSkinVerticleScrollbar::SetMaximum(int maximum) noexcept {
  maximum_ = std::max(0, maximum);
  position_ = std::clamp(position_, 0, maximum_);
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CSkinVerticleScrollbar::SetPosition(int position) noexcept {
  position_ = std::clamp(position, 0, maximum_);
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

int CSkinVerticleScrollbar::Height() const noexcept {
  RECT rc{};
  if (hwnd()) ::GetClientRect(hwnd(), &rc);
  return rc.bottom;
}

double CSkinVerticleScrollbar::PixelsPerStep() const noexcept {
  if (maximum_ <= 0) return 0.0;
  return static_cast<double>(Height() - (2 * ArrowHeight() + ThumbHeight())) / maximum_;
}

int CSkinVerticleScrollbar::ThumbTop() const noexcept {
  const int top = ArrowHeight() + static_cast<int>(PixelsPerStep() * position_);
  const int lowest = Height() - ArrowHeight() - ThumbHeight();
  return std::max(ArrowHeight(), std::min(top, lowest));
}

CSkinVerticleScrollbar::Part CSkinVerticleScrollbar::HitTest(int y) const noexcept {
  const int height = Height();
  if (y < ArrowHeight()) return Part::kUp;
  if (y >= height - ArrowHeight()) return Part::kDown;
  const int thumb = ThumbTop();
  if (y < thumb) return Part::kPageUp;
  if (y < thumb + ThumbHeight()) return Part::kThumb;
  return Part::kPageDown;
}

void CSkinVerticleScrollbar::OnButtonDown(int y) {
  pressedPart_ = HitTest(y);
  ::SetCapture(hwnd());
  if (pressedPart_ == Part::kThumb) {
    dragging_ = true;
    dragOffset_ = y - ThumbTop();
  } else {
    upPressed_ = pressedPart_ == Part::kUp || pressedPart_ == Part::kPageUp;
    downPressed_ = !upPressed_;
    ::SetTimer(hwnd(), kDelayTimer, kDelayMs, nullptr);
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CSkinVerticleScrollbar::OnButtonUp(int y) {
  ::KillTimer(hwnd(), kDelayTimer);
  ::KillTimer(hwnd(), kRepeatTimer);
  // Decided before the capture goes: losing it lets go of whatever was held.
  const Part released = HitTest(y);
  int steps = 0;
  if (upPressed_ && released == Part::kUp) steps = -1;
  if (upPressed_ && released == Part::kPageUp) steps = -kPageSteps;
  if (downPressed_ && released == Part::kDown) steps = 1;
  if (downPressed_ && released == Part::kPageDown) steps = kPageSteps;
  dragging_ = upPressed_ = downPressed_ = false;
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
  pressedPart_ = Part::kNone;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  if (steps != 0 && target_) target_->ScrollBy(steps);
}

void CSkinVerticleScrollbar::OnMouseMove(int y) {
  if (dragging_) {
    const double perStep = PixelsPerStep();
    if (perStep > 0.0 && target_) {
      const int wanted = static_cast<int>(std::lround((y - dragOffset_ - ArrowHeight()) / perStep));
      target_->ScrollTo(std::clamp(wanted, 0, maximum_));
    }
    return;
  }
  const bool over = HitTest(y) == Part::kThumb;
  if (over != overThumb_) {
    overThumb_ = over;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
  }
  if (over) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
    ::TrackMouseEvent(&track);
  }
}

void CSkinVerticleScrollbar::Paint(HDC target) const {
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  MenuBackBuffer buffer(target, rc.right, rc.bottom);
  const HDC dc = buffer.dc();
  if (const HBITMAP track = bitmaps_.track.get()) {
    const SIZE size = BitmapSize(track);
    if (const win::BitmapDc source(dc, track); source)
      ::StretchBlt(dc, 0, 0, rc.right, rc.bottom, source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
  }
  const int upFace = pressedPart_ == Part::kUp ? 2 : 0;
  const int downFace = pressedPart_ == Part::kDown ? 2 : 0;
  DrawBitmap(dc, bitmaps_.up[upFace].get(), 0, 0);
  DrawBitmap(dc, bitmaps_.down[downFace].get(), 0, rc.bottom - ArrowHeight());
  const int thumbFace = dragging_ ? 2 : (overThumb_ ? 1 : 0);
  DrawTransparentBitmap(dc, bitmaps_.thumb[thumbFace].get(), 0, ThumbTop());
  buffer.Present();
}

std::wstring CSkinVerticleScrollbar::AccName(long) const {
  return win::LoadString(IDS_ACC_VERTICAL);
}

std::wstring CSkinVerticleScrollbar::AccValue(long) const {
  return std::to_wstring(position_);
}

long CSkinVerticleScrollbar::AccRole(long) const {
  return ROLE_SYSTEM_SCROLLBAR;
}

LRESULT CSkinVerticleScrollbar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case app::kApplyScaleMessage:
      // The list has placed and sized the bar already; this keeps a bar made elsewhere right too.
      SetScale(win::Scale(static_cast<int>(wParam)));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONUP: OnButtonUp(GET_Y_LPARAM(lParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(GET_Y_LPARAM(lParam)); return 0;
    case WM_MOUSELEAVE:
      if (overThumb_) {
        overThumb_ = false;
        ::InvalidateRect(hwnd(), nullptr, FALSE);
      }
      return 0;
    case WM_CAPTURECHANGED:
      // Lost to another window: whatever was held is let go without a scroll.
      if (reinterpret_cast<HWND>(lParam) != hwnd() && (dragging_ || upPressed_ || downPressed_)) {
        ::KillTimer(hwnd(), kDelayTimer);
        ::KillTimer(hwnd(), kRepeatTimer);
        dragging_ = upPressed_ = downPressed_ = false;
        pressedPart_ = Part::kNone;
        ::InvalidateRect(hwnd(), nullptr, FALSE);
      }
      return 0;
    case WM_TIMER:
      if (wParam == kDelayTimer) {
        ::KillTimer(hwnd(), kDelayTimer);
        ::SetTimer(hwnd(), kRepeatTimer, kRepeatMs, nullptr);
      } else if (wParam == kRepeatTimer && target_ && (upPressed_ || downPressed_)) {
        target_->ScrollBy(upPressed_ ? -1 : 1);
      }
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

}  // namespace ui::skin
