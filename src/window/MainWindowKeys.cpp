#include "window/MainWindowKeys.h"

namespace ui {
namespace {

bool IsEditControl(HWND window) {
  wchar_t name[16] = {};
  return window && ::GetClassNameW(window, name, 16) > 0 &&
         ::CompareStringOrdinal(name, -1, L"Edit", -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

bool IsNavigationKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  switch (message.wParam) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE: return true;
    case VK_SPACE:
      // A blank typed into a field is text (a document's path may have blanks).
      return !IsEditControl(::GetFocus());
    default: return false;
  }
}

}  // namespace ui
