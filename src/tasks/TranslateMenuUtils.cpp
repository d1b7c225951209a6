#include "tasks/TranslateMenuUtils.h"

#include <algorithm>
#include <cwchar>

#include "StringIds.h"
#include "menu/TaskTable.h"
#include "suite/AppId.h"
#include "suite/DisplayNames.h"
#include "suite/HostDescriptor.h"
#include "suite/Installed.h"
#include "suite/ProductLists.h"
#include "tasks/DefaultBrowser.h"
#include "tasks/FileFilters.h"
#include "tasks/HelpTexts.h"
#include "tasks/SystemHostTable.h"
#include "tasks/TranslationMenu.h"
#include "win/Resources.h"

using switches::PluginRecord;
using namespace tasks;

namespace {

bool Contains(std::wstring_view text, std::wstring_view part) {
  return text.find(part) != std::wstring_view::npos;
}

// The decimal number an entry's data starts with, as the C library reads it; 0 for a name.
int LeadingNumber(const std::wstring& text) {
  return static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
}

}  // namespace

CTranslateMenuUtils::CTranslateMenuUtils(HandOffContext& context, switches::SwitchFactory switchFactory)
    : context_(context), hosts_(MakeSystemHostTable()), plugins_(std::move(switchFactory)) {}

bool CTranslateMenuUtils::FillAppList(std::wstring_view tokens, int taskCode, AppListControl& list) {
  if (tokens.empty()) return false;

  list.Clear();
  entryData_.clear();
  lastRealEntry_ = -1;
  officeApplication_ = kNoOfficeApplication;
  std::vector<CPlugSt> wanted;
  std::vector<std::wstring> added;

  const CXCryptedProfileW& configuration = context_.ProductConfiguration();
  for (std::wstring_view token : suite::SplitAppIds(tokens)) {
    const TokenKinds kinds = KindsOfToken(token);
    for (int kind : kinds.kinds) wanted.push_back({std::wstring(token), kind});
    if (kinds.officeApplication != kNoOfficeApplication) officeApplication_ = kinds.officeApplication;

    const std::wstring name = suite::DisplayName(token, false);
    if (!name.empty() && suite::IsListedInApps(configuration, token) && suite::IsInstalled(token)) {
      list.Append(name);
      entryData_.emplace_back(token);
      added.emplace_back(token);
    }
  }

  for (const switches::ProductGroup& group : plugins_.Groups()) {
    for (const PluginRecord& record : group.records) {
      for (const CPlugSt& pair : wanted) {
        if (record.kind != pair.number) continue;
        const std::wstring id = std::to_wstring(record.id);
        if (officeApplication_ == kNoOfficeApplication) {
          list.Append(record.displayName);
          entryData_.push_back(id);
          added.push_back(pair.name);
        } else if (const suite::HostProgram* office = suite::OfficeProgram(officeApplication_);
                   office && Contains(record.displayName, office->token)) {
          // The Office hosts lead the list, the one found last on top.
          list.InsertAt(0, record.displayName);
          entryData_.insert(entryData_.begin(), id);
          added.push_back(pair.name);
        }
      }
    }
  }
  lastRealEntry_ = static_cast<int>(entryData_.size()) - 1;

  if (context_.ShowAllFeatures()) {
    std::vector<std::wstring> rowTokens;
    for (std::wstring_view token : suite::SplitAppIds(ui::TaskApplications(taskCode)))
      if (suite::IsListedIn(configuration, suite::kAllAppsList, token)) rowTokens.emplace_back(token);
    std::sort(rowTokens.begin(), rowTokens.end());
    std::sort(added.begin(), added.end());
    std::vector<std::wstring> missing;
    std::set_difference(rowTokens.begin(), rowTokens.end(), added.begin(), added.end(),
                        std::back_inserter(missing));
    for (const std::wstring& token : missing) {
      const std::wstring name = suite::DisplayName(token, true);
      if (name.empty()) continue;
      list.Append(name);
      entryData_.push_back(token);
    }
  }
  return list.Count() > 0;
}

int CTranslateMenuUtils::RecordIdOfEntry(int entry) const {
  if (!InEntryData(entry)) return -1;
  return LeadingNumber(entryData_[static_cast<size_t>(entry)]);
}

UnavailableEntry CTranslateMenuUtils::UnavailabilityOf(int entry) const {
  UnavailableEntry unavailable;
  if (!InEntryData(entry)) return unavailable;
  const std::wstring& token = entryData_[static_cast<size_t>(entry)];
  unavailable.name = suite::DisplayName(token, true);

  const CXCryptedProfileW& configuration = context_.ProductConfiguration();
  if (!suite::IsListedInApps(configuration, token)) return unavailable;
  std::wstring hostName;
  if (IsListedInTranslationMenu(configuration, token) && !suite::IsInstalled(token)) {
    unavailable.choice = Unavailability::kNotInstalled;
  } else if (!plugins_.GetMissingHostName(token, hostName)) {
    unavailable.choice = Unavailability::kHostMissing;
    unavailable.name = hostName;
  }
  return unavailable;
}

std::wstring CTranslateMenuUtils::UnavailabilityText(const UnavailableEntry& unavailable) const {
  UINT id = IDS_OTHER_PRODUCTS_PLAIN;
  if (unavailable.choice == Unavailability::kNotInstalled) id = IDS_APP_NOT_INSTALLED;
  if (unavailable.choice == Unavailability::kHostMissing) id = IDS_INSTALL_HOST_FIRST;
  std::wstring text = win::LoadString(id);
  if (const size_t at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, unavailable.name);
  return text;
}

std::wstring CTranslateMenuUtils::HelpTextsOf(int entry, std::wstring& steps) {
  if (!InEntryData(entry)) return {};
  if (entry > lastRealEntry_) return UnavailabilityText(UnavailabilityOf(entry));

  HelpTextIds ids;
  if (const PluginRecord* record = plugins_.FindPluginById(RecordIdOfEntry(entry)))
    ids = HelpTextsOfKind(record->kind, officeApplication_);
  else
    ids = HelpTextsOfApplication(entryData_[static_cast<size_t>(entry)]);
  if (ids.steps != 0) steps = win::LoadString(ids.steps);
  return ids.outcome != 0 ? win::LoadString(ids.outcome) : std::wstring();
}

std::wstring CTranslateMenuUtils::FileFilter(int taskCode, int entry) {
  FilterHost host;
  const int id = RecordIdOfEntry(entry);
  if (id != 0) {
    const PluginRecord* record = plugins_.FindPluginById(id);
    host.office2007 = record && Contains(record->displayName, L"2007");
  }
  host.batchTranslator =
      InEntryData(entry) && suite::SameAppId(entryData_[static_cast<size_t>(entry)], L"Batcher");

  std::wstring filter;
  for (unsigned part : FileFilterParts(taskCode, host)) filter += win::LoadString(part);
  return filter;
}

int CTranslateMenuUtils::DefaultBrowserEntry(const AppListControl& list) {
  const std::wstring browser = DefaultBrowserFileName();
  if (browser.empty()) return 0;
  for (int entry = 0; entry < list.Count(); ++entry) {
    const PluginRecord* record = plugins_.FindPluginById(RecordIdOfEntry(entry));
    if (!record) return 0;
    const std::optional<HostTarget> host = hosts_.TargetOfKind(record->kind, officeApplication_);
    if (!host) return 0;
    if (SameFileName(FileNameOf(host->executable), browser)) return entry;
  }
  return 0;
}
