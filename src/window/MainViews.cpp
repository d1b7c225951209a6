#include "window/MainViews.h"

#include "ResourceIds.h"
#include "SkinIds.h"
#include "core/LogSink.h"
#include "core/PrivateMessages.h"
#include "core/RegisteredMessages.h"
#include "core/SharedGraphics.h"
#include "core/StartupTrace.h"
#include "suite/LaunchList.h"
#include "tasks/TranslateMenuUtils.h"
#include "window/MainButtons.h"
#include "window/MainLayout.h"
#include "window/MainWindowContext.h"
#include "window/WebServiceSession.h"

namespace ui {

namespace {

// The tab of the catalogue's launch list, which is filled after the first paint.
constexpr int kViewsLaunchTab = NumberOf(TabShowing(TabContent::kLaunchList));

void LogFailure(const wchar_t* what) {
  app::Log().Line(L"Main window: %s could not be created", what);
}

// The start page's fonts at the graphics' scale.
MainMenuFonts StartPageFonts(const app::SharedGraphics& graphics) {
  return {graphics.Font(app::SharedFont::kTahoma18Bold), graphics.Font(app::SharedFont::kTahoma14Bold),
          graphics.Font(app::SharedFont::kTahoma12), graphics.Font(app::SharedFont::kTahoma12)};
}

}  // namespace

void MainViews::Create(HWND window) {
  window_ = window;
  // A part that cannot be made (a language library without its template, say) is left out with a
  // line in the diagnostic log; the window works without it.
  const app::SharedGraphics& graphics = app_.Graphics();
  const win::Scale scale = graphics.Scale();
  const POINT startPageAt = PlaceOf(Placed::kStartPage, scale);
  if (startPage_.Create(window, startPageAt.x, startPageAt.y, StartPageFonts(graphics))) {
    startPage_.SetScale(scale);
    ::ShowWindow(startPage_.hwnd(), SW_SHOW);
  } else {
    LogFailure(L"the start page");
  }
  app::MarkStartup(L"panel: start page");
  // The ribbon and the lists' panels are made after the first paint (MakeHidden); the start page's
  // buttons follow the lists' data until then.
  lists_ = std::make_unique<TabLists>(app_.ProductConfiguration(), app_);
  const POINT design = PlaceOf(Placed::kPanels, win::Scale());
  panels_.SetScale(scale);
  panels_.CreateAll(app_, window, design);
  htmlPages_.SetScale(scale);
  htmlPages_.Place(window, design, app::SkinBitmap(graphics, IDB_PANEL_BACKGROUND));
  app::MarkStartup(L"panels: tasks");
  // The launch list asks the shell about each program, which is slow to start: after the paint.
  RebuildMenus(true);
  app::MarkStartup(L"lists filled, launch list's files seen");
}

void MainViews::MakeHidden() {
  if (lists_ == nullptr || lists_->Made()) return;
  const app::SharedGraphics& graphics = app_.Graphics();
  const win::Scale scale = graphics.Scale();
  const POINT ribbonAt = PlaceOf(Placed::kRibbon, scale);
  // Made hidden: the window shows already, and a ribbon shown for a moment would be seen.
  const bool ribbon = ribbon_.Create(ribbonAt.x, ribbonAt.y, window_, IDC_RIBBON,
                                     graphics.Font(app::SharedFont::kTahoma12Bold), false);
  if (ribbon) {
    ribbon_.SetScale(scale);
  } else {
    LogFailure(L"the ribbon");
  }
  app::MarkStartup(L"panel: ribbon");
  for (int tab : lists_->Create(window_, PlaceOf(Placed::kPanels, scale), graphics))
    app::Log().Line(L"Main window: the list of tab %d could not be created", tab);
  app::MarkStartup(L"panels: documents");
  // The lists get their rows, the ribbon its tabs; the start page's buttons keep the states they
  // were given from the same data, unless a panel could not be made.
  if (ribbon) ribbon_.Clear(true);
  lists_->Rebuild(buttons_.ShowAllChecked(), true);
  for (const TabRow& tab : kTabs)
    if (ShowsList(tab)) ApplyListState(tab, true);

  navigator_.emplace(
      NavigatorParts{startPage_.hwnd(), ::GetDlgItem(window_, IDC_WELCOME_TEXT), buttons_.about.hwnd(),
                     buttons_.showAll, buttons_.home.hwnd(), buttons_.back.hwnd(),
                     ribbon ? &ribbon_ : nullptr, &buttons_.launchInstall, buttons_.dictionaryUpdates},
      static_cast<ViewContent&>(*this));
  dispatcher_.emplace(app_, *navigator_, panels_, *lists_);
  drop_.emplace(app_, *navigator_, panels_, lists_->Model(), *dispatcher_);
}

tasks::TaskPanel* MainViews::OpenTaskPanel() const noexcept {
  return navigator_ && navigator_->ShowsTask() ? panels_.Find(navigator_->View()) : nullptr;
}

void MainViews::AfterFirstPaint() {
  MakeHidden();
  // Whole now: files dropped onto it are taken (a drop that came sooner made the panels first).
  ::DragAcceptFiles(window_, TRUE);
}

void MainViews::AfterFirstPaintLater() {
  FillLaunchList();
  app::MarkStartup(L"after the first paint: launch list");
  webService_.OnFirstPaint();
  // Before any task can use it, unless a task asked for it sooner.
  (void)app_.MenuUtils();
  app::MarkStartup(L"after the first paint: plug-in table");
  htmlPages_.Create();
  app::MarkStartup(L"after the first paint: HTML pages");
}

void MainViews::ApplyScale(const app::SharedGraphics& graphics) {
  const win::Scale scale = graphics.Scale();
  const POINT ribbonAt = PlaceOf(Placed::kRibbon, scale);
  const POINT startPageAt = PlaceOf(Placed::kStartPage, scale);
  constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (ribbon_.hwnd()) ::SetWindowPos(ribbon_.hwnd(), nullptr, ribbonAt.x, ribbonAt.y, 0, 0, kMoveOnly);
  if (startPage_.hwnd())
    ::SetWindowPos(startPage_.hwnd(), nullptr, startPageAt.x, startPageAt.y, 0, 0, kMoveOnly);
  // The fonts of the new scale, before each part lays itself out again with them.
  ribbon_.SetCaptionFont(graphics.Font(app::SharedFont::kTahoma12Bold));
  startPage_.SetFonts(StartPageFonts(graphics));
  if (lists_) {
    lists_->TakeLooks(graphics);
    lists_->Place(PlaceOf(Placed::kPanels, scale));
  }
  panels_.SetScale(scale);
  htmlPages_.SetScale(scale);
}

void MainViews::RebuildMenus(bool launchListLater) {
  for (const TabRow& tab : kTabs)
    startPage_.SetButtonState(tab.startButtonId, MenuButtonState::kNormal, false);
  if (ribbon_.hwnd()) ribbon_.Clear(true);
  lists_->Rebuild(buttons_.ShowAllChecked(), launchListLater);
  for (const TabRow& tab : kTabs)
    if (ShowsList(tab)) ApplyListState(tab, false);
  if (startPage_.hwnd()) ::InvalidateRect(startPage_.hwnd(), nullptr, TRUE);
}

void MainViews::ApplyListState(const TabRow& tab, bool repaint) {
  // A list tab without rows (or without its list) cannot be opened.
  const bool hasRows = lists_->HasRows(static_cast<int>(tab.tab));
  const MenuButtonState state = hasRows ? MenuButtonState::kNormal : MenuButtonState::kDisabled;
  if (const CMenuButton* button = startPage_.Button(tab.startButtonId); button && button->State() != state)
    startPage_.SetButtonState(tab.startButtonId, state, repaint);
  if (ribbon_.hwnd()) ribbon_.EnableTab(tab.ribbonId, hasRows);
}

void MainViews::FillLaunchList() {
  if (lists_->FillLaunchList()) ApplyListState(*FindTab(kViewsLaunchTab), true);
}

void MainViews::OpenTabOf(int startButtonId) {
  if (const TabRow* tab = TabOfStartButton(startButtonId)) navigator_->OpenTab(static_cast<int>(tab->tab));
}

bool MainViews::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_DROPFILES: drop_->Take(window_, reinterpret_cast<HDROP>(wParam)); break;
    case app::kListRowChosenMessage:
      dispatcher_->OnRowChosen(static_cast<int>(lParam), static_cast<size_t>(wParam));
      break;
    case app::kTabLeftMessage: navigator_->LeaveTab(static_cast<int>(wParam)); break;
    case app::kTabEnteredMessage: navigator_->EnterTab(static_cast<int>(wParam)); break;
    case app::kBackMessage: navigator_->GoBack(); break;
    case app::kPluginsManagerMessage:
      FillLaunchList();
      if (suite::LaunchList* launch = lists_->Launch()) launch->ActivateByAppId(L"VantoEM");
      break;
    default:
      if (message == app::kPluginSwitchedMessage) {
        if (CTranslateMenuUtils* handOff = app_.MenuUtils()) handOff->LoadPlugins();
        panels_.OnPluginsSwitched();
      } else if (message == app::kTmdChangedMessage) {
        panels_.OnMemoriesChanged();
      } else {
        return false;
      }
  }
  result = 0;
  return true;
}

void MainViews::ShowTab(int tab, bool show) {
  const TabRow* row = FindTab(tab);
  if (row == nullptr) return;
  if (show && row->content == TabContent::kLaunchList) FillLaunchList();
  // What the web-service page offers depends on the web service's answer.
  if (show && row->button == TabButton::kLaunchWebService) webService_.WaitForSettings();
  if (show && row->content == TabContent::kHtmlPage) htmlPages_.Create();
  if (HWND panel = lists_->Panel(tab)) ::ShowWindow(panel, show ? SW_SHOW : SW_HIDE);
  htmlPages_.Show(tab, show);
}

void MainViews::HideTask(int taskCode) {
  panels_.Hide(taskCode);
}

bool MainViews::OffersDictionaryUpdates() const {
  return webService_.OffersDictionaryUpdates();
}

}  // namespace ui
