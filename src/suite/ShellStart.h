// Starting programs through the shell. A result above 32 is success; 32 or less is the shell's
// error code (2 file not found, 31 no association...).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "win/Handle.h"

namespace suite {

[[nodiscard]] constexpr bool StartSucceeded(INT_PTR result) noexcept {
  return result > 32;
}

// Every start below first checks what it hands to the shell: a file or command line longer than the
// shell can take is refused with SE_ERR_FNF (and a line in the diagnostic log) instead of reaching it.
// The paths come from the installation's registry records, which nothing else bounds.

// ShellExecuteW(no window, default verb, path, arguments or none, no directory, SW_SHOWNORMAL).
[[nodiscard]] INT_PTR StartProgram(std::wstring_view path, std::wstring_view arguments = {});

// ShellExecuteW(no window, `verb` or the default verb when empty, file, parameters or none, directory
// or none when empty, SW_SHOWNORMAL).
[[nodiscard]] INT_PTR ShellStart(std::wstring_view verb, std::wstring_view file, std::wstring_view parameters,
                                 std::wstring_view directory);

// The same start, which also hands back the started process when there is one (none when the shell
// handed the file to a program that runs already, or the start failed).
struct ShellStarted {
  INT_PTR result = 0;
  win::UniqueHandle process;
};
[[nodiscard]] ShellStarted ShellStartProcess(std::wstring_view verb, std::wstring_view file,
                                             std::wstring_view parameters, std::wstring_view directory);

// ShellExecuteExW with the verb "runas": the system asks for administrator rights first. Waits only
// for the shell's hand-off, not for the program; returns the instance result.
[[nodiscard]] INT_PTR RunElevated(std::wstring_view path, std::wstring_view arguments = {});

// What RunElevated hands to ShellExecuteExW, as seen by a test.
struct ElevationRequest {
  DWORD size = 0;
  ULONG mask = 0;
  HWND window = nullptr;
  std::wstring verb;
  std::wstring file;
  std::optional<std::wstring> parameters;  // none when no arguments
  std::optional<std::wstring> directory;
  int show = 0;
};

// Tests only. Wine has no elevation prompt: its "runas" just starts the program. The hook sees
// every elevated start; returning a result plays the person's answer to the prompt instead of the
// real call (for example a cancelled prompt), nullopt lets the real call go ahead. An empty
// function removes the hook.
using ElevationHook = std::function<std::optional<INT_PTR>(const ElevationRequest&)>;
void SetElevationHook(ElevationHook hook);

}  // namespace suite
