#include "switches/MSOfficeSW.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "StringIds.h"
#include "core/Bstr.h"
#include "core/ComError.h"
#include "core/LogSink.h"
#include "core/RegistryKey.h"
#include "core/RegistryLayout.h"
#include "suite/FileSearch.h"
#include "vanto/EdSetup.h"
#include "win/Handle.h"
#include "win/Resources.h"

using switches::PluginRecord;

namespace {

constexpr wchar_t kOfficeTag[] = L"MSOfficeSW";
constexpr wchar_t kOfficeKey[] = L"Software\\Microsoft\\Office\\";

// ---- The Office applications, by application index ----------------------------------------------

struct ApplicationRow {
  const wchar_t* name;            // Office's own key name
  const wchar_t* code;            // the value name in an add-in class's MiscStatus key
  const wchar_t* displayName[2];  // edition 1, edition 2
};

constexpr ApplicationRow kApplications[CMSOfficeSW::kApplicationCount] = {
    {L"Word", L"ww", {L"Microsoft Word 2000/XP/2003", L"Microsoft Word 2007/2010"}},
    {L"Outlook", L"ot", {L"Microsoft Outlook 2000/XP/2003", L"Microsoft Outlook 2007/2010"}},
    {L"Excel", L"ex", {L"Microsoft Excel 2000/XP/2003", L"Microsoft Excel 2007/2010"}},
    {L"PowerPoint", L"pp", {L"Microsoft PowerPoint 2000/XP/2003", L"Microsoft PowerPoint 2007/2010"}},
    {L"FrontPage", L"fp", {L"Microsoft FrontPage 2000/XP/2003", L"Microsoft FrontPage 2007/2010"}},
};

// ---- Where each edition finds its hosts, in the order tried --------------------------------------

struct HostProbe {
  const wchar_t* version;  // the Office registry version
  const wchar_t* tag;      // named in the log record
  bool frontPageAlone;     // FrontPage installed on its own: the version's Common InstallRoot "Path"
};

constexpr HostProbe kProbes2003[] = {
    {L"11.0", L"MS Office2003", false}, {L"10.0", L"MS OfficeXP", true},   {L"9.0", L"MS Office2000", true},
    {L"10.0", L"MS OfficeXP", false},   {L"9.0", L"MS Office2000", false},
};
constexpr HostProbe kProbes2007[] = {
    {L"12.0", L"MS Office2007", false},
    {L"14.0", L"MS Office2010", false},
};

// ---- The COM add-ins: ProgIDs by application index, files and classes ----------------------------

struct AddinRow {
  int kind;
  std::array<const wchar_t*, CMSOfficeSW::kApplicationCount> progIds;  // null: no add-in for the host
  const wchar_t* folderValue;  // the Folders value of the add-in files
  const wchar_t* fileName;     // null: the ProgID + ".dll"
  const wchar_t* classId;      // whose MiscStatus lists the applications it was installed for
};

constexpr AddinRow kAddins[] = {
    {switches::kOffice2003,
     {L"Quillet8.WordAddin", L"Quillet8.OutlookAddin", L"Quillet8.ExcelAddin", L"Quillet8.PowerPointAddin",
      L"Quillet8.FrontPageAddin"},
     L"Office",
     L"Quillet8.dll",
     L"{F4061A2B-3C5D-4E7F-80A1-BC2D3E4F5061}"},
    {switches::kOffice2003Lite,
     {L"EasyQuillet8.WordEasyAddin", L"EasyQuillet8.OutlookEasyAddin"},
     L"Office",
     L"EasyQuillet8.dll",
     L"{7C5E9A32-4D6F-4B83-9EAC-2F3A4B5C6D7E}"},
    {switches::kOffice2007,
     {L"QuilletX.WordAddin", L"QuilletX.OutlookAddin", L"QuilletX.ExcelAddin", L"QuilletX.PowerPointAddin"},
     L"OfficeX",
     nullptr,
     L"{8D6FAB43-5E70-4C94-AFBD-3A4B5C6D7E8F}"},
    {switches::kOffice2007Lite,
     {L"QuilletX.Easy.WordAddin", L"QuilletX.Easy.OutlookAddin"},
     L"OfficeX",
     nullptr,
     L"{9E70BC54-6F81-4DA5-B0CE-4B5C6D7E8F90}"},
};

// The ED template installer's files.
constexpr wchar_t kEdFolderValue[] = L"VNTOED";
constexpr wchar_t kEdInstallerFile[] = L"edsetup.dll";
constexpr wchar_t kEdTemplateFile[] = L"vntoed8.dot";

// The host table's family of an edition.
constexpr suite::SwitchFamily FamilyOfEdition(int edition) noexcept {
  return edition == 2 ? suite::SwitchFamily::kOffice2007 : suite::SwitchFamily::kOffice2003;
}

// The kinds of an edition's add-ins, from its family's rows (0 for one the table lacks).
struct EditionKinds {
  int full;
  int lite;
  int ed;
};

int KindOfVariant(suite::SwitchFamily family, suite::AddinVariant variant) noexcept {
  const suite::HostDescriptor* host = suite::HostOfFamily(family, variant);
  return host ? host->kind : 0;
}

EditionKinds KindsOfEdition(int edition) noexcept {
  const suite::SwitchFamily family = FamilyOfEdition(edition);
  return {KindOfVariant(family, suite::AddinVariant::kFull),
          KindOfVariant(family, suite::AddinVariant::kLite), KindOfVariant(family, suite::AddinVariant::kEd)};
}

// The failure texts of ApplyStates.
constexpr wchar_t kCannotRegister[] = L"Can't register addin";
constexpr wchar_t kNoAddinsKey[] = L"Can't register addin(no key in registry)";
constexpr wchar_t kCannotWrite[] = L"Can't register addin(error write to registry)";
constexpr wchar_t kCannotUnregister[] = L"Can't unregister addin";
constexpr wchar_t kCannotDelete[] = L"Can't unregister addin(can't delete key in registry)";

// One value of a registration as it was before it was written: put back when the writing fails.
struct SavedValue {
  explicit SavedValue(const wchar_t* valueName) : name(valueName) {}
  const wchar_t* name;
  bool existed = false;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// The values `names` of `key` as they are now. False when one cannot be read.
bool SaveValues(HKEY key, std::vector<SavedValue>& saved) {
  for (SavedValue& value : saved) {
    DWORD size = 0;
    LSTATUS status = ::RegQueryValueExW(key, value.name, nullptr, &value.type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) continue;
    // A value may grow between asking its size and reading it; a few rounds settle that.
    for (int attempt = 0; attempt < 4 && status == ERROR_SUCCESS; ++attempt) {
      value.data.resize(size);
      status = ::RegQueryValueExW(key, value.name, nullptr, &value.type, value.data.data(), &size);
      if (status == ERROR_MORE_DATA)
        status = ERROR_SUCCESS;
      else if (status == ERROR_SUCCESS)
        break;
    }
    if (status != ERROR_SUCCESS) return false;
    value.data.resize(size);
    value.existed = true;
  }
  return true;
}

void RestoreValues(HKEY key, const std::vector<SavedValue>& saved) noexcept {
  for (const SavedValue& value : saved) {
    if (value.existed)
      ::RegSetValueExW(key, value.name, 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
    else
      ::RegDeleteValueW(key, value.name);
  }
}

bool IsEd(int kind) noexcept {
  const suite::HostDescriptor* host = suite::HostOfKind(kind);
  return host && host->variant == suite::AddinVariant::kEd;
}

bool ValidApplication(int app) noexcept {
  return app >= 0 && app < CMSOfficeSW::kApplicationCount;
}

const AddinRow* FindAddin(int kind) noexcept {
  for (const AddinRow& row : kAddins)
    if (row.kind == kind) return &row;
  return nullptr;
}

// The ProgID of `kind` for application `app`; null when that host has no such add-in.
const wchar_t* ProgId(int app, int kind) noexcept {
  const AddinRow* row = FindAddin(kind);
  return (row && ValidApplication(app)) ? row->progIds[static_cast<size_t>(app)] : nullptr;
}

bool KeyOpens(HKEY hive, const std::wstring& path) {
  app::RegistryKey key;
  return key.Open(hive, path, reg::kRead);
}

// The suite's search for an add-in file anywhere below a Folders value; an empty folder has none.
bool FindFile(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty()) return false;
  std::wstring found = name;
  return suite::FindFileInTree(folder, found);
}

bool OfficeFileOpensForReading(const std::wstring& path) noexcept {
  const win::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

// FrontPage on its own: the version's Common InstallRoot names the folder of FRONTPG.EXE.
bool FrontPageAloneInstalled(const wchar_t* version) {
  app::RegistryKey root;
  if (!root.Open(HKEY_LOCAL_MACHINE, std::wstring(kOfficeKey) + version + L"\\Common\\InstallRoot\\",
                 reg::kRead))
    return false;
  std::wstring folder = root.ReadString(L"Path");
  if (folder.size() > MAX_PATH) folder.resize(MAX_PATH);  // the value is read into 260 characters
  return OfficeFileOpensForReading(folder + L"FRONTPG.EXE");
}

// The add-in files `edition` looks for below a Folders value, in the order its detection asks.
std::vector<std::wstring> EditionFiles(int edition, std::wstring_view folderValue) {
  std::vector<std::wstring> names;
  const EditionKinds kinds = KindsOfEdition(edition);
  for (const AddinRow& row : kAddins) {
    if ((row.kind != kinds.full && row.kind != kinds.lite) || folderValue != row.folderValue) continue;
    if (row.fileName) {
      names.emplace_back(row.fileName);
      continue;
    }
    for (const wchar_t* progId : row.progIds)
      if (progId) names.push_back(std::wstring(progId) + L".dll");
  }
  if (folderValue == kEdFolderValue) {
    names.emplace_back(kEdInstallerFile);
    if (edition == 1) names.emplace_back(kEdTemplateFile);
  }
  return names;
}

// A negative status of the installer is a COM error; the rest is the caller's to judge.
HRESULT Checked(HRESULT hr) {
  app::ThrowIfFailed(hr);
  return hr;
}

}  // namespace

// Detection asks about the same add-in folders and classes again and again (every host, every
// kind); one step reads each Folders value once, searches each folder's tree once for all the
// files of the edition that live there, and opens each class's MiscStatus key once.
class CMSOfficeSW::Lookup {
 public:
  explicit Lookup(int edition) : edition_(edition) {}

