#include "switches/IESW.h"

#include <optional>
#include <string>

#include "core/ExceptSW.h"
#include "core/LogSink.h"
#include "core/RegistryKey.h"
#include "suite/FileSearch.h"
#include "suite/SystemLibrary.h"
#include "win/Handle.h"

using switches::PluginRecord;

namespace {

constexpr wchar_t kIETag[] = L"IESW";
constexpr wchar_t kExplorerKey[] = L"SOFTWARE\\Microsoft\\Internet Explorer";
// Internet Explorer's "Version" is read into 50 bytes, the terminating null included.
constexpr size_t kVersionChars = 50 / sizeof(wchar_t) - 1;

// "8.0.6001.18702" -> "8.0": the text before the second dot.
std::wstring MajorMinor(const std::wstring& version) {
  const size_t first = version.find(L'.');
  if (first == std::wstring::npos) return version;
  const size_t second = version.find(L'.', first + 1);
  return second == std::wstring::npos ? version : version.substr(0, second);
}

}  // namespace

bool CIESW::IsPackagePresent() {
  try {
    const std::wstring folder = switches::SuiteFolder(kFolderValue);
    if (folder.empty()) return false;
    std::wstring name = kAddonFile;
    return suite::FindFileInTree(folder, name);
  } catch (...) {
    return switches::Caught(kIETag, __LINE__, L"CIESW::IsPackagePresent", false);
  }
}

int CIESW::CollectPlugins() {
  try {
    app::RegistryKey explorer;
    if (!explorer.Open(HKEY_LOCAL_MACHINE, kExplorerKey, reg::kRead)) return 0;
    std::wstring version;
    if (explorer.ValueType(L"Version") == REG_SZ) version = explorer.ReadString(L"Version");
    if (version.size() > kVersionChars) version.clear();  // does not fit: the read fails

    app::RegistryKey addon;
    PluginRecord record;
    record.displayName = L"Internet Explorer " + MajorMinor(version);
    record.state = addon.Open(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kAddonClass, reg::kRead)
                       ? switches::kEnabled
                       : switches::kDisabled;
    record.kind = switches::kInternetExplorer;
    record.productName = Name();
    Stored().push_back(std::move(record));
    return static_cast<int>(Stored().size());
  } catch (...) {
    return switches::Caught(kIETag, __LINE__, L"CIESW::CollectPlugins", 0);
  }
}

int CIESW::ApplyStates(switches::PluginList& records, int quiet) {
  if (records.empty()) return 0;
  // One add-on serves every Internet Explorer: the first record decides.
  const bool done = ApplyOne(records.front(), quiet, GetHostInfo().name, [](PluginRecord& record) {
    // The registration is waited for: a table read straight afterwards (a reload after
    // "PLUGINSWITCHED", or switching back at once) must see its result, and a registration that
    // failed is a failure, not a switched add-on. One still running after the wait counts as
    // started, as it would without waiting.
    const std::optional<DWORD> exitCode = switches::RunCommandToEnd(
        RegistrationCommand(record.state != switches::kDisabled), kRegistrationTimeoutMs);
    if (!exitCode || (*exitCode != 0 && *exitCode != STILL_ACTIVE))
      throw CExceptSW(record.displayName, record.productName, CExceptSW::kGeneralFailure, 0);
    app::RegistryKey obsolete;
    std::optional<app::RegistryKey> classes;
    if (obsolete.Create(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kObsoleteClass, KEY_ALL_ACCESS))
      classes = obsolete.OpenParent(KEY_ALL_ACCESS);
    obsolete.Close();
    if (!classes || !classes->DeleteTree(kObsoleteClass, true))
      throw CExceptSW(record.displayName, L"Internet Explorer", CExceptSW::kNoAdministratorRights, 0);
  });
  return done ? 0 : 1;
}

std::wstring CIESW::RegistrationCommand(bool enable) {
  // By its full path: a bare name is looked for in this program's folder and the current folder
  // before the system folder, where a planted copy would run instead, elevated as the plug-ins
  // manager may be.
  const std::wstring tool = suite::SystemFolderFile(L"regsvr32.exe");
  if (tool.empty()) return {};  // nothing starts: a failed registration
  return L"\"" + tool + (enable ? L"\" /s \"" : L"\" /u /s \"") + switches::SuiteFolder(kFolderValue) +
         kAddonFile + L"\"";
}

namespace switches {

namespace {

// The started process, or an empty handle when it could not start.
win::UniqueHandle Start(const std::wstring& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  std::wstring writable = commandLine;  // CreateProcessW may write into the command line
  if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
    app::Log().Line(L"%ls could not start (error %lu)", commandLine.c_str(), ::GetLastError());
    return {};
  }
  const win::UniqueHandle thread(started.hThread);
  return win::UniqueHandle(started.hProcess);
}

}  // namespace

bool RunCommand(const std::wstring& commandLine) {
  return Start(commandLine).valid();
}

std::optional<DWORD> RunCommandToEnd(const std::wstring& commandLine, DWORD timeoutMs) {
  const win::UniqueHandle process = Start(commandLine);
  if (!process.valid()) return std::nullopt;
  if (::WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD exitCode = STILL_ACTIVE;
  if (!::GetExitCodeProcess(process.get(), &exitCode)) return STILL_ACTIVE;
  if (exitCode != 0) app::Log().Line(L"%ls ended with %lu", commandLine.c_str(), exitCode);
  return exitCode;
}

}  // namespace switches
