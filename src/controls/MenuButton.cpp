#include "controls/MenuButton.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/MenuBackBuffer.h"
#include "controls/Paint.h"
#include "win/Resources.h"

namespace {

constexpr wchar_t kClassName[] = L"StartdeckMenuButton";

// One text in `rc`: on one line, vertically centred, when it fits; otherwise wrapped at words, the
// block still centred vertically, so a long caption wraps instead of being cut.
void DrawCaptionText(HDC dc, const std::wstring& text, const RECT& rc, bool centre) {
  if (text.empty() || ::IsRectEmpty(&rc)) return;
  const UINT align = (centre ? DT_CENTER : DT_LEFT) | DT_NOPREFIX;
  const int length = static_cast<int>(text.size());
  RECT measured = rc;
  ::DrawTextW(dc, text.c_str(), length, &measured, align | DT_SINGLELINE | DT_CALCRECT);
  RECT target = rc;
  if (measured.right - measured.left <= rc.right - rc.left) {
    ::DrawTextW(dc, text.c_str(), length, &target, align | DT_SINGLELINE | DT_VCENTER);
    return;
  }
  RECT wrapped = rc;
  ::DrawTextW(dc, text.c_str(), length, &wrapped, align | DT_WORDBREAK | DT_CALCRECT);
  target.top += std::max(0L, ((rc.bottom - rc.top) - (wrapped.bottom - wrapped.top)) / 2);
  ::DrawTextW(dc, text.c_str(), length, &target, align | DT_WORDBREAK);
}

}  // namespace

bool CMenuButton::Create(int x, int y, HBITMAP normal, HBITMAP hover, HBITMAP pressed, MenuButtonStyle style,
                         UINT captionId, UINT descriptionId, HWND parent, int id) {
  faces_ = {normal, hover, pressed, faces_[3]};
  faceIds_ = {};
  return CreateSized(x, y, FaceSize(), style, captionId, descriptionId, parent, id);
}

bool CMenuButton::CreateSized(int x, int y, SIZE face, MenuButtonStyle style, UINT captionId,
                              UINT descriptionId, HWND parent, int id) {
  id_ = id;
  style_ = style;
  state_ = MenuButtonState::kNormal;
  size_ = face;
  caption_ = captionId ? win::LoadString(captionId) : std::wstring();
  description_ = descriptionId ? win::LoadString(descriptionId) : std::wstring();
  if (!CreateWindowOf(kClassName, WS_CHILD | WS_VISIBLE, x, y, size_.cx, size_.cy, parent, id)) return false;
  ::SetWindowTextW(hwnd(), caption_.c_str());  // what screen readers and tools see
  return true;
}

bool CMenuButton::CreateWithSkinFaces(int x, int y, const std::array<int, 4>& faceIds, MenuButtonStyle style,
                                      UINT captionId, UINT descriptionId, HWND parent, int id) {
  for (auto& face : ownFaces_) face.reset();
  faces_ = {};
  faceIds_ = faceIds;
  pendingFaceIds_ = faceIds;
  return CreateSized(x, y, FaceSize(), style, captionId, descriptionId, parent, id);
}

SIZE CMenuButton::FaceSize() const noexcept {
  // A face of the button's own is measured from the resource header: a button that is never shown
  // loads no face at all.
  const SIZE face = faceIds_[0] ? ui::SkinBitmapSize(faceIds_[0], scale_) : ui::BitmapSize(faces_[0]);
  return (face.cx > 0 && face.cy > 0) ? face : scale_.Px(kDefaultSize);
}

void CMenuButton::SetScale(win::Scale scale) {
  if (scale != scale_) {
    scale_ = scale;
    // The faces of the old scale go; those of the new one come as they are first shown.
    for (auto& face : ownFaces_) face.reset();
    pendingFaceIds_ = faceIds_;
  }
  if (!hwnd()) return;
  size_ = FaceSize();
  ::SetWindowPos(hwnd(), nullptr, 0, 0, size_.cx, size_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Repaint();
}

HBITMAP CMenuButton::Face(MenuButtonState state) const noexcept {
  const size_t i = static_cast<size_t>(state);
  if (faces_[i] || pendingFaceIds_[i] == 0) return faces_[i] ? faces_[i] : ownFaces_[i].get();
  ownFaces_[i].reset(ui::LoadSkinBitmap(pendingFaceIds_[i], scale_));
  pendingFaceIds_[i] = 0;  // one try: a missing face stays missing
  return ownFaces_[i].get();
}

void CMenuButton::SetFaces(HBITMAP normal, HBITMAP hover, HBITMAP pressed) noexcept {
  const HBITMAP given[3] = {normal, hover, pressed};
  for (size_t i = 0; i < 3; ++i) {
    faces_[i] = given[i];
    faceIds_[i] = 0;
    pendingFaceIds_[i] = 0;
    ownFaces_[i].reset();
  }
  Repaint();
}

void CMenuButton::SetCaptionFont(HFONT font, COLORREF color) noexcept {
  if (font) captionFont_ = font;
  captionColor_ = color;
  Repaint();
}

void CMenuButton::SetDescriptionFont(HFONT font, COLORREF color) noexcept {
  if (font) descriptionFont_ = font;
  descriptionColor_ = color;
  Repaint();
}

void CMenuButton::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  if (hwnd()) ::SetWindowTextW(hwnd(), caption_.c_str());
  Repaint();
}

