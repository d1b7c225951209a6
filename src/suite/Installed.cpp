#include "suite/Installed.h"

#include "core/LogSink.h"

namespace suite {
namespace {

bool HasNonEmptyValue(const wchar_t* path, std::wstring_view name) {
  app::RegistryKey key;
  return key.Open(HKEY_LOCAL_MACHINE, path, reg::kRead) && !key.ReadString(name).empty();
}

// An existing file, not a folder: what a start may hand to the shell.
bool NamesProgramFile(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::optional<app::RegistryKey> OpenAppsKey() {
  app::RegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, reg::kApps, reg::kRead)) return std::nullopt;
  return key;
}

AppPath ReadAppPath(const app::RegistryKey& apps, std::wstring_view appId) {
  AppPath read{apps.ReadString(appId)};
  if (apps.LastResult() != ERROR_INVALID_DATA) return read;
  // Text after the value's NUL. Read up to the NUL, a value that names the program is used as
  // Windows programs would; one that names a folder or nothing is not what the installer wrote,
  // and the shell would open that folder in Explorer instead of a program.
  const std::wstring name(appId);
  if (NamesProgramFile(read.path)) {
    app::Log().Line(L"The Apps value %s holds text after its end; it is read up to its end.", name.c_str());
    return read;
  }
  app::Log().Line(
      L"The Apps value %s holds text after its end and names no program; it is refused as damaged.",
      name.c_str());
  return {{}, true};
}

bool IsInstalled(std::wstring_view appId) {
  if (const std::optional<app::RegistryKey> apps = OpenAppsKey())
    if (!ReadAppPath(*apps, appId).path.empty()) return true;
  return HasNonEmptyValue(reg::kFolders, appId);
}

}  // namespace suite
