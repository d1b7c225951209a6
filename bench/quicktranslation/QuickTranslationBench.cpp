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
#include <string>

#include "ResourceIds.h"
#include "support/Driver.h"
#include "support/RemoteControls.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A ping is waited for this long at most; it counts as answered when the answer came within the goal.
constexpr UINT kPingTimeoutMs = 1000;
constexpr double kPingGoalSeconds = 0.100;
// What the translation of 10,000 lines cost while it blocked the window, on the machine the goals
// were set on: the yardsticks printed beside this run's figures.
constexpr double kBlockingSeconds = 10.5;
constexpr int kBlockingPingsAnswered = 2, kBlockingPings = 337;

// The window's answer to a message, or -1 when its thread did not answer within the ping time;
// `waited` is how long the call took.
LRESULT Ask(HWND window, UINT message, double& waited) {
  DWORD_PTR answer = 0;
  const auto start = Clock::now();
  const LRESULT sent = ::SendMessageTimeoutW(window, message, 0, 0, SMTO_NORMAL, kPingTimeoutMs, &answer);
  waited = std::chrono::duration<double>(Clock::now() - start).count();
  return sent ? static_cast<LRESULT>(answer) : -1;
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
  test::Process deck;
  if (!deck.Start(program)) {
    std::fprintf(stderr, "cannot start the program\n");
    return 1;
  }
  HWND window = nullptr;
  int result = 1;
  do {
    if (!(window = test::WaitForWindow(deck.Id(), title, L"", 30s))) {
      std::fprintf(stderr, "no main window\n");
      break;
    }
    deck.WaitForInputIdle(10s);
    HWND list = test::OpenTab(window, test::kStartButtonTab1, test::kListOfTab1, 10s);
    if (!list) {
      std::fprintf(stderr, "tab 1's list did not show\n");
      break;
    }
    test::ClickListRow(list, 0);
    HWND source = nullptr;
    if (!test::WaitUntil([&] { return (source = test::FindVisible(window, IDC_QUICK_SOURCE)) != nullptr; },
                         10s)) {
      std::fprintf(stderr, "the quick translation panel did not show\n");
      break;
    }
    HWND panel = ::GetParent(source);
    HWND target = test::FindDescendant(panel, IDC_QUICK_TARGET);
    HWND translate = test::FindDescendant(panel, IDC_QUICK_TRANSLATE);
    HWND caption = test::FindDescendant(panel, IDC_QUICK_CAPTION);
    if (!target || !translate || !caption) {
      std::fprintf(stderr, "the panel lacks its target, Translate or caption\n");
      break;
    }
    // While the translation runs the caption counts its lines; it reads as before once it is done.
    const std::wstring restingCaption = test::WindowText(caption);

    ::SetForegroundWindow(window);
    test::WaitUntil([&] { return ::GetForegroundWindow() == window; }, 5s);
    test::ClickAt(source, {4, 4});
    ::Sleep(300);
    if (!test::FillClipboard({{CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)}})) {
      std::fprintf(stderr, "the clipboard cannot be filled\n");
      break;
    }
    const auto pasteStart = Clock::now();
    test::PressKey('V', {VK_CONTROL}, 0ms);
    const LRESULT expected = static_cast<LRESULT>(text.size());
    if (!test::WaitUntil([&] { return ::SendMessageW(source, WM_GETTEXTLENGTH, 0, 0) >= expected; }, 300s)) {
      std::fprintf(stderr, "the paste did not arrive whole (%ld of %ld characters)\n",
                   static_cast<long>(::SendMessageW(source, WM_GETTEXTLENGTH, 0, 0)),
                   static_cast<long>(expected));
      break;
    }
    const double pasteSeconds = SecondsSince(pasteStart);

    // The kernel works on the window's thread, a slice of lines at a time: ping the window while it
    // translates and while the target takes the text.
    const auto translateStart = Clock::now();
    test::ClickAt(translate, {10, 10});
    int pings = 0;
    int answered = 0;
    double longestWait = 0;
    LRESULT length = 0;
    while ((length <= 0 || test::WindowText(caption) != restingCaption) &&
           SecondsSince(translateStart) < 600) {
      ++pings;
      double waited = 0;
      length = Ask(target, WM_GETTEXTLENGTH, waited);
      longestWait = std::max(longestWait, waited);
      if (length >= 0 && waited <= kPingGoalSeconds) ++answered;
      ::Sleep(20);
    }
    const double translateSeconds = SecondsSince(translateStart);
    const size_t pastedLines = LineBreaks(test::ControlText(source));
    const size_t translatedLines = LineBreaks(test::ControlText(target));

    std::printf("text: %d lines, %zu characters (%.2f MB as UTF-16)\n", lines, text.size(),
                static_cast<double>(text.size() * sizeof(wchar_t)) / (1024.0 * 1024.0));
    std::printf("paste (Ctrl+V, plain text): %.2f s\n", pasteSeconds);
    // A control that takes a paste in pieces may make two line breaks of a CR LF cut between them.
    std::printf("source field after the paste: %zu lines\n", pastedLines);
    std::printf("translate: %.2f s, %.0f lines/s, %zu lines in the target\n", translateSeconds,
                static_cast<double>(pastedLines) / translateSeconds, translatedLines);
    std::printf(
        "window answered %d of %d pings within %.0f ms while translating; longest wait %.3f s "
        "(goal: every ping, none over %.3f s; when the translation blocked the window: %d of %d)\n",
        answered, pings, kPingGoalSeconds * 1000, longestWait, kPingGoalSeconds, kBlockingPingsAnswered,
        kBlockingPings);
    std::printf(
        "translate total: %.2f s for %zu lines (goal: no longer than the blocking translation's %.1f s "
        "for 10,000 lines%s)\n",
        translateSeconds, pastedLines, kBlockingSeconds, lines == 10000 ? "" : ", other line count");
    result = translatedLines == pastedLines ? 0 : 1;
  } while (false);

  // A program still running after the wait is ended with the object.
  if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
  deck.WaitForExit(20s);
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
