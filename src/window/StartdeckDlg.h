// The program's only top-level window: a skinned modal dialog with the start page, the tabs and the
// task panels of the suite. It navigates between them and turns a chosen list row into an action.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "menu/TabTable.h"
#include "window/ContextHelp.h"
#include "window/HtmlPage.h"
#include "window/MainButtons.h"
#include "controls/MainMenuDialog.h"
#include "controls/MenuRibbon.h"
#include "window/Navigator.h"
#include "window/SystemMenu.h"
#include "window/TabLists.h"
#include "window/TaskPanels.h"
#include "window/Tooltips.h"
#include "window/WebServiceSession.h"
#include "window/FileDrop.h"
#include "window/RowDispatcher.h"
#include "window/WindowSkin.h"
#include "win/Dialog.h"
#include "win/Scale.h"

namespace ui {
class MainWindowContext;
}

class CStartdeckDlg : public win::Dialog, private ui::ViewContent {
 public:
  explicit CStartdeckDlg(ui::MainWindowContext& app);
  ~CStartdeckDlg() override;

  // Runs the window until it closes.
  INT_PTR DoModal();

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool PreTranslateMessage(MSG& message) override;
  [[nodiscard]] HWND FocusFallback() override;

 private:
  // A message handler: true when it handled the message, with the answer in `result`.
  using Handler = bool (CStartdeckDlg::*)(WPARAM wParam, LPARAM lParam, INT_PTR& result);
  struct Route;
  static const Route kRoutes[];

  bool OnInitDialog(WPARAM, LPARAM, INT_PTR& result);
  bool OnEraseBackground(WPARAM, LPARAM, INT_PTR& result);
  bool OnPaint(WPARAM, LPARAM, INT_PTR& result);
  bool OnPrintClient(WPARAM dc, LPARAM, INT_PTR& result);
  bool OnControlColour(WPARAM dc, LPARAM, INT_PTR& result);
  // WM_SYSCOLORCHANGE and WM_SETTINGCHANGE.
  bool OnSystemLookChanged(WPARAM wParam, LPARAM lParam, INT_PTR& result);
  bool OnLeftButtonDown(WPARAM, LPARAM, INT_PTR& result);
  bool OnQueryDragIcon(WPARAM, LPARAM, INT_PTR& result);
  bool OnMove(WPARAM wParam, LPARAM lParam, INT_PTR& result);
  bool OnCommand(WPARAM wParam, LPARAM, INT_PTR& result);
  bool OnNotify(WPARAM, LPARAM header, INT_PTR& result);
  bool OnSysCommand(WPARAM command, LPARAM, INT_PTR& result);
  bool OnEnterIdle(WPARAM, LPARAM, INT_PTR& result);
  bool OnContextMenu(WPARAM, LPARAM point, INT_PTR& result);
  bool OnClose(WPARAM, LPARAM, INT_PTR& result);
  bool OnDestroy(WPARAM, LPARAM, INT_PTR& result);
  bool OnListRowChosen(WPARAM row, LPARAM listId, INT_PTR& result);
  bool OnTabLeft(WPARAM ribbonId, LPARAM, INT_PTR& result);
  bool OnTabEntered(WPARAM ribbonId, LPARAM, INT_PTR& result);
  bool OnBack(WPARAM, LPARAM, INT_PTR& result);
  bool OnPluginsManager(WPARAM, LPARAM, INT_PTR& result);
  bool OnPluginsSwitched(WPARAM, LPARAM, INT_PTR& result);
  bool OnMemoriesChanged(WPARAM, LPARAM, INT_PTR& result);
  bool OnAllowGoHome(WPARAM, LPARAM, INT_PTR& result);
  bool OnDropFiles(WPARAM drop, LPARAM, INT_PTR& result);
  bool OnWebServiceEnded(WPARAM which, LPARAM end, INT_PTR& result);
  bool OnAfterFirstPaint(WPARAM, LPARAM, INT_PTR& result);
  bool OnActivate(WPARAM state, LPARAM, INT_PTR& result);
  bool OnEnable(WPARAM enabled, LPARAM, INT_PTR& result);
  bool OnCancelMode(WPARAM, LPARAM, INT_PTR& result);
  bool OnCheckFocus(WPARAM, LPARAM, INT_PTR& result);
  bool OnDpiChanged(WPARAM dpi, LPARAM suggested, INT_PTR& result);
  bool OnApplyScale(WPARAM dpi, LPARAM, INT_PTR& result);
  // A key for the window's own keyboard rules (after the drop-downs and the open panel had it); true
  // when it was used up.
  bool OnWindowKey(MSG& message);
  // The controls Tab reaches in the view on show, in their order.
  [[nodiscard]] std::vector<HWND> TabOrder();
  // Ctrl+Tab: the next tab of the ribbon (the previous one `backwards`); from the start page the first
  // tab that can be opened (the last one).
  void SwitchTab(bool backwards);
  // True for the messages whose handling can hide the control that has the focus.
  [[nodiscard]] static bool ChangesView(UINT message) noexcept;

  // The start page and the task panels, before the first paint.
  void CreatePanels();
  // The ribbon and the lists' panels, hidden until a tab opens, with what navigates between them:
  // after the first paint, or before it by whatever needs them (NeedsHiddenPanels). Once.
  void MakeHiddenPanels();
  [[nodiscard]] static bool NeedsHiddenPanels(UINT message) noexcept;
  // Lays the whole window out at `scale`, with the shared graphics switched to it, and puts it at
  // `topLeft` (centred on its monitor when there is none). At the scale it has, it only moves.
  void ChangeScale(win::Scale scale, std::optional<POINT> topLeft);
  // The caption's and the welcome text's places and fonts at the window's scale.
  void PlaceTexts();
  // `launchListLater`: the launch list is filled after the first paint (FillLaunchList).
  void RebuildMenus(bool launchListLater = false);
  // The start-page button and ribbon tab of a list tab follow whether its list has rows.
  void ApplyListState(const ui::TabRow& tab, bool repaint);
  void FillLaunchList();
  // The bottom buttons' tips, after the first paint.
  void CreateTooltips();

  // ui::ViewContent: what shows inside the panel area.
  void ShowTab(int tab, bool show) override;
  void HideTask(int taskCode) override;
  [[nodiscard]] bool OffersDictionaryUpdates() const override;

  ui::MainWindowContext& app_;
  UINT currentMessage_ = 0;  // the message a handler runs for
  win::Scale scale_;         // what the window is laid out at
  ui::WindowSkin skin_;
  ui::MainButtons buttons_;
  CMenuRibbon ribbon_;
  CMainMenuDialog startPage_;
  std::unique_ptr<ui::TabLists> lists_;
  ui::TaskPanels panels_;
  std::optional<ui::Navigator> navigator_;
  ui::SystemMenu systemMenu_;
  ui::Tooltips tooltips_;
  ui::ContextHelp help_;
  ui::HtmlPages htmlPages_;  // made after the first paint, or when first shown
  ui::WebServiceSession webService_;
  std::optional<ui::RowDispatcher> dispatcher_;
  std::optional<ui::FileDrop> drop_;
};
