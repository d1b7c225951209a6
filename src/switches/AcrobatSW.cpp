#include "switches/AcrobatSW.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <string_view>

#include "core/ExceptSW.h"
#include "core/LogSink.h"
#include "core/RegistryKey.h"
#include "core/RegistryLayout.h"
#include "suite/FileSearch.h"
#include "switches/FileTransaction.h"
#include "suite/Privileges.h"
#include "win/Handle.h"
#include "win/System.h"

using switches::PluginRecord;

namespace {

constexpr wchar_t kAcrobatTag[] = L"AcrobatSW";
constexpr wchar_t kVersionTag[] = L"AcroVersion";

constexpr wchar_t kAdobeKey[] = L"SOFTWARE\\Adobe";
constexpr wchar_t kInstallPathKey[] = L"InstallPath";
constexpr wchar_t kPlugInsFolder[] = L"plug_ins";
constexpr wchar_t kSuiteFolder[] = L"VNTO9";
constexpr wchar_t kPluginFileName[] = L"AcroXlat.API";
constexpr wchar_t kAcrobatFoldersValue[] = L"Acrobat";
constexpr DWORD kMaxNameBytes = 2048;  // registry names and the Folders value are read into 2048 bytes

struct Product {
  const wchar_t* key;   // below SOFTWARE\Adobe
  const wchar_t* name;  // shown to the user
};
constexpr Product kProducts[] = {{L"Adobe Acrobat", L"Adobe Acrobat"}, {L"Acrobat Reader", L"Adobe Reader"}};

// Where the suite lists the folders it switched on.
constexpr wchar_t kSuiteDataFolder[] = L"Korvelsoft\\VNTO\\9.0\\";
constexpr wchar_t kIniFolder[] = L"Acrobat";
constexpr wchar_t kIniFile[] = L"plugins.ini";
constexpr wchar_t kIniSection[] = L"PLUGINS";

void LogText(const wchar_t* tag, int line, const std::wstring& first, const std::wstring& second,
             const wchar_t* text) noexcept {
  app::Log().Record(tag, line, L"%s#%s#%s", first.c_str(), second.c_str(), text);
}

bool PlugInOpensForReading(const std::wstring& path) noexcept {
  const win::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

// The plug-in opens for reading; one that another program holds open without sharing is there all
// the same.
bool PluginThere(const std::wstring& path) noexcept {
  const win::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() || ::GetLastError() == ERROR_SHARING_VIOLATION;
}

bool IsVersionName(std::wstring_view name) noexcept {
  // Versions 6 to 9: digits and dots only, the first character above "5".
  return !name.empty() && name.front() > L'5' &&
         name.find_first_not_of(L"0123456789.") == std::wstring_view::npos;
}

// The default value of <version>\InstallPath, when it is text.
std::optional<std::wstring> InstallPathOf(const app::RegistryKey& product, const std::wstring& version) {
  const std::optional<app::RegistryKey> installPath =
      product.OpenChild(version + L"\\" + kInstallPathKey, false, reg::kRead);
  if (!installPath || installPath->ValueType(L"") != REG_SZ) return std::nullopt;
  return installPath->ReadString(L"");
}

bool SameText(std::wstring_view a, std::wstring_view b) noexcept {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

std::wstring_view Trimmed(std::wstring_view text) noexcept {
  while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
  while (!text.empty() && std::iswspace(text.back())) text.remove_suffix(1);
  return text;
}

// ---- plugins.ini --------------------------------------------------------------------------------

std::wstring CommonAppDataFolder() {
  wchar_t buffer[MAX_PATH] = {};
  std::wstring folder;
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)))
    folder = buffer;
  if (folder.empty() && win::WindowsMajorVersion() < 5)
    folder = switches::SuiteFolder(reg::kCommonAppDataRootValue);
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  std::wstring upper = folder;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](wchar_t c) { return std::towupper(c); });
  if (upper.find(L"KORVELSOFT\\VNTO\\9.0\\") == std::wstring::npos) folder += kSuiteDataFolder;
  return folder + kIniFolder;
}

