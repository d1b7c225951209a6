// The messenger switches: QIP Infium (a plug-in copied into the messenger's folder), Skype (a choice
// read by the suite's companion program) and Windows Live Messenger (reported, never switched).
#include <windows.h>
#include <tlhelp32.h>

#include <optional>
#include <string>
#include <vector>

#include "core/ExceptSW.h"
#include "core/Language.h"
#include "core/LogSink.h"
#include "core/RegistryKey.h"
#include "switches/FileTransaction.h"
#include "switches/Messengers.h"
#include "switches/MsnSW.h"
#include "switches/QIPInfiumSW.h"
#include "switches/SkypeSW.h"
#include "win/Handle.h"

using switches::PluginRecord;

namespace {

constexpr wchar_t kQipTag[] = L"QIPInfiumSW";
constexpr wchar_t kSkypeTag[] = L"SkypeSW";
constexpr wchar_t kMsnTag[] = L"MsnSW";
constexpr wchar_t kRegistry[] = L"REGISTRY";
constexpr wchar_t kLiveMessenger[] = L"Windows Live Messenger";

void LogRecord(const wchar_t* tag, int line, std::wstring_view first, std::wstring_view second,
               std::wstring_view text) noexcept {
  try {
    const std::wstring a(first), b(second), c(text);
    app::Log().Record(tag, line, L"%s#%s#%s", a.c_str(), b.c_str(), c.c_str());
  } catch (...) {
    // Out of memory for a log text: the log is a developer aid only.
  }
}

// The detection line of one installed host, a continuation of the switch's records.
void LogInstalled(const std::wstring& displayName) noexcept {
  app::Log().Line(L"\t%s#%s", displayName.c_str(), L"Application Installed");
}

[[noreturn]] void RegistryFailure(const wchar_t* tag, int line, const wchar_t* host, const wchar_t* text) {
  LogRecord(tag, line, host, kRegistry, text);
  throw CExceptSW(host, host, CExceptSW::kNoAdministratorRights, 0);
}

[[noreturn]] void FileFailure(const PluginRecord& record) {
  throw CExceptSW(record.displayName, record.productName, CExceptSW::kGeneralFailure, 0);
}

// Writes one Messengers value in one step. A key this made for a value it could not write goes again.
void WriteChoice(const wchar_t* tag, int line, const wchar_t* host, const wchar_t* value, DWORD number,
                 const wchar_t* openText, const wchar_t* writeText) {
  app::RegistryKey existing;
  const bool existed = existing.Open(HKEY_CURRENT_USER, reg::kMessengers, reg::kRead);
  existing.Close();
  app::RegistryKey messengers;
  if (!messengers.Create(HKEY_CURRENT_USER, reg::kMessengers, reg::kWrite))
    RegistryFailure(tag, line, host, openText);
  if (!messengers.WriteNumber(value, number)) {
    messengers.Close();
    if (!existed) ::RegDeleteKeyW(HKEY_CURRENT_USER, reg::kMessengers);
    RegistryFailure(tag, line, host, writeText);
  }
}

bool OpensForReading(const std::wstring& path) noexcept {
  const win::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

// An install location without its closing separators (and without blanks around it).
std::wstring WithoutSeparator(std::wstring location) {
  while (!location.empty() &&
         (location.back() == L'\\' || location.back() == L'/' || location.back() == L' '))
    location.pop_back();
  location.erase(0, location.find_first_not_of(L' '));
  return location;
}

bool MessengerFileExists(const std::wstring& path) noexcept {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The suite's file of one messenger integration: its Folders value followed by the file name.
// Empty when the value cannot be read.
std::wstring PackageFile(const wchar_t* tag, const wchar_t* folderValue, const wchar_t* host,
                         const wchar_t* file) {
  try {
    return switches::ReadMessengerFolder(tag, folderValue, host) + file;
  } catch (const CExceptSW&) {
    return {};
  }
}

// The Messengers value `name`, when the key opens and the value exists.
std::optional<DWORD> MessengerChoice(const wchar_t* name) {
  app::RegistryKey messengers;
  if (!messengers.Open(HKEY_CURRENT_USER, reg::kMessengers, reg::kRead) || !messengers.ValueExists(name))
    return std::nullopt;
  return messengers.ReadNumber(name, 0);
}

void AppendRecords(switches::PluginList& stored, const std::vector<switches::UninstallEntry>& entries,
                   int state, int kind, const std::wstring& product) {
  for (const switches::UninstallEntry& entry : entries) {
    PluginRecord record;
    record.displayName = entry.displayName;
    record.state = state;
    record.kind = kind;
    record.productName = product;
    stored.push_back(std::move(record));
    LogInstalled(entry.displayName);
  }
}

// The matching entries of one hive's list of installed programs.
std::vector<switches::UninstallEntry> UninstallEntriesOf(HKEY hive, std::wstring_view fragment) {
  std::vector<switches::UninstallEntry> entries;
  app::RegistryKey uninstall;
  if (!uninstall.Open(hive, switches::kUninstallKey, reg::kRead)) return entries;
  std::wstring name;
  for (DWORD index = 0; uninstall.NextSubkey(index, name);) {
    app::RegistryKey program;
    if (!program.Open(hive, std::wstring(switches::kUninstallKey) + L"\\" + name, reg::kRead)) continue;
    std::wstring displayName = program.ReadString(L"DisplayName");
    if (displayName.find(fragment) == std::wstring::npos) continue;
    entries.push_back({std::move(displayName), program.ReadString(L"DisplayVersion"),
                       program.ReadString(L"InstallLocation")});
  }
  return entries;
}

}  // namespace

// ---- Shared ---------------------------------------------------------------------------------------

namespace switches {

std::vector<UninstallEntry> FindUninstallEntries(std::wstring_view fragment) {
  std::vector<UninstallEntry> entries = UninstallEntriesOf(HKEY_LOCAL_MACHINE, fragment);
  if (entries.empty()) entries = UninstallEntriesOf(HKEY_CURRENT_USER, fragment);
  return entries;
}

std::wstring ReadMessengerFolder(const wchar_t* sourceTag, std::wstring_view valueName,
                                 std::wstring_view hostName) {
  const std::wstring host(hostName);
  app::RegistryKey folders;
  if (!folders.Open(HKEY_LOCAL_MACHINE, reg::kFolders, reg::kRead))
    RegistryFailure(sourceTag, __LINE__, host.c_str(), L"Error open HKEY_LOCAL_MACHINE");
  std::wstring folder = folders.ReadString(valueName);
  if (folder.size() > MAX_PATH) folder.resize(MAX_PATH);  // the installer's records are paths of at most 260
  if (folder.empty()) RegistryFailure(sourceTag, __LINE__, host.c_str(), L"Error read plugin folder");
  return folder;
}

bool IsProcessRunning(std::wstring_view imageName) noexcept {
  const win::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid() || snapshot.get() == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W process{};
  process.dwSize = sizeof(process);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &process); more;
       more = ::Process32NextW(snapshot.get(), &process)) {
    std::wstring_view executable(process.szExeFile);
    const size_t separator = executable.find_last_of(L"\\/");
    if (separator != std::wstring_view::npos) executable.remove_prefix(separator + 1);
    if (executable == imageName) return true;
  }
  return false;
}

bool PathPresent(const std::wstring& path) noexcept {
  try {
    WIN32_FIND_DATAW found{};
    const win::UniqueFind search(::FindFirstFileW((path + L"*").c_str(), &found));
    return search.valid();
  } catch (...) {
    return switches::Caught(kQipTag, __LINE__, L"PathPresent", false);
  }
}

}  // namespace switches

