#include "core/Folders.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "core/RegistryKey.h"
#include "win/System.h"

namespace app {
namespace {

constexpr wchar_t kSuiteSubpath[] = L"Korvelsoft\\VNTO\\9.0\\";

std::wstring ShellFolder(int csidl) {
  wchar_t buffer[MAX_PATH] = {};  // the shell's own limit for this call
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return buffer;
}

}  // namespace

std::wstring SuiteDataFolderUnder(std::wstring_view base) {
  if (base.empty()) return {};
  std::wstring folder(base);
  if (folder.back() != L'\\') folder += L'\\';
  if (::StrStrIW(folder.c_str(), kSuiteSubpath) == nullptr) folder += kSuiteSubpath;
  return folder;
}

std::wstring SharedDataFolder() {
  std::wstring base = ShellFolder(CSIDL_COMMON_APPDATA);
  if (base.empty() && win::WindowsMajorVersion() < 5) {
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, reg::kFolders, reg::kRead))
      base = key.ReadString(reg::kCommonAppDataRootValue);
  }
  return SuiteDataFolderUnder(base);
}

}  // namespace app
