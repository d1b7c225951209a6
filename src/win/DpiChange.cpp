#include "win/DpiChange.h"

#include <commctrl.h>

#include <vector>

#include "win/Resources.h"
#include "win/Scale.h"

namespace win {
namespace {

template <class Fn>
Fn User32Entry(const char* name) noexcept {
  const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): how GetProcAddress is typed
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

void SendToTree(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!::IsWindow(window)) return;
  ::SendMessageW(window, message, wParam, lParam);
  // The list is taken after the parent's turn: a parent may make or destroy children as it lays
  // itself out, and those it made are laid out at the new DPI already.
  for (HWND child : ChildrenOf(window)) SendToTree(child, message, wParam, lParam);
}

bool IsInTree(HWND root, HWND window) noexcept {
  return window == root || ::IsChild(root, window);
}

// Made by this program (its own file or its language library), or a tooltip control: a popup of
// another component (a box of the translation kernel) gets none of our private messages.
bool IsOurPopup(HWND window) noexcept {
  const auto instance = reinterpret_cast<HMODULE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE));
  if (instance && (instance == ::GetModuleHandleW(nullptr) || instance == ResourceModule())) return true;
  wchar_t name[32] = {};
  return ::GetClassNameW(window, name, 32) > 0 &&
         ::CompareStringOrdinal(name, -1, TOOLTIPS_CLASSW, -1, TRUE) == CSTR_EQUAL;
}

struct PopupSearch {
  HWND root;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectPopup(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<PopupSearch*>(data);
  if (window == search.root) return TRUE;
  for (HWND owner = ::GetWindow(window, GW_OWNER); owner; owner = ::GetWindow(owner, GW_OWNER)) {
    if (IsInTree(search.root, owner)) {
      if (IsOurPopup(window)) search.found.push_back(window);
      break;
    }
  }
  return TRUE;
}

}  // namespace

void SendParentsFirst(HWND root, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!::IsWindow(root)) return;
  SendToTree(root, message, wParam, lParam);
  // The popups last: by then the windows that own them (and place them) are laid out.
  PopupSearch search{root, {}};
  ::EnumThreadWindows(::GetWindowThreadProcessId(root, nullptr), CollectPopup,
                      reinterpret_cast<LPARAM>(&search));
  for (HWND popup : search.found) SendToTree(popup, message, wParam, lParam);
}

void KeepOwnLayoutOnDpiChange(HWND dialog) noexcept {
  using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
  constexpr int kDisableAll = 0x0001;  // DDC_DISABLE_ALL
  static const auto setBehavior = User32Entry<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
  if (setBehavior && dialog) setBehavior(dialog, kDisableAll, kDisableAll);
}

int SystemMetricForDpi(int index, int dpi) noexcept {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Entry<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi && dpi > 0) return forDpi(index, static_cast<UINT>(dpi));
  const int system = SystemDpi();
  const int value = ::GetSystemMetrics(index);
  return dpi > 0 && dpi != system ? ::MulDiv(value, dpi, system) : value;
}

bool StatusFontForDpi(int dpi, LOGFONTW& font) noexcept {
  using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
  static const auto forDpi = User32Entry<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (forDpi && dpi > 0 &&
      forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
    font = metrics.lfStatusFont;
    return true;
  }
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return false;
  font = metrics.lfStatusFont;
  const int system = SystemDpi();
  if (dpi > 0 && dpi != system) font.lfHeight = ::MulDiv(font.lfHeight, dpi, system);
  return true;
}

}  // namespace win
