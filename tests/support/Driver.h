// Drives real programs the way a person would: starts them, finds their windows, reads and answers
// their message boxes, clicks, and saves screenshots with the test results.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "win/Handle.h"

namespace test {

using namespace std::chrono_literals;

// A started program; terminated when the object goes while it still runs.
class Process {
 public:
  Process() = default;
  Process(Process&&) = default;
  Process& operator=(Process&&) = default;
  ~Process();

  // Starts `program` with `arguments` in `folder`, by default its own. False when it could not start.
  bool Start(const std::filesystem::path& program, const std::wstring& arguments = {},
             const std::filesystem::path& folder = {});
  // True when it ended within `timeout`.
  bool WaitForExit(std::chrono::milliseconds timeout) const;
  [[nodiscard]] bool Running() const;
  [[nodiscard]] DWORD ExitCode() const;
  // True when the program waits for input (its first window is up) within `timeout`.
  bool WaitForInputIdle(std::chrono::milliseconds timeout) const;
  [[nodiscard]] DWORD Id() const noexcept { return id_; }
  // Why the last Start failed.
  [[nodiscard]] DWORD LastError() const noexcept { return lastError_; }
  void Terminate();

 private:
  win::UniqueHandle process_;
  DWORD id_ = 0;
  DWORD lastError_ = 0;
};

// Polls `condition` until it holds or `timeout` passes, pumping this thread's messages meanwhile.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// The visible top-level window of process `processId` whose title is `title` (any title when empty)
// and whose class is `className` (any when empty); null when none appears within `timeout`.
HWND WaitForWindow(DWORD processId, const std::wstring& title, const std::wstring& className,
                   std::chrono::milliseconds timeout);
// Every visible top-level window of the process.
[[nodiscard]] std::vector<HWND> TopLevelWindows(DWORD processId);

[[nodiscard]] std::wstring WindowText(HWND window);
// The window's text as it reads on screen: a caption or label without the marker of its access key
// ("E&xit" reads "Exit", "&&" reads "&").
[[nodiscard]] std::wstring ShownText(HWND window);
// The control with `id` anywhere below `window`; null when there is none.
[[nodiscard]] HWND FindDescendant(HWND window, int id);
// The visible control `id` anywhere below `window`: panels and pages that share an ID are told
// apart so. Null when none is visible.
[[nodiscard]] HWND FindVisible(HWND window, int id);

// A message box as the person sees it.
struct MessageBoxView {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
};
// The message box of `processId` that appears within `timeout` (window.null when none).
MessageBoxView WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout);
// Presses the box's button with control ID `button` (IDOK, IDYES, IDNO...).
void PressButton(HWND dialog, int button);

// A left click at the centre of `control` (or at client point `at` of `window`), as posted input.
void Click(HWND control);
void ClickAt(HWND window, POINT at);

// Saves what the screen shows as a BMP file under the test results folder; returns its path.
std::filesystem::path SaveScreenshot(const std::wstring& name);
// build/mingw/test-results (its folder at-DPI-dpi in a run at another scale), created when missing.
[[nodiscard]] std::filesystem::path ResultsFolder();

}  // namespace test
