// What shows in the main window's panel area and how the user moves between it: the start page, the
// ribbon of tabs, the tabs' lists and HTML pages, the task panels; the navigation between them, a
// chosen row turned into an action, and files dropped onto the window. The start page and the task
// panels are made before the first paint; the ribbon and the lists' panels after it, or sooner by
// whatever needs them (MakeHidden).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "controls/MainMenuDialog.h"
#include "controls/MenuRibbon.h"
#include "menu/TabTable.h"
#include "window/FileDrop.h"
#include "window/HtmlPage.h"
#include "window/Navigator.h"
#include "window/RowDispatcher.h"
#include "window/TabLists.h"
#include "window/TaskPanels.h"
#include "window/WindowPart.h"

namespace ui {

class MainWindowContext;
class WebServiceSession;
struct MainButtons;

class MainViews : public WindowPart, private ViewContent {
 public:
  MainViews(MainWindowContext& app, MainButtons& buttons, WebServiceSession& webService) noexcept
      : app_(app), buttons_(buttons), webService_(webService) {}

  // The start page and the task panels, with the start page's buttons in the states of the lists'
  // data; the launch list is filled after the first paint.
  void Create(HWND window);
  // The ribbon and the lists' panels, hidden until a tab opens, with what navigates between them.
  // Once.
  void MakeHidden();

  // Null until MakeHidden.
  [[nodiscard]] Navigator* Navigation() noexcept { return navigator_ ? &*navigator_ : nullptr; }
  // The view that shows: 0 for the start page until MakeHidden.
  [[nodiscard]] int View() const noexcept { return navigator_ ? navigator_->View() : Navigator::kStartPage; }
  [[nodiscard]] bool ShowsTask() const noexcept { return navigator_ && navigator_->ShowsTask(); }
  // The task panel of the view, or null when the view is no task.
  [[nodiscard]] tasks::TaskPanel* OpenTaskPanel() const noexcept;
  [[nodiscard]] CMainMenuDialog& StartPage() noexcept { return startPage_; }
  // What opens a task for a document or by its code; null until MakeHidden.
  [[nodiscard]] FileDrop* Opener() noexcept { return drop_ ? &*drop_ : nullptr; }
  [[nodiscard]] CMenuRibbon& Ribbon() noexcept { return ribbon_; }
  // The list panel of `tab`; null until MakeHidden, and for a tab without one.
  [[nodiscard]] HWND ListPanel(MenuTab tab) const noexcept {
    return lists_ ? lists_->Panel(static_cast<int>(tab)) : nullptr;
  }

  // The lists again, after "show all features" changed.
  void RebuildMenus(bool launchListLater = false);
  // The start page's button `id` opens its tab.
  void OpenTabOf(int startButtonId);
  void SaveSettings() { panels_.SaveSettings(); }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void ApplyScale(const app::SharedGraphics& graphics) override;
  void AfterFirstPaint() override;
  void AfterFirstPaintLater() override;

 private:
  // The start-page button and ribbon tab of a list tab follow whether its list has rows.
  void ApplyListState(const TabRow& tab, bool repaint);
  void FillLaunchList();

  // ViewContent: what shows inside the panel area.
  void ShowTab(int tab, bool show) override;
  void HideTask(int taskCode) override;
  [[nodiscard]] bool OffersDictionaryUpdates() const override;

  MainWindowContext& app_;
  MainButtons& buttons_;
  WebServiceSession& webService_;
  HWND window_ = nullptr;
  CMenuRibbon ribbon_;
  CMainMenuDialog startPage_;
  std::unique_ptr<TabLists> lists_;
  TaskPanels panels_;
  HtmlPages htmlPages_;  // made after the first paint, or when first shown
  std::optional<Navigator> navigator_;
  std::optional<RowDispatcher> dispatcher_;
  std::optional<FileDrop> drop_;
};

}  // namespace ui
