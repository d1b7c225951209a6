// Is a program with a given executable name running? One search target and its result per process.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace suite {

// Called with every running process (task ID 0) and every 16-bit task inside an NTVDM.EXE (the
// virtual machine's process ID, the task's ID and module name). Returns non-zero to go on, zero to
// stop the search. noexcept, because it is also called back from VDMDBG.DLL.
using ProcessCallback = int (*)(DWORD processId, WORD taskId, const wchar_t* executableName,
                                LPARAM callerValue) noexcept;

// Sets the executable file name to look for ("msnmsgr.exe"); forgets the process found before.
void SetProcessTarget(std::wstring_view executableName);
[[nodiscard]] const std::wstring& ProcessTarget() noexcept;

// True when a process whose executable name equals the target (ignoring case) runs; its ID is then
// kept as FoundProcessId(). Stops early, with false, when `callback` returns zero. A null callback
// goes on everywhere.
[[nodiscard]] bool FindProcess(ProcessCallback callback, LPARAM callerValue);

// The ID of the process last found for the current target; 0 until one was found.
[[nodiscard]] DWORD FoundProcessId() noexcept;

}  // namespace suite
