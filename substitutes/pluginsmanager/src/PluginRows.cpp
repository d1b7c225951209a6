#include "PluginRows.h"

namespace pluginsmanager {

std::vector<Row> RowsOf(const std::vector<switches::ProductGroup>& groups, const HostNameOf& hostName) {
  std::vector<Row> rows;
  for (const switches::ProductGroup& group : groups) {
    if (group.records.empty()) continue;
    std::wstring heading = group.productName;
    if (heading.empty() && hostName) heading = hostName(group.records.front().kind);
    rows.push_back({Row::Type::kProduct, heading, 0, 0, false});
    for (const switches::PluginRecord& record : group.records) {
      const bool switchable = record.state == switches::kEnabled || record.state == switches::kDisabled;
      rows.push_back({Row::Type::kRecord, record.displayName, record.id, record.state, switchable});
    }
  }
  return rows;
}

std::wstring HostNameIn(const switches::PluginTable& table, int kind) {
  const int index = table.FindSwitchByKind(kind);
  return index < 0 ? std::wstring() : table.Active()[static_cast<size_t>(index)]->GetHostInfo().name;
}

}  // namespace pluginsmanager
