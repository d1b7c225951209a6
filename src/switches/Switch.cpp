#include "switches/Switch.h"

#include <algorithm>
#include <string>

#include "core/ExceptSW.h"
#include "core/LogSink.h"
#include "core/RegistryKey.h"

void CSwitch::GetKinds(std::vector<int>& kinds) const {
  const std::vector<int> own = suite::KindsOfFamily(family_);
  kinds.insert(kinds.end(), own.begin(), own.end());
}

bool CSwitch::Serves(int kind) const noexcept {
  const suite::HostDescriptor* host = suite::HostOfKind(kind);
  return host && host->family == family_;
}

int CSwitch::GetPlugins(switches::PluginList& records) const {
  records = stored_;
  return static_cast<int>(stored_.size());
}

bool CSwitch::IsChanged(const switches::PluginRecord& record) const {
  const auto stored = std::find_if(stored_.begin(), stored_.end(),
                                   [&](const switches::PluginRecord& r) { return r.id == record.id; });
  return stored != stored_.end() && stored->state != record.state;
}

namespace {

constexpr wchar_t kSwitchTag[] = L"Switch";

// Call only inside a catch block: an error that is no switch's own failure (a COM error of a
// host's installer, no memory) has no record of its own, so it gets one here.
void LogApplyFailure(const switches::PluginRecord& record) noexcept {
  try {
    const std::wstring what = L"Switching " + record.displayName + L" (" + record.productName + L")";
    app::LogCaughtException(kSwitchTag, __LINE__, what);
  } catch (...) {
    // No memory for the text: the state still tells the caller.
  }
}

}  // namespace

bool CSwitch::ApplyOne(switches::PluginRecord& record, int quiet, std::wstring_view hostName,
                       const std::function<void(switches::PluginRecord&)>& apply) const noexcept {
  // The record asked for a state it could not reach: it keeps the other one.
  const auto revert = [&record] {
    record.state = record.state == switches::kEnabled ? switches::kDisabled : switches::kEnabled;
  };
  try {
    apply(record);
    return true;
  } catch (const CExceptSW& failure) {
    revert();
    if (!quiet) failure.Show(messageOwner_);
  } catch (...) {
    revert();
    LogApplyFailure(record);
    if (!quiet) {
      try {
        CExceptSW(hostName, record.productName, CExceptSW::kOtherFailure, 0).Show(messageOwner_);
      } catch (...) {
        // Out of memory for the message: the state already tells the caller.
      }
    }
  }
  return false;
}

namespace switches {

void Fail(const wchar_t* sourceTag, int line, const PluginRecord& record, std::wstring_view text,
          int reason) {
  const std::wstring reasonText(text);
  app::Log().Record(sourceTag, line, L"%s#%s#%s", record.displayName.c_str(), record.productName.c_str(),
                    reasonText.c_str());
  throw CExceptSW(record.displayName, record.productName, reason, 0);
}

std::wstring SuiteFolder(std::wstring_view name) {
  app::RegistryKey folders;
  if (!folders.Open(HKEY_LOCAL_MACHINE, reg::kFolders, reg::kRead)) return {};
  std::wstring folder = folders.ReadString(name);
  if (folder.size() > MAX_PATH) folder.resize(MAX_PATH);  // the installer's records are paths of at most 260
  return folder;
}

std::wstring TemporaryBeside(const std::wstring& path) {
  return path + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
}

}  // namespace switches
