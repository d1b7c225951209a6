#include "menu/MenuRules.h"

#include <algorithm>

#include "suite/AppId.h"
#include "suite/InfSections.h"

namespace ui {
namespace {

bool AmongNames(const std::vector<std::wstring>& names, std::wstring_view name) {
  return std::any_of(names.begin(), names.end(),
                     [name](const std::wstring& known) { return suite::SameAppId(known, name); });
}

// Two editions of one tool (the dictionary manager and its Pro edition) carry the same title: a row
// with a title already listed would read as the same command twice.
bool TitleListed(const std::vector<MenuEntry>& entries, const MenuCommand& command) {
  return std::any_of(entries.begin(), entries.end(), [&command](const MenuEntry& listed) {
    return listed.command->titleId == command.titleId;
  });
}

}  // namespace

std::pair<std::wstring_view, std::wstring_view> SplitItemValue(std::wstring_view value) noexcept {
  const size_t semicolon = value.find(L';');
  if (semicolon == std::wstring_view::npos) return {value, {}};
  std::wstring_view appId = value.substr(semicolon + 1);
  return {value.substr(0, semicolon), appId.substr(0, appId.find(L';'))};
}

bool IsAvailable(MenuEntry& entry, bool showAll, const MenuSource& source) {
  const std::wstring_view list = showAll ? suite::kAllAppsList : suite::kAppsList;
  std::wstring_view tried;
  bool passes = true;  // a command that needs no application always may appear
  for (std::wstring_view appId : entry.command->appChecks) {
    if (appId.empty()) break;
    tried = appId;
    passes = source.IsListed(list, appId) && (entry.extra || source.IsInstalled(appId));
    if (passes) break;  // the next edition is only tried when this one fails
  }
  if (entry.appId.empty()) entry.appId = tried;
  return passes;
}

std::vector<MenuEntry> BuildEntries(MenuTab tab, bool showAll, const MenuSource& source) {
  std::vector<MenuEntry> entries;
  if (CommandGroup(tab).empty()) return entries;

  // The configured commands, in key order. The keys are asked for by index up to the number of
  // entries, whatever their names: a gap in the numbering hides the keys beyond the count.
  const std::wstring section = MenuSection(tab);
  const std::size_t count = source.EntryCount(section);
  std::vector<std::wstring> configuredNames;
  for (std::size_t i = 0; i < count; ++i) {
    const std::wstring value = source.Value(section, ItemKey(i));
    if (value.empty()) continue;
    const auto [name, appId] = SplitItemValue(value);
    MenuEntry entry{static_cast<int>(i), FindCommand(tab, name), std::wstring(appId), false};
    // A name the group does not know has no title, icon or action: it is left out, and
    // configuration errors are not reported to the user.
    if (!entry.command || !IsAvailable(entry, showAll, source)) continue;
    entries.push_back(std::move(entry));
    configuredNames.emplace_back(name);
  }
  if (!showAll) return entries;

  // The rest of the group, each at its canonical place: configured commands keep theirs, and the
  // insertion point moves past each of them and past each command added. A command whose title is
  // already listed is not added.
  std::size_t insertAt = 0;
  for (std::wstring_view name : CanonicalOrder(tab)) {
    if (AmongNames(configuredNames, name)) {
      ++insertAt;
      continue;
    }
    MenuEntry entry{-1, FindCommand(tab, name), {}, true};
    if (!entry.command || TitleListed(entries, *entry.command) || !IsAvailable(entry, showAll, source))
      continue;
    insertAt = std::min(insertAt, entries.size());
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
    ++insertAt;
  }
  return entries;
}

}  // namespace ui
