// What another process has loaded: its modules as a toolhelp snapshot lists them.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace test {

struct LoadedModule {
  std::wstring name;           // the file name, as loaded ("riched20.dll")
  std::filesystem::path path;  // where it was loaded from
};

// The modules of process `processId`; empty when no snapshot can be taken (the process is gone).
[[nodiscard]] std::vector<LoadedModule> ProcessModules(DWORD processId);

// The modules of `processId` named `name` (compared without regard to case).
[[nodiscard]] std::vector<LoadedModule> ProcessModulesNamed(DWORD processId, const std::wstring& name);

}  // namespace test
