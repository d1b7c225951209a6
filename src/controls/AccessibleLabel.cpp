#include "controls/AccessibleLabel.h"

#include "win/AccessibleObject.h"

namespace ui::skin {
namespace {

bool IsStatic(HWND window) noexcept {
  wchar_t name[16]{};
  return ::GetClassNameW(window, name, 16) > 0 && ::lstrcmpiW(name, L"Static") == 0;
}

}  // namespace

std::wstring LabelBefore(HWND field) {
  if (!field) return {};
  // The label stands right before its field; hidden windows between them do not count. A field whose
  // neighbour before it is another control has no label of its own.
  for (HWND before = ::GetWindow(field, GW_HWNDPREV); before; before = ::GetWindow(before, GW_HWNDPREV)) {
    if ((::GetWindowLongPtrW(before, GWL_STYLE) & WS_VISIBLE) == 0) continue;
    return IsStatic(before) ? win::WindowTextOf(before) : std::wstring{};
  }
  return {};
}

std::wstring AccessKeyShortcut(const std::wstring& caption) {
  for (size_t at = 0; at + 1 < caption.size(); ++at) {
    if (caption[at] != L'&') continue;
    if (caption[at + 1] != L'&') {
      wchar_t key = caption[at + 1];
      ::CharUpperBuffW(&key, 1);
      return std::wstring(L"Alt+") + key;
    }
    ++at;  // "&&" is a plain '&'
  }
  return {};
}

}  // namespace ui::skin
