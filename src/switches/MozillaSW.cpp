#include "switches/MozillaSW.h"

#include <string>
#include <string_view>

#include "core/ExceptSW.h"
#include "core/RegistryKey.h"
#include "suite/FileSearch.h"
#include "suite/Privileges.h"
#include "switches/FileTransaction.h"

using switches::PluginRecord;

namespace {

constexpr wchar_t kMozillaTag[] = L"MozillaSW";
constexpr wchar_t kFirefoxKey[] = L"SOFTWARE\\Mozilla\\Mozilla Firefox";

// Firefox 1.5, 2.0 and every 3.x load extensions through proxy files.
bool SupportedVersion(std::wstring_view keyName) {
  return keyName.starts_with(L"1.5") || keyName.starts_with(L"2.0") || keyName.starts_with(L"3.");
}

bool ComponentFileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadOnlyFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// A read-only proxy file blocks the change with reason 1; anything else needs other rights (2).
[[noreturn]] void Throw(const PluginRecord& record, const std::wstring& proxyFile) {
  const bool readOnly = ReadOnlyFile(proxyFile);
  throw CExceptSW(record.displayName, record.productName,
                  readOnly ? CExceptSW::kGeneralFailure : CExceptSW::kNoAdministratorRights, 0);
}

// The proxy file's content: the folder as 8-bit text without a line end, as Firefox reads it.
std::string ProxyText(const std::wstring& folder) {
  std::string text;
  const int size = ::WideCharToMultiByte(CP_ACP, 0, folder.data(), static_cast<int>(folder.size()), nullptr,
                                         0, nullptr, nullptr);
  if (size > 0) {
    text.resize(static_cast<size_t>(size));
    ::WideCharToMultiByte(CP_ACP, 0, folder.data(), static_cast<int>(folder.size()), text.data(), size,
                          nullptr, nullptr);
  }
  return text;
}

}  // namespace

bool CMozillaSW::IsPackagePresent() {
  try {
    const std::wstring folder = switches::SuiteFolder(kFolderValue);
    if (folder.empty()) return false;
    std::wstring name = kComponentFile;
    return suite::FindFileInTree(folder + L"components", name);
  } catch (...) {
    return switches::Caught(kMozillaTag, __LINE__, L"CMozillaSW::IsPackagePresent", false);
  }
}

int CMozillaSW::CollectPlugins() {
  try {
    ScanFirefox();
    return static_cast<int>(versions_.size());
  } catch (...) {
    return switches::Caught(kMozillaTag, __LINE__, L"CMozillaSW::CollectPlugins", 0);
  }
}

void CMozillaSW::ScanFirefox() {
  versions_.clear();
  app::RegistryKey firefox;
  if (!firefox.Open(HKEY_LOCAL_MACHINE, kFirefoxKey, reg::kRead)) return;
  std::wstring keyName;
  for (DWORD index = 0; firefox.NextSubkey(index, keyName);) {
    if (keyName.size() > MAX_PATH || !SupportedVersion(keyName)) continue;
    app::RegistryKey main;
    if (!main.Open(HKEY_LOCAL_MACHINE, std::wstring(kFirefoxKey) + L"\\" + keyName + L"\\Main", reg::kRead) ||
        main.ValueType(L"Install Directory") != REG_SZ)
      continue;
    std::wstring directory = main.ReadString(L"Install Directory");
    if (directory.size() >= MAX_PATH) continue;  // read into 260 characters: a longer one fails
    if (directory.empty() || directory.back() != L'\\') directory += L'\\';

    FireFoxVersion version{keyName, L"Mozilla Firefox " + keyName, directory,
                           directory + L"extensions\\" + kExtensionId};
    PluginRecord record;
    record.application = static_cast<int>(versions_.size());
    record.displayName = version.displayName;
    record.state = ComponentFileExists(version.proxyFile) ? switches::kEnabled : switches::kDisabled;
    record.kind = switches::kFirefox;
    record.productName = Name();
    versions_.push_back(std::move(version));
    Stored().push_back(std::move(record));
  }
}

int CMozillaSW::ApplyStates(switches::PluginList& records, int quiet) {
  int failed = 0;
  const std::wstring host = GetHostInfo().name;
  for (size_t i = 0; i < versions_.size(); ++i) {
    for (PluginRecord& record : records) {
      if (record.application != static_cast<int>(i)) continue;
      const FireFoxVersion& version = versions_[i];
      if (!ApplyOne(record, quiet, host, [&version](PluginRecord& r) { Apply(version, r); })) ++failed;
      break;
    }
  }
  return failed;
}

void CMozillaSW::Apply(const FireFoxVersion& version, const PluginRecord& record) {
  if (!suite::IsAdministrator())
    throw CExceptSW(record.displayName, record.productName, CExceptSW::kNoAdministratorRights, 0);
  const std::wstring& proxyFile = version.proxyFile;
  // The proxy file is replaced or removed in one step, so Firefox never reads half a path; a
  // read-only one is the user's and stays as it is.
  switches::FileTransaction change;
  bool staged = true;
  if (record.state != switches::kDisabled) {
    staged =
        !ReadOnlyFile(proxyFile) && change.Write(proxyFile, ProxyText(switches::SuiteFolder(kFolderValue)),
                                                 switches::TemporaryBeside(proxyFile));
  } else {
    if (!ComponentFileExists(proxyFile)) return;
    staged = change.Remove(proxyFile);
  }
  if (!staged || !change.Apply()) Throw(record, proxyFile);
  change.Keep();
}
