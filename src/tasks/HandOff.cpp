// The hand-off of a document to the host chosen in a task dialog.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <array>

#include "StringIds.h"
#include "core/ComError.h"
#include "core/LogSink.h"
#include "core/PrivateMessages.h"
#include "menu/TaskTable.h"
#include "suite/DisplayNames.h"
#include "suite/ExclusiveStart.h"
#include "suite/HostDescriptor.h"
#include "suite/Installed.h"
#include "suite/ProcessSearch.h"
#include "suite/RecentDocuments.h"
#include "suite/RunningKey.h"
#include "suite/RunningRecords.h"
#include "suite/ShellStart.h"
#include "tasks/HandOffKey.h"
#include "tasks/JumpList.h"
#include "tasks/HandOffParameter.h"
#include "tasks/TranslateMenuUtils.h"
#include "win/Resources.h"

using switches::PluginRecord;
using namespace tasks;

namespace {

constexpr UINT kErrorBox = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT kInformationBox = MB_OK | MB_ICONINFORMATION;

constexpr wchar_t kInternetExplorerKey[] = L"SOFTWARE\\Microsoft\\Internet Explorer";

// Without its record the host's add-in (or the suite application) would not know what to translate:
// the host is not started, and the person is told why. Always 0, the hand-off's result.
int RefuseWithoutRecord(HandOffContext& context, std::wstring_view hostName) {
  context.ShowMessage(IDS_HANDOFF_RECORD_FAILED, hostName, kErrorBox);
  return 0;
}

// The record (suite::HandOffRecord) joins "letter=text" fields with ';', so a reader splits it at
// ';' alone and each field at its first '=': a profile name with '=' arrives whole ("T=Legal=EU"
// reads back as "Legal=EU"), but one with ';' would end its T field early and spill into the next.
// Such a name is refused before anything is switched, written or started; always 0.
int RefuseProfileName(HandOffContext& context, const std::wstring& profile) {
  std::wstring text = win::LoadString(IDS_PROFILE_NAME_UNUSABLE);
  // The text quotes the name itself and is never a format string: a '%' in the name stays as it is.
  if (const size_t at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, profile);
  context.ShowText(text, kErrorBox);
  return 0;
}

// The working folder the host starts in: the start centre's own (the limit is the system's
// 260 characters; a longer folder leaves it empty).
std::wstring WorkingFolder() {
  std::array<wchar_t, MAX_PATH> folder{};
  const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  if (length == 0 || length >= folder.size()) return {};
  return std::wstring(folder.data(), length);
}

}  // namespace

bool CTranslateMenuUtils::PrepareHost(PluginRecord& record, HostTarget& target) {
  std::optional<HostTarget> host = hosts_.TargetOfKind(record.kind, officeApplication_);
  if (!host) return false;
  target = std::move(*host);
  // Another edition of the host program (Adobe Reader beside Acrobat), told by the name detection
  // gave the record, starts as its own executable.
  if (const suite::HostProgram* program = suite::HostProgramOfExecutable(target.executable)) {
    const suite::OtherEdition& other = program->otherEdition;
    if (!other.nameContains.empty() && record.displayName.find(other.nameContains) != std::wstring::npos)
      target.executable = other.executable;
  }

  if (record.state != switches::kDisabled) return true;
  if (plugins_.Enable(record, context_.MainWindow()) != switches::PluginTable::EnableResult::kSwitched)
    return false;
  // A host that runs already loaded its add-ins before this one was switched on.
  if (suite::ProgramRuns(target.executable)) {
    context_.ShowMessage(IDS_SW_RELAUNCH_HOST, record.displayName, kInformationBox);
    return false;
  }
  return true;
}

bool CTranslateMenuUtils::PrepareApplication(const std::wstring& appId, HostTarget& target) {
  std::wstring path;
  if (const std::optional<app::RegistryKey> apps = suite::OpenAppsKey()) {
    suite::AppPath read = suite::ReadAppPath(*apps, appId);
    if (read.damaged) {
      suite::ReportDamagedRegistry(context_);
      return false;
    }
    path = std::move(read.path);
  }
  if (path.empty()) {
    context_.ShowMessage(IDS_APP_NOT_INSTALLED, suite::DisplayName(appId, false), kErrorBox);
    return false;
  }
  target = {std::move(path), appId, {}};
  return true;
}

namespace {

// A document handed over is one of the user's recent documents: Startdeck's own list, to hand it
// over again as it was, and the shell's (a file's path only).
void RememberHandOff(const HandOffRequest& request, const std::wstring& application) {
  if (IsEmptyDocument(request.document)) return;
  suite::RecentDocument recent{request.document,    request.taskCode, application,
                               request.directionId, request.profile,  {}};
  ::GetSystemTimeAsFileTime(&recent.handedOver);
  if (!suite::RememberDocument(recent)) app::Log().Line(L"The recent documents could not be written.");
  (void)UpdateJumpList(suite::ReadRecentDocuments(), win::LoadString(IDS_RECENT_DOCUMENTS),
                       win::LoadString(IDS_CMD_QUICK_TRANSLATE));
  if (!NamesScheme(request.document)) ::SHAddToRecentDocs(SHARD_PATHW, request.document.c_str());
}

}  // namespace

