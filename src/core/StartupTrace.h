// Start-up timing for the benchmark. When the environment variable kStartupTraceVariable names a
// file mapping, each step of the start-up writes its name and the performance counter into it, so
// that the benchmark can show where the time before the first paint goes. Without that variable
// (every ordinary start) a step costs one test of a null pointer.
#pragma once

#include <windows.h>

namespace app {

inline constexpr wchar_t kStartupTraceVariable[] = L"STARTDECK_STARTUP_TRACE";

// The mapping's layout, shared with the benchmark.
struct StartupTraceBlock {
  static constexpr int kMaxSteps = 64;
  static constexpr int kNameLength = 40;
  struct Step {
    LONGLONG ticks;             // QueryPerformanceCounter when the step ended
    ULONGLONG workingSet;       // the process's working set then, in bytes
    wchar_t name[kNameLength];  // what ended, null-terminated
  };
  volatile LONG count;  // steps written so far
  Step steps[kMaxSteps];
};

// Maps the block named by the environment, if any. Call once, first thing in the entry point.
void OpenStartupTrace() noexcept;
// Records that `step` has ended; a name already recorded is not recorded again.
void MarkStartup(const wchar_t* step) noexcept;

}  // namespace app
