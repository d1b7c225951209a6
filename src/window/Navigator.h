// Which view of the main window shows: the start page, a tab's list or page, or a task panel over a
// tab; and with it the ribbon and the bottom buttons (About, Home, Back, Launch/Install) that belong
// to each view. Every change of view goes through one of its transitions.
#pragma once

#include <windows.h>

#include "menu/TabTable.h"

class CMenuButton;
class CMenuRibbon;

namespace ui {

// The main window's children whose visibility follows the view. None owned.
struct NavigatorParts {
  HWND startPage = nullptr;
  HWND welcome = nullptr;
  HWND about = nullptr;
  HWND showAll = nullptr;
  HWND home = nullptr;
  HWND back = nullptr;
  CMenuRibbon* ribbon = nullptr;
  CMenuButton* launchInstall = nullptr;
  HWND dictionaryUpdates = nullptr;
};

// What shows inside the panel area: the tabs' own lists and pages, and the task panels.
class ViewContent {
 public:
  virtual void ShowTab(int tab, bool show) = 0;
  virtual void HideTask(int taskCode) = 0;
  // Whether the web-service page shows the dictionary-updates box.
  [[nodiscard]] virtual bool OffersDictionaryUpdates() const { return false; }

 protected:
  ~ViewContent() = default;
};

class Navigator {
 public:
  // View 0 is the start page, 1 to 7 a tab's own list or page; a task code is a task panel's view.
  static constexpr int kStartPage = 0;

  Navigator(const NavigatorParts& parts, ViewContent& content) noexcept : parts_(parts), content_(content) {}

  [[nodiscard]] int View() const noexcept { return view_; }
  // The tab (1 to 7) whose content shows, 0 on the start page.
  [[nodiscard]] int Tab() const noexcept;
  [[nodiscard]] bool ShowsTask() const noexcept { return view_ > kTabCount; }

  // From the start page to tab 1..7.
  void OpenTab(int tab);
  // To the start page from wherever the window is.
  void GoHome();
  // From a task panel back to its tab's list.
  void GoBack();
  // Leaves whatever shows (a task panel included) for tab `tab`'s list.
  void SwitchToTab(int tab);
  // The ribbon's two halves of a tab change: what the old tab shows goes, the new tab's content
  // comes. Each takes the tab's ribbon button ID.
  void LeaveTab(int ribbonId);
  void EnterTab(int ribbonId);
  // The tab's list makes way for the task panel of `taskCode`, with Back to return.
  void ShowTask(int taskCode);

 private:
  void ShowLaunchInstallFor(int tab);

  NavigatorParts parts_;
  ViewContent& content_;
  int view_ = kStartPage;
  int ribbonId_ = 0;  // the ribbon tab whose content shows (or showed last); 0 on the start page
};

}  // namespace ui
