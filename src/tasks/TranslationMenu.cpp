#include "tasks/TranslationMenu.h"

#include <string>

#include "profile/CryptedProfile.h"
#include "suite/AppId.h"
#include "menu/MenuCommands.h"
#include "menu/MenuRules.h"

namespace tasks {

bool IsListedInTranslationMenu(const CXCryptedProfileW& configuration, std::wstring_view appId) {
  if (appId.empty()) return false;
  const std::wstring section = ui::MenuSection(ui::MenuTab::kTranslation);
  const std::size_t count = configuration.SectionEntryCount(section);
  for (std::size_t i = 0; i < count; ++i) {
    const std::wstring value = configuration.GetString(section, ui::ItemKey(i));
    const auto [name, configuredId] = ui::SplitItemValue(value);
    if (!configuredId.empty()) {
      // An item may name several applications ("Word|Vnto|VntoX|Batcher"): any of them counts.
      for (std::wstring_view id : suite::SplitAppIds(configuredId))
        if (suite::SameAppId(id, appId)) return true;
      continue;
    }
    if (const ui::MenuCommand* command = ui::FindCommand(ui::MenuTab::kTranslation, name))
      for (std::wstring_view needed : command->appChecks)
        if (!needed.empty() && suite::SameAppId(needed, appId)) return true;
  }
  return false;
}

}  // namespace tasks
