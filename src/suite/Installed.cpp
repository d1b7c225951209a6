#include "suite/Installed.h"

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

bool IsInstalled(std::wstring_view appId) {
  return HasNonEmptyValue(reg::kApps, appId) || HasNonEmptyValue(reg::kFolders, appId);
}

}  // namespace suite