// The file's text: UTF-16LE behind its byte-order mark, or else the ANSI code page.
std::optional<std::wstring> ReadText(const std::wstring& path) {
  const win::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
      return std::wstring();  // no entries yet
    return std::nullopt;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > 16LL * 1024 * 1024) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size()))
    return std::nullopt;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
      text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                     (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
    return text;
  }
  if (bytes.empty()) return std::wstring();
  const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

// Writes `text` as UTF-16LE to a temporary file beside `path`, then puts it in place.
bool ReplaceText(const std::wstring& path, const std::wstring& text) {
  const std::wstring temp = path + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
  {
    const win::UniqueFile file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::wstring content = L"\xFEFF" + text;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(content.size() * sizeof(wchar_t));
    if (!::WriteFile(file.get(), content.data(), size, &written, nullptr) || written != size ||
        !::FlushFileBuffers(file.get())) {
      ::DeleteFileW(temp.c_str());
      return false;
    }
  }
  if (!::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(temp.c_str());
    return false;
  }
  return true;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool IsSectionLine(std::wstring_view line) noexcept {
  line = Trimmed(line);
  return !line.empty() && line.front() == L'[';
}

bool IsSection(std::wstring_view line, std::wstring_view name) noexcept {
  line = Trimmed(line);
  if (line.size() < 2 || line.front() != L'[') return false;
  const size_t close = line.find(L']');
  return close != std::wstring_view::npos && SameText(Trimmed(line.substr(1, close - 1)), name);
}

bool IsKey(std::wstring_view line, std::wstring_view key) noexcept {
  const size_t equals = line.find(L'=');
  return equals != std::wstring_view::npos && SameText(Trimmed(line.substr(0, equals)), key);
}

// The files an interrupted switch of ours can leave in the plug-in folder: a copy not yet in place
// and an original waiting aside (numbered when one was there already).
std::vector<std::wstring> LeftoversOf(const std::wstring& folder) {
  std::vector<std::wstring> names;
  const std::wstring plugin = kPluginFileName;
  const std::wstring aside = plugin + std::wstring(switches::FileTransaction::kUndoSuffix);
  WIN32_FIND_DATAW entry{};
  const std::wstring pattern = folder + L"\\" + plugin + L".*";
  if (const win::UniqueFind search(::FindFirstFileW(pattern.c_str(), &entry)); search.valid()) {
    do {
      const std::wstring_view name(entry.cFileName);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const bool setAside = name.size() >= aside.size() && SameText(name.substr(0, aside.size()), aside);
      // "<plug-in>.<process id>.tmp"
      const bool temporary =
          name.size() > plugin.size() + 5 && SameText(name.substr(name.size() - 4), L".tmp") &&
          name.substr(plugin.size() + 1, name.size() - plugin.size() - 5).find_first_not_of(L"0123456789") ==
              std::wstring_view::npos;
      if (setAside || temporary) names.emplace_back(name);
    } while (::FindNextFileW(search.get(), &entry));
  }
  return names;
}

}  // namespace

// ---- CSwitch ------------------------------------------------------------------------------------

bool CAcrobatSW::IsPackagePresent() {
  try {
    pluginFile_.clear();
    pluginFileExists_ = false;
    app::RegistryKey folders;
    if (!folders.Open(HKEY_LOCAL_MACHINE, reg::kFolders, reg::kRead)) return false;
    if (folders.ValueType(kAcrobatFoldersValue) != REG_SZ) {
      LogText(kAcrobatTag, __LINE__, Name(), kAcrobatFoldersValue, L"No key in registry");
      return false;
    }
    std::wstring folder = folders.ReadString(kAcrobatFoldersValue);
    if (folder.size() > kMaxNameBytes / sizeof(wchar_t)) folder.resize(kMaxNameBytes / sizeof(wchar_t));
    pluginFile_ = folder + kPluginFileName;
    pluginFileExists_ = PlugInOpensForReading(pluginFile_);
    if (!pluginFileExists_) LogText(kAcrobatTag, __LINE__, Name(), pluginFile_, L"No AcroPluginFile");
    return pluginFileExists_;
  } catch (...) {
    return switches::Caught(kAcrobatTag, __LINE__, L"CAcrobatSW::IsPackagePresent", false);
  }
}

