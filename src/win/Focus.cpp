#include "win/Focus.h"

namespace win {
namespace {

bool ShownAndEnabled(HWND window) noexcept {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  return (style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

}  // namespace

bool TakesKeys(HWND root, HWND window) noexcept {
  if (root == nullptr || window == nullptr) return false;
  for (HWND at = window; at != root; at = ::GetParent(at)) {
    // A window outside `root` (a popup, another program's window) is no control of it.
    if (at == nullptr || !ShownAndEnabled(at) || (::GetWindowLongPtrW(at, GWL_STYLE) & WS_CHILD) == 0)
      return false;
  }
  return ShownAndEnabled(root);
}

HWND FirstTabStop(HWND root) noexcept {
  for (HWND child = ::GetWindow(root, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!ShownAndEnabled(child)) continue;
    if (::GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) return child;
    if (::GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
      if (HWND inner = FirstTabStop(child)) return inner;
  }
  return nullptr;
}

}  // namespace win
