// Which commands a tab shows and in which order: a real .inf built in memory, the installation
// records in a registry sandbox.
#include <gtest/gtest.h>

#include "MenuFixture.h"
#include "menu/MenuRules.h"

namespace {

using ui::MenuTab;

struct Shown {
  std::wstring command;
  int position;
  std::wstring appId;
  bool extra;
  bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
  *out << ::testing::PrintToString(shown.command) << " at " << shown.position << " app "
       << ::testing::PrintToString(shown.appId) << (shown.extra ? " extra" : "");
}

std::vector<Shown> Build(const CXCryptedProfileW& inf, MenuTab tab, bool showAll) {
  std::vector<Shown> shown;
  for (const ui::MenuEntry& entry : ui::BuildEntries(tab, showAll, ui::ProductMenuSource(inf)))
    shown.push_back({std::wstring(entry.command->name), entry.position, entry.appId, entry.extra});
  return shown;
}

using MenuRulesTest = test::MenuTest;

TEST_F(MenuRulesTest, ConfiguredItemsKeepTheirOrderAndTheirOwnAppIds) {
  const auto inf =
      test::MakeInf({{L"_menu1", {{L"item0", L"TranslateWord;Word"}, {L"item1", L"QuickTranslate"}}}});
  const std::vector<Shown> expected = {{L"TranslateWord", 0, L"Word", false},
                                       {L"QuickTranslate", 1, L"", false}};
  EXPECT_EQ(Build(inf, MenuTab::kTranslation, false), expected);
}

TEST_F(MenuRulesTest, KeysAreAskedForByIndexUpToTheEntryCount) {
  const auto inf = test::MakeInf({{L"_menu1", {{L"item0", L"TranslateWeb"}, {L"item2", L"TranslateExcel"}}}});
  test::RecordingSource source(inf);
  const auto entries = ui::BuildEntries(MenuTab::kTranslation, false, source);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].command->name, L"TranslateWeb");
  EXPECT_EQ(source.asked, (std::vector<std::wstring>{L"item0", L"item1"}));
}

TEST_F(MenuRulesTest, EmptyValuesUnknownNamesAndOtherGroupsCommandsAreSkipped) {
  const auto inf = test::MakeInf({{L"_menu1",
                                   {{L"item0", L""},
                                    {L"item1", L"TranslateFax"},
                                    {L"item2", L"LaunchNETSync"},
                                    {L"Item3", L"TranslateWeb"},  // key names compare exactly
                                    {L"item4", L"QuickTranslate"}}}});
  const std::vector<Shown> expected = {{L"QuickTranslate", 4, L"", false}};
  EXPECT_EQ(Build(inf, MenuTab::kTranslation, false), expected);
}

TEST_F(MenuRulesTest, AMissingSectionOrAnUnconfiguredTabIsEmpty) {
  const auto inf =
      test::MakeInf({{L"_menu3", {{L"item0", L"QuickTranslate"}}}, test::AppList(L"allapps", {L"xre"})});
  for (bool showAll : {false, true}) {
    // Show all still adds the group's commands that need no application.
    EXPECT_EQ(Build(inf, MenuTab::kTranslation, showAll).empty(), !showAll);
    EXPECT_TRUE(Build(inf, MenuTab::kDictionaries, showAll).empty());
  }
  EXPECT_TRUE(Build(inf, MenuTab::kCustomisation, false).empty());
}