  // Whether `name` lies anywhere below the folder of `folderValue`.
  bool HasFile(const wchar_t* folderValue, const std::wstring& name) {
    auto folder = std::find_if(folders_.begin(), folders_.end(),
                               [&](const Folder& f) { return f.value == folderValue; });
    if (folder == folders_.end()) {
      Folder searched{
          folderValue, switches::SuiteFolder(folderValue), EditionFiles(edition_, folderValue), {}};
      if (!searched.path.empty()) searched.found = suite::FindFilesInTree(searched.path, searched.names);
      searched.found.resize(searched.names.size(), false);
      folder = folders_.insert(folders_.end(), std::move(searched));
    }
    for (size_t i = 0; i < folder->names.size(); ++i)
      if (folder->names[i] == name) return folder->found[i];
    return FindFile(folder->path, name);  // not one of the edition's own files
  }

  // The MiscStatus key of the add-in class of `row`; null when it does not open.
  const app::RegistryKey* MiscStatus(const AddinRow& row) {
    for (const auto& [classId, key] : statuses_)
      if (classId == row.classId) return key.IsOpen() ? &key : nullptr;
    app::RegistryKey& key = statuses_.emplace_back(row.classId, app::RegistryKey()).second;
    (void)key.Open(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + row.classId + L"\\MiscStatus", reg::kRead);
    return key.IsOpen() ? &key : nullptr;
  }