void CMenuButton::SetState(MenuButtonState state, bool repaint) noexcept {
  state_ = state;
  if (repaint) Repaint();
}

RECT CMenuButton::CaptionRect() const noexcept {
  const LONG w = size_.cx, h = size_.cy;
  const win::Scale& s = scale_;
  switch (style_) {
    case MenuButtonStyle::kLarge: return {s.Px(86), s.Px(10), w - s.Px(10), h - s.Px(10)};
    case MenuButtonStyle::kCard: return {s.Px(74), s.Px(10), w - s.Px(10), h / 2 - s.Px(1)};
    case MenuButtonStyle::kTab: return {s.Px(2), s.Px(47), w - s.Px(2), h - s.Px(10)};
    case MenuButtonStyle::kPush: return {0, 0, w, h};
    case MenuButtonStyle::kGlyph: return {s.Px(19), 0, w, h};
    case MenuButtonStyle::kPassClick:
    case MenuButtonStyle::kPassMouse: break;
  }
  return {0, 0, 0, 0};
}

RECT CMenuButton::DescriptionRect() const noexcept {
  if (style_ != MenuButtonStyle::kCard) return {0, 0, 0, 0};
  return {scale_.Px(74), size_.cy / 2 + scale_.Px(1), size_.cx - scale_.Px(10), size_.cy - scale_.Px(10)};
}

void CMenuButton::Draw(HDC dc) const {
  const RECT all{0, 0, size_.cx, size_.cy};
  // What the parent shows behind us fills the magenta corners of the face.
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ui::PaintParentBackground(hwnd(), dc, all);
  const HBITMAP face = Face(state_);
  if (!face) return;
  ui::DrawTransparentBitmap(dc, face, 0, 0);

  const bool disabled = state_ == MenuButtonState::kDisabled;
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = ::GetTextColor(dc);
  const bool centre = style_ != MenuButtonStyle::kLarge && style_ != MenuButtonStyle::kCard &&
                      style_ != MenuButtonStyle::kPassClick;
  {
    win::SelectScope font(dc, captionFont_);
    ::SetTextColor(dc, disabled ? kDisabledTextColor : captionColor_);
    DrawCaptionText(dc, caption_, CaptionRect(), centre);
  }
  if (!description_.empty()) {
    win::SelectScope font(dc, descriptionFont_);
    ::SetTextColor(dc, disabled ? kDisabledTextColor : descriptionColor_);
    RECT rc = DescriptionRect();
    ::DrawTextW(dc, description_.c_str(), static_cast<int>(description_.size()), &rc,
                DT_WORDBREAK | DT_NOPREFIX);
  }
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
}

LRESULT CMenuButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      ui::MenuBackBuffer buffer(paint.dc(), size_.cx, size_.cy);
      Draw(buffer.dc());
      buffer.Present();
      return 0;
    }
    case WM_PRINTCLIENT: Draw(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(captionFont_);
    case app::kApplyScaleMessage: SetScale(win::Scale(static_cast<int>(wParam))); return 0;
    case WM_MOUSEMOVE: OnMouseMove(lParam); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(lParam); return 0;
    case WM_LBUTTONUP: OnButtonUp(lParam); return 0;
    case WM_LBUTTONDBLCLK:
      if (state_ == MenuButtonState::kDisabled) return 0;
      if (style_ == MenuButtonStyle::kPush) PassToParent(message, wParam, lParam);
      // The second press of a double click is a press, as on a system button: its release clicks.
      if (Captures()) OnButtonDown(lParam);
      if (style_ == MenuButtonStyle::kPush) return 0;
      break;
    case WM_CANCELMODE:
      // A modal box, a menu or Escape takes over: the press is given up and the hover ends.
      CancelPress();
      EndHover();
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd()) CancelPress();
      return 0;
    case WM_ENABLE:
      if (!wParam) CancelPress();
      break;
    case WM_SHOWWINDOW:
      if (!wParam) CancelPress();
      if (wParam && style_ != MenuButtonStyle::kTab && state_ != MenuButtonState::kDisabled)
        state_ = MenuButtonState::kNormal;
      break;
    default: break;
  }
  return Default(message, wParam, lParam);
}

bool CMenuButton::Captures() const noexcept {
  // The passing styles leave the mouse to their parent, which may drag the window with it.
  return style_ != MenuButtonStyle::kPassClick && style_ != MenuButtonStyle::kPassMouse;
}

bool CMenuButton::Inside(LPARAM lParam) const noexcept {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return at.x >= 0 && at.y >= 0 && at.x < size_.cx && at.y < size_.cy;
}

MenuButtonState CMenuButton::RestingState() const noexcept {
  // A selected tab stays selected; anything else rests in its normal look.
  return downOnSelectedTab_ ? MenuButtonState::kPressed : MenuButtonState::kNormal;
}

