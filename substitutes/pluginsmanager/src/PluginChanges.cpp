#include "PluginChanges.h"

#include <algorithm>
#include <iterator>

#include "switches/SwitchingLock.h"

namespace pluginsmanager {
namespace {

constexpr int kAdministratorKinds[] = {switches::kQipInfium, switches::kInternetExplorer, switches::kFirefox,
                                       switches::kAcrobat};

const switches::PluginRecord* FindRecord(const switches::PluginTable& table, int id) {
  for (const switches::ProductGroup& group : table.Groups())
    for (const switches::PluginRecord& record : group.records)
      if (record.id == id) return &record;
  return nullptr;
}

bool Switchable(int state) {
  return state == switches::kEnabled || state == switches::kDisabled;
}

}  // namespace

WantedStates ChangesOf(const switches::PluginTable& table, const WantedStates& wanted) {
  WantedStates changes;
  for (const auto& [id, state] : wanted) {
    const switches::PluginRecord* record = FindRecord(table, id);
    if (record && Switchable(record->state) && Switchable(state) && record->state != state)
      changes[id] = state;
  }
  return changes;
}

bool NeedsAdministrator(const switches::PluginTable& table, const WantedStates& changes) {
  return std::any_of(changes.begin(), changes.end(), [&](const auto& change) {
    const switches::PluginRecord* record = FindRecord(table, change.first);
    return record && std::find(std::begin(kAdministratorKinds), std::end(kAdministratorKinds),
                               record->kind) != std::end(kAdministratorKinds);
  });
}

ApplyResult ApplyChanges(switches::PluginTable& table, const WantedStates& changes, int quiet) {
  ApplyResult result;
  const switches::SwitchingLock lock(table.SwitchingWait());
  if (!lock.Held()) {
    result.busy = true;
    return result;
  }
  for (const std::unique_ptr<CSwitch>& sw : table.Active()) {
    switches::PluginList stored;
    sw->GetPlugins(stored);
    switches::PluginList list;
    for (const switches::PluginRecord& record : stored) {
      const auto change = changes.find(record.id);
      if (change == changes.end()) continue;
      list.push_back(record);
      list.back().state = change->second;
    }
    if (list.empty()) continue;

    sw->ApplyStates(list, quiet);
    for (const switches::PluginRecord& reached : list) {
      ++result.attempted;
      if (reached.state != changes.at(reached.id)) ++result.failed;
      for (switches::PluginRecord& record : stored)
        if (record.id == reached.id) record.state = reached.state;
      if (switches::PluginRecord* copy = table.FindPluginById(reached.id)) copy->state = reached.state;
    }
    sw->SetPlugins(stored);
  }
  return result;
}

}  // namespace pluginsmanager
