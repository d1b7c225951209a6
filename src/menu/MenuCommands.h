// The commands of the three configurable tabs (translation,
// customisation, network administration): names as the product's .inf spells them, the index the
// dispatcher switches on, strings, icons and the applications each command needs. Portable: no
// windows.h.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "menu/TabTable.h"

namespace ui {

// One row of a command group. A command that needs no application has no app check; the
// terminology manager accepts either of two editions, the full one first. The commands that open a
// task panel are rows of the task table, those that start an application columns of the suite's
// application table.
struct MenuCommand {
  std::wstring_view name;
  int index;  // within its group: the dispatcher's switch value
  unsigned titleId;
  unsigned descriptionId;
  unsigned iconId;  // icon resource of the executable
  std::array<std::wstring_view, 2> appChecks;
  int showAllPosition;  // the command's place in its group's "show all features" order
};

// The tabs whose lists this model builds from the .inf.
inline constexpr MenuTab kConfiguredTabs[] = {MenuTab::kTranslation, MenuTab::kCustomisation,
                                              MenuTab::kNetwork};

// The group of tab 1, 2 or 6; empty for any other tab.
[[nodiscard]] std::span<const MenuCommand> CommandGroup(MenuTab tab) noexcept;
// The row named `name` (without regard to case) in the tab's group, or nullptr.
[[nodiscard]] const MenuCommand* FindCommand(MenuTab tab, std::wstring_view name) noexcept;

// The group's command names in its order for "show all features". The views point into static text.
[[nodiscard]] std::vector<std::wstring_view> CanonicalOrder(MenuTab tab);

// "_menu" + the tab number: the .inf section that configures the tab (suite::MenuSectionOf).
[[nodiscard]] std::wstring MenuSection(MenuTab tab);
// "item" + index: the keys of such a section.
[[nodiscard]] std::wstring ItemKey(std::size_t index);

}  // namespace ui
