// The command tables: lookups by name, the show-all orders, and the texts every
// row names in each of the five language libraries.
#include <gtest/gtest.h>

#include <set>

#include "MenuFixture.h"
#include "menu/MenuCommands.h"
#include "menu/MenuRules.h"
#include "support/LanguageStrings.h"

namespace {

using ui::MenuTab;

TEST(MenuCommandsTest, NamesAreFoundWithoutRegardToCaseOnlyInTheirOwnGroup) {
  const struct {
    MenuTab tab;
    const wchar_t* name;
    int index;  // -1: not in this group
  } cases[] = {
      {MenuTab::kTranslation, L"QuickTranslate", 0},
      {MenuTab::kTranslation, L"TRANSLATEFILES", 9},
      {MenuTab::kCustomisation, L"LaunchTRADOS", 8},
      {MenuTab::kCustomisation, L"launchdictionaryservicesi", 7},
      {MenuTab::kNetwork, L"LaunchNETConfig", 1},
      {MenuTab::kNetwork, L"LaunchNETUserManager", 3},
      {MenuTab::kNetwork, L"LaunchNETLinguisticAdministratorI", 10},
      {MenuTab::kTranslation, L"EditTemplate", -1},
      {MenuTab::kNetwork, L"QuickTranslate", -1},
      {MenuTab::kTranslation, L"QuickTranslat", -1},
      {MenuTab::kLaunch, L"QuickTranslate", -1},
  };
  for (const auto& c : cases) {
    const ui::MenuCommand* command = ui::FindCommand(c.tab, c.name);
    EXPECT_EQ(command ? command->index : -1, c.index) << ::testing::PrintToString(std::wstring(c.name));
  }
}

TEST(MenuCommandsTest, EachShowAllOrderNamesEveryCommandOfItsGroupOnce) {
  for (MenuTab tab : ui::kConfiguredTabs) {
    SCOPED_TRACE(static_cast<int>(tab));
    std::set<int> indices;
    for (std::wstring_view name : ui::CanonicalOrder(tab)) {
      const ui::MenuCommand* command = ui::FindCommand(tab, name);
      ASSERT_NE(command, nullptr) << ::testing::PrintToString(std::wstring(name));
      EXPECT_TRUE(indices.insert(command->index).second) << "twice: " << command->index;
    }
    EXPECT_EQ(indices.size(), ui::CommandGroup(tab).size());
  }
  EXPECT_EQ(ui::CanonicalOrder(MenuTab::kNetwork).size(), 10u);
  EXPECT_EQ(ui::FindCommand(MenuTab::kNetwork, ui::CanonicalOrder(MenuTab::kNetwork)[2])->index, 9);
  EXPECT_TRUE(ui::CanonicalOrder(MenuTab::kDictionaries).empty());
}

TEST(MenuCommandsTest, SectionsKeysAndItemValues) {
  EXPECT_EQ(ui::MenuSection(MenuTab::kTranslation), L"_menu1");
  EXPECT_EQ(ui::MenuSection(MenuTab::kNetwork), L"_menu6");
  EXPECT_EQ(ui::ItemKey(0), L"item0");
  EXPECT_EQ(ui::ItemKey(12), L"item12");
  const struct {
    const wchar_t* value;
    const wchar_t* command;
    const wchar_t* appId;
  } cases[] = {
      {L"TranslateWord;Word", L"TranslateWord", L"Word"},
      {L"QuickTranslate", L"QuickTranslate", L""},
      {L"TranslateWord;Word;ignored", L"TranslateWord", L"Word"},
      {L"TranslateWord;", L"TranslateWord", L""},
      {L";Word", L"", L"Word"},
  };
  for (const auto& c : cases) {
    const auto [command, appId] = ui::SplitItemValue(c.value);
    EXPECT_EQ(command, c.command) << ::testing::PrintToString(std::wstring(c.value));
    EXPECT_EQ(appId, c.appId) << ::testing::PrintToString(std::wstring(c.value));
  }
}

// Every string the tables name has a text in every language library (a wrong ID loads nothing).
TEST(MenuCommandsTest, EveryTableTextExistsInEveryLanguage) {
  std::set<unsigned> ids;
  for (MenuTab tab : ui::kConfiguredTabs)
    for (const ui::MenuCommand& command : ui::CommandGroup(tab))
      ids.insert({command.titleId, command.descriptionId});
  EXPECT_EQ(ids.size(), 20u + 16u + 20u);  // the dictionary-services rows share theirs
  EXPECT_EQ(test::StringsMissingInSomeLanguage(ids), std::vector<std::wstring>{});
}

}  // namespace
