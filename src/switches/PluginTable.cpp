#include "switches/PluginTable.h"

#include <algorithm>

#include "core/CaughtFailure.h"
#include "core/ExceptSW.h"
#include "core/PrivateMessages.h"
#include "suite/NameCompare.h"

namespace switches {

void PluginTable::LoadSwitches() {
  // A reload, and also a load after one that found nothing or stopped half way, starts from an empty
  // table: the switches left over would otherwise be replaced under their keys while still owned.
  ClearSwitches();
  try {
    for (auto& [key, created] : factory_()) {
      if (created) created->SetMessageOwner(messageOwner_);
      keyed_[key] = std::move(created);
    }

    for (auto entry = keyed_.begin(); entry != keyed_.end();) {
      CSwitch* candidate = entry->second.get();
      if (!candidate || candidate->CollectPlugins() == 0) {
        ++entry;  // no host: it stays, and tells which host is missing
        continue;
      }
      if (candidate->IsPackagePresent()) active_.push_back(std::move(entry->second));
      entry = keyed_.erase(entry);  // a switch without its add-in files goes with its entry
    }
    if (active_.empty()) return;

    int nextId = 1;
    for (const auto& active : active_) {
      (void)active->GetHostInfo();
      PluginList records;
      active->GetPlugins(records);
      for (PluginRecord& record : records) {
        record.id = nextId++;
        auto group = std::find_if(groups_.begin(), groups_.end(),
                                  [&](const ProductGroup& g) { return g.productName == record.productName; });
        if (group == groups_.end())
          group = groups_.insert(groups_.end(), ProductGroup{record.productName, {}});
        group->records.push_back(record);
      }
      active->SetPlugins(records);
    }
    loaded_ = true;
  } catch (...) {
    // The table stays as far as it was filled; it is not marked loaded.
    app::LogCaughtException(L"PluginTable", __LINE__, L"Loading the switches");
  }
}

void PluginTable::SetMessageOwner(HWND owner) noexcept {
  messageOwner_ = owner;
  for (const auto& active : active_) active->SetMessageOwner(owner);
  for (const auto& [key, missing] : keyed_)
    if (missing) missing->SetMessageOwner(owner);
}

void PluginTable::ClearSwitches() {
  active_.clear();
  keyed_.clear();
  for (ProductGroup& group : groups_) group.records.clear();
  groups_.clear();
  loaded_ = false;
}

int PluginTable::FindSwitchByKind(int kind) const {
  for (size_t i = 0; i < active_.size(); ++i)
    if (active_[i]->Serves(kind)) return static_cast<int>(i);
  return -1;
}

PluginRecord* PluginTable::FindPluginById(int id) {
  for (ProductGroup& group : groups_)
    for (PluginRecord& record : group.records)
      if (record.id == id) return &record;
  return nullptr;
}

PluginRecord* PluginTable::FindPluginByKind(int kind) {
  for (ProductGroup& group : groups_)
    for (PluginRecord& record : group.records)
      if (record.kind == kind) return &record;
  return nullptr;
}

bool PluginTable::GetMissingHostName(std::wstring_view key, std::wstring& name) const {
  for (const auto& [entryKey, missing] : keyed_) {
    if (!suite::SameName(entryKey, key)) continue;
    if (missing) name = missing->GetHostInfo().name;
    return false;
  }
  return true;
}

std::vector<std::wstring> PluginTable::MissingKeys() const {
  std::vector<std::wstring> keys;
  for (const auto& entry : keyed_) keys.push_back(entry.first);
  return keys;
}

PluginTable::EnableResult PluginTable::Enable(PluginRecord& record, HWND mainWindow) {
  const int index = FindSwitchByKind(record.kind);
  if (index < 0) return EnableResult::kFailed;
  CSwitch& owner = *active_[static_cast<size_t>(index)];

  const SwitchingLock lock(switchingWait_);
  if (!lock.Held()) {
    ShowSwitchingBusy(mainWindow ? mainWindow : messageOwner_);
    return EnableResult::kBusy;
  }
  record.state = kEnabled;
  PluginList request{record};
  try {
    owner.ApplyStates(request, 1);
  } catch (const CExceptSW& failure) {
    record.state = kDisabled;
    failure.Show(messageOwner_);
    return EnableResult::kFailed;
  }
  if (request.front().state == kDisabled) {
    record.state = kDisabled;
    if (mainWindow) ::SendMessageW(mainWindow, app::kPluginsManagerMessage, 0, 0);
    return EnableResult::kFailed;
  }

  // The switch's own records follow, whichever product groups they sit in.
  PluginList stored;
  owner.GetPlugins(stored);
  for (PluginRecord& mine : stored)
    if (mine.id == record.id) mine.state = record.state;
  owner.SetPlugins(stored);
  return EnableResult::kSwitched;
}

}  // namespace switches
