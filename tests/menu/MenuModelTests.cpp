// The model the main window owns: items with their texts, rows handed to each tab's list, lookups by
// row, and rebuilding when "show all features" changes.
#include <gtest/gtest.h>

#include "MenuFixture.h"
#include "menu/MenuModel.h"
#include "win/Resources.h"

namespace {

using ui::MenuTab;

class MenuModelTest : public test::MenuTest {
 protected:
  void SetUp() override { test::UseStrings(L"ENU"); }
  void TearDown() override { win::ResetResourceModule(); }
};

TEST_F(MenuModelTest, ATabsItemsBecomeRowsWithTheirCommandIndexAndExtraOnesDisabled) {
  Install(L"NetUMI");
  const auto inf = test::MakeInf({{L"_menu6", {{L"item0", L"LaunchNETUserManagerI"}}},
                                  test::AppList(L"apps", {L"NetUMI"}),
                                  test::AppList(L"allapps", {L"NetUMI", L"NetLAI"})});
  const ui::ProductMenuSource source(inf);
  ui::MenuModel model(source);
  test::RecordingList list;
  ASSERT_TRUE(model.BuildTab(MenuTab::kNetwork, true, list));

  const std::vector<test::ListRow> expected = {
      {L"User Manager Pro", L"VANTO NET User Manager Pro", 9, true},
      {L"Linguistic Administrator Pro", L"VANTO NET Linguistic Administrator  Pro", 10, false},
  };
  EXPECT_EQ(list.rows, expected);
  EXPECT_EQ(list.clears, 0);
  const ui::MenuItem* chosen = model.ItemAt(MenuTab::kNetwork, 1);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->appId, L"NetLAI");
  EXPECT_TRUE(chosen->extra);
  EXPECT_EQ(chosen->position, -1);
  EXPECT_EQ(model.ItemAt(MenuTab::kNetwork, 0)->position, 0);
  EXPECT_EQ(model.ItemAt(MenuTab::kNetwork, 2), nullptr);
  EXPECT_EQ(model.ItemAt(MenuTab::kTranslation, 0), nullptr);
}

TEST_F(MenuModelTest, RebuildReplacesEveryTabAndSaysWhichHaveItems) {
  Install(L"Batcher");
  const auto inf = test::MakeInf({{L"_menu1", {{L"item0", L"TranslateFiles"}, {L"item1", L"TranslatePDF"}}},
                                  test::AppList(L"apps", {L"Batcher"}),
                                  test::AppList(L"allapps", {L"Batcher", L"SrvLogin"})});
  const ui::ProductMenuSource source(inf);
  ui::MenuModel model(source);
  test::RecordingList translation, customisation, network;
  const ui::MenuModel::TabLists lists = {&translation, &customisation, &network};

  // Foreseen as Rebuild fills them below, without making any item.
  EXPECT_EQ(model.Foresee(true), (ui::MenuModel::TabsFilled{true, true, true}));
  EXPECT_EQ(model.Foresee(false), (ui::MenuModel::TabsFilled{true, false, false}));
  EXPECT_TRUE(model.Items(MenuTab::kTranslation).empty());
  EXPECT_EQ(model.Rebuild(true, lists), (ui::MenuModel::TabsFilled{true, true, true}));
  EXPECT_EQ(translation.rows.size(), 10u);
  EXPECT_EQ(customisation.rows.size(), 3u);  // the editors need no application
  ASSERT_EQ(network.rows.size(), 1u);
  EXPECT_EQ(network.rows[0], (test::ListRow{L"Server Login", L"VANTO NET Server Login", 0, false}));

  EXPECT_EQ(model.Rebuild(false, lists), (ui::MenuModel::TabsFilled{true, false, false}));
  const std::vector<test::ListRow> configured = {
      {L"Translate Batch of Documents", L"Translating Several Documents in Batch Mode", 9, true},
      {L"Translate PDF Document ", L"Translating PDF Documents ", 7, true},
  };
  EXPECT_EQ(translation.rows, configured);
  for (const test::RecordingList* list : {&translation, &customisation, &network}) EXPECT_EQ(list->clears, 2);
  EXPECT_EQ(model.Items(MenuTab::kTranslation).size(), 2u);
  EXPECT_TRUE(model.Items(MenuTab::kCustomisation).empty());
  EXPECT_EQ(model.ItemAt(MenuTab::kTranslation, 0)->appId, L"Batcher");

  model.Clear();
  EXPECT_TRUE(model.Items(MenuTab::kTranslation).empty());
}

TEST_F(MenuModelTest, TabsTheModelDoesNotBuildStayEmpty) {
  const auto inf = test::MakeInf({{L"_menu4", {{L"item0", L"QuickTranslate"}}}});
  const ui::ProductMenuSource source(inf);
  ui::MenuModel model(source);
  test::RecordingList list;
  for (MenuTab tab : {MenuTab::kDictionaries, MenuTab::kLaunch, MenuTab::kMyVanto}) {
    EXPECT_FALSE(model.BuildTab(tab, true, list));
    EXPECT_TRUE(model.Items(tab).empty());
  }
  EXPECT_FALSE(model.BuildTab(MenuTab::kTranslation, false, list));
  EXPECT_TRUE(list.rows.empty());
}

}  // namespace
