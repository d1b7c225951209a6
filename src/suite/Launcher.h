// Starting suite applications: from the launch list, for a menu command, and the TM manager for a
// database. Before a start the program's record goes into the per-user Running key, and a program
// whose record cannot be written is not started; a start that fails or is called off takes it back.
// Exclusive applications (backup, dictionary installers) need every other suite program closed: the
// user is asked, may grant administrator rights, and the start centre closes itself after starting
// one. Every message goes through the LaunchContext.
#pragma once

#include <string_view>

#include "suite/LaunchContext.h"
#include "suite/LaunchList.h"
#include "suite/RunningKey.h"

namespace suite {

class Launcher {
 public:
  explicit Launcher(LaunchContext& context) noexcept : context_(context) {}

  // A row of the launch list.
  void LaunchListItem(const AppItem& item);
  // A menu command's application: "|"-separated app IDs in order of preference, the first being
  // the command's own ID; the first one installed is started.
  void LaunchCommandApps(std::wstring_view appIdList);
  // The TM manager for a translation-memory database; true when it started.
  bool StartTmManager(std::wstring_view databaseIdentifier);

 private:
  // Leaves the start's record; when it cannot be written, says so naming the program and gives
  // false: nothing may start then.
  bool LeaveRecord(StartRecord& record, std::wstring_view displayName);
  // For an app ID the product does not list: the network-server message or the other-products one.
  void RefuseNotAvailable(std::wstring_view appId);

  LaunchContext& context_;
};

}  // namespace suite
