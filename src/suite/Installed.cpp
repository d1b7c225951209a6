#include "suite/Installed.h"

#include "core/LogSink.h"

namespace suite {
namespace {

bool HasNonEmptyValue(const wchar_t* path, std::wstring_view name) {
  app::RegistryKey key;
  return key.Open(HKEY_LOCAL_MACHINE, path, reg::kRead) && !key.ReadString(name).empty();
}

}  // namespace

std::optional<app::RegistryKey> OpenAppsKey() {
  app::RegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, reg::kApps, reg::kRead)) return std::nullopt;
  return key;
}

AppPath ReadAppPath(const app::RegistryKey& apps, std::wstring_view appId) {
  AppPath read{apps.ReadString(appId)};
  if (read.path.empty() && apps.LastResult() == ERROR_INVALID_DATA) {
    read.damaged = true;
    const std::wstring name(appId);
    app::Log().Line(L"The Apps value %s holds text after its end; it is refused as damaged.", name.c_str());
  }
  return read;
}

bool IsInstalled(std::wstring_view appId) {
  return HasNonEmptyValue(reg::kApps, appId) || HasNonEmptyValue(reg::kFolders, appId);
}

}  // namespace suite