int CAcrobatSW::CollectPlugins() {
  try {
    installations_ = MergeInstallations(ScanAdobe(HKEY_CURRENT_USER), ScanAdobe(HKEY_LOCAL_MACHINE));
    for (size_t i = 0; i < installations_.size(); ++i) {
      AcrobatVersion& installation = installations_[i];
      installation.index = static_cast<int>(i);
      PluginRecord record;
      record.application = installation.index;
      record.displayName = installation.displayName;
      record.state = installation.present ? switches::kEnabled : switches::kDisabled;
      record.kind = switches::kAcrobat;
      record.productName = Name();
      Stored().push_back(std::move(record));
      if (installation.present)
        LogText(kAcrobatTag, __LINE__, installation.displayName, Name(), L"Plugin present");
    }
    return static_cast<int>(installations_.size());
  } catch (...) {
    return switches::Caught(kAcrobatTag, __LINE__, L"CAcrobatSW::CollectPlugins", 0);
  }
}

int CAcrobatSW::ApplyStates(switches::PluginList& records, int quiet) {
  int failed = 0;
  const std::wstring host = GetHostInfo().name;
  for (AcrobatVersion& installation : installations_) {
    const auto record = std::find_if(records.begin(), records.end(), [&](const PluginRecord& r) {
      return r.application == installation.index;
    });
    if (record == records.end()) continue;
    if (record->state != switches::kEnabled && record->state != switches::kDisabled) continue;
    if (!ApplyOne(*record, quiet, host, [&](PluginRecord& r) { Apply(installation, r); })) ++failed;
  }
  return failed;
}

// ---- Detection ----------------------------------------------------------------------------------

std::vector<AcrobatVersion> CAcrobatSW::ScanAdobe(HKEY root) {
  std::vector<AcrobatVersion> found;
  app::RegistryKey adobe;
  if (!adobe.Open(root, kAdobeKey, reg::kRead)) return found;
  for (const Product& product : kProducts) {
    const std::optional<app::RegistryKey> productKey = adobe.OpenChild(product.key, false, reg::kRead);
    if (!productKey) continue;
    for (DWORD index = 0;; ++index) {
      wchar_t name[kMaxNameBytes / sizeof(wchar_t)] = {};
      DWORD length = static_cast<DWORD>(std::size(name));
      const LSTATUS status =
          ::RegEnumKeyExW(productKey->Handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_MORE_DATA) continue;  // a name too long for any version
      if (status != ERROR_SUCCESS) break;
      const std::wstring version(name, length);
      if (!IsVersionName(version)) continue;
      const std::optional<std::wstring> installPath = InstallPathOf(*productKey, version);
      if (!installPath) continue;
      AcrobatVersion installation;
      installation.displayName = std::wstring(product.name) + L" " + version;
      installation.installPath = *installPath;
      installation.version = version;
      installation.edition = SameText(product.name, L"Adobe Acrobat") ? L"AA" : L"AAR";
      if (CheckInstallation(installation)) found.push_back(std::move(installation));
    }
  }
  return found;
}

bool CAcrobatSW::CheckInstallation(AcrobatVersion& installation) {
  const std::wstring plugIns = installation.installPath + L"\\" + kPlugInsFolder;
  bool exists = false;
  if (!suite::PathExists(plugIns, exists) || !exists) return false;
  installation.pluginFolder = plugIns + L"\\" + kSuiteFolder;
  const std::wstring file = installation.pluginFolder + L"\\" + kPluginFileName;
  LogText(kVersionTag, __LINE__, installation.displayName, file, L"Check File");
  installation.present = PluginThere(file);
  LogText(kVersionTag, __LINE__, installation.displayName, file,
          installation.present ? L"Plugin present(AcroVesion)" : L"No Plugin(AcroVesion)");
  return true;
}

