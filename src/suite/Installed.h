// What the suite's installer recorded: HKLM "Software\Korvelsoft\VNTO9\Apps" holds each installed
// application's executable path, "Folders" the folders of installed components.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/RegistryKey.h"

namespace suite {

// The Apps key, opened for reading; nullopt when it cannot be opened.
[[nodiscard]] std::optional<app::RegistryKey> OpenAppsKey();

// An Apps value as a start reads it. A value that the registry wrapper refuses as damaged (text
// after a NUL) gives no path and `damaged`, and the diagnostic log names it; a missing value or one of
// another type gives no path alone.
struct AppPath {
  std::wstring path;
  bool damaged = false;
};
[[nodiscard]] AppPath ReadAppPath(const app::RegistryKey& apps, std::wstring_view appId);

// A non-empty Apps value named by the ID, or else a non-empty Folders value. A key that cannot be
// opened holds no values.
[[nodiscard]] bool IsInstalled(std::wstring_view appId);

}  // namespace suite
