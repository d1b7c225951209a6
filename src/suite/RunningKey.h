// The per-user Running key, opened with full access (created when missing) for one start. A key
// that can be neither opened nor created fails every write.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/RegistryKey.h"
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

// The record of one start, named by an app ID. Leave opens the key and writes it (once; a start
// without a record writes nothing) and is false when the record could not be written: the program
// would run without its kernel server or its database, so it must not start. Withdraw takes back
// what Leave wrote, when the start fails or is called off, and never a record of the same name that
// someone else wrote; Keep leaves it for the started program and closes the key.
class StartRecord {
 public:
  StartRecord(std::wstring_view appId, std::optional<std::wstring> record);

  [[nodiscard]] bool Leave();
  void Withdraw();
  void Keep();

 private:
  std::optional<RunningKey> key_;  // opened by Leave
  std::wstring name_;
  std::optional<std::wstring> record_;
  bool written_ = false;
};

// Where the context's kernel runs; the server's name is asked for only when it is not local.
[[nodiscard]] KernelLocation KernelOf(const LaunchContext& context);

}  // namespace suite
