// What the demo installation adds to Explorer, as the product's package does (tables/ExplorerVerb.h):
// "Translate with VANTO" on every document type the tasks take, and the "VANTO Translator" shortcut
// in the user's Send To folder.
#pragma once

#include <filesystem>
#include <string>

namespace demo {

// The verb for `program` (the installation's start centre), its text from the language library of
// `language` in the program's folder; English alone when the language has none.
[[nodiscard]] bool InstallExplorerVerb(const std::filesystem::path& program, unsigned long language);

// The Send To shortcut to `program`; written through a temporary file beside it.
[[nodiscard]] bool InstallSendToShortcut(const std::filesystem::path& program);

}  // namespace demo
