// Shortcuts (.lnk files) read through the shell's own link object, as Explorer reads them, and the
// current user's Send To folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace test {

struct ShellLink {
  std::filesystem::path target;
  std::wstring arguments;
  std::filesystem::path folder;  // the working folder
};

// The shortcut in `file`; empty when it cannot be read. Starts COM on the thread for the call.
[[nodiscard]] std::optional<ShellLink> ReadShellLink(const std::filesystem::path& file);

// The current user's Send To folder, made when it is missing (as Windows always has it).
[[nodiscard]] std::filesystem::path SendToFolder();

}  // namespace test
