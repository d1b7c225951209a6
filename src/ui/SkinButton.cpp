#include "ui/SkinButton.h"

#include <commctrl.h>

#include "ui/Paint.h"

namespace ui {

SkinButton::~SkinButton() {
  if (hwnd_ && ::IsWindow(hwnd_)) ::RemoveWindowSubclass(hwnd_, &SkinButton::SubclassProc, 1);
}

bool SkinButton::Create(HWND parent, int id, int x, int y, int normalId, int hoverId, int pressedId,
                        const std::wstring& caption, HFONT font) {
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  const int ids[3] = {normalId, hoverId, pressedId};
  for (int i = 0; i < 3; ++i)
    faces_[i].reset(::LoadImageW(self, MAKEINTRESOURCEW(ids[i]), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  size_ = BitmapSize(static_cast<HBITMAP>(faces_[0].get()));
  caption_ = caption;
  font_ = font;
  hwnd_ = ::CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, x, y, size_.cx,
                            size_.cy, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), self, nullptr);
  if (!hwnd_) return false;
  ::SetWindowSubclass(hwnd_, &SkinButton::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
  return true;
}

void SkinButton::Draw(const DRAWITEMSTRUCT& item) const {
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const HGDIOBJ face = faces_[pressed ? 2 : (hover_ ? 1 : 0)].get();
  const RECT& rc = item.rcItem;
  // The parent's background shows through the magenta parts of the face.
  PaintParentBackground(item.hwndItem, item.hDC, rc);
  DrawTransparentBitmap(item.hDC, static_cast<HBITMAP>(face), rc.left, rc.top);
  if (!caption_.empty()) {
    const HGDIOBJ oldFont = font_ ? ::SelectObject(item.hDC, font_) : nullptr;
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, RGB(255, 255, 255));
    RECT text = rc;
    if (pressed) ::OffsetRect(&text, 1, 1);
    ::DrawTextW(item.hDC, caption_.c_str(), static_cast<int>(caption_.size()), &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (oldFont) ::SelectObject(item.hDC, oldFont);
  }
}

LRESULT CALLBACK SkinButton::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<SkinButton*>(data);
  switch (message) {
    case WM_MOUSEMOVE:
      if (!self->hover_) {
        self->hover_ = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
        ::TrackMouseEvent(&track);
        ::InvalidateRect(hwnd, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      self->hover_ = false;
      ::InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case WM_ERASEBKGND:
      return 1;  // the face covers everything
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(hwnd, &SkinButton::SubclassProc, 1);
      self->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace ui
