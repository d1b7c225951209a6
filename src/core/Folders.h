// The suite's machine-wide data folder.
#pragma once

#include <string>
#include <string_view>

namespace app {

// <common application data>\Korvelsoft\VNTO\9.0\ (always ending in a backslash); empty when no
// base folder is known. Callers append their own subfolder and create it when missing.
[[nodiscard]] std::wstring SharedDataFolder();

// The rule applied to a base folder: add a backslash, then the suite's subpath unless the base
// already contains it (in any case).
[[nodiscard]] std::wstring SuiteDataFolderUnder(std::wstring_view base);

}  // namespace app
