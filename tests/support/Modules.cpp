#include "support/Modules.h"

#include <tlhelp32.h>

#include <algorithm>

#include "win/Handle.h"

namespace test {

std::vector<LoadedModule> ProcessModules(DWORD processId) {
  win::UniqueHandle snapshot;
  // A snapshot taken while the process loads or unloads a module fails with ERROR_BAD_LENGTH and
  // is to be taken again.
  for (int attempt = 0; attempt < 10 && !snapshot; ++attempt) {
    snapshot.reset(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot && ::GetLastError() != ERROR_BAD_LENGTH) break;
  }
  std::vector<LoadedModule> modules;
  if (!snapshot) return modules;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Module32FirstW(snapshot.get(), &entry); more;
       more = ::Module32NextW(snapshot.get(), &entry))
    modules.push_back({entry.szModule, entry.szExePath});
  return modules;
}

std::vector<LoadedModule> ProcessModulesNamed(DWORD processId, const std::wstring& name) {
  std::vector<LoadedModule> modules = ProcessModules(processId);
  std::erase_if(modules,
                [&](const LoadedModule& module) { return _wcsicmp(module.name.c_str(), name.c_str()) != 0; });
  return modules;
}

}  // namespace test