// A configured command that needs an application appears when that application is on the list of
// the mode and installed; show all looks at "allapps" but still wants it installed.
TEST_F(MenuRulesTest, ConfiguredLaunchCommandsNeedTheListAndTheInstallation) {
  const struct {
    const char* what;
    bool showAll;
    std::vector<std::wstring> apps, allapps;
    bool installed;
    bool shown;
  } cases[] = {
      {"listed and installed", false, {L"Batcher"}, {}, true, true},
      {"installed, not this product's", false, {L"Vnto"}, {L"Batcher"}, true, false},
      {"listed, not installed", false, {L"Batcher"}, {L"Batcher"}, false, false},
      {"show all: in allapps and installed", true, {}, {L"BATCHER"}, true, true},
      {"show all: in allapps, not installed", true, {L"Batcher"}, {L"Batcher"}, false, false},
      {"show all: only in apps", true, {L"Batcher"}, {}, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software");
    if (c.installed) Install(L"Batcher");
    const auto inf = test::MakeInf({{L"_menu1", {{L"item0", L"TranslateFiles"}}},
                                    test::AppList(L"apps", c.apps),
                                    test::AppList(L"allapps", c.allapps)});
    const auto shown = Build(inf, MenuTab::kTranslation, c.showAll);
    const bool found = std::any_of(shown.begin(), shown.end(), [](const Shown& s) {
      return s.command == L"TranslateFiles" && !s.extra && s.appId == L"Batcher";
    });
    EXPECT_EQ(found, c.shown);
  }
}

TEST_F(MenuRulesTest, TerminologyManagerTakesEitherEditionAndKeepsTheLastOneTried) {
  const struct {
    const char* what;
    std::vector<std::wstring> apps;
    std::vector<std::wstring> installed;
    bool folderOnly;
    std::wstring configured;
    const wchar_t* appId;  // nullptr: not shown
  } cases[] = {
      {"full edition", {L"Glosso", L"GlossoL"}, {L"Glosso", L"GlossoL"}, false, L"", L"Glosso"},
      {"lite edition only listed", {L"GlossoL"}, {L"Glosso", L"GlossoL"}, false, L"", L"GlossoL"},
      {"full edition not installed", {L"Glosso", L"GlossoL"}, {L"GlossoL"}, false, L"", L"GlossoL"},
      {"installed as a folder", {L"glosso"}, {L"Glosso"}, true, L"", L"Glosso"},
      {"configured app ID stays", {L"GlossoL"}, {L"GlossoL"}, false, L"Terms", L"Terms"},
      {"neither", {L"Glosso"}, {L"GlossoL"}, false, L"", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software");
    for (const std::wstring& id : c.installed) c.folderOnly ? InstallFolder(id) : Install(id);
    const std::wstring value =
        L"LaunchTerminologyManager" + (c.configured.empty() ? L"" : L";" + c.configured);
    const auto inf = test::MakeInf({{L"_menu2", {{L"item0", value}}}, test::AppList(L"apps", c.apps)});
    const auto shown = Build(inf, MenuTab::kCustomisation, false);
    if (!c.appId) {
      EXPECT_TRUE(shown.empty());
      continue;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].appId, c.appId);
  }
}

TEST_F(MenuRulesTest, ShowAllAddsTheRestOfTheGroupAtItsCanonicalPlaces) {
  Install(L"Dictkit");
  const auto inf = test::MakeInf({{L"_menu2", {{L"item0", L"EditTemplate"}}},
                                  test::AppList(L"apps", {L"Glosso"}),
                                  test::AppList(L"allapps", {L"TRADOS", L"GlossoL", L"xre", L"Dictkit"})});
  const std::vector<Shown> expected = {
      {L"EditDictionary", -1, L"", true},
      {L"EditTemplate", 0, L"", false},
      {L"EditTranslationMemory", -1, L"", true},
      {L"LaunchXMLRulesEditor", -1, L"xre", true},  // extra items need not be installed
      {L"LaunchTerminologyManager", -1, L"GlossoL", true},
      {L"LaunchDictionaryServices", -1, L"Dictkit", true},
      {L"LaunchTrados", -1, L"TRADOS", true},
  };
  EXPECT_EQ(Build(inf, MenuTab::kCustomisation, true), expected);
  const std::vector<Shown> configuredOnly = {{L"EditTemplate", 0, L"", false}};
  EXPECT_EQ(Build(inf, MenuTab::kCustomisation, false), configuredOnly);
}

// The dictionary manager and its Pro edition share one title: with show all on, the one listed
// first (configured, or first in the canonical order) stands for both, and nothing after it moves.
TEST_F(MenuRulesTest, ShowAllDoesNotListACommandWhoseTitleIsListedAlready) {
  const struct {
    const char* what;
    std::vector<std::pair<std::wstring, std::wstring>> configured;
    std::vector<std::wstring> installed;
    std::vector<Shown> expected;
  } cases[] = {
      {"standard edition configured",
       {{L"item0", L"LaunchDictionaryServices"}},
       {L"Dictkit"},
       {{L"LaunchDictionaryServices", 0, L"Dictkit", false}, {L"LaunchTrados", -1, L"TRADOS", true}}},
      {"Pro edition configured",
       {{L"item0", L"LaunchDictionaryServicesI"}},
       {L"DictkitI"},
       {{L"LaunchDictionaryServicesI", 0, L"DictkitI", false}, {L"LaunchTrados", -1, L"TRADOS", true}}},
      {"neither configured",
       {},
       {},
       {{L"LaunchDictionaryServices", -1, L"Dictkit", true}, {L"LaunchTrados", -1, L"TRADOS", true}}},
      {"both configured: the product's own choice stays",
       {{L"item0", L"LaunchDictionaryServicesI"}, {L"item1", L"LaunchDictionaryServices"}},
       {L"Dictkit", L"DictkitI"},
       {{L"LaunchDictionaryServicesI", 0, L"DictkitI", false},
        {L"LaunchDictionaryServices", 1, L"Dictkit", false},
        {L"LaunchTrados", -1, L"TRADOS", true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software");
    for (const std::wstring& id : c.installed) Install(id);
    const auto inf = test::MakeInf({{L"_menu2", c.configured},
                                    test::AppList(L"apps", {L"Dictkit", L"DictkitI"}),
                                    test::AppList(L"allapps", {L"Dictkit", L"DictkitI", L"TRADOS"})});
    std::vector<Shown> shown;
    for (const Shown& row : Build(inf, MenuTab::kCustomisation, true))
      if (row.command.starts_with(L"Launch")) shown.push_back(row);  // the editors need no application
    EXPECT_EQ(shown, c.expected);
  }
}

// The insertion point only moves past configured names as the canonical walk meets them, so
// commands configured out of the canonical order push the additions around them.
TEST_F(MenuRulesTest, ShowAllInsertsAtARunningPositionWhateverTheConfiguredOrder) {
  const auto inf =
      test::MakeInf({{L"_menu1", {{L"item0", L"TranslateExcel"}, {L"item1", L"quicktranslate"}}}});
  std::vector<std::wstring> order;
  for (const Shown& shown : Build(inf, MenuTab::kTranslation, true)) order.push_back(shown.command);
  const std::vector<std::wstring> expected = {
      L"TranslateExcel",      L"TranslateWord",    L"TranslateWeb",
      L"TranslatePDF",        L"TranslateOutlook", L"TranslateMessengers",
      L"TranslatePowerPoint", L"QuickTranslate",   L"TranslateOpenOffice"};
  EXPECT_EQ(order, expected);  // TranslateFiles needs Batcher in "allapps"
}

TEST_F(MenuRulesTest, NamesAndAppIdsCompareWithoutRegardToCase) {
  Install(L"TRADOS");
  InstallFolder(L"NETSYNC");
  const auto inf = test::MakeInf({{L"_menu2", {{L"item0", L"LaunchTRADOS"}}},
                                  {L"_menu6", {{L"item0", L"launchnetsync"}}},
                                  test::AppList(L"apps", {L"trados", L"netSync"})});
  const std::vector<Shown> trados = {{L"LaunchTrados", 0, L"TRADOS", false}};
  EXPECT_EQ(Build(inf, MenuTab::kCustomisation, false), trados);
  const std::vector<Shown> sync = {{L"LaunchNETSync", 0, L"NetSync", false}};
  EXPECT_EQ(Build(inf, MenuTab::kNetwork, false), sync);
}

}  // namespace
