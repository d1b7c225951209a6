#include "window/MainWindowKeys.h"

#include "ResourceIds.h"

namespace ui {
namespace {

bool ClassIs(HWND window, const wchar_t* className) {
  wchar_t name[32] = {};
  return window && ::GetClassNameW(window, name, 32) > 0 &&
         ::CompareStringOrdinal(name, -1, className, -1, TRUE) == CSTR_EQUAL;
}

bool Held(int key) {
  return ::GetKeyState(key) < 0;
}

// A field of one line: Enter in it does nothing (it would only beep).
bool IsOneLineField(HWND window) {
  return ClassIs(window, L"Edit") && (::GetWindowLongPtrW(window, GWL_STYLE) & ES_MULTILINE) == 0;
}

}  // namespace

WindowKey WindowKeyOf(const MSG& message) {
  // A letter typed outside a text field is not an access key: the dialog manager would click the
  // button whose key it is (E&xit would end the window at an "x"). Access keys take Alt.
  if (message.message == WM_CHAR)
    return ClassIs(message.hwnd, L"Edit") || ClassIs(message.hwnd, L"RichEdit20W") ? WindowKey::kPass
                                                                                   : WindowKey::kToControl;
  if (message.message != WM_KEYDOWN) return WindowKey::kPass;
  switch (message.wParam) {
    case VK_TAB:
      if (Held(VK_CONTROL)) return Held(VK_SHIFT) ? WindowKey::kPreviousTab : WindowKey::kNextTab;
      return Held(VK_SHIFT) ? WindowKey::kPreviousControl : WindowKey::kNextControl;
    case VK_RETURN: return IsOneLineField(message.hwnd) ? WindowKey::kSwallow : WindowKey::kToControl;
    case VK_ESCAPE: return WindowKey::kBack;
    case VK_F1: return WindowKey::kHelp;
    default: return WindowKey::kPass;
  }
}

bool ShowsKeyboardCues(const MSG& message) {
  if (message.message == WM_SYSKEYDOWN) return message.wParam == VK_MENU;
  if (message.message != WM_KEYDOWN) return false;
  switch (message.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return true;
    default: return false;
  }
}

win::TabRole TabRoleOf(HWND window) {
  // The caption bar's buttons have the system menu's keys (Alt+Space, Alt+F4) instead.
  const int id = ::GetDlgCtrlID(window);
  if ((id == IDC_CLOSE || id == IDC_MINIMIZE) && ::GetParent(window) == ::GetAncestor(window, GA_ROOT))
    return win::TabRole::kSkip;
  // Our views and panels are dialogs holding controls.
  if (ClassIs(window, L"#32770") && (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
    return win::TabRole::kInside;
  static constexpr const wchar_t* kStops[] = {
      L"StartdeckMenuButton", L"StartdeckMenuRibbon", L"StartdeckCheckbox",
      L"StartdeckComboBox",   L"StartdeckCustomList", L"Edit",
      L"RichEdit20W",         L"StartdeckRecentList",
  };
  for (const wchar_t* name : kStops)
    if (ClassIs(window, name)) return win::TabRole::kStop;
  return win::TabRole::kSkip;
}

}  // namespace ui
