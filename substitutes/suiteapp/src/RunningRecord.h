// Reads, and leaves in place, the Running record that the start centre wrote for this program.
// Handling the record is the real application's business; the substitute only reports it.
#pragma once

#include <optional>
#include <string>

#include "Identity.h"

namespace suiteapp {

struct RunningRecord {
  std::wstring location;             // where it was looked for, e.g. "HKCU\...\Running\Batcher"
  std::optional<std::wstring> text;  // the value's text exactly; nullopt when there was none
};

// The record named `appId` in the place where a program of this kind finds it.
[[nodiscard]] RunningRecord ReadRunningRecord(const std::wstring& appId, RecordPlace place);

}  // namespace suiteapp
