#include "suite/Launcher.h"

#include <shellapi.h>

#include <optional>
#include <string>

#include "StringIds.h"
#include "profile/CryptedProfile.h"
#include "suite/AppId.h"
#include "suite/DisplayNames.h"
#include "suite/Installed.h"
#include "suite/Privileges.h"
#include "suite/ProductLists.h"
#include "suite/RunningKey.h"
#include "suite/ShellStart.h"
#include "win/Resources.h"

namespace suite {
namespace {

constexpr UINT kErrorBox = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT kQuestionBox = MB_YESNO | MB_ICONQUESTION;
constexpr UINT kElevationBox = MB_YESNO;  // no icon

[[nodiscard]] bool Started(INT_PTR result) noexcept {
  return result > 32;
}

// The record of one start, taken back when the start fails or is called off.
class StartRecord {
 public:
  StartRecord(RunningKey& key, std::wstring_view appId, const std::optional<std::wstring>& record)
      : key_(key), name_(appId) {
    written_ = record && key_.Write(name_, *record);
  }
  void Withdraw() {
    if (written_) key_.Remove(name_);
    written_ = false;
  }

 private:
  RunningKey& key_;
  std::wstring name_;
  bool written_ = false;
};

}  // namespace

void Launcher::LaunchListItem(const AppItem& item) {
  if (!item.enabled) return RefuseNotAvailable(item.appId);
  if (!item.installed) {
    context_.ShowMessage(IDS_APP_NOT_INSTALLED, item.name, kErrorBox);
    return;
  }

  RunningKey key;
  StartRecord record(key, item.appId, ListLaunchRecord(KernelOf(context_)));

  if (IsOneOf(item.appId, kExclusiveListApps)) {
    if (!UserQuitsForExclusiveStart()) return record.Withdraw();
    INT_PTR result = 0;
    if (IsAdministrator()) {
      result = StartProgram(item.path, kWaitForServerExit);
    } else {
      const bool backup = SameAppId(item.appId, L"UBackup");
      if (UserWantsElevation(backup ? IDS_ADMIN_FOR_BACKUP : IDS_ADMIN_FOR_DICTIONARIES))
        result = StartElevatedElseNormally(item.path, kWaitForServerExit);
      else if (backup)  // a backup of one's own data needs no rights
        result = StartProgram(item.path, kWaitForServerExit);
      else
        return record.Withdraw();
    }
    if (Started(result)) {
      key.Close();
      return CloseStartCentre();
    }
    record.Withdraw();
    return ReportFailedStart(item.name);
  }

  INT_PTR result = 0;
  if (SameAppId(item.appId, L"VantoEM") && !IsAdministrator())
    result = UserWantsElevation(IDS_ADMIN_FOR_EXTENSIONS) ? StartElevatedElseNormally(item.path, {})
                                                          : StartProgram(item.path);
  else
    result = StartProgram(item.path);
  if (!Started(result)) {
    record.Withdraw();
    ReportFailedStart(item.name);
  }
}

void Launcher::LaunchCommandApps(std::wstring_view appIdList) {
  const std::vector<std::wstring_view> ids = SplitAppIds(appIdList);
  const std::wstring_view first = ids.empty() ? std::wstring_view() : ids.front();
  if (!IsListedInApps(context_.ProductConfiguration(), first)) return RefuseNotAvailable(first);
  const std::wstring displayName = DisplayName(first, false);

  // The record is named by the command's own ID, whichever of its applications starts; that is the
  // one to take back (not one named by the ID being started, which was never written).
  RunningKey key;
  StartRecord record(key, first, CommandLaunchRecord(KernelOf(context_)));

  std::wstring_view startId;
  std::wstring path;
  if (const std::optional<app::RegistryKey> apps = OpenAppsKey()) {
    for (std::wstring_view id : ids) {
      path = apps->ReadString(id);
      if (!path.empty()) {
        startId = id;
        break;
      }
    }
  }
  if (path.empty()) {
    // Nothing to start: the record would only mislead the next program that reads it.
    record.Withdraw();
    context_.ShowMessage(IDS_APP_NOT_INSTALLED, displayName, kErrorBox);
    return;
  }

  const bool exclusive = IsOneOf(startId, kExclusiveCommandApps);
  INT_PTR result = 0;
  if (exclusive) {
    if (!UserQuitsForExclusiveStart()) return record.Withdraw();
    if (IsAdministrator()) {
      result = StartProgram(path, kWaitForServerExit);
    } else {
      const bool backup = SameAppId(startId, L"UBackupNET");
      if (!UserWantsElevation(backup ? IDS_ADMIN_FOR_BACKUP : IDS_ADMIN_FOR_DICTIONARIES))
        return record.Withdraw();
      result = StartElevatedElseNormally(path, kWaitForServerExit);
    }
  } else {
    result = StartProgram(path);  // no question, also for the plug-ins manager
  }

  if (Started(result)) {
    if (exclusive) {
      key.Close();
      CloseStartCentre();
    }
    return;
  }
  record.Withdraw();
  ReportFailedStart(displayName);
}

bool Launcher::StartTmManager(std::wstring_view databaseIdentifier) {
  const std::optional<app::RegistryKey> apps = OpenAppsKey();
  if (!apps) {
    context_.ShowText(win::LoadString(IDS_REGISTRY_DAMAGED), kErrorBox);
    return false;
  }
  const std::wstring path = apps->ReadString(L"TMD");
  if (path.empty()) {
    context_.ShowMessage(IDS_APP_NOT_INSTALLED, DisplayName(L"TMD", false), kErrorBox);
    return false;
  }

  RunningKey key;
  StartRecord record(key, L"TMD", TmManagerRecord(databaseIdentifier, KernelOf(context_)));
  // Whatever else the shell says, the manager may have started: only a missing file is a failure.
  if (StartProgram(path) == SE_ERR_FNF) {
    record.Withdraw();
    ReportFailedStart(DisplayName(L"TMD", false));
    return false;
  }
  return true;
}

void Launcher::RefuseNotAvailable(std::wstring_view appId) {
  const CXCryptedProfileW& configuration = context_.ProductConfiguration();
  // A network product without the server's own setup runs on a workstation: the server's tools
  // cannot run here.
  if (configuration.SectionEntryCount(kNetworkMenuSection) > 0 &&
      !IsListedInApps(configuration, L"SrvConfig") && IsOneOf(appId, kNetworkOnlyApps)) {
    context_.ShowText(win::LoadString(IDS_NET_SERVER_ONLY), kErrorBox);
    return;
  }
  context_.ShowMessage(IDS_OTHER_PRODUCTS, {}, kErrorBox);
}

bool Launcher::UserQuitsForExclusiveStart() {
  return context_.ShowMessage(IDS_CLOSE_ALL_APPS, context_.ProductName(), kQuestionBox) == IDYES;
}

bool Launcher::UserWantsElevation(unsigned reasonId) {
  // The reason ends in a line break; the question follows directly.
  const std::wstring text = win::LoadString(reasonId) + win::LoadString(IDS_LAUNCH_AS_ADMIN);
  return context_.ShowText(text, kElevationBox) == IDYES;
}

INT_PTR Launcher::StartElevatedElseNormally(std::wstring_view path, std::wstring_view arguments) {
  const INT_PTR elevated = RunElevated(path, arguments);
  return Started(elevated) ? elevated : StartProgram(path, arguments);
}

void Launcher::CloseStartCentre() {
  if (const HWND window = context_.MainWindow()) ::SendMessageW(window, WM_CLOSE, 0, 0);
}

void Launcher::ReportFailedStart(std::wstring_view displayName) {
  context_.ShowMessage(IDS_LAUNCH_FAILED, displayName, kErrorBox);
}

}  // namespace suite
