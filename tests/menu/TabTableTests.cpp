// The tab table, which the start page, the ribbon, the tab lists and the main window all walk:
// every number, command and identifier appears once, each kind of content is where the window
// looks for it, and every text it names exists in each of the five language libraries.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "MenuFixture.h"
#include "menu/MenuCommands.h"
#include "menu/TabTable.h"
#include "support/LanguageStrings.h"

namespace {

using ui::TabContent;

TEST(TabTableTest, NumbersCommandsAndIdentifiersAreDistinct) {
  std::set<int> numbers, commands, lists;
  for (const ui::TabRow& row : ui::kTabs) {
    numbers.insert(static_cast<int>(row.tab));
    // The start page's and the ribbon's commands both reach the main window: none may be another's.
    EXPECT_TRUE(commands.insert(row.startButtonId).second) << row.startButtonId;
    EXPECT_TRUE(commands.insert(row.ribbonId).second) << row.ribbonId;
    if (ui::ShowsList(row)) {
      EXPECT_TRUE(lists.insert(row.panelId).second) << row.panelId;
    }
    EXPECT_EQ(ui::FindTab(row.tab), &row);
    EXPECT_EQ(ui::TabOfStartButton(row.startButtonId), &row);
    EXPECT_EQ(ui::TabOfRibbonId(row.ribbonId), &row);
    EXPECT_EQ(ui::TabInStartSlot(static_cast<size_t>(row.startSlot)), &row);
    EXPECT_EQ(ui::TabInRibbonSlot(static_cast<size_t>(row.ribbonSlot)), &row);
  }
  EXPECT_EQ(numbers, (std::set<int>{1, 2, 3, 4, 5, 6, 7}));
  // A list's identifier is no command of a button either.
  for (int id : lists) EXPECT_EQ(commands.count(id), 0u) << id;
  EXPECT_EQ(ui::FindTab(0), nullptr);
  EXPECT_EQ(ui::FindTab(ui::kTabCount + 1), nullptr);
  EXPECT_EQ(ui::TabOfListId(IDR_HTML_DICTIONARIES), nullptr);  // a page's resource is no list
}

TEST(TabTableTest, EachContentIsWhereTheWindowLooksForIt) {
  // The command lists are the tabs the menu model builds, in its order.
  std::vector<ui::MenuTab> commandTabs;
  for (const ui::TabRow& row : ui::kTabs)
    if (row.content == TabContent::kTaskList || row.content == TabContent::kApplicationList)
      commandTabs.push_back(row.tab);
  EXPECT_TRUE(std::equal(commandTabs.begin(), commandTabs.end(), std::begin(ui::kConfiguredTabs),
                         std::end(ui::kConfiguredTabs)));
  for (TabContent single : {TabContent::kLaunchList, TabContent::kDocuments}) {
    const auto count = std::count_if(std::begin(ui::kTabs), std::end(ui::kTabs),
                                     [single](const ui::TabRow& row) { return row.content == single; });
    EXPECT_EQ(count, 1) << static_cast<int>(single);
  }
  for (const ui::TabRow& row : ui::kTabs) {
    SCOPED_TRACE(static_cast<int>(row.tab));
    const bool page = row.content == TabContent::kHtmlPage;
    // A list has its heading; a page has the Launch/Install button, with its caption, instead.
    EXPECT_EQ(row.headingId == 0, page);
    EXPECT_EQ(row.button != ui::TabButton::kNone, page);
    EXPECT_EQ(row.buttonCaptionId != 0, page);
    EXPECT_NE(row.panelId, 0);
    // Only the large button of slot 0 has no second line.
    EXPECT_EQ(row.startTextId == 0, row.startSlot == 0);
  }
}

TEST(TabTableTest, EveryTextExistsInEveryLanguage) {
  std::set<unsigned> ids;
  for (const ui::TabRow& row : ui::kTabs)
    for (unsigned id :
         {row.captionId, row.startTextId, row.ribbonCaptionId, row.headingId, row.buttonCaptionId})
      if (id != 0) ids.insert(id);
  ASSERT_GE(ids.size(), 2u * ui::kTabCount);
  EXPECT_EQ(test::StringsMissingInSomeLanguage(ids), std::vector<std::wstring>{});
}

}  // namespace
