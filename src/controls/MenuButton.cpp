#include "controls/MenuButton.h"

#include "StringIds.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/MenuBackBuffer.h"
#include "controls/Paint.h"
#include "win/KeyboardCues.h"
#include "win/Resources.h"

namespace {

constexpr wchar_t kMenuButtonClass[] = L"StartdeckMenuButton";

// One text in `rc`: on one line, vertically centred, when it fits; otherwise wrapped at words, the
// block still centred vertically, so a long caption wraps instead of being cut. `prefix` is how its
// access key shows (ui::AccessKeyDrawFlags); it is measured as it is drawn.
void DrawCaptionText(HDC dc, const std::wstring& text, const RECT& rc, bool centre, UINT prefix) {
  if (text.empty() || ::IsRectEmpty(&rc)) return;
  const UINT align = (centre ? DT_CENTER : DT_LEFT) | prefix;
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
  shownCaption_ = ui::WithoutAccessMarkers(caption_);
  description_ = descriptionId ? win::LoadString(descriptionId) : std::wstring();
  if (!CreateWindowOf(kMenuButtonClass, WS_CHILD | WS_VISIBLE, x, y, size_.cx, size_.cy, parent, id))
    return false;
  ApplyTabStop();
  // What tools see, and where the dialog manager finds the access key.
  ::SetWindowTextW(hwnd(), caption_.c_str());
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
  const std::wstring oldName = AccName(CHILDID_SELF);
  caption_ = caption;
  shownCaption_ = ui::WithoutAccessMarkers(caption_);
  if (hwnd()) ::SetWindowTextW(hwnd(), caption_.c_str());
  Repaint();
  if (AccName(CHILDID_SELF) != oldName) win::RaiseAccessEvent(EVENT_OBJECT_NAMECHANGE, hwnd());
}

void CMenuButton::SetAccessibleName(const std::wstring& name) {
  const std::wstring oldName = AccName(CHILDID_SELF);
  accessibleName_ = name;
  if (AccName(CHILDID_SELF) != oldName) win::RaiseAccessEvent(EVENT_OBJECT_NAMECHANGE, hwnd());
}

void CMenuButton::SetState(MenuButtonState state, bool repaint) noexcept {
  const long before = AccState(CHILDID_SELF);
  const bool wasDisabled = state_ == MenuButtonState::kDisabled;
  state_ = state;
  if (wasDisabled != (state_ == MenuButtonState::kDisabled)) {
    spacePressing_ = false;
    ApplyTabStop();
  }
  if (repaint) Repaint();
  if (AccState(CHILDID_SELF) != before) win::RaiseAccessEvent(EVENT_OBJECT_STATECHANGE, hwnd());
}

void CMenuButton::SetTabStop(bool tabStop) noexcept {
  tabStop_ = tabStop;
  ApplyTabStop();
}

void CMenuButton::ApplyTabStop() noexcept {
  if (!hwnd()) return;
  const bool wanted = tabStop_ && Captures() && state_ != MenuButtonState::kDisabled;
  const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
  const LONG_PTR next = wanted ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  if (next != style) ::SetWindowLongPtrW(hwnd(), GWL_STYLE, next);
}

void CMenuButton::SetFocusCue(bool shown, int inset) noexcept {
  if (shown) cueInset_ = inset;
  if (shown == focusCue_) return;
  const long before = AccState(CHILDID_SELF);
  focusCue_ = shown;
  Repaint();
  if (AccState(CHILDID_SELF) != before) win::RaiseAccessEvent(EVENT_OBJECT_STATECHANGE, hwnd());
}

wchar_t CMenuButton::AccessKey() const noexcept {
  return ui::AccessKeyOf(caption_);
}

bool CMenuButton::ShowsFocusCue() const noexcept {
  return hwnd() && (focusCue_ || ::GetFocus() == hwnd()) && win::FocusCuesShown(hwnd());
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
  // In high contrast the texts take the system's colours, on the system's face behind each line, so
  // that they stay readable on any face of the skin.
  const bool contrast = win::HighContrastOn();
  const int oldMode = ::SetBkMode(dc, contrast ? OPAQUE : TRANSPARENT);
  const COLORREF oldColor = ::GetTextColor(dc);
  const COLORREF oldBack = ::SetBkColor(dc, contrast ? ::GetSysColor(COLOR_BTNFACE) : ::GetBkColor(dc));
  const auto color = [&](COLORREF own) {
    return contrast ? ui::ContrastTextColor(disabled) : (disabled ? kDisabledTextColor : own);
  };
  const bool centre = style_ != MenuButtonStyle::kLarge && style_ != MenuButtonStyle::kCard &&
                      style_ != MenuButtonStyle::kPassClick;
  {
    win::SelectScope font(dc, captionFont_);
    ::SetTextColor(dc, color(captionColor_));
    // While access keys are hidden the caption is drawn as shown, without prefix processing, so that
    // it looks exactly as a caption without a key (not every DrawText hides the underline itself).
    const bool keys = win::AccessKeysShown(hwnd());
    DrawCaptionText(dc, keys ? caption_ : shownCaption_, CaptionRect(), centre, keys ? 0u : DT_NOPREFIX);
  }
  if (!description_.empty()) {
    win::SelectScope font(dc, descriptionFont_);
    ::SetTextColor(dc, color(descriptionColor_));
    RECT rc = DescriptionRect();
    ::DrawTextW(dc, description_.c_str(), static_cast<int>(description_.size()), &rc,
                DT_WORDBREAK | DT_NOPREFIX);
  }
  ::SetBkColor(dc, oldBack);
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
  if (ShowsFocusCue()) win::DrawFocusCue(dc, all, scale_, focusCue_ ? cueInset_ : 2);
}

LRESULT CMenuButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      ui::MenuBackBuffer buffer(paint.dc(), size_.cx, size_.cy, ui::MenuBackBuffer::Surface::kKept);
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
      if (spacePressing_) {
        spacePressing_ = false;
        if (style_ != MenuButtonStyle::kTab) SetState(MenuButtonState::kNormal, true);
      }
      return 0;
    case WM_GETDLGCODE: return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (OnKey(message, wParam, lParam)) return 0;
      break;
    case BM_CLICK: Click(); return 0;
    case WM_KILLFOCUS:
      if (spacePressing_) {
        // The key's up will not come here: the press is given up.
        spacePressing_ = false;
        if (style_ != MenuButtonStyle::kTab && state_ == MenuButtonState::kPressed)
          SetState(MenuButtonState::kNormal, false);
      }
      Repaint();
      break;
    case WM_SETFOCUS:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: Repaint(); break;
    case WM_UPDATEUISTATE: {
      // The default procedure keeps the new state (and tells the children) before we draw by it.
      const LRESULT result = Default(message, wParam, lParam);
      Repaint();
      return result;
    }
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
  if (style_ != MenuButtonStyle::kTab && state_ == MenuButtonState::kPressed)
    SetState(MenuButtonState::kHover, true);
  Activate(wasSelected);
}

