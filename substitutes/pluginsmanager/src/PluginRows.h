// The plug-ins manager's list: the plug-in table's groups laid out as rows, a product heading
// followed by one row per add-in record, and what a row's check box may do.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "switches/PluginTable.h"

namespace pluginsmanager {

struct Row {
  enum class Type { kProduct, kRecord };
  Type type = Type::kRecord;
  std::wstring text;  // the product name, or the record's display name
  int id = 0;         // the record's id; 0 for a product heading
  int state = 0;      // the record's state (switches::kEnabled, kDisabled or kNotSwitchable)
  bool switchable = false;

  friend bool operator==(const Row&, const Row&) = default;
};

// The heading of a group whose product has no name (the Firefox extension's): the name of the host
// family serving `kind`.
using HostNameOf = std::function<std::wstring(int kind)>;

// One heading per group in the table's order, each followed by its records in order. A record
// whose state is neither on nor off (the messenger that cannot be switched) is listed but not
// switchable; a group without records gets no heading.
[[nodiscard]] std::vector<Row> RowsOf(const std::vector<switches::ProductGroup>& groups,
                                      const HostNameOf& hostName);

// The host family names of the table's active switches.
[[nodiscard]] std::wstring HostNameIn(const switches::PluginTable& table, int kind);

}  // namespace pluginsmanager
