// The one object that knows where translation tasks are carried out: the host applications with
// the suite's add-ins (through the plug-in table it owns) and the suite's own translators. It
// fills the task dialogs' "Translate in:" list, explains its entries, and hands a document over:
// it switches the add-in on, leaves the hand-off record in the Running key and starts the host.
//
// The list state (entry data, last real entry, Office sub-application) describes the list filled
// last; the other operations must be asked about that same list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "switches/PluginTable.h"
#include "tasks/AppListControl.h"
#include "tasks/HandOffContext.h"
#include "tasks/HandOffWatch.h"
#include "tasks/HostTable.h"

namespace tasks {

// One press of Launch in a task dialog.
struct HandOffRequest {
  int entry = -1;  // the selection in the application list
  int directionId = 0;
  std::wstring profile;
  std::wstring document;  // a file path or a web address; may be empty
  int taskCode = 0;
};

// Why an entry after the real ones cannot be used.
enum class Unavailability {
  kOtherProducts,  // another product of the suite has it
  kNotInstalled,   // this product has it, but it is not installed
  kHostMissing,    // the host application is not installed; the name is its family name
};
struct UnavailableEntry {
  Unavailability choice = Unavailability::kOtherProducts;
  std::wstring name;
};

// The Messenger activity address used when the task settings hold none.
inline constexpr wchar_t kBuiltInActivityAddress[] =
    L"http://activities.messenger.live.com/Resource/games.aspx?appID=VantoTranslator9";

}  // namespace tasks

class CTranslateMenuUtils {
 public:
  // Builds the host table; the plug-in table stays empty until LoadPlugins. Tests hand in switches
  // of their own through `switchFactory`.
  explicit CTranslateMenuUtils(tasks::HandOffContext& context,
                               switches::SwitchFactory switchFactory = &switches::MakeSuiteSwitches);
  CTranslateMenuUtils(const CTranslateMenuUtils&) = delete;
  CTranslateMenuUtils& operator=(const CTranslateMenuUtils&) = delete;

  // (Re)builds the switches and their records; record ids of an earlier fill become meaningless.
  void LoadPlugins() { plugins_.LoadSwitches(); }
  [[nodiscard]] switches::PluginTable& Plugins() noexcept { return plugins_; }
  [[nodiscard]] const tasks::HostTable& Hosts() const noexcept { return hosts_; }

  // Fills `list` with what can serve a task: the suite applications of `tokens` ("|"-separated)
  // that belong to the product and are installed, then the add-in records the tokens want (Office
  // hosts at the top), and with "show all features" the task's other applications after them.
  // False, with the list untouched, for empty tokens; else whether the list has entries.
  bool FillAppList(std::wstring_view tokens, int taskCode, tasks::AppListControl& list);

  [[nodiscard]] switches::PluginRecord* FindRecord(int id) { return plugins_.FindPluginById(id); }
  // The entry's record id; 0 for an application entry; -1 outside the list.
  [[nodiscard]] int RecordIdOfEntry(int entry) const;
  [[nodiscard]] tasks::UnavailableEntry UnavailabilityOf(int entry) const;
  // The outcome text of an entry; `steps` changes only for hosts that have steps of their own.
  [[nodiscard]] std::wstring HelpTextsOf(int entry, std::wstring& steps);
  // The open-file dialog's filter for the task and the entry's host ("|"-separated, "||" at the end).
  [[nodiscard]] std::wstring FileFilter(int taskCode, int entry);
  // The entry of the system's default web browser; 0 when none matches.
  [[nodiscard]] int DefaultBrowserEntry(const tasks::AppListControl& list);

  // Hands the document over. 1 when the host was started or the request was otherwise answered
  // (an unavailable entry explained), 0 when it stopped (at once for a profile name with ';').
  int HandOff(const tasks::HandOffRequest& request);

  // The list state.
  [[nodiscard]] const std::vector<std::wstring>& EntryData() const noexcept { return entryData_; }
  [[nodiscard]] int LastRealEntry() const noexcept { return lastRealEntry_; }
  [[nodiscard]] int OfficeApplication() const noexcept { return officeApplication_; }

 private:
  [[nodiscard]] bool InEntryData(int entry) const noexcept {
    return entry >= 0 && entry < static_cast<int>(entryData_.size());
  }
  [[nodiscard]] std::wstring UnavailabilityText(const tasks::UnavailableEntry& unavailable) const;
  // The host of a plug-in entry, its add-in switched on first; false when the hand-off stops.
  bool PrepareHost(switches::PluginRecord& record, tasks::HostTarget& target);
  // The suite application of an application entry; false (after saying so) when not installed.
  bool PrepareApplication(const std::wstring& appId, tasks::HostTarget& target);

  tasks::HandOffContext& context_;
  tasks::HostTable hosts_;
  switches::PluginTable plugins_;
  std::vector<std::wstring> entryData_;  // app IDs, tokens or record ids ("%i"), by entry
  int lastRealEntry_ = -1;
  int officeApplication_ = tasks::kNoOfficeApplication;
  tasks::HandOffWatch watch_;  // takes back the records of hosts that end without taking them
};
