#include "core/StartupTrace.h"

#include <psapi.h>

#include <cwchar>

#include "win/Handle.h"

namespace app {
namespace {

struct Trace {
  win::UniqueHandle mapping;
  win::UniqueView view;
};

Trace& TheTrace() noexcept {
  static Trace trace;
  return trace;
}

StartupTraceBlock* g_block = nullptr;

}  // namespace

void OpenStartupTrace() noexcept {
  wchar_t name[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableW(kStartupTraceVariable, name, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  Trace& trace = TheTrace();
  trace.mapping.reset(::OpenFileMappingW(FILE_MAP_WRITE, FALSE, name));
  if (!trace.mapping) return;
  trace.view.reset(::MapViewOfFile(trace.mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(StartupTraceBlock)));
  g_block = static_cast<StartupTraceBlock*>(trace.view.get());
}

void MarkStartup(const wchar_t* step) noexcept {
  if (g_block == nullptr) return;
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  const LONG written = g_block->count;
  if (written >= StartupTraceBlock::kMaxSteps) return;
  for (LONG i = 0; i < written; ++i)
    if (std::wcscmp(g_block->steps[i].name, step) == 0) return;
  StartupTraceBlock::Step& entry = g_block->steps[written];
  entry.ticks = now.QuadPart;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  entry.workingSet =
      ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory)) ? memory.WorkingSetSize : 0;
  int at = 0;
  for (; at < StartupTraceBlock::kNameLength - 1 && step[at] != L'\0'; ++at) entry.name[at] = step[at];
  entry.name[at] = L'\0';
  g_block->count = written + 1;  // the benchmark reads the block only after the program is idle
}

}  // namespace app
