#include "switches/OpenOfficeSW.h"

#include <windows.h>
#include <shlobj.h>

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "core/ExceptSW.h"
#include "core/LogSink.h"
#include "core/RegistryKey.h"
#include "core/RegistryLayout.h"
#include "suite/FileSearch.h"
#include "switches/FileTransaction.h"
#include "switches/OpenOfficeFiles.h"
#include "switches/ooo/OooMerge.h"
#include "switches/ooo/SuiteEvents.h"
#include "win/Handle.h"
#include "win/System.h"

using switches::PluginRecord;

namespace {

constexpr wchar_t kOpenOfficeTag[] = L"OpenOfficeSW";
constexpr wchar_t kOpenOfficeKey[] = L"SOFTWARE\\OpenOffice.org\\OpenOffice.org";
constexpr wchar_t kOpenOfficeFoldersValue[] = L"OpenOffice";
constexpr wchar_t kBridgeFile[] = L"WrtBridge.dll";
constexpr wchar_t kDisplayName[] = L"OpenOffice.org Writer ";
constexpr DWORD kMaxVersionName = MAX_PATH;

constexpr COpenOfficeSW::ProfileFolders kVersion2 = {
    L"\\OpenOffice.org2\\user\\registry\\data\\org\\openoffice\\Office",
    L"\\OpenOffice.org2\\user\\basic",
    L"\\OpenOffice.org2\\user\\registry\\data\\org\\openoffice\\Office\\UI",
    L"\\OpenOffice.org2\\user\\config\\soffice.cfg\\modules\\swriter\\accelerator",
};
constexpr COpenOfficeSW::ProfileFolders kVersion3 = {
    L"\\OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office",
    L"\\OpenOffice.org\\3\\user\\basic",
    L"\\OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\UI",
    L"\\OpenOffice.org\\3\\user\\config\\soffice.cfg\\modules\\swriter\\accelerator",
};

constexpr wchar_t kMarker[] = L"\\Addons.xcu.old";
constexpr wchar_t kEvents[] = L"\\Events.xcu";
constexpr wchar_t kEventsTemp[] = L"\\EventsTemp.xcu";
// The user's own Events.xcu while the suite's is in place (and its temporary file).
constexpr wchar_t kEventsKept[] = L"\\Events.xcu.user";
constexpr wchar_t kEventsKeptTemp[] = L"\\Events.xcu.user.tmp";
constexpr wchar_t kLibraryList[] = L"\\script.xlc";
// The library list as it was before switching on.
constexpr wchar_t kBackupSuffix[] = L".old";
constexpr wchar_t kLibraryFolder[] = L"\\Vanto";
// The suite's Basic library: template name below the suite folder, file name below the profile's
// Basic folder.
constexpr const wchar_t* kLibraryFiles[] = {L"Icons.xba", L"Module1.xba", L"script.xlb"};

constexpr wchar_t kRegisterFailed[] = L"Can't register addin";
constexpr wchar_t kUnregisterFailed[] = L"Can't unregister addin";
constexpr wchar_t kMarkerNotDeleted[] = L"Can't delete Addons.xcu.old";
constexpr wchar_t kNoProfile[] = L"No records in Application Data";
constexpr wchar_t kNoBasicFolder[] = L"GetFileAttributes(strScripts) != FILE_ATTRIBUTE_DIRECTORY";

void LogText(int line, const PluginRecord& record, const wchar_t* text) noexcept {
  app::Log().Record(kOpenOfficeTag, line, L"%s#%s#%s", record.displayName.c_str(), record.productName.c_str(),
                    text);
}

// A merge that fails has nothing to add to the log: the record's message says enough.
[[noreturn]] void MergeFailed(const PluginRecord& record) {
  throw CExceptSW(record.displayName, record.productName, CExceptSW::kGeneralFailure, 0);
}

// Any error inside a merge (out of memory on a huge file) is a failed merge; the files it had
// open are closed by then.
template <class Merge>
bool Merged(Merge merge) noexcept {
  try {
    return merge();
  } catch (...) {
    return switches::Caught(kOpenOfficeTag, __LINE__, L"Merging a profile file", false);
  }
}

}  // namespace

