#include "suite/RunningKey.h"

#include <utility>

namespace suite {

RunningKey::RunningKey() {
  // A key that cannot be made shows later: Write and Remove then fail, and their callers tell.
  if (!key_.Open(HKEY_CURRENT_USER, reg::kRunning, reg::kWrite))
    (void)key_.Create(HKEY_CURRENT_USER, reg::kRunning, reg::kWrite);
}

bool RunningKey::Write(std::wstring_view appId, std::wstring_view record) {
  return key_.IsOpen() && key_.WriteString(appId, record);
}

bool RunningKey::Remove(std::wstring_view appId) {
  return key_.IsOpen() && key_.DeleteValue(appId);
}

StartRecord::StartRecord(std::wstring_view appId, std::optional<std::wstring> record)
    : name_(appId), record_(std::move(record)) {}

bool StartRecord::Leave() {
  if (!key_) {
    key_.emplace();
    written_ = record_ && key_->Write(name_, *record_);
  }
  return !record_ || written_;
}

void StartRecord::Withdraw() {
  if (written_) key_->Remove(name_);
  written_ = false;
}

void StartRecord::Keep() {
  if (key_) key_->Close();
}

KernelLocation KernelOf(const LaunchContext& context) {
  KernelLocation kernel;
  kernel.local = context.KernelIsLocal();
  if (!kernel.local) kernel.server = context.KernelServerName();
  return kernel;
}

}  // namespace suite
