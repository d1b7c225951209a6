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
  TabLists(const CXCryptedProfileW& configuration, suite::LaunchContext& context);
  ~TabLists();
  TabLists(const TabLists&) = delete;
  TabLists& operator=(const TabLists&) = delete;

  // Creates the hidden panels as children of `parent` at `at`; the tabs whose panel could not be
  // made (they stay without a list). Rebuild fills them.
  std::vector<int> Create(HWND parent, POINT at, const app::SharedGraphics& graphics);
  [[nodiscard]] bool Made() const noexcept { return made_; }

  // Empties every list and fills them again. `launchLater`: the launch list is filled by
  // FillLaunchList (or when first asked for); until then its tab counts as having rows when the
  // programs' files are there. Before Create it only works out which tabs will have rows, from the
  // same data the lists are filled from.
  void Rebuild(bool showAll, bool launchLater = false);
  // Fills a launch list left for later; true when that changed whether its tab has rows.
  bool FillLaunchList();
  // Whether tab N's list has rows since the last Rebuild (the documents are listed once, when the
  // panel is made).
  [[nodiscard]] bool HasRows(int tab) const noexcept;

  // Moves every panel's top left corner to `at` (a change of scale; each panel sizes itself).
  void Place(POINT at) const;
  // Gives every panel and list the pictures and fonts of the graphics' new scale (before each lays
  // itself out again at it).
  void TakeLooks(const app::SharedGraphics& graphics);

  // The panel of tab N, or null for a tab without a list.
  [[nodiscard]] HWND Panel(int tab) const noexcept;

  [[nodiscard]] const MenuModel& Model() const noexcept { return model_; }
  // The launch tab's list, filled; null when its panel could not be made.
  [[nodiscard]] suite::LaunchList* Launch() {
    (void)FillLaunchList();
    return launchList_.get();
  }
  // The documentation tab's panel; null when it could not be made.
  [[nodiscard]] tasks::CDocsDialog* Docs() noexcept { return docs_ && docs_->hwnd() ? docs_.get() : nullptr; }

 private:
  struct ListLooks {
    skin::ListPanelLook panel;
    skin::ListSkin skin;
  };
  [[nodiscard]] static ListLooks LooksOf(const app::SharedGraphics& graphics);
  class MenuRows;  // hands the model's rows to a list
  // Which tabs will have rows, before the panels are made.
  void Foresee(bool showAll);

  // Tab N's place in the arrays below (N - 1).
  [[nodiscard]] static size_t IndexOf(int tab) noexcept;
  [[nodiscard]] static size_t IndexOf(MenuTab tab) noexcept { return IndexOf(static_cast<int>(tab)); }

  ProductMenuSource source_;
  MenuModel model_;
  // The list panels of the tabs with a list of commands or applications; the documents have their own.
  std::array<skin::CCustomListDialog, kTabCount> panels_;
  std::array<bool, kTabCount> hasRows_{};
  bool made_ = false;
  bool documentsForeseen_ = false;  // whether the documents' panel will list any, until it is made
  bool launchPending_ = false;
  bool pendingShowAll_ = false;
  std::array<std::unique_ptr<MenuRows>, std::size(kConfiguredTabs)> rows_;
  std::unique_ptr<suite::LaunchList> launchList_;
  std::unique_ptr<tasks::CDocsDialog> docs_;
  suite::LaunchContext& context_;
};

}  // namespace ui