// ---- QIP Infium -----------------------------------------------------------------------------------

bool CQIPInfiumSW::IsPackagePresent() {
  try {
    pluginFile_ = PackageFile(kQipTag, kFolderValue, L"QIP Infium", kPluginFile);
    pluginPresent_ = !pluginFile_.empty() && OpensForReading(pluginFile_);
    return pluginPresent_;
  } catch (...) {
    return switches::Caught(kQipTag, __LINE__, L"CQIPInfiumSW::IsPackagePresent", false);
  }
}

int CQIPInfiumSW::CollectPlugins() {
  try {
    std::vector<switches::UninstallEntry> entries = switches::FindUninstallEntries(L"QIP Infium");
    // An entry without an install location names no folder to put the plug-in in (an empty one
    // would be the root of the current drive): it is not listed.
    std::erase_if(entries, [](const switches::UninstallEntry& e) {
      return WithoutSeparator(e.installLocation).empty();
    });
    if (entries.empty()) return 0;
    // A missing choice means off.
    const int state =
        MessengerChoice(switches::kQipValue).value_or(0) != 0 ? switches::kEnabled : switches::kDisabled;
    AppendRecords(Stored(), entries, state, switches::kQipInfium, Name());
    installLocation_ = entries.back().installLocation;
    return static_cast<int>(Stored().size());
  } catch (...) {
    return switches::Caught(kQipTag, __LINE__, L"CQIPInfiumSW::CollectPlugins", 0);
  }
}