 private:
  struct Folder {
    std::wstring_view value;
    std::wstring path;
    std::vector<std::wstring> names;
    std::vector<bool> found;
  };

  int edition_;
  std::vector<Folder> folders_;
  std::vector<std::pair<std::wstring_view, app::RegistryKey>> statuses_;
};

CMSOfficeSW::SharedInstaller::SharedInstaller() = default;
CMSOfficeSW::SharedInstaller::~SharedInstaller() = default;

Microsoft::WRL::ComPtr<IVantoEdSetup> CMSOfficeSW::SharedInstaller::Get() {
  if (!installer_)
    app::ThrowIfFailed(
        ::CoCreateInstance(CLSID_VantoEdSetup, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&installer_)));
  return installer_;
}

CMSOfficeSW::CMSOfficeSW(int edition, std::wstring name, std::wstring liteName, std::wstring edName,
                         std::shared_ptr<SharedInstaller> installer)
    : CSwitch(std::move(name), FamilyOfEdition(edition)),
      edition_(edition == 2 ? 2 : 1),
      liteName_(std::move(liteName)),
      edName_(std::move(edName)),
      shared_(installer ? std::move(installer) : std::make_shared<SharedInstaller>()) {}

CMSOfficeSW::~CMSOfficeSW() = default;

// ---- CSwitch ------------------------------------------------------------------------------------

bool CMSOfficeSW::IsPackagePresent() {
  try {
    packages_ = 0;
    Lookup lookup(edition_);
    const EditionKinds kinds = KindsOfEdition(edition_);
    if (edition_ == 1) {
      for (int kind : {kinds.lite, kinds.full, kinds.ed})
        if (PackageInstalled(kWord, kind, lookup)) packages_ |= kind;
    } else {
      if (PackageInstalled(kWord, kinds.ed, lookup)) packages_ |= kinds.ed;
      for (int app = 0; app < 4 && !(packages_ & kinds.full); ++app)
        if (PackageInstalled(app, kinds.full, lookup)) packages_ |= kinds.full;
      for (int app = 0; app < 2 && !(packages_ & kinds.lite); ++app)
        if (PackageInstalled(app, kinds.lite, lookup)) packages_ |= kinds.lite;
    }
    return packages_ != 0;
  } catch (...) {
    return switches::Caught(kOfficeTag, __LINE__, L"CMSOfficeSW::IsPackagePresent", false);
  }
}

int CMSOfficeSW::CollectPlugins() {
  try {
    const EditionKinds kinds = KindsOfEdition(edition_);
    Lookup lookup(edition_);
    for (int app = 0; app < kApplicationCount; ++app) {
      if (!HostInstalled(app)) continue;
      AppendRecordIfPresent(app, kinds.full, Name(), lookup);
      AppendRecordIfPresent(app, kinds.lite, liteName_, lookup);
      if (std::wstring_view(kApplications[app].name) == L"Word")
        AppendRecordIfPresent(app, kinds.ed, edName_, lookup);
    }
    return static_cast<int>(Stored().size());
  } catch (...) {
    return switches::Caught(kOfficeTag, __LINE__, L"CMSOfficeSW::CollectPlugins", 0);
  }
}

int CMSOfficeSW::ApplyStates(switches::PluginList& records, int quiet) {
  int failed = 0;
  const std::wstring host = GetHostInfo().name;
  for (PluginRecord& record : records) {
    if (!IsChanged(record)) continue;
    if (record.state != switches::kEnabled && record.state != switches::kDisabled) continue;
    const bool done = ApplyOne(record, quiet, host, [this](PluginRecord& r) {
      if (r.state == switches::kEnabled) {
        Enable(r);
      } else {
        Disable(r);
      }
    });
    if (!done) ++failed;
  }
  return failed;
}

CPlugSt CMSOfficeSW::GetHostInfo() const {
  return edition_ == 1 ? CPlugSt{L"MS Office XP/2003", 1} : CPlugSt{L"MS Office 2007", 2};
}

// ---- Detection ----------------------------------------------------------------------------------

bool CMSOfficeSW::HostInstalled(int app) const {
  if (!ValidApplication(app)) return false;
  const ApplicationRow& application = kApplications[app];
  const auto probes =
      edition_ == 1 ? std::span<const HostProbe>(kProbes2003) : std::span<const HostProbe>(kProbes2007);
  for (const HostProbe& probe : probes) {
    bool found = false;
    if (probe.frontPageAlone) {
      found = app == kFrontPage && FrontPageAloneInstalled(probe.version);
    } else {
      found = KeyOpens(HKEY_LOCAL_MACHINE, std::wstring(kOfficeKey) + probe.version + L"\\" +
                                               application.name + L"\\InstallRoot");
    }
    if (found) {
      app::Log().Record(kOfficeTag, __LINE__, L"%s#%s#%s", probe.tag, application.name,
                        L"Application Installed");
      return true;
    }
  }
  return false;
}

bool CMSOfficeSW::AllowedForApp(int app, int kind) const {
  Lookup lookup(edition_);
  return AllowedForApp(app, kind, lookup);
}

bool CMSOfficeSW::AllowedForApp(int app, int kind, Lookup& lookup) const {
  if (IsEd(kind)) return true;
  const AddinRow* row = FindAddin(kind);
  if (!row || !ValidApplication(app)) return false;
  const app::RegistryKey* status = lookup.MiscStatus(*row);
  return status && status->ReadString(kApplications[app].code) == L"1";
}

bool CMSOfficeSW::PackageInstalled(int app, int kind) {
  Lookup lookup(edition_);
  return PackageInstalled(app, kind, lookup);
}

bool CMSOfficeSW::PackageInstalled(int app, int kind, Lookup& lookup) {
  if (IsEd(kind)) return EdPackageInstalled(kind, lookup);
  const AddinRow* row = FindAddin(kind);
  const wchar_t* progId = ProgId(app, kind);
  if (!row || !progId) return false;
  const std::wstring file = row->fileName ? std::wstring(row->fileName) : std::wstring(progId) + L".dll";
  return lookup.HasFile(row->folderValue, file);
}

bool CMSOfficeSW::EdPackageInstalled(int kind, Lookup& lookup) {
  // The files answer first: without the installer's DLL no object is asked for.
  if (!lookup.HasFile(kEdFolderValue, kEdInstallerFile)) return false;
  const bool word2003 = kind == switches::kOffice2003Ed;
  // Word 2007 and 2010 read the template the installer brings itself; only the older Word needs it here.
  if (word2003 && !lookup.HasFile(kEdFolderValue, kEdTemplateFile)) return false;
  try {
    if (word2003 && installer2003_) return true;
    // Taken once, and kept for the state query and the switching.
    const Microsoft::WRL::ComPtr<IVantoEdSetup>& installer = Installer(kind);
    const app::Bstr text(word2003 ? std::wstring_view(kEdTemplateFile) : std::wstring_view());
    return Checked(installer->CheckPresence(word2003 ? kVantoEdCheckTemplate : kVantoEdCheckWord2007,
                                            text.get())) == S_OK;
  } catch (...) {
    return switches::Caught(kOfficeTag, __LINE__, L"CMSOfficeSW::EdPackageInstalled", false);
  }
}

bool CMSOfficeSW::IsRegistered(int app, int kind) {
  if (IsEd(kind)) {
    if (app != kWord) return false;
    try {
      LONG registered = 0;
      Checked(Installer(kind)->get_State(&registered));
      return registered != 0;
    } catch (...) {
      return switches::Caught(kOfficeTag, __LINE__, L"CMSOfficeSW::IsRegistered", false);
    }
  }
  const std::wstring path = AddinKeyPath(app, kind);
  return !path.empty() && KeyOpens(HKEY_CURRENT_USER, path);
}

std::wstring CMSOfficeSW::AddinKeyPath(int app, int kind) const {
  const wchar_t* progId = ProgId(app, kind);
  if (!progId) return {};
  return std::wstring(kOfficeKey) + kApplications[app].name + L"\\Addins\\" + progId;
}

void CMSOfficeSW::AppendRecordIfPresent(int app, int kind, const std::wstring& productName, Lookup& lookup) {
  if (!AllowedForApp(app, kind, lookup) || !PackageInstalled(app, kind, lookup)) return;
  PluginRecord record;
  record.application = app;
  record.displayName = kApplications[app].displayName[edition_ - 1];
  record.state = IsRegistered(app, kind) ? switches::kEnabled : switches::kDisabled;
  record.kind = kind;
  record.productName = productName;
  Stored().push_back(std::move(record));
}

// ---- Switching ----------------------------------------------------------------------------------

Microsoft::WRL::ComPtr<IVantoEdSetup>& CMSOfficeSW::Installer(int kind) {
  Microsoft::WRL::ComPtr<IVantoEdSetup>& installer =
      kind == switches::kOffice2003Ed ? installer2003_ : installer2007_;
  if (!installer) installer = shared_->Get();
  return installer;
}

void CMSOfficeSW::Enable(const PluginRecord& record) {
  if (IsEd(record.kind)) {
    SwitchTemplate(record, true);
    return;
  }
  RegisterAddin(record);
}

void CMSOfficeSW::Disable(const PluginRecord& record) {
  if (IsEd(record.kind)) {
    SwitchTemplate(record, false);
    return;
  }
  const wchar_t* progId = ProgId(record.application, record.kind);
  if (!progId) switches::Fail(kOfficeTag, __LINE__, record, kCannotDelete, 1);
  // A registration already gone is an add-in already off: what was asked for holds.
  if (!KeyOpens(HKEY_CURRENT_USER, AddinKeyPath(record.application, record.kind))) return;
  app::RegistryKey addins;
  if (!addins.Open(HKEY_CURRENT_USER,
                   std::wstring(kOfficeKey) + kApplications[record.application].name + L"\\Addins",
                   reg::kWrite) ||
      !addins.DeleteTree(progId, false))
    switches::Fail(kOfficeTag, __LINE__, record, kCannotDelete, 1);
}

void CMSOfficeSW::SwitchTemplate(const PluginRecord& record, bool on) {
  const Microsoft::WRL::ComPtr<IVantoEdSetup>& installer = Installer(record.kind);
  const HRESULT hr = Checked(on ? installer->Install() : installer->Uninstall());
  if (hr == S_OK) return;
  // Both editions share the one template: the second switch finds the first one's work done and
  // answers no. The installer's own state tells whether the template is where it was asked to be.
  LONG registered = 0;
  if (SUCCEEDED(installer->get_State(&registered)) && (registered != 0) == on) return;
  switches::Fail(kOfficeTag, __LINE__, record, on ? kCannotRegister : kCannotUnregister, 1);
}

void CMSOfficeSW::RegisterAddin(const PluginRecord& record) {
  const wchar_t* progId = ProgId(record.application, record.kind);
  if (!progId) switches::Fail(kOfficeTag, __LINE__, record, kNoAddinsKey, 1);
  const ApplicationRow& application = kApplications[record.application];
  const std::wstring addinsPath = std::wstring(kOfficeKey) + application.name + L"\\Addins";

  app::RegistryKey addins;
  if (!addins.Open(HKEY_CURRENT_USER, addinsPath, reg::kWrite) &&
      !addins.Create(HKEY_CURRENT_USER, addinsPath, reg::kWrite))
    switches::Fail(kOfficeTag, __LINE__, record, kNoAddinsKey, 1);
  // A registration that could not be written whole goes again when this switch-on made its key
  // (detection reads a key of the ProgID as switched on); in a key that was there, the values it
  // held come back.
  const bool existed = addins.OpenChild(progId, false, reg::kRead).has_value();
  std::optional<app::RegistryKey> addin = addins.OpenChild(progId, true, reg::kWrite);
  std::vector<SavedValue> saved;
  for (const wchar_t* name :
       {L"Description", L"FriendlyName", L"CommandLineSafe", L"LoadBehavior", L"Manifest"})
    saved.emplace_back(name);
  const auto failed = [&] {
    if (addin && existed) RestoreValues(addin->Handle(), saved);
    addin.reset();
    // A key just made has nothing below it; deleting it needs no more than delete access.
    if (!existed) ::RegDeleteKeyW(addins.Handle(), progId);
    switches::Fail(kOfficeTag, __LINE__, record, kCannotWrite, 1);
  };
  if (!addin || (existed && !SaveValues(addin->Handle(), saved))) failed();

  const std::wstring description = win::LoadString(IDS_SW_ADDIN_DESCRIPTION) + L" " + application.name;
  bool written = addin->WriteString(L"Description", description) &&
                 addin->WriteString(L"FriendlyName", FriendlyName(record.application, record.kind));
  if (edition_ == 2) written = written && addin->WriteNumber(L"CommandLineSafe", 1);
  written = written && addin->WriteNumber(L"LoadBehavior", 3);
  if (edition_ == 2)
    written = written &&
              addin->WriteString(L"Manifest", switches::SuiteFolder(L"OfficeX") + progId + L".dll.manifest");
  if (!written) failed();
}

std::wstring CMSOfficeSW::FriendlyName(int app, int kind) const {
  switch (kind) {
    case switches::kOffice2003: return std::wstring(L"VANTO for Microsoft ") + kApplications[app].name;
    case switches::kOffice2003Lite:
      return std::wstring(L"VANTO Lite for Microsoft ") + kApplications[app].name;
    case switches::kOffice2007: return Name();
    case switches::kOffice2007Lite: return liteName_;
    default: return {};
  }
}
