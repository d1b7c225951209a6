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

}  // namespace

HostTable MakeSystemHostTable() {
  app::RegistryKey apps;
  std::wstring skype;
  if (apps.Open(HKEY_LOCAL_MACHINE, reg::kApps, reg::kRead)) skype = apps.ReadString(L"VantoSkype");
  return HostTable(ProgramFilesFolder(), skype);
}

}  // namespace tasks
