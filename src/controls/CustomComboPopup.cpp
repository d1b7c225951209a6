#include "controls/CustomComboPopup.h"

#include "StringIds.h"

#include <commctrl.h>

#include <vector>

#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "controls/MenuBackBuffer.h"
#include "controls/Paint.h"
#include "win/KeyboardCues.h"
#include "win/Resources.h"

namespace ui::skin {
namespace {

// The pointer selects the entry under it at once: the list follows the mouse like a menu.
constexpr UINT kHoverMilliseconds = 1;
// Marks a popup window of this class, so that the window's loop can tell its keys from others.
constexpr wchar_t kPopupProperty[] = L"StartdeckComboPopup";
constexpr UINT_PTR kListSubclassId = 0x5EDD;

// A screen reader's default action on an entry, posted so that the choice runs outside its call.
UINT ChooseEntryMessage() noexcept {
  static const UINT message = ::RegisterWindowMessageW(L"StartdeckComboChooseEntry");
  return message;
}

}  // namespace

bool CListDialog::Create(HWND combo, HFONT font) {
  combo_ = combo;
  font_ = font;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  return Dialog::Create(win::ResourceModule(), IDD_COMBO_POPUP, combo) != nullptr && List() != nullptr;
}

HWND CListDialog::List() const noexcept {
  return hwnd() ? ::GetDlgItem(hwnd(), IDC_COMBO_POPUP_LIST) : nullptr;
}

int CListDialog::Count() const noexcept {
  const HWND list = List();
  return list ? static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListDialog::Insert(int index, const std::wstring& text) {
  const HWND list = List();
  if (!list) return -1;
  const int count = Count();
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = (index < 0 || index > count) ? count : index;
  std::wstring copy = text;  // the list view takes a non-const buffer
  item.pszText = copy.data();
  const int inserted =
      static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  Resize();
  return inserted;
}

int CListDialog::FindExact(const std::wstring& text) const {
  const HWND list = List();
  if (!list) return -1;
  LVFINDINFOW find{};
  find.flags = LVFI_STRING;
  find.psz = text.c_str();
  // -1: search from the first entry.
  return static_cast<int>(
      ::SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

std::wstring CListDialog::Text(int index) const {
  const HWND list = List();
  if (!list || index < 0 || index >= Count()) return {};
  // The list view tells how many characters it copied, not how long the text is: grow until it fits.
  for (size_t size = 128;; size *= 2) {
    std::vector<wchar_t> buffer(size);
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const auto copied = static_cast<size_t>(
        ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    if (copied + 1 < size || size >= 65536) return std::wstring(buffer.data(), copied);
  }
}

void CListDialog::Clear() {
  if (const HWND list = List()) ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  Resize();
}

void CListDialog::SetScale(win::Scale scale) {
  scale_ = scale;
  if (!hwnd()) return;
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  FitList(rc.right, rc.bottom);
  Resize();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CListDialog::SetFont(HFONT font) {
  font_ = font;
  const HWND list = List();
  if (!list) return;
  ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  Resize();
}

int CListDialog::EntryHeight() const noexcept {
  const HWND list = List();
  if (!list || Count() == 0) return 0;
  RECT first{LVIR_BOUNDS, 0, 0, 0};
  ::SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  return first.bottom - first.top;
}

int CListDialog::EntriesHeight() const noexcept {
  const HWND list = List();
  const int count = Count();
  if (!list || count == 0) return 0;
  RECT first{LVIR_BOUNDS, 0, 0, 0}, last{LVIR_BOUNDS, 0, 0, 0};
  ::SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
  return last.bottom - first.top;
}

void CListDialog::Resize() {
  if (!hwnd()) return;
  RECT rc{};
  ::GetWindowRect(hwnd(), &rc);
  // The frame above and below the entries.
  ::SetWindowPos(hwnd(), nullptr, 0, 0, rc.right - rc.left, EntriesHeight() + 2 * Frame(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CListDialog::PlaceBelow(const RECT& comboScreen) {
  if (!hwnd()) return;
  ::SetWindowPos(hwnd(), nullptr, comboScreen.left, comboScreen.bottom, comboScreen.right - comboScreen.left,
                 EntriesHeight() + 2 * Frame(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CListDialog::MarkCurrent(int index) {
  const HWND list = List();
  if (!list || index < 0 || index >= Count()) return;
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
  ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
  if (::IsWindowVisible(hwnd())) ::SetFocus(list);
}

int CListDialog::Highlighted() const noexcept {
  const HWND list = List();
  return list
             ? static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED))
             : -1;
}

bool CListDialog::RouteKey(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !message.hwnd) return false;
  const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  if (!root || !::GetPropW(root, kPopupProperty) || !::IsWindowVisible(root)) return false;
  // Enter and Escape close the list: no character of theirs is to follow to a hidden list.
  const bool closing =
      message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
  if (!closing) ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
  return true;
}

void CListDialog::OnListKey(WORD key) {
  if (key == VK_RETURN) ChooseEntry(Highlighted(), true);
  if (key == VK_ESCAPE || key == VK_F4) Close(true);
}

void CListDialog::Close(bool byKey) {
  if (!hwnd()) return;
  ::ShowWindow(hwnd(), SW_HIDE);
  if (byKey && ::IsWindow(combo_)) ::SetFocus(combo_);
}

void CListDialog::ChooseEntry(int index, bool byKey) {
  const HWND self = hwnd();
  if (index >= 0 && index < Count()) {
    win::RaiseAccessEvent(EVENT_OBJECT_SELECTION, List(), index + 1);
    ::SendMessageW(combo_, app::kListRowChosenMessage, static_cast<WPARAM>(index), 0);
  }
  if (::IsWindow(self)) Close(byKey);
}

void CListDialog::ApplyColours() const noexcept {
  const HWND list = List();
  if (!list) return;
  const bool contrast = win::HighContrastOn();
  ::SendMessageW(list, LVM_SETBKCOLOR, 0, contrast ? ::GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255));
  ::SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, contrast ? ::GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255));
  ::SendMessageW(list, LVM_SETTEXTCOLOR, 0, contrast ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0));
}

LRESULT CALLBACK CListDialog::ListProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) noexcept {
  auto* popup = reinterpret_cast<CListDialog*>(self);
  switch (message) {
    case WM_SYSKEYDOWN:
      // Alt+Up and Alt+Down close the list, as they open it from the box.
      if (wParam == VK_UP || wParam == VK_DOWN) {
        popup->Close(true);
        return 0;
      }
      break;
    case WM_GETOBJECT: {
      LRESULT object = 0;
      if (popup->listAccessible_.Answer(hwnd, popup, wParam, lParam, object)) return object;
      break;
    }
    case WM_NCDESTROY:
      popup->listAccessible_.Disconnect();
      ::RemoveWindowSubclass(hwnd, &CListDialog::ListProcedure, kListSubclassId);
      break;
    default: break;
  }
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

std::wstring CListDialog::AccName(long child) const {
  if (IsEntry(child)) return Text(static_cast<int>(child - 1));
  return owner_ ? owner_->AccName(CHILDID_SELF) : std::wstring();
}

long CListDialog::AccRole(long child) const {
  return IsEntry(child) ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_LIST;
}

long CListDialog::AccState(long child) const {
  if (!IsEntry(child)) return 0;
  long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  if (child - 1 == Highlighted()) {
    state |= STATE_SYSTEM_SELECTED;
    if (::GetFocus() == List()) state |= STATE_SYSTEM_FOCUSED;
  }
  return state;
}

std::wstring CListDialog::AccDefaultAction(long child) const {
  return IsEntry(child) ? win::LoadString(IDS_ACC_CHOOSE) : std::wstring();
}

bool CListDialog::AccDoDefaultAction(long child) {
  if (!IsEntry(child) || !hwnd()) return false;
  return ::PostMessageW(hwnd(), ChooseEntryMessage(), static_cast<WPARAM>(child - 1), 0) != FALSE;
}

RECT CListDialog::AccItemRect(long child) const {
  const HWND list = List();
  if (!IsEntry(child) || !list) return {};
  RECT rc{LVIR_BOUNDS, 0, 0, 0};
  if (!::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(child - 1), reinterpret_cast<LPARAM>(&rc)))
    return {};
  return rc;
}

long CListDialog::AccItemAt(POINT client) const {
  const HWND list = List();
  if (!list) return CHILDID_SELF;
  LVHITTESTINFO hit{};
  hit.pt = client;
  const int index = static_cast<int>(::SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return index >= 0 ? index + 1 : CHILDID_SELF;
}

long CListDialog::AccFocusedItem() const {
  const int highlighted = Highlighted();
  return highlighted >= 0 && ::GetFocus() == List() ? highlighted + 1 : CHILDID_SELF;
}

std::vector<long> CListDialog::AccSelectedItems() const {
  const int highlighted = Highlighted();
  if (highlighted < 0) return {};
  return {highlighted + 1};
}

void CListDialog::FitList(int width, int height) {
  const HWND list = List();
  if (!list) return;
  const int frame = Frame();
  ::MoveWindow(list, frame, frame, width - 2 * frame, height - 2 * frame, TRUE);
  ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width - 2 * frame, 0));
}

void CListDialog::OnInitDialog() {
  const HWND list = List();
  if (!list) return;
  ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE | LVS_EX_TRACKSELECT);
  ::SendMessageW(list, LVM_SETHOVERTIME, 0, kHoverMilliseconds);
  ApplyColours();
  ::SetWindowSubclass(list, &CListDialog::ListProcedure, kListSubclassId, reinterpret_cast<DWORD_PTR>(this));
  if (font_) ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 0;
  ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  ::SetPropW(hwnd(), kPopupProperty, reinterpret_cast<HANDLE>(1));
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  FitList(rc.right, rc.bottom);
}

bool CListDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      result = FALSE;
      return true;
    case WM_SIZE: FitList(LOWORD(lParam), HIWORD(lParam)); return true;
    case WM_ERASEBKGND: result = 1; return true;
    case WM_PAINT: {
      RECT rc{};
      ::GetClientRect(hwnd(), &rc);
      PaintBuffered(hwnd(), {rc.right, rc.bottom}, [this, &rc](HDC dc) {
        ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        DrawFrame(dc, rc, kBorderColor, Frame());
      });
      return true;
    }
    case WM_GETFONT:
      if (!font_) return false;  // the template's own
      result = reinterpret_cast<INT_PTR>(font_);
      return true;
    case WM_DESTROY: ::RemovePropW(hwnd(), kPopupProperty); return false;
    case WM_NCACTIVATE:
      // Clicking anywhere else closes the list, as a drop-down list does.
      if (!wParam) ::ShowWindow(hwnd(), SW_HIDE);
      return false;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == IDC_COMBO_POPUP_LIST && header->code == LVN_KEYDOWN) {
        OnListKey(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey);
        return true;
      }
      if (header->idFrom == IDC_COMBO_POPUP_LIST && header->code == LVN_ITEMCHANGED) {
        // The highlight follows the arrows (and the pointer): a screen reader follows it.
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (change->iItem >= 0 && (change->uNewState & LVIS_FOCUSED) && !(change->uOldState & LVIS_FOCUSED) &&
            ::IsWindowVisible(hwnd()))
          win::RaiseAccessEvent(EVENT_OBJECT_FOCUS, header->hwndFrom, change->iItem + 1);
        return false;
      }
      if (header->idFrom != IDC_COMBO_POPUP_LIST || header->code != NM_CLICK) return false;
      const int chosen = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
      if (chosen < 0) return false;
      ChooseEntry(chosen, false);
      return true;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: ApplyColours(); return false;
    default:
      if (message == ChooseEntryMessage()) {
        ChooseEntry(static_cast<int>(wParam), false);
        return true;
      }
      return false;
  }
}

}  // namespace ui::skin