int CQIPInfiumSW::ApplyStates(switches::PluginList& records, int quiet) {
  if (records.empty()) return 0;
  // One plug-in serves the messenger: the first record decides.
  const bool done = ApplyOne(records.front(), quiet, GetHostInfo().name, [this](PluginRecord& record) {
    const std::wstring location = WithoutSeparator(installLocation_);
    const std::wstring plugins = location + L"\\Plugins\\";
    // An installation without a Plugins folder (or without a location) is left as it is; switching
    // on there did nothing, so it failed.
    if (location.empty() || !switches::PathPresent(plugins)) {
      if (record.state != switches::kDisabled) FileFailure(record);
      // Nothing to remove, but the choice must say off, or the next detection shows it on again.
      WriteChoice(kQipTag, __LINE__, L"QIP Infium", switches::kQipValue, 0, L"Failed to open  Messengers",
                  L"Failed to write QIP Infium key");
      return;
    }
    const std::wstring target = plugins + kLibraryBase;
    const std::wstring plugin = target + L"\\" + kPluginFile;
    const std::wstring libraryName = app::ResourceLibraryName(kLibraryBase);
    const std::wstring library = libraryName.empty() ? std::wstring() : target + L"\\" + libraryName;

    // The files change together; the choice is written last, and a failure to write it takes
    // the files back.
    switches::FileTransaction change;
    const bool enable = record.state != switches::kDisabled;
    if (enable)
      StageInstall(change, record, target, plugin, library);
    else
      StageUninstall(change, record, target, plugin, library);
    if (!change.Apply()) FileFailure(record);
    const bool installed = enable && switches::PathPresent(target + L"\\") && MessengerFileExists(library) &&
                           MessengerFileExists(plugin);
    WriteChoice(kQipTag, __LINE__, L"QIP Infium", switches::kQipValue, installed ? 1 : 0,
                L"Failed to open  Messengers", L"Failed to write QIP Infium key");
    change.Keep();
  });
  return done ? 0 : 1;
}

