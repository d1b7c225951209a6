// The substitute's own command-line switches, read from the program's arguments:
//   /exitafter:N         close by itself after N milliseconds (for tests and benchmarks)
//   /WaitForServerExit   the start centre's request to wait until it has quit; only shown
// Both are matched without regard to case; every other argument is left alone. No windows.h.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace suiteapp {

struct Switches {
  std::optional<unsigned> exitAfterMs;
  bool waitForServerExit = false;
};

// `arguments` without the program name.
[[nodiscard]] Switches ParseSwitches(const std::vector<std::wstring>& arguments);

}  // namespace suiteapp