void CMenuButton::OnMouseMove(LPARAM lParam) {
  if (state_ == MenuButtonState::kDisabled) return;
  if (pressing_) {
    // While held, the button looks pressed only with the pointer on it, as a system button does.
    const MenuButtonState look = Inside(lParam) ? MenuButtonState::kPressed : RestingState();
    if (look != state_) SetState(look, true);
    return;
  }
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
  ::TrackMouseEvent(&track);
  if (state_ == MenuButtonState::kNormal) SetState(MenuButtonState::kHover, true);
}

void CMenuButton::OnMouseLeave() {
  if (pressing_) return;  // the mouse is ours until the release; the moves tell where it is
  // A selected tab stays selected.
  if (state_ == MenuButtonState::kHover ||
      (state_ == MenuButtonState::kPressed && style_ != MenuButtonStyle::kTab))
    SetState(MenuButtonState::kNormal, true);
}

void CMenuButton::OnButtonDown(LPARAM lParam) {
  if (state_ == MenuButtonState::kDisabled) return;
  if (style_ == MenuButtonStyle::kPassClick) PassToParent(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
  downOnSelectedTab_ = style_ == MenuButtonStyle::kTab && state_ == MenuButtonState::kPressed;
  if (state_ == MenuButtonState::kHover)
    state_ = MenuButtonState::kPressed;
  else if (!downOnSelectedTab_)
    state_ = MenuButtonState::kHover;
  if (style_ == MenuButtonStyle::kPassMouse) PassToParent(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
  if (!Captures()) return;
  // The click is the press and the release together: the mouse is held until the release, which
  // only clicks on the button itself. Whatever the press made appear under the pointer meanwhile (a
  // panel that a list row opened) never sees a release without its press.
  pressing_ = true;
  ::SetCapture(hwnd());
  Repaint();
}

void CMenuButton::OnButtonUp(LPARAM lParam) {
  if (state_ == MenuButtonState::kDisabled) return;
  if (!Captures()) {
    if (state_ == MenuButtonState::kPressed) SetState(MenuButtonState::kHover, true);
    if (style_ == MenuButtonStyle::kPassMouse) PassToParent(WM_LBUTTONUP, 0, lParam);
    return;
  }
  if (!pressing_) return;  // pressed somewhere else
  const bool inside = Inside(lParam);
  const bool wasSelected = downOnSelectedTab_;
  pressing_ = false;
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
  if (!inside) {
    SetState(RestingState(), true);
    downOnSelectedTab_ = false;
    return;
  }
  downOnSelectedTab_ = false;
  if (style_ == MenuButtonStyle::kTab) {
    // The ribbon owns the selection: a release on the tab already selected means "back to the list".
    if (wasSelected)
      ::SendMessageW(MainWindow(), app::kBackMessage, 0, 0);
    else
      SendCommand();
    return;
  }
  if (state_ == MenuButtonState::kPressed) SetState(MenuButtonState::kHover, true);
  if (style_ == MenuButtonStyle::kPush)
    ::SendMessageW(::GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd()));
  else
    SendCommand();
}

void CMenuButton::CancelPress() noexcept {
  if (!pressing_) return;
  pressing_ = false;  // before the release of the capture, whose notice comes back here
  if (hwnd() && ::GetCapture() == hwnd()) ::ReleaseCapture();
  if (state_ != MenuButtonState::kDisabled) SetState(RestingState(), true);
  downOnSelectedTab_ = false;
}

void CMenuButton::EndHover() noexcept {
  if (state_ == MenuButtonState::kHover) SetState(MenuButtonState::kNormal, true);
}

void CMenuButton::EndHoverIn(HWND root) noexcept {
  ::EnumChildWindows(
      root,
      [](HWND child, LPARAM) -> BOOL {
        wchar_t name[32] = {};
        if (::GetClassNameW(child, name, 32) > 0 &&
            ::CompareStringOrdinal(name, -1, kClassName, -1, FALSE) == CSTR_EQUAL)
          ::SendMessageW(child, WM_CANCELMODE, 0, 0);
        return TRUE;
      },
      0);
}

void CMenuButton::PassToParent(UINT message, WPARAM wParam, LPARAM lParam) const {
  const HWND parent = ::GetParent(hwnd());
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::MapWindowPoints(hwnd(), parent, &at, 1);
  ::SendMessageW(parent, message, wParam, MAKELPARAM(at.x, at.y));
}

void CMenuButton::SendCommand() const {
  // Both targets are found before the first send: a handler may destroy this button.
  const HWND self = hwnd();
  const HWND parent = ::GetParent(self);
  const HWND main = MainWindow();
  const WPARAM command = MAKEWPARAM(id_, BN_CLICKED);
  ::SendMessageW(parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(self));
  if (main && main != parent) ::SendMessageW(main, WM_COMMAND, command, reinterpret_cast<LPARAM>(self));
}

void CMenuButton::Repaint() const noexcept {
  if (hwnd()) ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

HWND CMenuButton::MainWindow() const noexcept {
  return ::GetAncestor(hwnd(), GA_ROOT);
}
