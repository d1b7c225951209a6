// What the suite's installer recorded: HKLM "Software\Korvelsoft\VNTO9\Apps" holds each installed
// application's executable path, "Folders" the folders of installed components.
#pragma once

#include <optional>
#include <string_view>

#include "app/RegistryKey.h"

namespace suite {

// The Apps key, opened for reading; nullopt when it cannot be opened.
[[nodiscard]] std::optional<app::RegistryKey> OpenAppsKey();

// A non-empty Apps value named by the ID, or else a non-empty Folders value. A key that cannot be
// opened holds no values.
[[nodiscard]] bool IsInstalled(std::wstring_view appId);

}  // namespace suite