std::vector<AcrobatVersion> CAcrobatSW::MergeInstallations(std::vector<AcrobatVersion> user,
                                                           std::vector<AcrobatVersion> machine) {
  std::vector<AcrobatVersion> list = std::move(user);
  list.insert(list.end(), std::make_move_iterator(machine.begin()), std::make_move_iterator(machine.end()));
  std::stable_sort(list.begin(), list.end(), [](const AcrobatVersion& a, const AcrobatVersion& b) {
    if (a.displayName != b.displayName) return a.displayName > b.displayName;
    return a.installPath > b.installPath;
  });
  for (size_t i = 0; i + 1 < list.size();) {
    AcrobatVersion& first = list[i];
    AcrobatVersion& second = list[i + 1];
    if (first.displayName == second.displayName && first.installPath == second.installPath) {
      // The same installation, registered twice: the later entry stays, and keeps a mark the
      // earlier one had from a namesake before it.
      second.sameName = second.sameName || first.sameName;
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    if (first.displayName == second.displayName) first.sameName = second.sameName = true;
    ++i;
  }
  // Two installations of one version in different folders: the folder tells them apart.
  for (AcrobatVersion& installation : list)
    if (installation.sameName) installation.displayName += L" at " + installation.installPath;
  return list;
}

// ---- plugins.ini --------------------------------------------------------------------------------

std::wstring CAcrobatSW::PluginsIniPath() {
  return CommonAppDataFolder() + L"\\" + kIniFile;
}

bool CAcrobatSW::WritePluginEntry(const std::wstring& key, const std::optional<std::wstring>& value) {
  try {
    const std::wstring folder = CommonAppDataFolder();
    if (value && ::GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !::CreateDirectoryW(folder.c_str(), nullptr))
      return false;
    const std::wstring path = folder + L"\\" + kIniFile;
    const std::optional<std::wstring> text = ReadText(path);
    if (!text) return false;
    std::vector<std::wstring> lines = SplitLines(*text);

    const auto section = std::find_if(lines.begin(), lines.end(),
                                      [](const std::wstring& line) { return IsSection(line, kIniSection); });
    bool changed = false;
    if (section == lines.end()) {
      if (!value) return true;  // nothing to remove
      lines.push_back(std::wstring(L"[") + kIniSection + L"]");
      lines.push_back(key + L"=" + *value);
      changed = true;
    } else {
      auto end = std::find_if(section + 1, lines.end(),
                              [](const std::wstring& line) { return IsSectionLine(line); });
      // A new entry goes after the section's last entry, before the blank lines that close it.
      auto insertAt = end;
      while (insertAt != section + 1 && Trimmed(*(insertAt - 1)).empty()) --insertAt;
      const auto entry =
          std::find_if(section + 1, end, [&](const std::wstring& line) { return IsKey(line, key); });
      if (entry != end) {
        if (value) {
          const std::wstring line = key + L"=" + *value;
          changed = *entry != line;
          *entry = line;
        } else {
          lines.erase(entry);
          changed = true;
        }
      } else if (value) {
        lines.insert(insertAt, key + L"=" + *value);
        changed = true;
      }
    }
    if (!changed) return true;
    std::wstring out;
    for (const std::wstring& line : lines) out += line + L"\r\n";
    return ReplaceText(path, out);
  } catch (...) {
    return switches::Caught(kAcrobatTag, __LINE__, L"CAcrobatSW::WritePluginEntry", false);
  }
}

std::vector<std::wstring> CAcrobatSW::ReadPluginEntries() {
  std::vector<std::wstring> values;
  const std::wstring path = PluginsIniPath();
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return values;
  // The file's size in characters is more than its entries can fill.
  const DWORD size = data.nFileSizeLow + 2;
  std::wstring buffer(size, L'\0');
  const DWORD length = ::GetPrivateProfileSectionW(kIniSection, buffer.data(), size, path.c_str());
  for (size_t start = 0; start < length;) {
    const size_t end = buffer.find(L'\0', start);
    const std::wstring_view entry(buffer.data() + start, (end == std::wstring::npos ? length : end) - start);
    const size_t equals = entry.find(L'=');
    if (equals != std::wstring_view::npos) values.emplace_back(entry.substr(equals + 1));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return values;
}

// ---- Switching ----------------------------------------------------------------------------------

void CAcrobatSW::Apply(AcrobatVersion& installation, const PluginRecord& record) {
  const bool enable = record.state == switches::kEnabled;
  if (enable && !pluginFileExists_) return;  // nothing to copy
  // Files under the program folders are the administrator's: nothing is touched without the rights.
  if (!suite::IsAdministrator())
    switches::Fail(kAcrobatTag, __LINE__, record, L"Fu Standart User", CExceptSW::kNoAdministratorRights);
  if (!CheckInstallation(installation)) {
    // Acrobat's own plug-in folder went since detection: nothing of ours is there, and nothing may
    // be made there.
    installation.present = false;
    if (!enable) return;
    LogText(kAcrobatTag, __LINE__, installation.displayName, Name(), L" Error create dir");
    throw CExceptSW(installation.displayName, Name(), CExceptSW::kNoAdministratorRights, 0);
  }
  if (enable == installation.present) return;
  if (enable) {
    Enable(installation);
  } else {
    Disable(installation);
  }
}

void CAcrobatSW::Enable(AcrobatVersion& installation) {
  const std::wstring& folder = installation.pluginFolder;
  const std::wstring target = folder + L"\\" + kPluginFileName;
  // The folder and the plug-in come together or not at all.
  switches::FileTransaction change;
  LogText(kAcrobatTag, __LINE__, installation.displayName, Name(), L" Before create dir");
  change.CreateFolder(folder);
  LogText(kAcrobatTag, __LINE__, installation.displayName, Name(), L" Before CopyFile");
  // A file of that name that does not open for reading is no plug-in of ours, and stays.
  const bool copied = ::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
                      change.Copy(pluginFile_, target, switches::TemporaryBeside(target)) && change.Apply();
  if (!copied) {
    LogText(kAcrobatTag, __LINE__, installation.displayName, Name(), L" Error CopyFile");
    throw CExceptSW(installation.displayName, Name(), CExceptSW::kNoAdministratorRights, 0);
  }
  change.Keep();
  installation.present = true;
  if (!WritePluginEntry(installation.edition + installation.version, folder))
    LogText(kAcrobatTag, __LINE__, installation.displayName, Name(),
            L"Can't Register addin(can't write in Application Data)");
}

void CAcrobatSW::Disable(AcrobatVersion& installation) {
  const std::wstring& folder = installation.pluginFolder;
  const std::wstring target = folder + L"\\" + kPluginFileName;
  const auto refused = [&](bool readOnly, DWORD cause) {
    app::Log().Record(kAcrobatTag, __LINE__, L"%s#%s#%s#%i", installation.displayName.c_str(), Name().c_str(),
                      readOnly ? L"Error delete file, readonly)" : L"Error delete file, no permissions)",
                      static_cast<int>(cause));
    throw CExceptSW(installation.displayName, Name(),
                    readOnly ? CExceptSW::kGeneralFailure : CExceptSW::kNoAdministratorRights, 0);
  };
  // Only the suite's own files go: the plug-in and what an interrupted switch of ours left beside
  // it. Whatever else lies in the folder is the user's, and keeps the folder.
  switches::FileTransaction change;
  LogText(kAcrobatTag, __LINE__, installation.displayName, Name(), L" Before delete file");
  if (!change.Remove(target)) refused(true, ERROR_ACCESS_DENIED);
  for (const std::wstring& leftover : LeftoversOf(folder))
    if (!change.Remove(folder + L"\\" + leftover)) refused(true, ERROR_ACCESS_DENIED);
  change.RemoveFolderIfEmpty(folder);
  if (!change.Apply()) refused(false, ::GetLastError());
  change.Keep();
  installation.present = false;
  if (!WritePluginEntry(installation.edition + installation.version, std::nullopt))
    LogText(kAcrobatTag, __LINE__, installation.displayName, Name(),
            L"Can't Unregister addin(can't write in Application Data)");
}