// ---- Profile ------------------------------------------------------------------------------------

const COpenOfficeSW::ProfileFolders& COpenOfficeSW::FoldersFor(std::wstring_view displayName) noexcept {
  std::wstring_view version = displayName;
  if (version.substr(0, std::size(kDisplayName) - 1) == kDisplayName)
    version.remove_prefix(std::size(kDisplayName) - 1);
  return !version.empty() && version.front() == L'2' ? kVersion2 : kVersion3;
}

std::wstring COpenOfficeSW::ApplicationData() {
  wchar_t buffer[MAX_PATH] = {};
  std::wstring folder;
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)))
    folder = buffer;
  if (folder.empty() && win::WindowsMajorVersion() < 5)
    folder = switches::SuiteFolder(reg::kCommonAppDataRootValue);
  // The profile folders are appended with their own leading separator.
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

// The marker's presence, whoever has it open: a marker held by another program still means on.
bool COpenOfficeSW::IsEnabledIn(const std::wstring& officeFolder) {
  return ooo::FileExists(officeFolder + kMarker);
}

// ---- CSwitch ------------------------------------------------------------------------------------

bool COpenOfficeSW::IsPackagePresent() {
  try {
    const std::wstring folder = switches::SuiteFolder(kOpenOfficeFoldersValue);
    std::wstring name = kBridgeFile;
    return !folder.empty() && suite::FindFileInTree(folder, name);
  } catch (...) {
    return switches::Caught(kOpenOfficeTag, __LINE__, L"COpenOfficeSW::IsPackagePresent", false);
  }
}

int COpenOfficeSW::CollectPlugins() {
  try {
    Scan(HKEY_LOCAL_MACHINE);
    Scan(HKEY_CURRENT_USER);
    return static_cast<int>(Stored().size());
  } catch (...) {
    return switches::Caught(kOpenOfficeTag, __LINE__, L"COpenOfficeSW::CollectPlugins", 0);
  }
}

