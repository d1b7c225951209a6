// The item arrays of the configured tabs (translation, customisation, network administration),
// owned by the main window: rebuilt at start-up and whenever "show all features" changes, handed
// row by row to each tab's list, and looked up by row when the user chooses one.
#pragma once

#include <windows.h>

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "menu/MenuRules.h"

class CXCryptedProfileW;

namespace ui {

// One visible command of a configured tab.
struct MenuItem {
  int position = -1;  // the item key's index; -1 for an extra item
  std::wstring title;
  std::wstring description;
  std::wstring appId;
  bool extra = false;
  int commandIndex = 0;  // the dispatcher's switch value within the tab's group
  int iconId = 0;        // the executable's icon resource, loaded (shared) by whoever draws it
};

// What a tab's list control offers the model. Disabled rows are drawn dimmed.
class MenuListSink {
 public:
  virtual ~MenuListSink() = default;
  virtual void Clear() = 0;
  virtual void AddRow(HICON icon, const std::wstring& title, const std::wstring& description, int data,
                      bool enabled) = 0;
  // The same with icon resource `iconId` of the executable (0: none). A list that draws may load it
  // when the row is first drawn; this default loads it now.
  virtual void AddRowWithIconId(int iconId, const std::wstring& title, const std::wstring& description,
                                int data, bool enabled) {
    AddRow(iconId ? ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId)) : nullptr, title,
           description, data, enabled);
  }
};

// The product's .inf and the installation records of HKEY_LOCAL_MACHINE, as the rules read them.
class ProductMenuSource final : public MenuSource {
 public:
  explicit ProductMenuSource(const CXCryptedProfileW& configuration) noexcept
      : configuration_(configuration) {}

  std::size_t EntryCount(std::wstring_view section) const override;
  std::wstring Value(std::wstring_view section, std::wstring_view key) const override;
  bool IsListed(std::wstring_view list, std::wstring_view appId) const override;
  bool IsInstalled(std::wstring_view appId) const override;

 private:
  const CXCryptedProfileW& configuration_;
};

class MenuModel {
 public:
  explicit MenuModel(const MenuSource& source) noexcept : source_(source) {}

  // Replaces the items of tab 1, 2 or 6 and hands them to `list` in order (the command index as
  // the row's data, extra rows disabled); the list itself is not cleared first. False when the tab
  // has no items, and for any other tab.
  bool BuildTab(MenuTab tab, bool showAll, MenuListSink& list);

  // Whether each configured tab (in kConfiguredTabs order) has items.
  using TabsFilled = std::array<bool, std::size(kConfiguredTabs)>;
  using TabLists = std::array<MenuListSink*, std::size(kConfiguredTabs)>;
  // Empties every item array and the given lists, then builds the configured tabs (a null list
  // leaves its tab empty).
  TabsFilled Rebuild(bool showAll, const TabLists& lists);
  // Which configured tabs Rebuild would fill, without making their items; the items stay as they are.
  [[nodiscard]] TabsFilled Foresee(bool showAll) const;

  // The items of tab 1..7 (only the configured tabs ever have any).
  [[nodiscard]] std::span<const MenuItem> Items(MenuTab tab) const noexcept;
  // The item of the tab's list at `row`; nullptr when out of range.
  [[nodiscard]] const MenuItem* ItemAt(MenuTab tab, std::size_t row) const noexcept;

  // Frees every item (the window does so when it goes).
  void Clear() noexcept;

 private:
  std::vector<MenuItem>* ItemsOf(MenuTab tab) noexcept;

  const MenuSource& source_;
  std::array<std::vector<MenuItem>, kTabCount> items_;
};

}  // namespace ui
