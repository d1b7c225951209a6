#include "suite/DictionaryInstall.h"

#include <optional>
#include <string>

#include "StringIds.h"
#include "suite/DisplayNames.h"
#include "suite/ExclusiveStart.h"
#include "suite/Installed.h"
#include "suite/ProductLists.h"
#include "suite/RunningKey.h"
#include "win/Resources.h"

namespace suite {
namespace {

constexpr UINT kInstallErrorBox = MB_OK | MB_ICONEXCLAMATION;
// Both editions of the installer read the same record.
constexpr wchar_t kRecordName[] = L"DictInstS";

}  // namespace

void InstallDictionaries(LaunchContext& context) {
  const std::optional<app::RegistryKey> apps = OpenAppsKey();
  if (!apps) return ReportDamagedRegistry(context);
  const CXCryptedProfileW& configuration = context.ProductConfiguration();
  const bool local = context.KernelIsLocal();
  if (!local && !IsListedInApps(configuration, L"SrvConfig")) {
    context.ShowText(win::LoadString(IDS_NET_SERVER_ONLY), kInstallErrorBox);
    return;
  }
  const wchar_t* installer = local ? L"DictInst" : L"DictInstS";
  if (!IsListedInApps(configuration, installer)) {
    context.ShowMessage(IDS_OTHER_PRODUCTS, {}, kInstallErrorBox);
    return;
  }
  const AppPath read = ReadAppPath(*apps, installer);
  if (read.damaged) return ReportDamagedRegistry(context);
  const std::wstring& path = read.path;
  if (path.empty()) {
    context.ShowMessage(IDS_APP_NOT_INSTALLED, DisplayName(installer, false), kInstallErrorBox);
    return;
  }

  // Left only once the person has agreed to quit.
  StartRecord record(kRecordName, DictionaryInstallRecord(KernelOf(context)));
  const std::wstring name = win::LoadString(IDS_DICTIONARY_INSTALLER);
  StartAlone(context, {path, IDS_ADMIN_FOR_DICTIONARIES, false, name}, record);
}

}  // namespace suite
