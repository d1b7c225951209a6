#include "DialogDriver.h"

#include <vector>

namespace kerneltest {
namespace {

// How long a dialog may take to show and to close after the answer: a watchdog, not a measurement.
constexpr int kPolls = 400;
constexpr DWORD kPollMs = 25;

struct Search {
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  wchar_t text[256] = {};
  ::GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  if (*search->title == text && ::IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CloseVisible(HWND window, LPARAM closed) {
  if (::IsWindowVisible(window)) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    *reinterpret_cast<bool*>(closed) = true;
  }
  return TRUE;
}

}  // namespace

DialogDriver::DialogDriver(std::wstring title, Answer answer)
    : title_(std::move(title)), answer_(std::move(answer)), ownerThread_(::GetCurrentThreadId()) {
  thread_ = std::thread([this] { Run(); });
}

DialogDriver::~DialogDriver() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

HWND DialogDriver::FindDialog() const {
  Search search{&title_, nullptr};
  ::EnumThreadWindows(ownerThread_, &MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void DialogDriver::Run() noexcept {
  HWND dialog = nullptr;
  for (int i = 0; i < kPolls && !stop_ && !(dialog = FindDialog()); ++i) ::Sleep(kPollMs);
  if (!dialog) {
    // Whatever the test thread shows instead would wait for a person: close it.
    bool closed = false;
    if (!stop_) ::EnumThreadWindows(ownerThread_, &CloseVisible, reinterpret_cast<LPARAM>(&closed));
    leftOpen_ = closed;
    return;
  }
  found_ = true;
  try {
    answer_(dialog);
  } catch (...) {
    // The answer failed half-way; the watchdog below closes what it left open.
  }
  for (int i = 0; i < kPolls && ::IsWindow(dialog); ++i) ::Sleep(kPollMs);
  if (!::IsWindow(dialog)) return;
  leftOpen_ = true;
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  for (int i = 0; i < kPolls && ::IsWindow(dialog); ++i) ::Sleep(kPollMs);
  if (::IsWindow(dialog)) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
}

::testing::AssertionResult DialogDriver::Finish() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  std::string title(title_.begin(), title_.end());  // titles are ASCII
  if (!found_) {
    return ::testing::AssertionFailure()
           << "dialog \"" << title << "\" never showed"
           << (leftOpen_ ? " (another window of the test thread was closed)" : "");
  }
  if (leftOpen_)
    return ::testing::AssertionFailure() << "dialog \"" << title << "\" stayed open after the answer";
  return ::testing::AssertionSuccess();
}

void SetItemText(HWND dialog, int id, const std::wstring& text) {
  ::SendMessageW(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring GetItemText(HWND dialog, int id) {
  HWND item = ::GetDlgItem(dialog, id);
  std::vector<wchar_t> text(static_cast<size_t>(::SendMessageW(item, WM_GETTEXTLENGTH, 0, 0)) + 1);
  ::SendMessageW(item, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

void Press(HWND dialog, int id) {
  ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void ChooseComboItem(HWND dialog, int id, int index) {
  HWND combo = ::GetDlgItem(dialog, id);
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // CB_SETCURSEL does not notify; a user's choice does.
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

}  // namespace kerneltest