void COpenOfficeSW::Scan(HKEY root) {
  app::RegistryKey versions;
  if (!versions.Open(root, kOpenOfficeKey, reg::kRead)) return;
  DWORD count = 0;
  if (::RegQueryInfoKeyW(versions.Handle(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  const std::wstring appData = ApplicationData();
  for (DWORD index = 0; index < count; ++index) {
    wchar_t name[kMaxVersionName + 1] = {};
    DWORD length = kMaxVersionName + 1;
    if (::RegEnumKeyExW(versions.Handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      continue;  // a name too long for a version, or a key removed meanwhile
    const std::wstring version(name, length);
    if (version.empty() || (version.front() != L'2' && version.front() != L'3')) continue;
    PluginRecord record;
    record.displayName = kDisplayName + version;
    record.kind = switches::kOpenOffice;
    record.productName = Name();
    const std::wstring office = appData + FoldersFor(record.displayName).office;
    // A version never started by this user has no profile yet: listed once, switched off.
    record.state = ooo::IsDirectory(office) && IsEnabledIn(office) ? switches::kEnabled : switches::kDisabled;
    Stored().push_back(std::move(record));
  }
}

int COpenOfficeSW::ApplyStates(switches::PluginList& records, int quiet) {
  int failed = 0;
  const std::wstring host = GetHostInfo().name;
  for (PluginRecord& record : records)
    if (!ApplyOne(record, quiet, host, [this](PluginRecord& r) { Apply(r); })) ++failed;
  return failed;
}

// ---- Switching ----------------------------------------------------------------------------------

std::wstring COpenOfficeSW::Template(const wchar_t* name) {
  return switches::SuiteFolder(kOpenOfficeFoldersValue) + L"OOInst\\" + name;
}

void COpenOfficeSW::Apply(const PluginRecord& record) {
  const ProfileFolders& folders = FoldersFor(record.displayName);
  const std::wstring appData = ApplicationData();
  const std::wstring office = appData + folders.office;
  const bool enable = record.state == switches::kEnabled;
  if (!ooo::IsDirectory(office)) {
    LogText(__LINE__, record, kNoProfile);
    // A version never started has no profile to take the integration: switching on did nothing.
    if (enable) MergeFailed(record);
    return;
  }
  if (enable == IsEnabledIn(office)) return;
  if (enable) {
    Enable(record, appData, folders);
  } else {
    Disable(record, appData, folders);
  }
}

namespace {

// The changes of one switch-over, staged before any takes effect. Every profile file it will
// change is read first; a file that cannot be read or taken apart fails the switch-over while the
// profile is still as it was.
class Staging {
 public:
  Staging(const PluginRecord& record, const wchar_t* failure) : record_(record), failure_(failure) {}

  // Logs the record's failure (or `text`) and throws; the transaction, not kept, undoes what it did.
  [[noreturn]] void Fail(int line, const wchar_t* text = nullptr) const {
    switches::Fail(kOpenOfficeTag, line, record_, text ? text : failure_, CExceptSW::kGeneralFailure);
  }

  // A profile file that a merge rewrites; one that cannot be read fails the merge.
  [[nodiscard]] std::string MergeInput(const std::wstring& path) const {
    std::string bytes;
    if (!Merged([&] { return ooo::ReadProfileFile(path, bytes); })) MergeFailed(record_);
    return bytes;
  }
  [[nodiscard]] std::string TemplateBytes(const std::wstring& path) const {
    std::string bytes;
    if (!ooo::ReadTemplateFile(path, bytes)) MergeFailed(record_);
    return bytes;
  }
  // A merge's result: no value is a file the merge refuses.
  template <class F>
  [[nodiscard]] std::string Merge(F merge) const {
    std::optional<std::string> text;
    if (!Merged([&] {
          text = merge();
          return text.has_value();
        }))
      MergeFailed(record_);
    return std::move(*text);
  }

  // `bytes` as the new content of `path`, unless it holds them already (`old`, when it exists).
  void Write(const std::wstring& path, const std::string* old, std::string_view bytes,
             const std::wstring& temp) {
    if (old && *old == bytes) return;
    if (!changes_.Write(path, bytes, temp)) Fail(__LINE__);
  }
  void Copy(const std::wstring& source, const std::wstring& path, const std::wstring& temp) {
    if (!changes_.Copy(source, path, temp)) Fail(__LINE__);
  }
  void Remove(const std::wstring& path, const wchar_t* failure = nullptr) {
    if (!changes_.Remove(path)) Fail(__LINE__, failure);
  }
  switches::FileTransaction& Changes() noexcept { return changes_; }
  void Apply() {
    if (!changes_.Apply()) Fail(__LINE__);
  }

 private:
  const PluginRecord& record_;
  const wchar_t* const failure_;
  switches::FileTransaction changes_;
};

// Addons.xcu or WriterWindowState.xcu when switching on: the user's file merged, or the template
// as the whole file when there is none. The content that the profile will hold.
template <class Merge>
std::string StageXcu(Staging& staging, const std::wstring& folder, const wchar_t* name,
                     const wchar_t* tempName, const std::string& templ, Merge merge) {
  const std::wstring file = folder + L"\\" + name;
  const std::wstring temp = folder + L"\\" + tempName;
  if (!ooo::FileExists(file)) {
    if (!ooo::IsDirectory(folder)) staging.Changes().CreateFolder(folder);
    staging.Write(file, nullptr, templ, temp);
    return templ;
  }
  const std::string bytes = staging.MergeInput(file);
  std::string text = staging.Merge([&] { return merge(bytes); });
  staging.Write(file, &bytes, text, temp);
  return text;
}

// Addons.xcu merged: no value when the merge refuses the file; the file itself when it is merged.
std::optional<std::string> MergedAddons(const std::string& bytes, const std::string& templ) {
  ooo::AddonsMerge merged = ooo::EnableAddons(bytes, templ);
  switch (merged.outcome) {
    case ooo::AddonsMerge::Outcome::kMerged: return std::move(merged.text);
    case ooo::AddonsMerge::Outcome::kAlreadyMerged: return bytes;
    case ooo::AddonsMerge::Outcome::kRefused: break;
  }
  return std::nullopt;
}

// A profile file when switching off: what switching on added taken out. A missing file has
// nothing to give up.
template <class Unmerge>
void StageUnmerge(Staging& staging, const std::wstring& file, const std::wstring& temp, Unmerge unmerge) {
  if (!ooo::FileExists(file)) return;
  const std::string bytes = staging.MergeInput(file);
  staging.Write(file, &bytes, staging.Merge([&] { return unmerge(bytes); }), temp);
}

// The suite's Events.xcu in place of the user's, which is kept beside it.
void PlaceEvents(Staging& staging, const std::wstring& officeFolder, const std::wstring& suiteEvents) {
  const std::wstring events = officeFolder + kEvents;
  const std::wstring kept = officeFolder + kEventsKept;
  std::string suite;
  // Without the suite's file there is nothing to put in place, and the user's stays as it is.
  if (!ooo::ReadTemplateFile(suiteEvents, suite)) return;
  if (ooo::FileExists(events)) {
    std::string own;
    if (!ooo::ReadProfileFile(events, own)) staging.Fail(__LINE__);
    // The suite's own file in place (switched on before): the user's is kept already and stays.
    if (own == suite) return;
    staging.Write(kept, nullptr, own, officeFolder + kEventsKeptTemp);
    staging.Write(events, &own, suite, officeFolder + kEventsTemp);
    return;
  }
  // A kept file from before while the user has none now: switching off must not bring it back.
  staging.Remove(kept);
  staging.Write(events, nullptr, suite, officeFolder + kEventsTemp);
}

// The user's Events.xcu back in place of the suite's.
void PutBackUserEvents(Staging& staging, const std::wstring& officeFolder, const std::wstring& suiteEvents) {
  const std::wstring events = officeFolder + kEvents;
  const std::wstring kept = officeFolder + kEventsKept;
  if (!ooo::FileExists(kept)) {
    // Nothing set aside: the suite's file goes, or OpenOffice.org would run a macro no longer there.
    // A file that is not the suite's stays: the user's own, never set aside because switching on
    // found no suite file to put in its place, or one the user made since.
    if (!ooo::FileExists(events)) return;
    std::string current;
    if (!ooo::ReadProfileFile(events, current)) staging.Fail(__LINE__);
    std::string suite;
    if ((ooo::ReadTemplateFile(suiteEvents, suite) && current == suite) || ooo::BindsOnlySuiteMacros(current))
      staging.Remove(events);
    return;
  }
  std::string own;
  if (!ooo::ReadProfileFile(kept, own)) staging.Fail(__LINE__);
  staging.Write(events, nullptr, own, officeFolder + kEventsTemp);
  staging.Remove(kept);
}

}  // namespace

void COpenOfficeSW::Enable(const PluginRecord& record, const std::wstring& appData,
                           const ProfileFolders& folders) {
  Staging staging(record, kRegisterFailed);
  const std::wstring office = appData + folders.office;
  const std::string addonsTemplate = staging.TemplateBytes(Template(L"Addons.xcu"));
  const std::string addons =
      StageXcu(staging, office, L"Addons.xcu", L"AddonsTemp.xcu", addonsTemplate,
               [&](const std::string& bytes) { return MergedAddons(bytes, addonsTemplate); });
  // The marker says the suite's nodes are in Addons.xcu; a file without them (a template that
  // lacks them) is no integration.
  if (!ooo::HoldsSuiteNodes(addons)) staging.Fail(__LINE__);

  const std::string windowState = staging.TemplateBytes(Template(L"WriterWindowState.xcu"));
  (void)StageXcu(staging, appData + folders.ui, L"WriterWindowState.xcu", L"WriterWindowStateTemp.xcu",
                 windowState,
                 [&](const std::string& bytes) { return ooo::EnableWindowState(bytes, windowState); });

  const std::string accelerators = staging.TemplateBytes(Template(L"Accel.xml"));
  for (const ooo::AcceleratorFile& language : ooo::AcceleratorFiles(appData + folders.accelerators)) {
    const std::string bytes = staging.MergeInput(language.file);
    staging.Write(language.file, &bytes,
                  staging.Merge([&] { return ooo::EnableAccelerators(bytes, accelerators); }),
                  language.folder + L"\\currentTemp.xml");
  }

  PlaceEvents(staging, office, Template(L"Events.xcu"));

  const std::wstring basic = appData + folders.basic;
  if (!ooo::IsDirectory(basic)) {
    LogText(__LINE__, record, kNoBasicFolder);
  } else {
    const std::wstring library = basic + kLibraryFolder;
    if (!ooo::IsDirectory(library)) staging.Changes().CreateFolder(library);
    for (const wchar_t* file : kLibraryFiles)
      staging.Copy(Template((std::wstring(L"Vanto\\") + file).c_str()), library + L"\\" + file,
                   library + L"\\" + file + L".tmp");

    // The library list, when the profile has one; the untouched original is kept as its ".old"
    // companion, and only when the entry goes in now, so the backup never holds the suite's entry.
    const std::wstring list = basic + kLibraryList;
    if (ooo::FileExists(list)) {
      std::string bytes, templ;
      if (!ooo::ReadProfileFile(list, bytes) || !ooo::ReadTemplateFile(Template(L"script.xlc"), templ))
        staging.Fail(__LINE__);
      const std::string merged = staging.Merge([&] { return ooo::EnableLibraries(bytes, templ); });
      if (merged != bytes) {
        staging.Write(list + kBackupSuffix, nullptr, bytes, list + kBackupSuffix + L".tmp");
        staging.Write(list, &bytes, merged, list + L".tmp");
      }
    }
  }

  staging.Apply();
  // The marker last: the profile reads as switched on only once everything else is in place.
  // Failing here throws, and the transaction puts every file back.
  const std::wstring markerPath = office + kMarker;
  const win::UniqueFile marker(::CreateFileW(markerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!marker && !ooo::FileExists(markerPath)) staging.Fail(__LINE__);
  staging.Changes().Keep();
}

void COpenOfficeSW::Disable(const PluginRecord& record, const std::wstring& appData,
                            const ProfileFolders& folders) {
  Staging staging(record, kUnregisterFailed);
  const std::wstring office = appData + folders.office;
  // The marker first: from the first change on, the profile no longer reads as switched on.
  staging.Remove(office + kMarker, kMarkerNotDeleted);
  StageUnmerge(staging, office + L"\\Addons.xcu", office + L"\\AddonsTemp.xcu",
               [](const std::string& bytes) { return ooo::DisableAddons(bytes); });
  const std::wstring ui = appData + folders.ui;
  StageUnmerge(staging, ui + L"\\WriterWindowState.xcu", ui + L"\\WriterWindowStateTemp.xcu",
               [](const std::string& bytes) { return ooo::DisableWindowState(bytes); });
  for (const ooo::AcceleratorFile& language : ooo::AcceleratorFiles(appData + folders.accelerators))
    StageUnmerge(staging, language.file, language.folder + L"\\currentTemp.xml",
                 [](const std::string& bytes) { return ooo::DisableAccelerators(bytes); });

  PutBackUserEvents(staging, office, Template(L"Events.xcu"));

  const std::wstring basic = appData + folders.basic;
  if (!ooo::IsDirectory(basic)) {
    LogText(__LINE__, record, kNoBasicFolder);
  } else {
    // Library files already gone are no failure; a user's own file in the folder keeps it.
    const std::wstring library = basic + kLibraryFolder;
    for (const wchar_t* file : kLibraryFiles) staging.Remove(library + L"\\" + file);
    staging.Changes().RemoveFolderIfEmpty(library);

    const std::wstring list = basic + kLibraryList;
    if (ooo::FileExists(list)) {
      std::string bytes;
      if (!ooo::ReadProfileFile(list, bytes)) staging.Fail(__LINE__);
      staging.Write(list, &bytes, staging.Merge([&] { return ooo::DisableLibraries(bytes); }),
                    list + L".tmp");
    }
    // The backup made when switching on goes with the integration; a user who deleted it can still
    // switch off.
    staging.Remove(list + kBackupSuffix);
  }

  staging.Apply();
  staging.Changes().Keep();
}
