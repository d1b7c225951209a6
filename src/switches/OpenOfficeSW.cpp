#include "switches/OpenOfficeSW.h"

#include <windows.h>
#include <shlobj.h>

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "app/ExceptSW.h"
#include "app/LogSink.h"
#include "app/RegistryKey.h"
#include "app/RegistryLayout.h"
#include "suite/FileSearch.h"
#include "switches/OpenOfficeFiles.h"
#include "switches/ooo/OooMerge.h"
#include "win/Handle.h"
#include "win/System.h"

using switches::PluginRecord;

namespace {

constexpr wchar_t kSourceTag[] = L"OpenOfficeSW";
constexpr wchar_t kOpenOfficeKey[] = L"SOFTWARE\\OpenOffice.org\\OpenOffice.org";
constexpr wchar_t kFoldersValue[] = L"OpenOffice";
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
  app::Log().Record(kSourceTag, line, L"%s#%s#%s", record.displayName.c_str(), record.productName.c_str(), text);
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
    return switches::Caught(kSourceTag, __LINE__, L"Merging a profile file", false);
  }
}

bool OpensExclusively(const std::wstring& path) noexcept {
  const win::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

bool FileExists(const std::wstring& path) noexcept {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
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
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) folder = buffer;
  if (folder.empty() && win::WindowsMajorVersion() < 5) folder = switches::SuiteFolder(reg::kCommonAppDataRootValue);
  // The profile folders are appended with their own leading separator.
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

bool COpenOfficeSW::IsEnabledIn(const std::wstring& officeFolder) { return OpensExclusively(officeFolder + kMarker); }

// ---- CSwitch ------------------------------------------------------------------------------------

bool COpenOfficeSW::IsPackagePresent() {
  try {
    const std::wstring folder = switches::SuiteFolder(kFoldersValue);
    std::wstring name = kBridgeFile;
    return !folder.empty() && suite::FindFileInTree(folder, name);
  } catch (...) {
    return switches::Caught(kSourceTag, __LINE__, L"COpenOfficeSW::IsPackagePresent", false);
  }
}

int COpenOfficeSW::CollectPlugins() {
  try {
    Scan(HKEY_LOCAL_MACHINE);
    Scan(HKEY_CURRENT_USER);
    return static_cast<int>(Stored().size());
  } catch (...) {
    return switches::Caught(kSourceTag, __LINE__, L"COpenOfficeSW::CollectPlugins", 0);
  }
}

void COpenOfficeSW::Scan(HKEY root) {
  app::RegistryKey versions;
  if (!versions.Open(root, kOpenOfficeKey, reg::kRead)) return;
  DWORD count = 0;
  if (::RegQueryInfoKeyW(versions.Handle(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  const std::wstring appData = ApplicationData();
  for (DWORD index = 0; index < count; ++index) {
    wchar_t name[kMaxVersionName + 1] = {};
    DWORD length = kMaxVersionName + 1;
    if (::RegEnumKeyExW(versions.Handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
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
  return switches::SuiteFolder(kFoldersValue) + L"OOInst\\" + name;
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

void COpenOfficeSW::Enable(const PluginRecord& record, const std::wstring& appData, const ProfileFolders& folders) {
  const std::wstring office = appData + folders.office;
  // A file the merges refuse fails the switch-over before any file is rewritten.
  if (!Merged([&] {
        return !ooo::WindowStateMergeRefused(true, appData + folders.ui,
                                             Template(L"WriterWindowState.xcu")) &&
               !ooo::AcceleratorMergeRefused(true, appData + folders.accelerators, Template(L"Accel.xml")) &&
               !ooo::LibraryListMergeRefused(true, appData + folders.basic + kLibraryList,
                                             Template(L"script.xlc"));
      }))
    MergeFailed(record);
  if (!Merged([&] { return ooo::MergeAddonsFile(true, office, Template(L"Addons.xcu")); })) MergeFailed(record);
  // The marker says the suite's nodes are in Addons.xcu; a file without them (a template copied
  // whole that lacks them) is no integration.
  std::string addons;
  if (!ooo::ReadTemplateFile(office + L"\\Addons.xcu", addons) || !ooo::HoldsSuiteNodes(addons))
    switches::Fail(kSourceTag, __LINE__, record, kRegisterFailed, CExceptSW::kGeneralFailure);
  if (!Merged([&] { return ooo::MergeWindowStateFile(true, appData + folders.ui, Template(L"WriterWindowState.xcu")); }))
    MergeFailed(record);
  if (!Merged([&] { return ooo::MergeAcceleratorFiles(true, appData + folders.accelerators, Template(L"Accel.xml")); }))
    MergeFailed(record);
  // The event binding comes after the merges, so that a failed merge leaves the user's own alone.
  PlaceEvents(record, office);
  {
    const std::wstring markerPath = office + kMarker;
    const win::UniqueFile marker(::CreateFileW(markerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!marker && !FileExists(markerPath)) {
      // Read as off from now on: the user's event binding goes back in place.
      (void)PutBackUserEvents(office);
      switches::Fail(kSourceTag, __LINE__, record, kRegisterFailed, CExceptSW::kGeneralFailure);
    }
  }

  const std::wstring basic = appData + folders.basic;
  if (!ooo::IsDirectory(basic)) {
    LogText(__LINE__, record, kNoBasicFolder);
    return;
  }
  const std::wstring library = basic + kLibraryFolder;
  ooo::CreateDirectoryPath(library);
  for (const wchar_t* file : kLibraryFiles) {
    const std::wstring target = library + L"\\" + file;
    (void)ooo::CopyThroughTemp(Template((std::wstring(L"Vanto\\") + file).c_str()), target, target + L".tmp");
  }

  const std::wstring list = basic + kLibraryList;
  if (!FileExists(list)) return;
  const std::wstring temp = list + L".tmp";
  const std::wstring backup = list + L".old";
  std::string bytes, templ;
  if (!ooo::ReadProfileFile(list, bytes) || !ooo::ReadTemplateFile(Template(L"script.xlc"), templ))
    switches::Fail(kSourceTag, __LINE__, record, kRegisterFailed, CExceptSW::kGeneralFailure);
  const std::optional<std::string> merged = ooo::EnableLibraries(bytes, templ);
  if (!merged || !ooo::WriteNewFile(temp, *merged)) {
    ::DeleteFileW(temp.c_str());
    switches::Fail(kSourceTag, __LINE__, record, kRegisterFailed, CExceptSW::kGeneralFailure);
  }
  // The list as it was becomes the backup that switching off requires; the merged one takes its
  // place. When the second move fails the first is undone, so the profile keeps a library list.
  if (!::MoveFileExW(list.c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(temp.c_str());
    switches::Fail(kSourceTag, __LINE__, record, kRegisterFailed, CExceptSW::kGeneralFailure);
  }
  if (!::MoveFileExW(temp.c_str(), list.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(temp.c_str());
    ::MoveFileExW(backup.c_str(), list.c_str(), MOVEFILE_WRITE_THROUGH);
    switches::Fail(kSourceTag, __LINE__, record, kRegisterFailed, CExceptSW::kGeneralFailure);
  }
}

void COpenOfficeSW::Disable(const PluginRecord& record, const std::wstring& appData, const ProfileFolders& folders) {
  const std::wstring office = appData + folders.office;
  // As when switching on, a file the merges refuse fails the switch-over before any is rewritten.
  if (!Merged([&] {
        return !ooo::AddonsUnmergeRefused(office) &&
               !ooo::WindowStateMergeRefused(false, appData + folders.ui,
                                             Template(L"WriterWindowState.xcu")) &&
               !ooo::AcceleratorMergeRefused(false, appData + folders.accelerators, Template(L"Accel.xml")) &&
               !ooo::LibraryListMergeRefused(false, appData + folders.basic + kLibraryList,
                                             Template(L"script.xlc"));
      }))
    MergeFailed(record);
  if (!Merged([&] { return ooo::MergeAddonsFile(false, office, Template(L"Addons.xcu")); })) MergeFailed(record);
  if (!Merged([&] { return ooo::MergeWindowStateFile(false, appData + folders.ui, Template(L"WriterWindowState.xcu")); }))
    MergeFailed(record);
  if (!Merged([&] { return ooo::MergeAcceleratorFiles(false, appData + folders.accelerators, Template(L"Accel.xml")); }))
    MergeFailed(record);
  if (!PutBackUserEvents(office))
    switches::Fail(kSourceTag, __LINE__, record, kUnregisterFailed, CExceptSW::kGeneralFailure);
  if (!::DeleteFileW((office + kMarker).c_str()))
    switches::Fail(kSourceTag, __LINE__, record, kMarkerNotDeleted, CExceptSW::kGeneralFailure);

  const std::wstring basic = appData + folders.basic;
  if (!ooo::IsDirectory(basic)) {
    LogText(__LINE__, record, kNoBasicFolder);
    return;
  }
  const std::wstring library = basic + kLibraryFolder;
  for (const wchar_t* file : kLibraryFiles)
    if (!::DeleteFileW((library + L"\\" + file).c_str()))
      switches::Fail(kSourceTag, __LINE__, record, kUnregisterFailed, CExceptSW::kGeneralFailure);
  if (!::RemoveDirectoryW(library.c_str()))
    switches::Fail(kSourceTag, __LINE__, record, kUnregisterFailed, CExceptSW::kGeneralFailure);

  const std::wstring list = basic + kLibraryList;
  const std::wstring temp = list + L".tmp";
  const std::wstring backup = list + L".old";
  std::string bytes;
  if (!ooo::ReadProfileFile(list, bytes))
    switches::Fail(kSourceTag, __LINE__, record, kUnregisterFailed, CExceptSW::kGeneralFailure);
  const std::optional<std::string> kept = ooo::DisableLibraries(bytes);
  if (!kept || !ooo::WriteNewFile(temp, *kept)) {
    ::DeleteFileW(temp.c_str());
    switches::Fail(kSourceTag, __LINE__, record, kUnregisterFailed, CExceptSW::kGeneralFailure);
  }
  if (!::DeleteFileW(backup.c_str())) {
    ::DeleteFileW(temp.c_str());
    switches::Fail(kSourceTag, __LINE__, record, kUnregisterFailed, CExceptSW::kGeneralFailure);
  }
  if (!::MoveFileExW(temp.c_str(), list.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(temp.c_str());
    switches::Fail(kSourceTag, __LINE__, record, kUnregisterFailed, CExceptSW::kGeneralFailure);
  }
}

void COpenOfficeSW::PlaceEvents(const PluginRecord& record, const std::wstring& officeFolder) {
  const std::wstring events = officeFolder + kEvents;
  const std::wstring kept = officeFolder + kEventsKept;
  std::string suite;
  // Without the suite's file there is nothing to put in place, and the user's stays as it is.
  if (!ooo::ReadTemplateFile(Template(L"Events.xcu"), suite)) return;
  if (FileExists(events)) {
    std::string own;
    if (!ooo::ReadTemplateFile(events, own))
      switches::Fail(kSourceTag, __LINE__, record, kRegisterFailed, CExceptSW::kGeneralFailure);
    // The suite's own file in place (switched on before): the user's is kept already and stays.
    if (own != suite && !ooo::ReplaceThroughTemp(kept, officeFolder + kEventsKeptTemp, own))
      switches::Fail(kSourceTag, __LINE__, record, kRegisterFailed, CExceptSW::kGeneralFailure);
  } else if (FileExists(kept) && !::DeleteFileW(kept.c_str())) {
    // A kept file from before while the user has none now: switching off must not bring it back.
    switches::Fail(kSourceTag, __LINE__, record, kRegisterFailed, CExceptSW::kGeneralFailure);
  }
  // The binding is the suite's own file; the copy is whole or not made.
  (void)ooo::ReplaceThroughTemp(events, officeFolder + kEventsTemp, suite);
}

bool COpenOfficeSW::PutBackUserEvents(const std::wstring& officeFolder) {
  const std::wstring events = officeFolder + kEvents;
  const std::wstring kept = officeFolder + kEventsKept;
  if (!FileExists(kept)) {
    // The user had none: the suite's goes.
    ::DeleteFileW(events.c_str());
    return true;
  }
  return ::MoveFileExW(kept.c_str(), events.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
         FALSE;
}
