// All switches of the suite, built at start-up: the ones whose host was found, grouped by product,
// and the ones whose host is missing, by key.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "switches/Switch.h"
#include "switches/SwitchingLock.h"

namespace switches {

struct ProductGroup {
  std::wstring productName;
  PluginList records;
};

// Switches under their keys, in the order they are built.
using SwitchList = std::vector<std::pair<std::wstring, std::unique_ptr<CSwitch>>>;
// Builds one switch for each switch family of the host table, in the table's order; tests give a factory of
// their own.
using SwitchFactory = std::function<SwitchList()>;
[[nodiscard]] SwitchList MakeSuiteSwitches();

class PluginTable {
 public:
  // `switchingWait`: how long switching waits for another program's switching to end.
  explicit PluginTable(SwitchFactory factory = &MakeSuiteSwitches,
                       DWORD switchingWait = SwitchingLock::kWaitMilliseconds)
      : factory_(std::move(factory)), switchingWait_(switchingWait) {}
  PluginTable(const PluginTable&) = delete;
  PluginTable& operator=(const PluginTable&) = delete;
  ~PluginTable() { ClearSwitches(); }

  // Builds every switch, keeps those whose host and add-in files are there, numbers their records
  // 1, 2, 3, ... and groups them by product. A reload first clears everything.
  void LoadSwitches();
  void ClearSwitches();

  // Index into the active list of the first switch serving `kind`; -1 when none does.
  [[nodiscard]] int FindSwitchByKind(int kind) const;
  // The group's own copy (the caller may change it); null when absent.
  [[nodiscard]] PluginRecord* FindPluginById(int id);
  [[nodiscard]] PluginRecord* FindPluginByKind(int kind);
  // False, with `name` set to its host family, when the switch of `key` (ignoring case) is still in
  // the keyed table, that is, its host is missing; true when no such switch is left.
  [[nodiscard]] bool GetMissingHostName(std::wstring_view key, std::wstring& name) const;

  // Turns the add-in of `record` (a group's copy) on: the switching-on sequence, under the session's
  // switching lock. kSwitched when it is on; kFailed when no switch serves it or the switch could not
  // enable it (the record is then back at 0 and `mainWindow` got app::kPluginsManagerMessage);
  // kBusy when another program kept the lock: the person was told so in a box owned by
  // `mainWindow`, nothing was switched and the plug-ins manager is not asked for.
  enum class EnableResult { kSwitched, kFailed, kBusy };
  EnableResult Enable(PluginRecord& record, HWND mainWindow);

  // The window that owns the switches' message boxes (the main window), handed to every switch, also
  // to those a later load builds; null until it is set.
  void SetMessageOwner(HWND owner) noexcept;
  [[nodiscard]] HWND MessageOwner() const noexcept { return messageOwner_; }

  [[nodiscard]] bool Loaded() const noexcept { return loaded_; }
  [[nodiscard]] DWORD SwitchingWait() const noexcept { return switchingWait_; }
  [[nodiscard]] const std::vector<std::unique_ptr<CSwitch>>& Active() const noexcept { return active_; }
  [[nodiscard]] const std::vector<ProductGroup>& Groups() const noexcept { return groups_; }
  [[nodiscard]] std::vector<ProductGroup>& Groups() noexcept { return groups_; }
  // Keys of the switches whose hosts are missing, in key order.
  [[nodiscard]] std::vector<std::wstring> MissingKeys() const;

 private:
  SwitchFactory factory_;
  DWORD switchingWait_;
  std::map<std::wstring, std::unique_ptr<CSwitch>> keyed_;  // ordinal, case-sensitive order
  std::vector<std::unique_ptr<CSwitch>> active_;
  std::vector<ProductGroup> groups_;
  bool loaded_ = false;
  HWND messageOwner_ = nullptr;
};

}  // namespace switches
