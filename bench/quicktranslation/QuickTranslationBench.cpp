// Quick translation of a long pasted text in the real window: the time the paste and the
// translation take, the lines translated per second, and whether the window answers (and so could
// repaint) while the kernel works. The text is pasted from the clipboard with Ctrl+V and translated
// with the Translate button, as a person would.
//
//   QuickTranslationBench.exe STARTDECK_EXE PRODUCT_NAME [LINES]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "win/Handle.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTranslateStartButton = 316;
constexpr int kListOfTab1 = 1101;
constexpr int kRowHeight = 48;
constexpr UINT kPingTimeoutMs = 50;

HWND FindWindowOf(DWORD processId, const std::wstring& title) {
  struct Search {
    DWORD processId;
    const std::wstring* title;
    HWND found;
  } search{processId, &title, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        wchar_t text[256] = {};
        ::GetWindowTextW(window, text, 256);
        if (owner != s->processId || !::IsWindowVisible(window) || *s->title != text) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDescendant(HWND window, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (::GetDlgCtrlID(child) != s->id) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <class Condition>
bool WaitFor(Condition condition, int seconds) {
  const auto deadline = Clock::now() + std::chrono::seconds(seconds);
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    ::Sleep(5);
  }
  return true;
}

void ClickAt(HWND window, int x, int y) {
  const LPARAM where = MAKELPARAM(x, y);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  ::PostMessageW(window, WM_LBUTTONUP, 0, where);
}

// The window's answer to a message, or -1 when its thread did not answer within the ping time.
LRESULT Ask(HWND window, UINT message) {
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, kPingTimeoutMs, &answer)) return -1;
  return static_cast<LRESULT>(answer);
}

bool PutOnClipboard(const std::wstring& text) {
  if (!::OpenClipboard(nullptr)) return false;
  ::EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool placed = false;
  if (memory) {
    std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    placed = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!placed) ::GlobalFree(memory);
  }
  ::CloseClipboard();
  return placed;
}

void PressCtrlV() {
  INPUT inputs[4]{};
  const WORD keys[4] = {VK_CONTROL, 'V', 'V', VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = keys[i];
    inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  ::SendInput(4, inputs, sizeof(INPUT));
}

std::wstring TextOf(HWND field) {
  const LRESULT length = ::SendMessageW(field, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  text.resize(static_cast<size_t>(
      ::SendMessageW(field, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

size_t LineBreaks(const std::wstring& text) {
  size_t count = 0;
  for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) ++count;
  return count;
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

int Run(const std::wstring& program, const std::wstring& title, int lines) {
  std::wstring text;
  for (int i = 0; i < lines; ++i) {
    // About a hundred characters a line, words the kernel knows and words it leaves.
    text += L"Good morning, my friend! The house is big and the cat is black; line " + std::to_wstring(i) +
            L" of the long text.\r\n";
  }
  std::wstring command = L"\"" + program + L"\"";
  const size_t slash = program.find_last_of(L'\\');
  const std::wstring folder = slash == std::wstring::npos ? std::wstring(L".") : program.substr(0, slash);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
    std::fprintf(stderr, "cannot start the program\n");
    return 1;
  }
  const win::UniqueHandle process(info.hProcess);
  const win::UniqueHandle thread(info.hThread);
  HWND window = nullptr;
  int result = 1;
  do {
    if (!WaitFor([&] { return (window = FindWindowOf(info.dwProcessId, title)) != nullptr; }, 30)) break;
    ::WaitForInputIdle(process.get(), 10000);
    HWND startButton = FindDescendant(window, kTranslateStartButton);
    if (!startButton) break;
    ClickAt(startButton, 10, 10);
    HWND list = FindDescendant(window, kListOfTab1);
    if (!list || !WaitFor([&] { return ::IsWindowVisible(list) != FALSE; }, 10)) break;
    ClickAt(list, 120, kRowHeight / 2);
    HWND source = nullptr;
    if (!WaitFor(
            [&] { return (source = FindDescendant(window, IDC_QUICK_SOURCE)) && ::IsWindowVisible(source); },
            10))
      break;
    HWND panel = ::GetParent(source);
    HWND target = FindDescendant(panel, IDC_QUICK_TARGET);
    HWND translate = FindDescendant(panel, IDC_QUICK_TRANSLATE);
    if (!target || !translate) break;

    ::SetForegroundWindow(window);
    WaitFor([&] { return ::GetForegroundWindow() == window; }, 5);
    ClickAt(source, 4, 4);
    ::Sleep(300);
    if (!PutOnClipboard(text)) break;
    const auto pasteStart = Clock::now();
    PressCtrlV();
    const LRESULT expected = static_cast<LRESULT>(text.size());
    if (!WaitFor([&] { return ::SendMessageW(source, WM_GETTEXTLENGTH, 0, 0) >= expected; }, 300)) {
      std::fprintf(stderr, "the paste did not arrive whole (%ld of %ld characters)\n",
                   static_cast<long>(::SendMessageW(source, WM_GETTEXTLENGTH, 0, 0)),
                   static_cast<long>(expected));
      break;
    }
    const double pasteSeconds = SecondsSince(pasteStart);

    // The kernel works on the window's thread: ping the window while it translates.
    const auto translateStart = Clock::now();
    ClickAt(translate, 10, 10);
    int pings = 0;
    int answered = 0;
    double longestSilence = 0;
    auto lastAnswer = Clock::now();
    LRESULT length = 0;
    while (length <= 0 && SecondsSince(translateStart) < 600) {
      ++pings;
      length = Ask(target, WM_GETTEXTLENGTH);
      const auto now = Clock::now();
      if (length >= 0) {
        ++answered;
        lastAnswer = now;
      } else {
        longestSilence = std::max(longestSilence, std::chrono::duration<double>(now - lastAnswer).count());
      }
      ::Sleep(20);
    }
    const double translateSeconds = SecondsSince(translateStart);
    const size_t pastedLines = LineBreaks(TextOf(source));
    const size_t translatedLines = LineBreaks(TextOf(target));

    std::printf("text: %d lines, %zu characters (%.2f MB as UTF-16)\n", lines, text.size(),
                static_cast<double>(text.size() * sizeof(wchar_t)) / (1024.0 * 1024.0));
    std::printf("paste (Ctrl+V, plain text): %.2f s\n", pasteSeconds);
    // A control that takes a paste in pieces may make two line breaks of a CR LF cut between them.
    std::printf("source field after the paste: %zu lines\n", pastedLines);
    std::printf("translate: %.2f s, %.0f lines/s, %zu lines in the target\n", translateSeconds,
                static_cast<double>(pastedLines) / translateSeconds, translatedLines);
    std::printf("window answered %d of %d pings while translating; longest silence %.2f s\n", answered, pings,
                longestSilence);
    result = translatedLines == pastedLines ? 0 : 1;
  } while (false);

  if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.get(), 20000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 1);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: QuickTranslationBench STARTDECK_EXE PRODUCT_NAME [LINES]\n");
    return 2;
  }
  const int lines = argc > 3 ? _wtoi(argv[3]) : 10000;
  return Run(argv[1], argv[2], lines > 0 ? lines : 10000);
}