int CTranslateMenuUtils::HandOff(const HandOffRequest& request) {
  if (IsEmptyDocument(request.document) && request.taskCode != ui::kEmailTask &&
      request.taskCode != ui::kMessengerTask) {
    context_.ShowText(win::LoadString(IDS_SELECT_DOCUMENT), kErrorBox);
    return 0;
  }

  if (request.entry > lastRealEntry_) {
    const UnavailableEntry unavailable = UnavailabilityOf(request.entry);
    UINT id = IDS_OTHER_PRODUCTS;  // shown in its rich form, with the link
    if (unavailable.choice == Unavailability::kNotInstalled) id = IDS_APP_NOT_INSTALLED;
    if (unavailable.choice == Unavailability::kHostMissing) id = IDS_INSTALL_HOST_FIRST;
    context_.ShowMessage(id, unavailable.name, kErrorBox);
    return 1;
  }

  if (request.profile.find(L';') != std::wstring::npos) return RefuseProfileName(context_, request.profile);

  HostTarget target;
  std::wstring hostName;  // as the list names it
  if (const int id = RecordIdOfEntry(request.entry); id != 0) {
    PluginRecord* record = plugins_.FindPluginById(id);
    if (!record || !PrepareHost(*record, target)) return 0;
    hostName = record->displayName;
  } else {
    const std::wstring& appId = entryData_[static_cast<size_t>(request.entry)];
    if (!PrepareApplication(appId, target)) return 0;
    hostName = suite::DisplayName(appId, false);
  }

  std::optional<app::RegistryKey> key = OpenHandOffKey(target.executable);
  if (!key) return RefuseWithoutRecord(context_, hostName);

  try {
    std::wstring parameter = HostParameter(target.executable, request.document);
    const std::wstring folder = WorkingFolder();

    if (NeedsWord2007(target.key, parameter)) {
      context_.ShowMessage(IDS_DOCX_NEEDS_WORD2007, {}, kErrorBox);
      return 0;
    }

    const suite::HostProgram* program = suite::HostProgramOfExecutable(target.executable);
    if (program && program->documentForm == suite::DocumentForm::kWriter) {
      parameter = WriterParameter(parameter);
    } else if (program && program->activityThroughBrowser) {
      // The Messenger add-in is an activity inside the messenger, opened through Internet Explorer.
      if (app::RegistryKey explorer; !explorer.Open(HKEY_LOCAL_MACHINE, kInternetExplorerKey, reg::kRead)) {
        context_.ShowMessage(IDS_MESSENGER_NEEDS_IE, {}, kErrorBox);
        return 0;
      }
      if (!suite::ProgramRuns(program->executable)) {
        context_.ShowMessage(IDS_MESSENGER_NOT_RUNNING, {}, kErrorBox);
        return 0;
      }
      target.executable = L"iexplore";
      parameter = context_.ActivityAddress();
      if (parameter.empty()) parameter = kBuiltInActivityAddress;
    }

    const std::wstring record =
        suite::HandOffRecord(request.directionId, request.profile, parameter, suite::KernelOf(context_));
    if (!key->WriteString(target.key, record)) {
      key->Close();
      return RefuseWithoutRecord(context_, hostName);
    }

    // Any of the shell's errors (a missing file or folder, a damaged program, no association...)
    // means the host did not start: its record would only wait for the host's next start.
    suite::ShellStarted started = suite::ShellStartProcess(target.verb, target.executable, parameter, folder);
    if (!suite::StartSucceeded(started.result)) {
      key->DeleteValue(target.key);
      key->Close();
      context_.ShowMessage(IDS_LAUNCH_FAILED, target.executable, kErrorBox);
      return 0;
    }
    // The same holds for a host that ends at once without taking its record.
    if (started.process)
      (void)watch_.Watch({key->Hive(), key->Path(), target.key, record, target.executable},
                         std::move(started.process));
    RememberHandOff(request, hostName);
    if (const HWND window = context_.MainWindow())
      ::PostMessageW(window, app::kRecentDocumentsChangedMessage, 0, 0);
    return 1;
  } catch (const app::ComError&) {
    // The kernel could not give what the record needs. Whatever the key holds for this host, from
    // this hand-off or an earlier one, would send its add-in to a document the person did not hand
    // over this time.
    app::LogCaughtException(L"HandOff", __LINE__, L"The hand-off to " + hostName);
    key->DeleteValue(target.key);
    key->Close();
    return RefuseWithoutRecord(context_, hostName);
  }
}
