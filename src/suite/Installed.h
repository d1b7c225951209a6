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

// An Apps value as a start reads it. A value with text after a NUL is read up to the NUL when that
// names a program file; otherwise (a folder, nothing) it gives no path and `damaged`. The diagnostic
// log names either. A missing value or one of another type gives no path alone.
struct AppPath {
  std::wstring path;
  bool damaged = false;
};
[[nodiscard]] AppPath ReadAppPath(const app::RegistryKey& apps, std::wstring_view appId);

// An Apps value named by the ID that ReadAppPath reads as a path, or else a non-empty Folders value. A key
// that cannot be opened holds no values.
[[nodiscard]] bool IsInstalled(std::wstring_view appId);

}  // namespace suite
