// The system's process list as a test can rely on it. A process that is still starting is listed
// without a name, and its image cannot be asked for, until its loader has run: a snapshot taken at
// that moment cannot tell whose the process is (a test's own just-started program, or one of a
// test running in parallel). SettledProcesses waits for every such process to be named or gone.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "win/Handle.h"

namespace test {

struct ListedProcess {
  DWORD id = 0;
  std::wstring name;            // the executable's file name, as the list gives it
  std::filesystem::path image;  // the executable's full path; empty when it cannot be asked for
  win::UniqueHandle handle;     // query, terminate and wait; while it is open the ID is not reused
};

// Every running process, each with its name; a process still starting is waited for (pumping this
// thread's messages) until it is named or has ended. The limit only guards against a process that
// never gets that far: what is listed by then is returned.
[[nodiscard]] std::vector<ListedProcess> SettledProcesses(
    std::chrono::milliseconds limit = std::chrono::seconds(30));

// The listed processes whose image lies in `folder` (and, when given, whose file name is
// `executable`, compared without regard to case), still running.
[[nodiscard]] std::vector<ListedProcess> ProcessesIn(const std::filesystem::path& folder,
                                                     const std::wstring& executable = {});

}  // namespace test
