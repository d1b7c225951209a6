#include "menu/MenuModel.h"

#include "profile/CryptedProfile.h"
#include "suite/Installed.h"
#include "suite/ProductLists.h"
#include "win/Resources.h"

namespace ui {
namespace {

MenuItem MakeItem(const MenuEntry& entry) {
  const MenuCommand& command = *entry.command;
  MenuItem item;
  item.position = entry.position;
  item.title = win::LoadString(command.titleId);
  item.description = win::LoadString(command.descriptionId);
  item.appId = entry.appId;
  item.extra = entry.extra;
  item.commandIndex = command.index;
  item.iconId = static_cast<int>(command.iconId);
  return item;
}

}  // namespace

std::size_t ProductMenuSource::EntryCount(std::wstring_view section) const {
  return configuration_.SectionEntryCount(section);
}

std::wstring ProductMenuSource::Value(std::wstring_view section, std::wstring_view key) const {
  return configuration_.GetString(section, key);
}

bool ProductMenuSource::IsListed(std::wstring_view list, std::wstring_view appId) const {
  return suite::IsListedIn(configuration_, list, appId);
}

bool ProductMenuSource::IsInstalled(std::wstring_view appId) const {
  return suite::IsInstalled(appId);
}

std::vector<MenuItem>* MenuModel::ItemsOf(MenuTab tab) noexcept {
  const int number = static_cast<int>(tab);
  return number >= 1 && number <= kTabCount ? &items_[static_cast<std::size_t>(number - 1)] : nullptr;
}

bool MenuModel::BuildTab(MenuTab tab, bool showAll, MenuListSink& list) {
  std::vector<MenuItem>* items = ItemsOf(tab);
  if (!items) return false;
  items->clear();
  for (const MenuEntry& entry : BuildEntries(tab, showAll, source_)) items->push_back(MakeItem(entry));
  for (const MenuItem& item : *items)
    list.AddRowWithIconId(item.iconId, item.title, item.description, item.commandIndex, !item.extra);
  return !items->empty();
}

MenuModel::TabsFilled MenuModel::Rebuild(bool showAll, const TabLists& lists) {
  Clear();
  for (MenuListSink* list : lists)
    if (list) list->Clear();
  TabsFilled filled{};
  for (std::size_t i = 0; i < std::size(kConfiguredTabs); ++i)
    filled[i] = lists[i] && BuildTab(kConfiguredTabs[i], showAll, *lists[i]);
  return filled;
}

MenuModel::TabsFilled MenuModel::Foresee(bool showAll) const {
  TabsFilled filled{};
  for (std::size_t i = 0; i < std::size(kConfiguredTabs); ++i)
    filled[i] = !BuildEntries(kConfiguredTabs[i], showAll, source_).empty();
  return filled;
}

std::span<const MenuItem> MenuModel::Items(MenuTab tab) const noexcept {
  const int number = static_cast<int>(tab);
  if (number < 1 || number > kTabCount) return {};
  return items_[static_cast<std::size_t>(number - 1)];
}

const MenuItem* MenuModel::ItemAt(MenuTab tab, std::size_t row) const noexcept {
  const std::span<const MenuItem> items = Items(tab);
  return row < items.size() ? &items[row] : nullptr;
}

void MenuModel::Clear() noexcept {
  for (std::vector<MenuItem>& items : items_) items.clear();
}

}  // namespace ui
