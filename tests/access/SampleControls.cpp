#include "access/SampleControls.h"

#include <iterator>

namespace sample {
namespace {

constexpr long kRowCount = static_cast<long>(std::size(kRows));

bool IsRow(long child) {
  return child >= 1 && child <= kRowCount;
}

}  // namespace

HWND SampleList::Create(HWND parent, int x, int y) {
  return CreateWindowOf(L"AccessSampleList", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, 200,
                        kRowHeight * kRowCount + 10, parent, kListId);
}

long SampleList::AccItemCount() const {
  return kRowCount;
}

std::wstring SampleList::AccName(long child) const {
  return IsRow(child) ? kRows[child - 1].name : kListName;
}

std::wstring SampleList::AccDescription(long child) const {
  return IsRow(child) ? kRows[child - 1].description : L"";
}

std::wstring SampleList::AccValue(long child) const {
  return child == CHILDID_SELF ? value_ : L"";
}

bool SampleList::AccSetValue(long child, const std::wstring& value) {
  if (child != CHILDID_SELF) return false;
  value_ = value;
  return true;
}

long SampleList::AccRole(long child) const {
  return IsRow(child) ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_LIST;
}

long SampleList::AccState(long child) const {
  if (!IsRow(child)) return 0;
  long bits = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  if (child == selected_) bits |= STATE_SYSTEM_SELECTED;
  if (child == focused_ && ::GetFocus() == hwnd()) bits |= STATE_SYSTEM_FOCUSED;
  return bits;
}

std::wstring SampleList::AccDefaultAction(long child) const {
  return IsRow(child) ? L"Open" : L"";
}

bool SampleList::AccDoDefaultAction(long child) {
  if (!IsRow(child)) return false;
  // Posted: opening may show a window, which must not happen inside the client's call.
  return ::PostMessageW(hwnd(), kOpenRow, static_cast<WPARAM>(child), 0) != FALSE;
}

std::wstring SampleList::AccKeyboardShortcut(long child) const {
  return child == CHILDID_SELF ? L"Alt+S" : L"";
}

RECT SampleList::AccItemRect(long child) const {
  if (!IsRow(child)) return {};
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  return RECT{0, (child - 1) * kRowHeight, client.right, child * kRowHeight};
}

long SampleList::AccItemAt(POINT client) const {
  const long row = client.y / kRowHeight + 1;
  return client.y >= 0 && IsRow(row) ? row : CHILDID_SELF;
}

std::vector<long> SampleList::AccSelectedItems() const {
  if (selected_ == 0) return {};
  return {selected_};
}

bool SampleList::AccSelectItem(long child, long flags) {
  if (!IsRow(child)) return false;
  if (flags & SELFLAG_TAKEFOCUS) {
    focused_ = child;
    win::RaiseAccessEvent(EVENT_OBJECT_FOCUS, hwnd(), child);
  }
  if (flags & SELFLAG_TAKESELECTION) {
    selected_ = child;
    win::RaiseAccessEvent(EVENT_OBJECT_SELECTION, hwnd(), child);
  }
  return true;
}

LRESULT SampleList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kOpenRow && IsRow(static_cast<long>(wParam))) {
    const std::wstring title = std::wstring(L"Opened ") + kRows[wParam - 1].name;
    ::SetWindowTextW(::GetAncestor(hwnd(), GA_ROOT), title.c_str());
    return 0;
  }
  return Default(message, wParam, lParam);
}

bool SamplePane::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
  if (message != WM_INITDIALOG) return false;
  result = FALSE;
  return true;
}

HWND SampleTarget::Create(HINSTANCE module) {
  // Shown and titled once complete: a client waits for the title.
  if (!CreateWindowOf(L"AccessSampleTarget", WS_OVERLAPPEDWINDOW, 40, 40, 420, 260, nullptr, 0))
    return nullptr;
  list_ = std::make_unique<SampleList>();
  if (!list_->Create(hwnd(), 10, 10)) return nullptr;
  if (!pane_.Create(module, kPaneDialog, hwnd())) return nullptr;
  ::SetWindowPos(pane_.hwnd(), nullptr, 220, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::ShowWindow(pane_.hwnd(), SW_SHOW);
  ::SetWindowTextW(hwnd(), kTargetTitle);
  ::ShowWindow(hwnd(), SW_SHOW);
  return hwnd();
}

LRESULT SampleTarget::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kDropList: list_.reset(); return 0;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return Default(message, wParam, lParam);
  }
}

}  // namespace sample
