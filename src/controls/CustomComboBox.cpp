#include "controls/CustomComboBox.h"

#include "StringIds.h"

#include <windowsx.h>

#include <algorithm>

#include "core/PrivateMessages.h"
#include "controls/MenuBackBuffer.h"
#include "controls/AccessibleLabel.h"
#include "controls/Paint.h"
#include "win/AccessibleObject.h"
#include "win/KeyboardCues.h"
#include "win/Resources.h"

namespace ui::skin {
namespace {

constexpr wchar_t kComboBoxClass[] = L"StartdeckComboBox";
// The drop button sits this far inside the box's top and right edges; the box leaves as much room
// below it. Design pixels, as every length here.
constexpr int kButtonInset = 2;
constexpr int kTextLeft = 5;
constexpr int kFrame = 1;

// A screen reader's default action, posted so that the list opens outside its call.
UINT ToggleMessage() noexcept {
  static const UINT message = ::RegisterWindowMessageW(L"StartdeckComboToggle");
  return message;
}

}  // namespace

bool CCustomComboBox::Create(int x, int y, int width, HWND parent, int id, const ComboLook& look) {
  look_ = look;
  id_ = id;
  current_ = 0;
  const SIZE button = BitmapSize(look.dropFaces[0]);
  if (button.cx <= 0 || button.cy <= 0) return false;
  const int inset = scale_.Px(kButtonInset);
  size_ = {width, button.cy + 2 * inset};
  textRect_ = {scale_.Px(kTextLeft), inset, width - button.cx - inset, size_.cy - inset};
  if (!CreateWindowOf(kComboBoxClass, WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, size_.cx, size_.cy, parent,
                      id))
    return false;
  popup_.SetScale(scale_);
  popup_.SetOwnerSource(this);
  if (!popup_.Create(hwnd(), look.font)) return false;
  PlacePopup();
  drop_.SetScale(scale_);
  if (!drop_.Create(width - button.cx - inset, inset, look.dropFaces[0], look.dropFaces[1], look.dropFaces[2],
                    MenuButtonStyle::kPush, 0, 0, hwnd(), kDropButtonId))
    return false;
  drop_.SetDisabledBitmap(look.dropFaces[3]);
  // The box itself is the tab stop; its button is named by what it does, as a standard combo box's is.
  drop_.SetTabStop(false);
  drop_.SetAccessibleName(win::LoadString(IDS_ACC_OPEN));
  return true;
}

void CCustomComboBox::SetScale(win::Scale scale) {
  scale_ = scale;
  if (!hwnd()) return;
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  Layout(rc.right);
}

void CCustomComboBox::SetLook(const ComboLook& look) {
  look_ = look;
  if (!hwnd()) return;
  drop_.SetFaces(look.dropFaces[0], look.dropFaces[1], look.dropFaces[2]);
  drop_.SetDisabledBitmap(look.dropFaces[3]);
  popup_.SetFont(look.font);
  Layout(size_.cx);
}

void CCustomComboBox::Layout(int width) {
  const SIZE button = BitmapSize(look_.dropFaces[0]);
  if (button.cx <= 0 || button.cy <= 0) return;  // no face to size by: left as it is
  const int inset = scale_.Px(kButtonInset);
  size_ = {width, button.cy + 2 * inset};
  textRect_ = {scale_.Px(kTextLeft), inset, width - button.cx - inset, size_.cy - inset};
  ::SetWindowPos(hwnd(), nullptr, 0, 0, size_.cx, size_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (drop_.hwnd()) {
    drop_.SetScale(scale_);  // as large as its face
    ::SetWindowPos(drop_.hwnd(), nullptr, width - button.cx - inset, inset, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The list is no child of the box: it hears of the scale from here.
  popup_.SetScale(scale_);
  PlacePopup();
  Repaint();
}

int CCustomComboBox::AddString(const std::wstring& text) {
  return InsertString(GetCount(), text);
}

int CCustomComboBox::InsertString(int index, const std::wstring& text) {
  const int inserted = popup_.Insert(index, text);
  PlacePopup();
  if (inserted >= 0 && inserted <= current_) Repaint();  // the current entry's text may have moved
  return inserted;
}

int CCustomComboBox::FindStringExact(const std::wstring& text) const {
  return popup_.FindExact(text);
}

void CCustomComboBox::ResetContent() {
  popup_.Clear();
  current_ = 0;
  PlacePopup();
  Repaint();
}

int CCustomComboBox::GetCount() const noexcept {
  return popup_.Count();
}

void CCustomComboBox::SetCurSel(int index) {
  current_ = (index < 0 || index >= GetCount()) ? 0 : index;
  Repaint();
  Notify(CBN_SELCHANGE);
  win::RaiseAccessEvent(EVENT_OBJECT_VALUECHANGE, hwnd());
}

std::wstring CCustomComboBox::GetText() const {
  return popup_.Text(current_);
}
std::wstring CCustomComboBox::TextAt(int index) const {
  return popup_.Text(index);
}

bool CCustomComboBox::IsDroppedDown() const noexcept {
  return Popup() && ::IsWindowVisible(Popup());
}

void CCustomComboBox::TogglePopup() {
  if (!Popup()) return;
  if (IsDroppedDown()) {
    closingClick_ = false;
    ::ShowWindow(Popup(), SW_HIDE);
    return;
  }
  if (closingClick_) {
    // The press that took the activation from the open list has closed it already.
    closingClick_ = false;
    return;
  }
  // The parent hears first, as the list is about to open: it may fill it now.
  Notify(CBN_DROPDOWN);
  // A list with nothing to choose stays closed: it would open as a bare frame, a sliver under the
  // box; the empty box says as much, and the panel's own buttons create what it would list.
  if (GetCount() == 0) return;
  PlacePopup();
  // Shown active, so that a click anywhere else takes its activation and closes it.
  ::ShowWindow(Popup(), SW_SHOW);
  popup_.MarkCurrent(current_);
}

void CCustomComboBox::PlacePopup() {
  if (!hwnd()) return;
  RECT rc{};
  ::GetWindowRect(hwnd(), &rc);
  popup_.PlaceBelow(rc);
}

void CCustomComboBox::OnRowChosen(int index) {
  current_ = index;
  Notify(CBN_SELCHANGE);
  if (Popup()) ::ShowWindow(Popup(), SW_HIDE);
  Repaint();
  win::RaiseAccessEvent(EVENT_OBJECT_VALUECHANGE, hwnd());
}

void CCustomComboBox::Choose(int index) {
  if (index < 0 || index >= GetCount() || index == current_) return;
  OnRowChosen(index);
}

bool CCustomComboBox::OnKey(WPARAM key) {
  switch (key) {
    case VK_UP: Choose(current_ - 1); return true;
    case VK_DOWN: Choose(current_ + 1); return true;
    case VK_HOME: Choose(0); return true;
    case VK_END: Choose(GetCount() - 1); return true;
    case VK_F4:
      if (!IsDroppedDown()) TogglePopup();
      return true;
    default: return false;
  }
}

bool CCustomComboBox::OnSystemKey(WPARAM key) {
  if (key == VK_DOWN && !IsDroppedDown()) {
    TogglePopup();
    return true;
  }
  if (key == VK_UP && IsDroppedDown()) {
    ::ShowWindow(Popup(), SW_HIDE);
    return true;
  }
  return key == VK_DOWN || key == VK_UP;
}

void CCustomComboBox::SetAccessibleName(std::wstring name) {
  accName_ = std::move(name);
  named_ = true;
  win::RaiseAccessEvent(EVENT_OBJECT_NAMECHANGE, hwnd());
}

std::wstring CCustomComboBox::LabelText() const {
  return LabelBefore(hwnd());
}

std::wstring CCustomComboBox::AccName(long) const {
  return named_ ? accName_ : win::WithoutAccessKey(LabelText());
}

std::wstring CCustomComboBox::AccValue(long) const {
  return GetText();
}

long CCustomComboBox::AccRole(long) const {
  return ROLE_SYSTEM_COMBOBOX;
}

long CCustomComboBox::AccState(long) const {
  return STATE_SYSTEM_HASPOPUP | (IsDroppedDown() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
}

std::wstring CCustomComboBox::AccDefaultAction(long) const {
  return win::LoadString(IsDroppedDown() ? IDS_ACC_CLOSE : IDS_ACC_OPEN);
}

bool CCustomComboBox::AccDoDefaultAction(long child) {
  if (child != CHILDID_SELF || !hwnd()) return false;
  return ::PostMessageW(hwnd(), ToggleMessage(), 0, 0) != FALSE;
}

std::wstring CCustomComboBox::AccKeyboardShortcut(long) const {
  if (named_) return {};
  return AccessKeyShortcut(LabelText());
}

bool CCustomComboBox::OnDropButton(POINT at) const noexcept {
  if (!drop_.hwnd()) return false;
  RECT button{};
  ::GetWindowRect(drop_.hwnd(), &button);
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&button), 2);
  return ::PtInRect(&button, at) != FALSE;
}

void CCustomComboBox::Notify(WORD code) const {
  ::SendMessageW(::GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id_, code), reinterpret_cast<LPARAM>(hwnd()));
}

void CCustomComboBox::Draw(HDC dc) const {
  RECT rc{0, 0, size_.cx, size_.cy};
  const bool contrast = win::HighContrastOn();
  ::FillRect(
      dc, &rc,
      contrast ? ::GetSysColorBrush(COLOR_WINDOW) : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  DrawFrame(dc, rc, contrast ? ::GetSysColor(COLOR_WINDOWTEXT) : kBorderColor, scale_.Px(kFrame));
  if (::GetFocus() == hwnd() && win::FocusCuesShown(hwnd())) {
    const RECT cue{0, 0, textRect_.right, size_.cy};
    win::DrawFocusCue(dc, cue, scale_);
  }
  const std::wstring text = GetText();
  if (text.empty()) return;
  win::SelectScope font(dc, look_.font ? look_.font : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, contrast ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0));
  RECT place = textRect_;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CCustomComboBox::Repaint() const noexcept {
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT CCustomComboBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: PaintBuffered(hwnd(), size_, [this](HDC dc) { Draw(dc); }); return 0;
    case WM_PRINTCLIENT: Draw(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(look_.font ? look_.font : ::GetStockObject(DEFAULT_GUI_FONT));
    case app::kApplyScaleMessage: SetScale(win::Scale(static_cast<int>(wParam))); return 0;
    case WM_MOUSEACTIVATE:
      // A press on the box (or its button, which asks the box first) while the list is open: the
      // list loses the activation and closes before the box sees the press, which must not reopen it.
      closingClick_ = IsDroppedDown();
      break;
    case WM_LBUTTONDOWN: TogglePopup(); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (OnKey(wParam)) return 0;
      break;
    case WM_SYSKEYDOWN:
      if (OnSystemKey(wParam)) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Repaint(); break;
    case WM_UPDATEUISTATE:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: {
      const LRESULT result = Default(message, wParam, lParam);
      Repaint();
      return result;
    }
    case WM_GETTEXTLENGTH:
      // The window's text is the current entry, for whoever reads it (a screen reader, a test).
      return static_cast<LRESULT>(GetText().size());
    case WM_GETTEXT: {
      const std::wstring text = GetText();
      auto* buffer = reinterpret_cast<wchar_t*>(lParam);
      if (!buffer || wParam == 0) return 0;
      const size_t copied = std::min(text.size(), static_cast<size_t>(wParam) - 1);
      text.copy(buffer, copied);
      buffer[copied] = L'\0';
      return static_cast<LRESULT>(copied);
    }
    case WM_LBUTTONDBLCLK:
      // The drop button hands its double clicks on, but its release toggles the list anyway: a
      // double click there is two clicks of the button, not three toggles.
      if (!OnDropButton({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) TogglePopup();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kDropButtonId) {
        TogglePopup();
        return 0;
      }
      break;
    case app::kListRowChosenMessage: OnRowChosen(static_cast<int>(wParam)); return 0;
    case WM_MOVE:
      // The main window hands its own moves down to every descendant, so the open list follows.
      PlacePopup();
      break;
    case WM_DESTROY:
      if (Popup()) ::DestroyWindow(Popup());
      break;
    default:
      if (message == ToggleMessage()) {
        TogglePopup();
        return 0;
      }
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace ui::skin
