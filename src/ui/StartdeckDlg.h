// The program's only top-level window: a skinned modal dialog with the start page, the tabs and the
// task panels of the suite.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/MainMenuDialog.h"
#include "ui/MenuRibbon.h"
#include "ui/MenuButton.h"
#include "ui/TabLists.h"
#include "win/Dialog.h"
#include "win/Handle.h"

class CStartdeckApp;

class CStartdeckDlg : public win::Dialog {
 public:
  explicit CStartdeckDlg(CStartdeckApp& app) : app_(app) {}

  // Runs the window until it closes.
  INT_PTR DoModal();

  // Tab numbers (1-7) of the start page's buttons and the ribbon's tabs, and back.
  [[nodiscard]] static int TabOfStartButton(int id) noexcept;
  [[nodiscard]] static int TabOfRibbonId(int id) noexcept;
  [[nodiscard]] static int RibbonIdOfTab(int tab) noexcept;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool PreTranslateMessage(MSG& message) override;

 private:
  void OnInitDialog();
  void CreateButtons();
  void Paint(HDC dc) const;
  void OnCommand(int id);
  void OnClose();
  void OnDestroy();
  // Creates one of the window's own buttons at (0, 0) from the skin's three faces.
  void CreateSkinButton(CMenuButton& button, int id, int normal, int hover, int pressed, MenuButtonStyle style,
                        UINT captionId);
  // Sends `message` to every descendant window, children of children included.
  void ForwardToDescendants(UINT message, WPARAM wParam, LPARAM lParam) const;
  void ReworkSystemMenu();
  void OnSysCommand(UINT command);
  void UpdateSystemMenu(bool minimized);
  void ShowSystemMenuAt(POINT screen);
  void ShowHelp();
  void CreateNavigation();
  void OpenTab(int tab);
  void GoHome();
  void GoBack();
  void OnTabLeft(int ribbonId);
  void OnTabEntered(int ribbonId);
  void RebuildMenus();
  void OnListRowChosen(int row, int listId);
  void OpenTaskPlaceholder(int view);
  void ShowLaunchInstallFor(int tab);
  void CreateTooltips();
  [[nodiscard]] std::wstring TooltipText(int controlId) const;

  CStartdeckApp& app_;
  win::UniqueGdiObject background_;
  win::UniqueIcon largeIcon_;
  win::UniqueIcon smallIcon_;
  CMenuButton close_;
  CMenuButton minimize_;
  CMenuButton exit_;
  CMenuButton about_;
  CMenuButton help_;
  CMenuButton home_;
  CMenuButton back_;
  CMenuButton launchInstall_;
  CMenuRibbon ribbon_;
  CMainMenuDialog startPage_;
  std::unique_ptr<ui::TabLists> lists_;
  HWND showAll_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND helpLabel_ = nullptr;
  win::UniqueGdiObject menuBitmaps_[3];
  win::UniqueModule htmlHelp_;
  bool htmlHelpTried_ = false;
  // Which panel shows: 0 the start page, 1-7 a tab, higher numbers a task panel.
  int view_ = 0;
  // The ribbon tab whose content shows (0 on the start page).
  int currentTabId_ = 0;
};