void CQIPInfiumSW::StageInstall(switches::FileTransaction& change, const PluginRecord& record,
                                const std::wstring& target, const std::wstring& plugin,
                                const std::wstring& library) const {
  const std::wstring source = switches::ReadMessengerFolder(kQipTag, kFolderValue, L"QIP Infium");
  if (source.empty()) return;
  // The language library beside the plug-in, else in the suite's language folder.
  std::wstring libraryFrom = app::ResourceLibraryPath(kLibraryBase, source);
  if (!libraryFrom.empty() && !MessengerFileExists(libraryFrom))
    libraryFrom = app::ResourceLibraryPath(kLibraryBase, L"");
  if (library.empty() || libraryFrom.empty()) FileFailure(record);
  change.CreateFolder(target);
  if (!change.Copy(source + kPluginFile, plugin, switches::TemporaryBeside(plugin)) ||
      !change.Copy(libraryFrom, library, switches::TemporaryBeside(library)))
    FileFailure(record);
}

void CQIPInfiumSW::StageUninstall(switches::FileTransaction& change, const PluginRecord& record,
                                  const std::wstring& target, const std::wstring& plugin,
                                  const std::wstring& library) {
  // The running messenger holds its plug-in: only the choice is recorded, the files go next time.
  if (switches::IsProcessRunning(kMessengerImage)) return;
  if (!change.Remove(plugin) || (!library.empty() && !change.Remove(library))) FileFailure(record);
  change.RemoveFolderIfEmpty(target);
}

// ---- Skype ----------------------------------------------------------------------------------------

bool CSkypeSW::IsPackagePresent() {
  try {
    companionFile_ = PackageFile(kSkypeTag, kFolderValue, L"Skype", kCompanionFile);
    companionPresent_ = !companionFile_.empty() && OpensForReading(companionFile_);
    return companionPresent_;
  } catch (...) {
    return switches::Caught(kSkypeTag, __LINE__, L"CSkypeSW::IsPackagePresent", false);
  }
}

int CSkypeSW::CollectPlugins() {
  try {
    // A missing choice means on.
    const int state =
        MessengerChoice(switches::kSkypeValue).value_or(1) != 0 ? switches::kEnabled : switches::kDisabled;
    AppendRecords(Stored(), switches::FindUninstallEntries(L"Skype"), state, switches::kSkype, Name());
    return static_cast<int>(Stored().size());
  } catch (...) {
    return switches::Caught(kSkypeTag, __LINE__, L"CSkypeSW::CollectPlugins", 0);
  }
}

int CSkypeSW::ApplyStates(switches::PluginList& records, int quiet) {
  if (records.empty()) return 0;
  const bool done = ApplyOne(records.front(), quiet, GetHostInfo().name, [](PluginRecord& record) {
    WriteChoice(kSkypeTag, __LINE__, L"Skype", switches::kSkypeValue, static_cast<DWORD>(record.state),
                L"Failed to read  Messengers", L"Failed to write Skype key");
  });
  return done ? 0 : 1;
}

// ---- Windows Live Messenger -----------------------------------------------------------------------

bool CMsnSW::IsPackagePresent() {
  try {
    helpFile_ = PackageFile(kMsnTag, kFolderValue, kLiveMessenger, kHelpFile);
    helpPresent_ = !helpFile_.empty() && OpensForReading(helpFile_);
    return helpPresent_;
  } catch (...) {
    return switches::Caught(kMsnTag, __LINE__, L"CMsnSW::IsPackagePresent", false);
  }
}

int CMsnSW::CollectPlugins() {
  try {
    app::RegistryKey messenger;
    if (!messenger.Open(HKEY_CURRENT_USER, switches::kLiveMessengerKey, reg::kRead)) {
      LogRecord(kMsnTag, __LINE__, kLiveMessenger, kRegistry, L"Windows Live Messenger isn't installed");
      return 0;
    }
    PluginRecord record;
    record.displayName = kLiveMessenger;
    record.state = switches::kNotSwitchable;
    record.kind = switches::kLiveMessenger;
    record.productName = Name();
    Stored().push_back(std::move(record));
    LogInstalled(kLiveMessenger);
    return 1;
  } catch (...) {
    return switches::Caught(kMsnTag, __LINE__, L"CMsnSW::CollectPlugins", 0);
  }
}
