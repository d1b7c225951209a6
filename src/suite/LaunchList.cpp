#include "suite/LaunchList.h"

#include <shellapi.h>

#include "profile/CryptedProfile.h"
#include "suite/AppId.h"
#include "suite/Catalogue.h"
#include "suite/Installed.h"
#include "suite/LaunchContext.h"
#include "suite/Launcher.h"
#include "suite/ProductLists.h"
#include "win/Handle.h"
#include "win/Resources.h"

namespace suite {
namespace {

// The shell reads the file's information, icon included; the icon is ours and goes right away.
bool ShellCanReadFile(const std::wstring& path) {
  if (path.empty()) return false;
  SHFILEINFOW info{};
  if (::SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON) == 0) return false;
  const win::UniqueIcon icon(info.hIcon);
  return true;
}

// Without its texts: they are loaded for the items that are admitted.
AppItem ItemOf(const Application& row) {
  AppItem item;
  item.appId = row.appId;
  item.path = row.fixedPath;
  // From the program's own file, not from the language library.
  item.iconId = static_cast<int>(row.iconId);
  return item;
}

}  // namespace

bool AdmitItem(AppItem& item, const CXCryptedProfileW& configuration, bool showAll, FileCheck check) {
  item.enabled = true;
  item.installed = true;
  const std::optional<app::RegistryKey> apps = OpenAppsKey();
  if (!apps) return false;
  if (!item.forced && !IsListedInApps(configuration, item.appId)) item.enabled = false;
  if (item.path.empty()) {
    AppPath read = ReadAppPath(*apps, item.appId);
    item.path = std::move(read.path);
    item.damaged = read.damaged;
  }
  if (item.path.empty()) item.installed = false;
  const bool usable =
      check == FileCheck::kShell
          ? ShellCanReadFile(item.path)
          : !item.path.empty() && ::GetFileAttributesW(item.path.c_str()) != INVALID_FILE_ATTRIBUTES;
  return (item.Available() && usable) || showAll;
}

std::vector<AppItem> LaunchList::Collect(bool showAll, FileCheck check, size_t limit) const {
  std::vector<AppItem> items;
  const CXCryptedProfileW& configuration = context_.ProductConfiguration();
  if (!showAll && configuration.SectionEntryCount(kAppsList) == 0) return items;
  const std::wstring_view list = LaunchListName(showAll);
  for (const Application& row : Catalogue()) {
    if (!IsListedIn(configuration, list, row.appId)) continue;
    AppItem item = ItemOf(row);
    if (!AdmitItem(item, configuration, showAll, check)) continue;
    item.name = win::LoadString(row.nameId);
    item.description = win::LoadString(row.descriptionId);
    items.push_back(std::move(item));
    if (items.size() >= limit) break;
  }
  return items;
}

bool LaunchList::Fill(bool showAll) {
  sink_.Clear();
  showAll_ = showAll;
  items_ = Collect(showAll, FileCheck::kShell);
  if (items_.empty()) return false;
  for (const AppItem& item : items_)
    sink_.AddRowWithIconId(item.iconId, item.name, item.description, item.Available());
  return true;
}

bool LaunchList::LikelyHasRows(bool showAll) const {
  return !Collect(showAll, FileCheck::kPresence, 1).empty();
}

void LaunchList::LaunchItem(size_t index) {
  if (index >= items_.size()) return;
  // A copy: the start may close the main window, which rebuilds or drops this list.
  const AppItem item = items_[index];
  Launcher(context_).LaunchListItem(item);
}

void LaunchList::ActivateByAppId(std::wstring_view appId) {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (SameAppId(items_[i].appId, appId)) {
      LaunchItem(i);
      return;
    }
  }
}

}  // namespace suite
