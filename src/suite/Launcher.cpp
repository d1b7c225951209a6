#include "suite/Launcher.h"

#include <shellapi.h>

#include <optional>
#include <string>

#include "StringIds.h"
#include "profile/CryptedProfile.h"
#include "suite/AppId.h"
#include "suite/Applications.h"
#include "suite/DisplayNames.h"
#include "suite/ExclusiveStart.h"
#include "suite/InfSections.h"
#include "suite/Installed.h"
#include "suite/Privileges.h"
#include "suite/ProductLists.h"
#include "suite/RunningKey.h"
#include "suite/ShellStart.h"
#include "win/Resources.h"

namespace suite {
namespace {

constexpr UINT kLaunchErrorBox = MB_OK | MB_ICONEXCLAMATION;

}  // namespace

void Launcher::LaunchListItem(const AppItem& item) {
  if (!item.enabled) return RefuseNotAvailable(item.appId);
  if (item.damaged) return ReportDamagedRegistry(context_);
  if (!item.installed) {
    context_.ShowMessage(IDS_APP_NOT_INSTALLED, item.name, kLaunchErrorBox);
    return;
  }

  StartRecord record(item.appId, ListLaunchRecord(KernelOf(context_)));
  if (!LeaveRecord(record, item.name)) return;

  if (ApplicationIs(item.appId, &Application::aloneFromList)) {
    // A backup of one's own data needs no rights; installing dictionaries does.
    const bool backup = SameAppId(item.appId, L"UBackup");
    const UINT reason = backup ? IDS_ADMIN_FOR_BACKUP : IDS_ADMIN_FOR_DICTIONARIES;
    return StartAlone(context_, {item.path, reason, backup, item.name}, record);
  }

  INT_PTR result = 0;
  if (SameAppId(item.appId, L"VantoEM") && !IsAdministrator())
    result = UserWantsElevation(context_, IDS_ADMIN_FOR_EXTENSIONS) ? StartElevatedElseNormally(item.path, {})
                                                                    : StartProgram(item.path);
  else
    result = StartProgram(item.path);
  if (!StartSucceeded(result)) {
    record.Withdraw();
    ReportFailedStart(context_, item.name);
  }
}

void Launcher::LaunchCommandApps(std::wstring_view appIdList) {
  const std::vector<std::wstring_view> ids = SplitAppIds(appIdList);
  const std::wstring_view first = ids.empty() ? std::wstring_view() : ids.front();
  if (!IsListedInApps(context_.ProductConfiguration(), first)) return RefuseNotAvailable(first);
  const std::wstring displayName = DisplayName(first, false);

  // The record is named by the command's own ID, whichever of its applications starts; that is the
  // one to take back (not one named by the ID being started, which was never written).
  StartRecord record(first, CommandLaunchRecord(KernelOf(context_)));
  if (!LeaveRecord(record, displayName)) return;

  std::wstring_view startId;
  std::wstring path;
  if (const std::optional<app::RegistryKey> apps = OpenAppsKey()) {
    for (std::wstring_view id : ids) {
      AppPath read = ReadAppPath(*apps, id);
      if (read.damaged) {
        // Not the next application in the list: the person chose this one, and its record is wrong.
        record.Withdraw();
        return ReportDamagedRegistry(context_);
      }
      path = std::move(read.path);
      if (!path.empty()) {
        startId = id;
        break;
      }
    }
  }
  if (path.empty()) {
    // Nothing to start: the record would only mislead the next program that reads it.
    record.Withdraw();
    context_.ShowMessage(IDS_APP_NOT_INSTALLED, displayName, kLaunchErrorBox);
    return;
  }

  if (ApplicationIs(startId, &Application::aloneFromCommand)) {
    // From a menu command even the backup needs the rights: it backs up every user's data.
    const UINT reason = SameAppId(startId, L"UBackupNET") ? IDS_ADMIN_FOR_BACKUP : IDS_ADMIN_FOR_DICTIONARIES;
    return StartAlone(context_, {path, reason, false, displayName}, record);
  }
  // No question, also for the plug-ins manager.
  if (!StartSucceeded(StartProgram(path))) {
    record.Withdraw();
    ReportFailedStart(context_, displayName);
  }
}

bool Launcher::StartTmManager(std::wstring_view databaseIdentifier) {
  const std::optional<app::RegistryKey> apps = OpenAppsKey();
  if (!apps) {
    ReportDamagedRegistry(context_);
    return false;
  }
  const AppPath read = ReadAppPath(*apps, L"TMD");
  if (read.damaged) {
    ReportDamagedRegistry(context_);
    return false;
  }
  const std::wstring& path = read.path;
  if (path.empty()) {
    context_.ShowMessage(IDS_APP_NOT_INSTALLED, DisplayName(L"TMD", false), kLaunchErrorBox);
    return false;
  }

  StartRecord record(L"TMD", TmManagerRecord(databaseIdentifier, KernelOf(context_)));
  if (!LeaveRecord(record, DisplayName(L"TMD", false))) return false;
  if (!StartSucceeded(StartProgram(path))) {
    record.Withdraw();
    ReportFailedStart(context_, DisplayName(L"TMD", false));
    return false;
  }
  return true;
}

bool Launcher::LeaveRecord(StartRecord& record, std::wstring_view displayName) {
  if (record.Leave()) return true;
  ReportRecordNotLeft(context_, displayName);
  return false;
}

void Launcher::RefuseNotAvailable(std::wstring_view appId) {
  const CXCryptedProfileW& configuration = context_.ProductConfiguration();
  // A network product without the server's own setup runs on a workstation: the server's tools
  // cannot run here.
  if (configuration.SectionEntryCount(kNetworkMenuSection) > 0 &&
      !IsListedInApps(configuration, L"SrvConfig") && ApplicationIs(appId, &Application::networkOnly)) {
    context_.ShowText(win::LoadString(IDS_NET_SERVER_ONLY), kLaunchErrorBox);
    return;
  }
  context_.ShowMessage(IDS_OTHER_PRODUCTS, {}, kLaunchErrorBox);
}

}  // namespace suite
