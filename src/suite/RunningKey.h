// The per-user Running key, opened with full access (created when missing) for one start. A key
// that can be neither opened nor created does not stop the start: only its record goes missing.
#pragma once

#include <string_view>

#include "app/RegistryKey.h"
#include "suite/LaunchContext.h"
#include "suite/RunningRecords.h"

namespace suite {

class RunningKey {
 public:
  RunningKey();

  bool Write(std::wstring_view appId, std::wstring_view record);
  bool Remove(std::wstring_view appId);
  void Close() { key_.Close(); }
  [[nodiscard]] bool IsOpen() const noexcept { return key_.IsOpen(); }

 private:
  app::RegistryKey key_;
};

// Where the context's kernel runs; the server's name is asked for only when it is not local.
[[nodiscard]] KernelLocation KernelOf(const LaunchContext& context);

}  // namespace suite
