// What Apply does: the states the user chose, brought about by the switches that own the records.
#pragma once

#include <map>

#include "switches/PluginTable.h"

namespace pluginsmanager {

// The state the user wants for each record, by record id.
using WantedStates = std::map<int, int>;

// The ids of `wanted` whose state differs from the record's in the table's groups; records that
// cannot be switched are never changes.
[[nodiscard]] WantedStates ChangesOf(const switches::PluginTable& table, const WantedStates& wanted);

// Whether `changes` touch an add-in that only an administrator may switch: the QIP Infium, Internet
// Explorer, Firefox and Acrobat ones.
[[nodiscard]] bool NeedsAdministrator(const switches::PluginTable& table, const WantedStates& changes);

struct ApplyResult {
  int attempted = 0;
  int failed = 0;
  // Another program kept the switching lock: nothing was attempted.
  bool busy = false;
};

// Under the session's switching lock (taken again at once when the caller holds it already): for
// each active switch, the records of `changes` it owns go to its ApplyStates in one list (`quiet` 0:
// a record that fails shows the switch's message). Each record then keeps the state it reached: the
// switch gets its records back with those states (SetPlugins) and the groups' copies follow. When
// another program keeps the lock for the whole wait, nothing is applied and the result says busy.
ApplyResult ApplyChanges(switches::PluginTable& table, const WantedStates& changes, int quiet);

}  // namespace pluginsmanager
