#include "tasks/SystemHostTable.h"

#include <windows.h>

#include <shlobj.h>

#include <array>
#include <string>

#include "core/RegistryKey.h"

namespace tasks {
namespace {

std::wstring ProgramFilesFolder() {
  std::array<wchar_t, MAX_PATH> folder{};  // SHGetFolderPathW takes exactly MAX_PATH characters
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, folder.data())))
    return {};
  return folder.data();
}

// The path the suite's installer recorded in Apps under the token of the program that has one.
std::wstring RecordedSkypePath() {
  app::RegistryKey apps;
  if (!apps.Open(HKEY_LOCAL_MACHINE, reg::kApps, reg::kRead)) return {};
  for (const suite::HostDescriptor& host : suite::kHosts)
    for (const suite::HostProgram& program : host.programs)
      if (program.path == suite::HostPath::kSkypeRecord) return apps.ReadString(program.token);
  return {};
}

}  // namespace

HostTable MakeSystemHostTable() {
  return HostTable(ProgramFilesFolder(), RecordedSkypePath());
}

}  // namespace tasks