void CMenuButton::Click() {
  if (!Captures() || state_ == MenuButtonState::kDisabled) return;
  Activate(style_ == MenuButtonStyle::kTab && state_ == MenuButtonState::kPressed);
}

void CMenuButton::Activate(bool selectedTab) {
  if (style_ == MenuButtonStyle::kTab) {
    // The ribbon owns the selection: a click on the tab already selected means "back to the list".
    if (selectedTab)
      ::SendMessageW(MainWindow(), app::kBackMessage, 0, 0);
    else
      SendCommand();
  } else if (style_ == MenuButtonStyle::kPush) {
    ::SendMessageW(::GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd()));
  } else if (style_ != MenuButtonStyle::kPassMouse) {
    SendCommand();
  }
}

LRESULT CMenuButton::DialogCode(const MSG* message) const noexcept {
  if (!Captures()) return 0;
  LRESULT code = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (arrowsToParent_) code |= DLGC_WANTARROWS;
  // Enter clicks the button itself, as the mouse would.
  return ui::DialogCodeTakingEnter(code, reinterpret_cast<LPARAM>(message));
}

bool CMenuButton::OnKey(UINT message, WPARAM key, LPARAM lParam) {
  if (!Captures()) return false;
  const bool repeat = (lParam & (1L << 30)) != 0;
  if (arrowsToParent_ && message == WM_KEYDOWN &&
      (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)) {
    ::SendMessageW(::GetParent(hwnd()), WM_KEYDOWN, key, lParam);
    return true;
  }
  if (key == VK_RETURN && message == WM_KEYDOWN) {
    if (!repeat && !spacePressing_) Click();
    return true;
  }
  if (key != VK_SPACE) return false;
  if (message == WM_KEYDOWN) {
    if (repeat || spacePressing_ || pressing_ || state_ == MenuButtonState::kDisabled) return true;
    spacePressing_ = true;
    // A tab keeps its look: the ribbon shows the selection.
    if (style_ != MenuButtonStyle::kTab) SetState(MenuButtonState::kPressed, true);
    return true;
  }
  if (!spacePressing_) return true;
  spacePressing_ = false;
  if (style_ != MenuButtonStyle::kTab && state_ == MenuButtonState::kPressed)
    SetState(MenuButtonState::kNormal, true);
  Click();
  return true;
}

std::wstring CMenuButton::AccName(long /*child*/) const {
  return ui::WithoutAccessMarkers(accessibleName_.empty() ? caption_ : accessibleName_);
}

std::wstring CMenuButton::AccDescription(long /*child*/) const {
  return description_;
}

long CMenuButton::AccRole(long /*child*/) const {
  return style_ == MenuButtonStyle::kTab ? ROLE_SYSTEM_PAGETAB : ROLE_SYSTEM_PUSHBUTTON;
}

long CMenuButton::AccState(long /*child*/) const {
  long state = 0;
  if (state_ == MenuButtonState::kDisabled) state |= STATE_SYSTEM_UNAVAILABLE;
  if (style_ == MenuButtonStyle::kTab) {
    state |= STATE_SYSTEM_SELECTABLE;
    if (state_ == MenuButtonState::kPressed) state |= STATE_SYSTEM_SELECTED;
  } else if (state_ == MenuButtonState::kPressed) {
    state |= STATE_SYSTEM_PRESSED;
  }
  // A tab stands for its ribbon, which has the focus.
  if (focusCue_) state |= STATE_SYSTEM_FOCUSED;
  return state;
}

std::wstring CMenuButton::AccDefaultAction(long /*child*/) const {
  if (!Captures()) return {};
  return win::LoadString(style_ == MenuButtonStyle::kTab ? IDS_ACC_SWITCH : IDS_ACC_PRESS);
}

bool CMenuButton::AccDoDefaultAction(long /*child*/) {
  if (!hwnd() || !Captures() || state_ == MenuButtonState::kDisabled) return false;
  // Posted: what the click opens (a box, a panel) runs after the caller has its answer.
  return ::PostMessageW(hwnd(), BM_CLICK, 0, 0) != FALSE;
}

std::wstring CMenuButton::AccKeyboardShortcut(long /*child*/) const {
  return ui::AccessShortcutOf(caption_.empty() ? accessibleName_ : caption_);
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
            ::CompareStringOrdinal(name, -1, kMenuButtonClass, -1, FALSE) == CSTR_EQUAL)
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
