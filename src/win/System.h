// Facts about the system that Wine cannot vary (which Windows version runs, whether the user is an
// administrator). Everything reads them here, so tests can play another system.
#pragma once

#include <optional>

namespace win {

struct SystemFacts {
  std::optional<unsigned> windowsMajorVersion;
  std::optional<bool> administrator;
};

// The running system's major version (6 for Windows 7, 10 for Windows 10 and 11).
[[nodiscard]] unsigned WindowsMajorVersion() noexcept;

// Tests only: facts that replace the real answers until cleared with an empty SystemFacts.
void OverrideSystemFacts(const SystemFacts& facts) noexcept;
[[nodiscard]] const SystemFacts& SystemFactOverrides() noexcept;

}  // namespace win
