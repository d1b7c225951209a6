#include "support/Driver.h"

#include <vector>

#include "support/ScreenPixels.h"
#include "support/TestPaths.h"

namespace test {

Process::~Process() {
  Terminate();
}

bool Process::Start(const std::filesystem::path& program, const std::wstring& arguments,
                    const std::filesystem::path& workingFolder) {
  std::wstring command = L"\"" + program.wstring() + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  const std::wstring folder = (workingFolder.empty() ? program.parent_path() : workingFolder).wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  // A program copied a moment ago can still be held by the copier's last handle, and Wine now and
  // then fails a start with an internal error while it is busy: try again briefly.
  bool started = false;
  for (int attempt = 0; attempt < 20 && !started; ++attempt) {
    started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &startup, &info) != FALSE;
    if (!started) {
      lastError_ = ::GetLastError();
      if (lastError_ != ERROR_SHARING_VIOLATION && lastError_ != ERROR_ACCESS_DENIED &&
          lastError_ != ERROR_INTERNAL_ERROR)
        return false;
      ::Sleep(100);
    }
  }
  if (!started) return false;
  process_.reset(info.hProcess);
  ::CloseHandle(info.hThread);
  id_ = info.dwProcessId;
  return true;
}

bool Process::WaitForExit(std::chrono::milliseconds timeout) const {
  if (!process_) return true;
  return ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool Process::Running() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) ::GetExitCodeProcess(process_.get(), &code);
  return code;
}

bool Process::WaitForInputIdle(std::chrono::milliseconds timeout) const {
  return process_ && ::WaitForInputIdle(process_.get(), static_cast<DWORD>(timeout.count())) == 0;
}

void Process::Terminate() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::Sleep(25);
  }
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && ::IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

std::wstring ShownText(HWND window) {
  const std::wstring text = WindowText(window);
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && ++i == text.size()) break;
    shown += text[i];
  }
  return shown;
}

// The first control with `id` below `window`, of the visible ones only when `visibleOnly`.
static HWND FindBelow(HWND window, int id, bool visibleOnly) {
  struct Search {
    int id;
    bool visibleOnly;
    HWND found;
  } search{id, visibleOnly, nullptr};
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (::GetDlgCtrlID(child) != s->id || (s->visibleOnly && !::IsWindowVisible(child))) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDescendant(HWND window, int id) {
  return FindBelow(window, id, false);
}

HWND FindVisible(HWND window, int id) {
  return FindBelow(window, id, true);
}

static std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

HWND WaitForWindow(DWORD processId, const std::wstring& title, const std::wstring& className,
                   std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(processId)) {
          if (!title.empty() && WindowText(window) != title) continue;
          if (!className.empty() && ClassOf(window) != className) continue;
          found = window;
          return true;
        }
        return false;
      },
      timeout);
  return found;
}

MessageBoxView WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout) {
  MessageBoxView view;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(processId)) {
          // A message box is a dialog whose text is the static control 0xFFFF.
          if (ClassOf(window) != L"#32770") continue;
          HWND text = ::GetDlgItem(window, 0xFFFF);
          if (!text) continue;
          view = {window, WindowText(window), WindowText(text)};
          return true;
        }
        return false;
      },
      timeout);
  return view;
}

void PressButton(HWND dialog, int button) {
  if (HWND control = ::GetDlgItem(dialog, button)) {
    ::PostMessageW(control, BM_CLICK, 0, 0);
  } else {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  }
}

void ClickAt(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  ::PostMessageW(window, WM_MOUSEMOVE, 0, where);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  ::PostMessageW(window, WM_LBUTTONUP, 0, where);
}

void Click(HWND control) {
  RECT rc{};
  ::GetClientRect(control, &rc);
  ClickAt(control, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

std::filesystem::path ResultsFolder() {
  std::filesystem::path folder = BinFolder().parent_path() / L"test-results";
  // A run at another display scale keeps its pictures apart from those of the usual run.
  wchar_t dpi[16] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"STARTDECK_EXPECTED_DPI", dpi, 16);
  if (length > 0 && length < 16) folder /= std::wstring(L"at-") + dpi + L"-dpi";
  std::filesystem::create_directories(folder);
  return folder;
}

std::filesystem::path SaveScreenshot(const std::wstring& name) {
  const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  const std::filesystem::path path = ResultsFolder() / (name + L".bmp");
  SaveBitmapFile(GrabScreen(screen), path);
  return path;
}

}  // namespace test
