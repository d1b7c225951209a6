// The list panels of the main window's list tabs: the configured command tabs (translation,
// customisation, network administration) built from the menu model, and the launch tab built from
// the application catalogue.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "ui/MenuModel.h"
#include "ui/skin/CustomListDialog.h"

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

  TabLists(const CXCryptedProfileW& configuration, suite::LaunchContext& context);
  ~TabLists();
  TabLists(const TabLists&) = delete;
  TabLists& operator=(const TabLists&) = delete;

  // Creates the hidden panels as children of `parent` at `at`.
  bool Create(HWND parent, POINT at, const app::SharedGraphics& graphics);

  // Empties every list and fills them again; which of tabs 1, 2, 4 and 6 have rows.
  struct Filled {
    bool tab1 = false, tab2 = false, tab4 = false, tab6 = false;
  };
  Filled Rebuild(bool showAll);

  // The panel of tab N, or null for a tab without a list.
  [[nodiscard]] HWND Panel(int tab) const noexcept;
  [[nodiscard]] static int TabOfListId(int listId) noexcept;

  [[nodiscard]] const MenuModel& Model() const noexcept { return model_; }
  [[nodiscard]] suite::LaunchList& LaunchList() noexcept { return *launchList_; }

 private:
  class MenuRows;  // hands the model's rows to a list

  [[nodiscard]] skin::CCustomListDialog* PanelOf(int tab) noexcept;

  ProductMenuSource source_;
  MenuModel model_;
  std::array<skin::CCustomListDialog, 4> panels_;
  std::array<std::unique_ptr<MenuRows>, 3> rows_;
  std::unique_ptr<suite::LaunchList> launchList_;
  suite::LaunchContext& context_;
};

}  // namespace ui
