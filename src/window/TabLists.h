// The list panels of the main window's list tabs: the configured command tabs (translation,
// customisation, network administration) built from the menu model, and the launch tab built from
// the application catalogue.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "menu/MenuModel.h"
#include "tasks/DocsDialog.h"
#include "controls/CustomListDialog.h"

namespace app {
class SharedGraphics;
}
namespace suite {
class LaunchContext;
class LaunchList;
}  // namespace suite
class CXCryptedProfileW;

namespace ui {

class TabLists {
 public:
  // The tabs that show a list, and the identifier each list reports its clicks with.
  static constexpr std::array<int, 4> kListTabs = {1, 2, 4, 6};
  static constexpr int kListIdBase = 1100;  // the list of tab N reports kListIdBase + N
  // The documentation tab, whose list holds the product's documents.
  static constexpr int kDocumentationTab = 5;
  // Every tab that shows a list.
  static constexpr std::array<int, 5> kTabsWithList = {1, 2, 4, 5, 6};

  TabLists(const CXCryptedProfileW& configuration, suite::LaunchContext& context);
  ~TabLists();
  TabLists(const TabLists&) = delete;
  TabLists& operator=(const TabLists&) = delete;

  // Creates the hidden panels as children of `parent` at `at`; the tabs whose panel could not be
  // made (they stay without a list).
  std::vector<int> Create(HWND parent, POINT at, const app::SharedGraphics& graphics);

  // Empties every list and fills them again. `launchLater`: the launch list is filled by
  // FillLaunchList (or when first asked for); until then its tab counts as having rows when the
  // programs' files are there.
  void Rebuild(bool showAll, bool launchLater = false);
  // Fills a launch list left for later; true when that changed whether its tab has rows.
  bool FillLaunchList();
  // Whether tab N's list has rows since the last Rebuild (the documents are listed once, when the
  // panel is made).
  [[nodiscard]] bool HasRows(int tab) const noexcept;

  // The panel of tab N, or null for a tab without a list.
  [[nodiscard]] HWND Panel(int tab) const noexcept;
  [[nodiscard]] static int TabOfListId(int listId) noexcept;

  [[nodiscard]] const MenuModel& Model() const noexcept { return model_; }
  // The launch tab's list, filled; null when its panel could not be made.
  [[nodiscard]] suite::LaunchList* Launch() {
    (void)FillLaunchList();
    return launchList_.get();
  }
  // The documentation tab's panel; null when it could not be made.
  [[nodiscard]] tasks::CDocsDialog* Docs() noexcept { return docs_ && docs_->hwnd() ? docs_.get() : nullptr; }

 private:
  class MenuRows;  // hands the model's rows to a list

  [[nodiscard]] static size_t IndexOf(int tab) noexcept;

  ProductMenuSource source_;
  MenuModel model_;
  std::array<skin::CCustomListDialog, 4> panels_;
  std::array<bool, 4> hasRows_{};
  bool launchPending_ = false;
  bool pendingShowAll_ = false;
  std::array<std::unique_ptr<MenuRows>, 3> rows_;
  std::unique_ptr<suite::LaunchList> launchList_;
  std::unique_ptr<tasks::CDocsDialog> docs_;
  suite::LaunchContext& context_;
};

}  // namespace ui
