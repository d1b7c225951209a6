// Is a program with a given executable name running?
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace suite {

// Called with every running process (task ID 0) and every 16-bit task inside an NTVDM.EXE (the
// virtual machine's process ID, the task's ID and module name). Returns non-zero to go on, zero to
// stop the search. noexcept, because it is also called back from VDMDBG.DLL.
using ProcessCallback = int (*)(DWORD processId, WORD taskId, const wchar_t* executableName,
                                LPARAM callerValue) noexcept;

// The ID of a running process whose executable file name equals `executableName` ("msnmsgr.exe",
// ignoring case); none when no such process runs. Stops early, with none, when `callback` returns
// zero. A null callback goes on everywhere; an empty name matches no process.
[[nodiscard]] std::optional<DWORD> FindProcess(std::wstring_view executableName,
                                               ProcessCallback callback = nullptr, LPARAM callerValue = 0);

// Whether a program runs whose file name is that of `program`, a path or a bare name; a name without
// an extension ("iexplore") stands for its ".exe".
[[nodiscard]] bool ProgramRuns(std::wstring_view program);

}  // namespace suite
