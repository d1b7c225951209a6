#include "suite/ProcessSearch.h"

#include <tlhelp32.h>

#include <string>

#include "suite/NameCompare.h"
#include "suite/SystemLibrary.h"
#include "win/Handle.h"
#include "core/CaughtFailure.h"

namespace suite {
namespace {

using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD flags, DWORD processId);
using WalkProcessesFn = BOOL(WINAPI*)(HANDLE snapshot, PROCESSENTRY32W* entry);

// VDMDBG.DLL's callback and enumerator, as vdmdbg.h declares them. Returning TRUE stops it.
using TaskEnumProcEx = BOOL(WINAPI*)(DWORD threadId, WORD module16, WORD task16, char* moduleName,
                                     char* fileName, LPARAM user);
using EnumTasksFn = INT(WINAPI*)(DWORD processId, TaskEnumProcEx callback, LPARAM user);

// The entry is 556 bytes in a 32-bit build; the 64-bit build pads its heap ID to 8 bytes.
static_assert(sizeof(PROCESSENTRY32W) == (sizeof(void*) == 8 ? 568 : 556));

struct TaskVisit {
  ProcessCallback callback;
  LPARAM callerValue;
  DWORD machineProcessId;
  bool stopped;
};

std::wstring FromAnsi(const char* text) {
  const int size = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (size <= 1) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
  wide.resize(static_cast<size_t>(size) - 1);
  return wide;
}

BOOL WINAPI VisitTask(DWORD, WORD, WORD task16, char* moduleName, char*, LPARAM data) noexcept {
  auto& visit = *reinterpret_cast<TaskVisit*>(data);
  try {
    const std::wstring name = FromAnsi(moduleName ? moduleName : "");
    visit.stopped = visit.callback(visit.machineProcessId, task16, name.c_str(), visit.callerValue) == 0;
  } catch (...) {
    app::LogCaughtException(L"ProcessSearch", __LINE__, L"Naming a 16-bit task");
    visit.stopped = true;  // no memory for the name: give up rather than throw through VDMDBG.DLL
  }
  return visit.stopped ? TRUE : FALSE;
}

}  // namespace

// The process list comes from toolhelp, which every NT system since Windows 2000 has; the PSAPI
// route that NT 4.0 needed is gone, as we require Windows 7.
std::optional<DWORD> FindProcess(std::wstring_view executableName, ProcessCallback callback,
                                 LPARAM callerValue) {
  const win::UniqueModule kernel = LoadSystemLibrary(L"kernel32.dll");
  if (!kernel) return std::nullopt;
  const auto createSnapshot = ProcAddress<CreateSnapshotFn>(kernel.get(), "CreateToolhelp32Snapshot");
  const auto firstProcess = ProcAddress<WalkProcessesFn>(kernel.get(), "Process32FirstW");
  const auto nextProcess = ProcAddress<WalkProcessesFn>(kernel.get(), "Process32NextW");
  if (!createSnapshot || !firstProcess || !nextProcess) return std::nullopt;

  // 16-bit tasks live only in NTVDM on 32-bit Windows; 64-bit Windows has neither, and may lack
  // VDMDBG.DLL. Without it we cannot list tasks, but every ordinary process is still listed, so a
  // missing library only skips the tasks: ending the search would hide a running target.
  const win::UniqueModule vdmdbg = LoadSystemLibrary(L"vdmdbg.dll");
  const auto enumTasks = vdmdbg ? ProcAddress<EnumTasksFn>(vdmdbg.get(), "VDMEnumTaskWOWEx") : nullptr;

  const win::UniqueHandle snapshot(createSnapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return std::nullopt;

  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = firstProcess(snapshot.get(), &entry); more; more = nextProcess(snapshot.get(), &entry)) {
    if (callback && callback(entry.th32ProcessID, 0, entry.szExeFile, callerValue) == 0) return std::nullopt;
    // A process still starting may be listed without a name: no target matches that.
    if (!executableName.empty() && SameName(entry.szExeFile, executableName)) return entry.th32ProcessID;
    // Tasks are only reported to the callback; they never match the target.
    if (callback && enumTasks && SameName(entry.szExeFile, L"NTVDM.EXE")) {
      TaskVisit visit{callback, callerValue, entry.th32ProcessID, false};
      enumTasks(entry.th32ProcessID, &VisitTask, reinterpret_cast<LPARAM>(&visit));
      if (visit.stopped) return std::nullopt;
    }
  }
  return std::nullopt;
}

bool ProgramRuns(std::wstring_view program) {
  std::wstring name(program.substr(program.find_last_of(L"\\/") + 1));
  if (name.find(L'.') == std::wstring::npos) name += L".exe";
  return FindProcess(name).has_value();
}

}  // namespace suite
