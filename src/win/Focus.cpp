#include "win/Focus.h"

#include <algorithm>

namespace win {
namespace {

bool ShownAndEnabled(HWND window) noexcept {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  return (style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

void CollectStops(HWND parent, const std::function<TabRole(HWND)>& role, std::vector<HWND>& stops) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!ShownAndEnabled(child)) continue;
    switch (role(child)) {
      case TabRole::kStop: stops.push_back(child); break;
      case TabRole::kInside: CollectStops(child, role, stops); break;
      case TabRole::kSkip: break;
    }
  }
}

RECT ScreenRect(HWND window) noexcept {
  RECT rc{};
  ::GetWindowRect(window, &rc);
  return rc;
}

}  // namespace

std::vector<HWND> TabOrder(HWND root, const std::function<TabRole(HWND)>& role) {
  std::vector<HWND> stops;
  if (root == nullptr || !ShownAndEnabled(root)) return stops;
  CollectStops(root, role, stops);
  struct Placed {
    HWND window;
    RECT rc;
  };
  std::vector<Placed> placed;
  placed.reserve(stops.size());
  for (HWND stop : stops) placed.push_back({stop, ScreenRect(stop)});
  std::stable_sort(placed.begin(), placed.end(),
                   [](const Placed& a, const Placed& b) { return a.rc.top < b.rc.top; });
  // Rows: a window whose vertical middle lies above the bottom of the row's first (highest) window
  // belongs to its row; each row is read from the left.
  stops.clear();
  for (size_t first = 0; first < placed.size();) {
    size_t end = first + 1;
    while (end < placed.size() && (placed[end].rc.top + placed[end].rc.bottom) / 2 < placed[first].rc.bottom)
      ++end;
    std::stable_sort(placed.begin() + static_cast<std::ptrdiff_t>(first),
                     placed.begin() + static_cast<std::ptrdiff_t>(end),
                     [](const Placed& a, const Placed& b) { return a.rc.left < b.rc.left; });
    for (size_t i = first; i < end; ++i) stops.push_back(placed[i].window);
    first = end;
  }
  return stops;
}

HWND NextStop(const std::vector<HWND>& order, HWND focus, bool backwards) noexcept {
  if (order.empty()) return nullptr;
  const auto holds = [focus](HWND stop) { return focus && (stop == focus || ::IsChild(stop, focus)); };
  const auto at = std::find_if(order.begin(), order.end(), holds);
  const size_t count = order.size();
  if (at == order.end()) return backwards ? order.back() : order.front();
  const auto index = static_cast<size_t>(at - order.begin());
  return order[backwards ? (index + count - 1) % count : (index + 1) % count];
}

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
