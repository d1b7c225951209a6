// Which commands a configured tab shows, and in which order: the tab's section of the product's .inf
// ("_menu" + N, keys item0, item1, ...), filtered by the product's application lists and what is
// installed, and with "show all features" on, merged with the rest of the group. Portable: no
// windows.h; the .inf and the installation are reached through MenuSource.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "menu/MenuCommands.h"

namespace ui {

// What the rules read: the product's configuration and the installation records.
class MenuSource {
 public:
  virtual ~MenuSource() = default;
  // 0 when the section does not exist.
  [[nodiscard]] virtual std::size_t EntryCount(std::wstring_view section) const = 0;
  // Empty when the section or the key (compared exactly) does not exist.
  [[nodiscard]] virtual std::wstring Value(std::wstring_view section, std::wstring_view key) const = 0;
  // `list` ("apps" or "allapps") has a key equal to `appId`, without regard to case.
  [[nodiscard]] virtual bool IsListed(std::wstring_view list, std::wstring_view appId) const = 0;
  [[nodiscard]] virtual bool IsInstalled(std::wstring_view appId) const = 0;
};

// One command that passed the rules.
struct MenuEntry {
  int position = -1;  // the key index it came from; -1 when added by "show all features"
  const MenuCommand* command = nullptr;
  std::wstring appId;  // configured, else the app ID the availability test used last; may be empty
  bool extra = false;  // added by "show all features": shown dimmed, refused when chosen
};

// "Command;AppId;..." -> the command name and the app ID (empty when there is none). Text after a
// second ";" is ignored.
[[nodiscard]] std::pair<std::wstring_view, std::wstring_view> SplitItemValue(
    std::wstring_view value) noexcept;

// Whether `entry` (its command set) may appear: every app ID the command checks must be listed in
// "allapps" (show all) or "apps", and installed unless the entry is extra; the terminology manager
// passes with either edition. An empty app ID takes the last one tried.
[[nodiscard]] bool IsAvailable(MenuEntry& entry, bool showAll, const MenuSource& source);

// The entries of tab 1, 2 or 6 in display order; empty for a missing section or any other tab.
[[nodiscard]] std::vector<MenuEntry> BuildEntries(MenuTab tab, bool showAll, const MenuSource& source);

}  // namespace ui
