// The seven tabs of the main window, one row each: the tab's number, its start-page button and its
// ribbon tab (commands, captions, faces and places), what it shows in the panel area and the
// identifier of that panel. The start page, the ribbon, the tab lists and the main window all walk
// this table. Portable: no windows.h.
#pragma once

#include <array>
#include <cstddef>

#include "ResourceIds.h"
#include "SkinIds.h"
#include "StringIds.h"

namespace ui {

// Tab numbers; also the view the main window keeps while the tab's own list is visible.
enum class MenuTab : int {
  kTranslation = 1,
  kCustomisation = 2,
  kDictionaries = 3,  // HTML page
  kLaunch = 4,        // filled from the catalogue
  kDocumentation = 5,
  kNetwork = 6,
  kMyVanto = 7,  // HTML page
};

inline constexpr int kTabCount = 7;

// What a tab shows in the panel area.
enum class TabContent {
  kTaskList,         // configured commands; a chosen one opens its task panel or starts its application
  kApplicationList,  // configured commands; a chosen one starts its application, dimmed ones too
  kLaunchList,       // the suite's applications from the catalogue
  kDocuments,        // the product's documentation
  kHtmlPage,         // an HTML page, with the Launch/Install button below it
};

// What the Launch/Install button does on the tab (it shows only on the HTML pages).
enum class TabButton { kNone, kInstallDictionaries, kLaunchWebService };

struct TabRow {
  MenuTab tab;
  int startButtonId;  // the start-page button's command
  int ribbonId;       // the ribbon tab's command
  // Places: the start page has the large button in slot 0 and cards in slots 1 to 6, the left
  // column top to bottom and then the right one; the ribbon's slots run left to right.
  int startSlot;
  int ribbonSlot;
  unsigned captionId;              // the start-page button's caption
  unsigned startTextId;            // the start-page card's second line; 0 for the large button
  unsigned ribbonCaptionId;        // the ribbon tab's caption
  unsigned headingId;              // above the tab's list; 0 for the HTML pages
  std::array<int, 4> startFaces;   // skin bitmaps: normal, hover, pressed, disabled
  std::array<int, 4> ribbonFaces;  // the same; pressed is the selected tab
  TabContent content;
  int panelId;  // the list's identifier, or the HTML resource of the page
  TabButton button;
  unsigned buttonCaptionId;  // the Launch/Install button's caption; 0 without the button
};

// One tab a block, its fields in the order of TabRow.
// clang-format off
inline constexpr TabRow kTabs[kTabCount] = {
    {MenuTab::kTranslation, IDC_START_TRANSLATE, IDC_TAB_TRANSLATION, 0, 0,
     IDS_TAB_TRANSLATE, 0, IDS_RIBBON_TRANSLATION, IDS_HEADING_TRANSLATION,
     {IDB_START_TRANSLATE_NORMAL, IDB_START_TRANSLATE_HOVER, IDB_START_TRANSLATE_PRESSED,
      IDB_START_TRANSLATE_DISABLED},
     {IDB_TAB_TRANSLATION_NORMAL, IDB_TAB_TRANSLATION_HOVER, IDB_TAB_TRANSLATION_PRESSED,
      IDB_TAB_TRANSLATION_DISABLED},
     TabContent::kTaskList, IDC_LIST_TRANSLATION, TabButton::kNone, 0},
    {MenuTab::kCustomisation, IDC_START_CUSTOMIZE, IDC_TAB_SETUP, 1, 1,
     IDS_TAB_CUSTOMIZE, IDS_HEADING_CUSTOMIZE, IDS_RIBBON_SETUP, IDS_HEADING_CUSTOMIZE,
     {IDB_START_SETUP_NORMAL, IDB_START_SETUP_HOVER, IDB_START_SETUP_PRESSED, IDB_START_SETUP_DISABLED},
     {IDB_TAB_SETUP_NORMAL, IDB_TAB_SETUP_HOVER, IDB_TAB_SETUP_PRESSED, IDB_TAB_SETUP_DISABLED},
     TabContent::kTaskList, IDC_LIST_CUSTOMIZE, TabButton::kNone, 0},
    {MenuTab::kDictionaries, IDC_START_DICTIONARIES, IDC_TAB_DICTIONARIES, 2, 2,
     IDS_TAB_DICTIONARIES, IDS_TEXT_DICTIONARIES, IDS_RIBBON_DICTIONARIES, 0,
     {IDB_START_DICTIONARIES_NORMAL, IDB_START_DICTIONARIES_HOVER, IDB_START_DICTIONARIES_PRESSED,
      IDB_START_DICTIONARIES_DISABLED},
     {IDB_TAB_DICTIONARIES_NORMAL, IDB_TAB_DICTIONARIES_HOVER, IDB_TAB_DICTIONARIES_PRESSED,
      IDB_TAB_DICTIONARIES_DISABLED},
     TabContent::kHtmlPage, IDR_HTML_DICTIONARIES, TabButton::kInstallDictionaries, IDS_INSTALL},
    {MenuTab::kLaunch, IDC_START_LAUNCH, IDC_TAB_LAUNCH, 3, 3,
     IDS_TAB_LAUNCH, IDS_HEADING_LAUNCH, IDS_RIBBON_LAUNCH, IDS_HEADING_LAUNCH,
     {IDB_START_LAUNCH_NORMAL, IDB_START_LAUNCH_HOVER, IDB_START_LAUNCH_PRESSED, IDB_START_LAUNCH_DISABLED},
     {IDB_TAB_LAUNCH_NORMAL, IDB_TAB_LAUNCH_HOVER, IDB_TAB_LAUNCH_PRESSED, IDB_TAB_LAUNCH_DISABLED},
     TabContent::kLaunchList, IDC_LIST_LAUNCH, TabButton::kNone, 0},
    {MenuTab::kDocumentation, IDC_START_GUIDE, IDC_TAB_GUIDE, 6, 6,
     IDS_TAB_GUIDE, IDS_HEADING_GUIDE, IDS_RIBBON_GUIDE, IDS_HEADING_GUIDE,
     {IDB_START_GUIDE_NORMAL, IDB_START_GUIDE_HOVER, IDB_START_GUIDE_PRESSED, IDB_START_GUIDE_DISABLED},
     {IDB_TAB_GUIDE_NORMAL, IDB_TAB_GUIDE_HOVER, IDB_TAB_GUIDE_PRESSED, IDB_TAB_GUIDE_DISABLED},
     TabContent::kDocuments, IDC_LIST_GUIDE, TabButton::kNone, 0},
    {MenuTab::kNetwork, IDC_START_NET, IDC_TAB_NET, 4, 4,
     IDS_TAB_NET, IDS_HEADING_NET, IDS_RIBBON_NET, IDS_HEADING_NET,
     {IDB_START_NET_NORMAL, IDB_START_NET_HOVER, IDB_START_NET_PRESSED, IDB_START_NET_DISABLED},
     {IDB_TAB_NET_NORMAL, IDB_TAB_NET_HOVER, IDB_TAB_NET_PRESSED, IDB_TAB_NET_DISABLED},
     TabContent::kApplicationList, IDC_LIST_NET, TabButton::kNone, 0},
    {MenuTab::kMyVanto, IDC_START_MY_VANTO, IDC_TAB_MY_VANTO, 5, 5,
     IDS_TAB_MY_VANTO, IDS_TEXT_MY_VANTO, IDS_RIBBON_MY_VANTO, 0,
     {IDB_START_MYVANTO_NORMAL, IDB_START_MYVANTO_HOVER, IDB_START_MYVANTO_PRESSED,
      IDB_START_MYVANTO_DISABLED},
     {IDB_TAB_MYVANTO_NORMAL, IDB_TAB_MYVANTO_HOVER, IDB_TAB_MYVANTO_PRESSED, IDB_TAB_MYVANTO_DISABLED},
     TabContent::kHtmlPage, IDR_HTML_MY_VANTO, TabButton::kLaunchWebService, IDS_LAUNCH},
};
// clang-format on

// The first row that `matches`, or nullptr.
template <class Predicate>
[[nodiscard]] constexpr const TabRow* FindTabWhere(Predicate matches) noexcept {
  for (const TabRow& row : kTabs)
    if (matches(row)) return &row;
  return nullptr;
}

// Tab `number` (1 to 7), or nullptr.
[[nodiscard]] constexpr const TabRow* FindTab(int number) noexcept {
  return FindTabWhere([number](const TabRow& row) { return static_cast<int>(row.tab) == number; });
}
[[nodiscard]] constexpr const TabRow* FindTab(MenuTab tab) noexcept {
  return FindTab(static_cast<int>(tab));
}
[[nodiscard]] constexpr const TabRow* TabOfStartButton(int id) noexcept {
  return FindTabWhere([id](const TabRow& row) { return row.startButtonId == id; });
}
[[nodiscard]] constexpr const TabRow* TabOfRibbonId(int id) noexcept {
  return FindTabWhere([id](const TabRow& row) { return row.ribbonId == id; });
}
// The tab whose list reports clicks with `id` (not an HTML page's resource).
[[nodiscard]] constexpr const TabRow* TabOfListId(int id) noexcept {
  return FindTabWhere(
      [id](const TabRow& row) { return row.content != TabContent::kHtmlPage && row.panelId == id; });
}
[[nodiscard]] constexpr const TabRow* TabInStartSlot(std::size_t slot) noexcept {
  return FindTabWhere([slot](const TabRow& row) { return static_cast<std::size_t>(row.startSlot) == slot; });
}
[[nodiscard]] constexpr const TabRow* TabInRibbonSlot(std::size_t slot) noexcept {
  return FindTabWhere([slot](const TabRow& row) { return static_cast<std::size_t>(row.ribbonSlot) == slot; });
}
// The tab with `content` (the launch list and the documents are one tab each), or nullptr.
[[nodiscard]] constexpr const TabRow* TabShowing(TabContent content) noexcept {
  return FindTabWhere([content](const TabRow& row) { return row.content == content; });
}
[[nodiscard]] constexpr bool ShowsList(const TabRow& row) noexcept {
  return row.content != TabContent::kHtmlPage;
}
// Every place on the start page and on the ribbon holds a tab.
static_assert([] {
  for (std::size_t slot = 0; slot < kTabCount; ++slot)
    if (!TabInStartSlot(slot) || !TabInRibbonSlot(slot)) return false;
  return true;
}());

// 0 for a null row: the number of no tab.
[[nodiscard]] constexpr int NumberOf(const TabRow* row) noexcept {
  return row ? static_cast<int>(row->tab) : 0;
}

}  // namespace ui
