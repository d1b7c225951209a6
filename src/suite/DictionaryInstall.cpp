#include "suite/DictionaryInstall.h"

#include <optional>
#include <string>

#include "StringIds.h"
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
constexpr wchar_t kWaitForServerExit[] = L"/WaitForServerExit";
// Both editions of the installer read the same record.
constexpr wchar_t kRecordName[] = L"DictInstS";

}  // namespace

void InstallDictionaries(LaunchContext& context) {
  const std::optional<app::RegistryKey> apps = OpenAppsKey();
  if (!apps) {
    context.ShowText(win::LoadString(IDS_REGISTRY_DAMAGED), kErrorBox);
    return;
  }
  const CXCryptedProfileW& configuration = context.ProductConfiguration();
  const bool local = context.KernelIsLocal();
  if (!local && !IsListedInApps(configuration, L"SrvConfig")) {
    context.ShowText(win::LoadString(IDS_NET_SERVER_ONLY), kErrorBox);
    return;
  }
  const wchar_t* installer = local ? L"DictInst" : L"DictInstS";
  if (!IsListedInApps(configuration, installer)) {
    context.ShowMessage(IDS_OTHER_PRODUCTS, {}, kErrorBox);
    return;
  }
  const std::wstring path = apps->ReadString(installer);
  if (path.empty()) {
    context.ShowMessage(IDS_APP_NOT_INSTALLED, DisplayName(installer, false), kErrorBox);
    return;
  }
  const std::wstring server = local ? std::wstring() : context.KernelServerName();

  if (context.ShowMessage(IDS_CLOSE_ALL_APPS, context.ProductName(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;

  RunningKey key;
  key.Write(kRecordName, L"S=" + server);
  INT_PTR result = 0;
  if (IsAdministrator()) {
    result = StartProgram(path, kWaitForServerExit);
  } else {
    const std::wstring question = win::LoadString(IDS_ADMIN_FOR_DICTIONARIES) + win::LoadString(IDS_LAUNCH_AS_ADMIN);
    if (context.ShowText(question, MB_YESNO) != IDYES) {
      key.Remove(kRecordName);
      return;
    }
    result = RunElevated(path, kWaitForServerExit);
    if (result <= 32) result = StartProgram(path, kWaitForServerExit);
  }
  if (result > 32) {
    key.Close();
    if (HWND window = context.MainWindow()) ::SendMessageW(window, WM_CLOSE, 0, 0);
    return;
  }
  key.Remove(kRecordName);
  context.ShowMessage(IDS_LAUNCH_FAILED, win::LoadString(IDS_DICTIONARY_INSTALLER), kErrorBox);
}

}  // namespace suite
