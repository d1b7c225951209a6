#include "window/StartdeckDlg.h"

#include <commctrl.h>

#include "ResourceIds.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "core/KernelConnection.h"
#include "core/LogSink.h"
#include "core/PrivateMessages.h"
#include "core/RegisteredMessages.h"
#include "core/SharedGraphics.h"
#include "core/StartupTrace.h"
#include "suite/DictionaryInstall.h"
#include "suite/LaunchList.h"
#include "tasks/TranslateMenuUtils.h"
#include "window/MainWindowKeys.h"
#include "window/MainWindowContext.h"
#include "controls/Paint.h"
#include "controls/CustomComboPopup.h"
#include "win/DpiChange.h"
#include "win/Focus.h"
#include "win/KeyboardCues.h"
#include "win/Resources.h"

namespace {

// Where the ribbon, the start page and the panels of the tabs and tasks sit.
constexpr POINT kRibbonPosition = {9, 52};
constexpr POINT kStartPagePosition = {9, 107};
constexpr POINT kPanelPosition = {9, 146};
// The product's name at the top and the welcome line above the start page: the places the window's
// template gives them at 96 DPI (its dialog units in its font), fixed here so that they scale with
// the window's pictures rather than with the template's font.
constexpr RECT kCaptionPlace = {53, 10, 403, 26};
constexpr RECT kWelcomePlace = {21, 49, 441, 65};

// The tab of the catalogue's launch list, which is filled after the first paint.
constexpr int kLaunchTab = ui::NumberOf(ui::TabShowing(ui::TabContent::kLaunchList));

void LogFailure(const wchar_t* what) {
  app::Log().Line(L"Main window: %s could not be created", what);
}

// The start page's fonts at the graphics' scale.
MainMenuFonts StartPageFonts(const app::SharedGraphics& graphics) {
  return {graphics.Font(app::SharedFont::kTahoma18Bold), graphics.Font(app::SharedFont::kTahoma14Bold),
          graphics.Font(app::SharedFont::kTahoma12), graphics.Font(app::SharedFont::kTahoma12)};
}

}  // namespace

struct CStartdeckDlg::Route {
  UINT message;            // a message of the system or of our own, or
  const UINT* registered;  // one registered by name, known only at run time
  Handler handler;
};

// NOLINTNEXTLINE(cppcoreguidelines-interfaces-global-init): takes addresses; read after start-up
const CStartdeckDlg::Route CStartdeckDlg::kRoutes[] = {
    {WM_INITDIALOG, nullptr, &CStartdeckDlg::OnInitDialog},
    {WM_ERASEBKGND, nullptr, &CStartdeckDlg::OnEraseBackground},
    {WM_PAINT, nullptr, &CStartdeckDlg::OnPaint},
    {WM_PRINTCLIENT, nullptr, &CStartdeckDlg::OnPrintClient},
    {WM_CTLCOLORSTATIC, nullptr, &CStartdeckDlg::OnControlColour},
    {WM_SYSCOLORCHANGE, nullptr, &CStartdeckDlg::OnSystemLookChanged},
    {WM_SETTINGCHANGE, nullptr, &CStartdeckDlg::OnSystemLookChanged},
    {WM_LBUTTONDOWN, nullptr, &CStartdeckDlg::OnLeftButtonDown},
    {WM_QUERYDRAGICON, nullptr, &CStartdeckDlg::OnQueryDragIcon},
    {WM_MOVE, nullptr, &CStartdeckDlg::OnMove},
    {WM_COMMAND, nullptr, &CStartdeckDlg::OnCommand},
    {WM_NOTIFY, nullptr, &CStartdeckDlg::OnNotify},
    {WM_SYSCOMMAND, nullptr, &CStartdeckDlg::OnSysCommand},
    {WM_ENTERIDLE, nullptr, &CStartdeckDlg::OnEnterIdle},
    {WM_CONTEXTMENU, nullptr, &CStartdeckDlg::OnContextMenu},
    {WM_CLOSE, nullptr, &CStartdeckDlg::OnClose},
    {WM_DESTROY, nullptr, &CStartdeckDlg::OnDestroy},
    {WM_DROPFILES, nullptr, &CStartdeckDlg::OnDropFiles},
    {WM_ACTIVATE, nullptr, &CStartdeckDlg::OnActivate},
    {WM_ENABLE, nullptr, &CStartdeckDlg::OnEnable},
    {WM_CANCELMODE, nullptr, &CStartdeckDlg::OnCancelMode},
    {app::kCheckFocusMessage, nullptr, &CStartdeckDlg::OnCheckFocus},
    {win::kDpiChangedMessage, nullptr, &CStartdeckDlg::OnDpiChanged},
    {app::kApplyScaleMessage, nullptr, &CStartdeckDlg::OnApplyScale},
    {app::kListRowChosenMessage, nullptr, &CStartdeckDlg::OnListRowChosen},
    {app::kTabLeftMessage, nullptr, &CStartdeckDlg::OnTabLeft},
    {app::kTabEnteredMessage, nullptr, &CStartdeckDlg::OnTabEntered},
    {app::kBackMessage, nullptr, &CStartdeckDlg::OnBack},
    {app::kPluginsManagerMessage, nullptr, &CStartdeckDlg::OnPluginsManager},
    {app::kWebServiceEndedMessage, nullptr, &CStartdeckDlg::OnWebServiceEnded},
    {app::kAfterFirstPaintMessage, nullptr, &CStartdeckDlg::OnAfterFirstPaint},
    {0, &app::kPluginSwitchedMessage, &CStartdeckDlg::OnPluginsSwitched},
    {0, &app::kTmdChangedMessage, &CStartdeckDlg::OnMemoriesChanged},
    {0, &app::kAllowGoHomeMessage, &CStartdeckDlg::OnAllowGoHome},
};

CStartdeckDlg::CStartdeckDlg(ui::MainWindowContext& app)
    : app_(app), help_(app, app.HelpPath()), webService_(app) {}

CStartdeckDlg::~CStartdeckDlg() = default;

INT_PTR CStartdeckDlg::DoModal() {
  return Dialog::DoModal(win::ResourceModule(), IDD_STARTDECK, nullptr);
}

bool CStartdeckDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (NeedsHiddenPanels(message)) MakeHiddenPanels();
  for (const Route& route : kRoutes) {
    const bool matches =
        route.registered ? *route.registered != 0 && *route.registered == message : route.message == message;
    if (!matches) continue;
    currentMessage_ = message;
    const bool handled = (this->*route.handler)(wParam, lParam, result);
    if (ChangesView(message)) KeepFocusReachable();
    return handled;
  }
  return false;
}

bool CStartdeckDlg::ChangesView(UINT message) noexcept {
  // Whatever these do may hide the control that has the keyboard's focus.
  switch (message) {
    case WM_COMMAND:
    case WM_DROPFILES:
    case app::kListRowChosenMessage:
    case app::kTabLeftMessage:
    case app::kTabEnteredMessage:
    case app::kBackMessage: return true;
    default: return false;
  }
}

HWND CStartdeckDlg::FocusFallback() {
  // The open task panel's first field, else the view's first control past the ribbon (a start-page
  // button, a tab's list), else the window itself; never a control that a stray Enter would make
  // leave the view or the window.
  if (navigator_ && navigator_->ShowsTask())
    if (const tasks::TaskPanel* panel = panels_.Find(navigator_->View());
        panel && ::IsWindowVisible(panel->Window()))
      return ui::FirstFieldOf(panel->Window());
  for (HWND stop : TabOrder())
    if (stop != ribbon_.hwnd()) return stop;
  return hwnd();
}

bool CStartdeckDlg::OnActivate(WPARAM state, LPARAM, INT_PTR&) {
  if (LOWORD(state) == WA_INACTIVE)
    CMenuButton::EndHoverIn(hwnd());
  else
    ::PostMessageW(hwnd(), app::kCheckFocusMessage, 0, 0);  // after the system has put the focus back
  return false;  // the dialog's own handling saves and restores the focus
}

bool CStartdeckDlg::OnEnable(WPARAM enabled, LPARAM, INT_PTR&) {
  // A modal box of ours or of the kernel takes over: no button stays lit under it.
  if (!enabled) CMenuButton::EndHoverIn(hwnd());
  return false;
}

bool CStartdeckDlg::OnCancelMode(WPARAM, LPARAM, INT_PTR&) {
  CMenuButton::EndHoverIn(hwnd());
  return false;
}

bool CStartdeckDlg::OnCheckFocus(WPARAM, LPARAM, INT_PTR& result) {
  KeepFocusReachable();
  result = 0;
  return true;
}

bool CStartdeckDlg::PreTranslateMessage(MSG& message) {
  tooltips_.Relay(message);
  const bool ours =
      win::IsKeyboardMessage(message.message) && (message.hwnd == hwnd() || ::IsChild(hwnd(), message.hwnd));
  // The window is used with the keyboard from its first navigation key on: focus cues and access
  // keys show.
  if (ours && ui::ShowsKeyboardCues(message)) win::ShowKeyboardCues(hwnd());
  // F1 anywhere in the window is the Help button, whatever has the focus.
  if (ours && ui::WindowKeyOf(message) == ui::WindowKey::kHelp) {
    help_.Show(hwnd(), navigator_ ? navigator_->View() : 0);
    return true;
  }
  if (ui::skin::CListDialog::RouteKey(message)) return true;  // an open drop-down list's keys
  if (navigator_ && navigator_->ShowsTask())
    if (tasks::TaskPanel* panel = panels_.Find(navigator_->View())) {
      const tasks::MessageRoute route = panel->RouteMessage(message);
      if (route != tasks::MessageRoute::kUnhandled) return route == tasks::MessageRoute::kConsumed;
    }
  return ours && OnWindowKey(message);
}

bool CStartdeckDlg::OnWindowKey(MSG& message) {
  switch (ui::WindowKeyOf(message)) {
    case ui::WindowKey::kPass: return false;
    case ui::WindowKey::kNextControl:
    case ui::WindowKey::kPreviousControl: {
      const bool backwards = ui::WindowKeyOf(message) == ui::WindowKey::kPreviousControl;
      if (const HWND next = win::NextStop(TabOrder(), ::GetFocus(), backwards)) ::SetFocus(next);
      return true;
    }
    case ui::WindowKey::kNextTab:
    case ui::WindowKey::kPreviousTab:
      SwitchTab(ui::WindowKeyOf(message) == ui::WindowKey::kPreviousTab);
      return true;
    case ui::WindowKey::kToControl:
      // The control that has the focus acts on Enter itself (a button or a list row); the dialog
      // manager would make a default command of it.
      if (message.hwnd != hwnd()) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
      return true;
    case ui::WindowKey::kBack:
      // In a task panel exactly as the Back button; elsewhere nothing.
      if (navigator_ && navigator_->ShowsTask() && win::TakesKeys(hwnd(), buttons_.back.hwnd()))
        ::SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDC_BACK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(buttons_.back.hwnd()));
      return true;
    case ui::WindowKey::kSwallow:
    case ui::WindowKey::kHelp: return true;
  }
  return true;
}

std::vector<HWND> CStartdeckDlg::TabOrder() {
  return win::TabOrder(hwnd(), [this](HWND window) {
    // A start-page button of a tab that cannot be opened is passed over.
    if (startPage_.hwnd() && ::GetParent(window) == startPage_.hwnd())
      if (const CMenuButton* button = startPage_.Button(::GetDlgCtrlID(window));
          button && button->State() == MenuButtonState::kDisabled)
        return win::TabRole::kSkip;
    return ui::TabRoleOf(window);
  });
}

void CStartdeckDlg::SwitchTab(bool backwards) {
  if (!navigator_) return;
  if (navigator_->View() == ui::Navigator::kStartPage) {
    // From the start page: the ribbon's first tab that can be opened (its last one backwards), as
    // its start-page button opens it.
    const ui::TabRow* chosen = nullptr;
    for (const ui::TabRow& tab : ui::kTabs) {
      const CMenuButton* button = startPage_.Button(tab.startButtonId);
      if (button == nullptr || button->State() == MenuButtonState::kDisabled) continue;
      if (chosen == nullptr ||
          (backwards ? tab.ribbonSlot > chosen->ribbonSlot : tab.ribbonSlot < chosen->ribbonSlot))
        chosen = &tab;
    }
    if (chosen) ::SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(chosen->startButtonId, BN_CLICKED), 0);
    return;
  }
  if (ribbon_.hwnd() && ::IsWindowVisible(ribbon_.hwnd())) {
    ribbon_.SelectNext(backwards);
    KeepFocusReachable();
  }
}

bool CStartdeckDlg::OnInitDialog(WPARAM, LPARAM, INT_PTR& result) {
  app::MarkStartup(L"window and its template's controls");
  app_.SetMainWindow(hwnd());
  scale_ = app_.Graphics().Scale();
  skin_.Apply(hwnd(), app_.Graphics());
  app::MarkStartup(L"icons and background");
  buttons_.Create(hwnd(), app_.Graphics());
  app::MarkStartup(L"main buttons");

  ::SetWindowTextW(hwnd(), app_.ProductName().c_str());
  ::SetDlgItemTextW(hwnd(), IDC_PRODUCT_CAPTION, app_.ProductName().c_str());
  ::SetDlgItemTextW(hwnd(), IDC_WELCOME_TEXT, win::LoadString(IDS_WELCOME).c_str());
  PlaceTexts();
  webService_.Start(*this, buttons_.dictionaryUpdates);
  app::MarkStartup(L"web-service exchange started");
  systemMenu_.Rework(hwnd(), app_.Graphics());
  CreatePanels();
  // The launch list asks the shell about each program, which is slow to start: after the paint.
  RebuildMenus(true);
  app::MarkStartup(L"lists filled, launch list's files seen");
  ::SetWindowLongPtrW(hwnd(), GWL_STYLE, ::GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_MINIMIZEBOX);
  // Used with the mouse the window looks as it always has: no focus cue and no underlined access
  // key until the first navigation key.
  win::HideKeyboardCues(hwnd());
  // Opened on a monitor of another DPI than the graphics were made for: laid out again at its own.
  if (const win::Scale shown = win::SkinScaleOf(hwnd()); shown != scale_) ChangeScale(shown, std::nullopt);
  app::MarkStartup(L"end of WM_INITDIALOG");
  // The window shows when this returns; the message is taken up by the first round of its loop.
  ::PostMessageW(hwnd(), app::kAfterFirstPaintMessage, 0, 0);
  result = TRUE;
  return true;
}

void CStartdeckDlg::CreatePanels() {
  // A part that cannot be made (a language library without its template, say) is left out with a
  // line in the diagnostic log; the window works without it.
  const app::SharedGraphics& graphics = app_.Graphics();
  const POINT startPageAt = scale_.Px(kStartPagePosition);
  if (startPage_.Create(hwnd(), startPageAt.x, startPageAt.y, StartPageFonts(graphics))) {
    startPage_.SetScale(scale_);
    ::ShowWindow(startPage_.hwnd(), SW_SHOW);
  } else {
    LogFailure(L"the start page");
  }
  app::MarkStartup(L"panel: start page");
  // The ribbon and the lists' panels are made after the first paint (MakeHiddenPanels); the start
  // page's buttons follow the lists' data until then.
  lists_ = std::make_unique<ui::TabLists>(app_.ProductConfiguration(), app_);
  panels_.SetScale(scale_);
  panels_.CreateAll(app_, hwnd(), kPanelPosition);
  htmlPages_.SetScale(scale_);
  htmlPages_.Place(hwnd(), kPanelPosition, app::SkinBitmap(app_.Graphics(), IDB_PANEL_BACKGROUND));
  app::MarkStartup(L"panels: tasks");
}

bool CStartdeckDlg::NeedsHiddenPanels(UINT message) noexcept {
  // Whatever can open a tab, choose a row or take a dropped file, and a screen reader's look at the
  // window's children. Input comes after the message posted at the end of WM_INITDIALOG, which makes
  // the panels; these may be sent before it.
  switch (message) {
    case WM_COMMAND:
    case WM_DROPFILES:
    case WM_GETOBJECT:
    case app::kListRowChosenMessage:
    case app::kTabLeftMessage:
    case app::kTabEnteredMessage:
    case app::kBackMessage:
    case app::kPluginsManagerMessage: return true;
    default: return false;
  }
}

void CStartdeckDlg::MakeHiddenPanels() {
  if (lists_ == nullptr || lists_->Made()) return;
  const app::SharedGraphics& graphics = app_.Graphics();
  const POINT ribbonAt = scale_.Px(kRibbonPosition);
  // Made hidden: the window shows already, and a ribbon shown for a moment would be seen.
  const bool ribbon = ribbon_.Create(ribbonAt.x, ribbonAt.y, hwnd(), IDC_RIBBON,
                                     graphics.Font(app::SharedFont::kTahoma12Bold), false);
  if (ribbon) {
    ribbon_.SetScale(scale_);
  } else {
    LogFailure(L"the ribbon");
  }
  app::MarkStartup(L"panel: ribbon");
  for (int tab : lists_->Create(hwnd(), scale_.Px(kPanelPosition), graphics))
    app::Log().Line(L"Main window: the list of tab %d could not be created", tab);
  app::MarkStartup(L"panels: documents");
  // The lists get their rows, the ribbon its tabs; the start page's buttons keep the states they
  // were given from the same data, unless a panel could not be made.
  if (ribbon) ribbon_.Clear(true);
  lists_->Rebuild(buttons_.ShowAllChecked(), true);
  for (const ui::TabRow& tab : ui::kTabs)
    if (ui::ShowsList(tab)) ApplyListState(tab, true);

  navigator_.emplace(
      ui::NavigatorParts{startPage_.hwnd(), ::GetDlgItem(hwnd(), IDC_WELCOME_TEXT), buttons_.about.hwnd(),
                         buttons_.showAll, buttons_.home.hwnd(), buttons_.back.hwnd(),
                         ribbon ? &ribbon_ : nullptr, &buttons_.launchInstall, buttons_.dictionaryUpdates},
      static_cast<ui::ViewContent&>(*this));
  dispatcher_.emplace(app_, *navigator_, panels_, *lists_);
  drop_.emplace(app_, *navigator_, panels_, lists_->Model(), *dispatcher_);
}

void CStartdeckDlg::PlaceTexts() {
  const app::SharedGraphics& graphics = app_.Graphics();
  constexpr struct {
    int id;
    RECT place;
    app::SharedFont font;
  } kTexts[] = {{IDC_PRODUCT_CAPTION, kCaptionPlace, app::SharedFont::kTahoma14Bold},
                {IDC_WELCOME_TEXT, kWelcomePlace, app::SharedFont::kTahoma16Bold}};
  for (const auto& text : kTexts) {
    HWND control = ::GetDlgItem(hwnd(), text.id);
    if (!control) continue;
    const RECT place = scale_.Px(text.place);
    ::SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(graphics.Font(text.font)), FALSE);
  }
}

bool CStartdeckDlg::OnDpiChanged(WPARAM dpi, LPARAM suggested, INT_PTR& result) {
  // The system suggests where the window goes at its new DPI; its size is the new background's.
  const auto* place = reinterpret_cast<const RECT*>(suggested);
  std::optional<POINT> topLeft;
  if (place) topLeft = POINT{place->left, place->top};
  ChangeScale(win::SkinScaleFor(LOWORD(dpi)), topLeft);
  result = 0;
  return true;
}

void CStartdeckDlg::ChangeScale(win::Scale scale, std::optional<POINT> topLeft) {
  app::SharedGraphics& graphics = app_.RescalableGraphics();
  if (scale == scale_ && graphics.Scale() == scale) {
    if (topLeft) {
      const POINT at = ui::InsideWorkArea(*topLeft, skin_.Size());
      ::SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  graphics.SetScale(scale.dpi());
  // Every window lays itself out at the graphics' scale, this one first.
  win::SendParentsFirst(hwnd(), app::kApplyScaleMessage, static_cast<WPARAM>(graphics.Scale().dpi()), 0);
  // The bottom buttons' places follow their sizes, which each took from its new face.
  buttons_.Place(hwnd(), graphics);
  const SIZE size = skin_.Size();
  const POINT at = topLeft ? ui::InsideWorkArea(*topLeft, size) : ui::CentredOnMonitor(hwnd(), size);
  ::SetWindowPos(hwnd(), nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  // Nothing draws with the old scale's fonts and pictures any more.
  graphics.ReleaseRetired();
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

bool CStartdeckDlg::OnApplyScale(WPARAM dpi, LPARAM, INT_PTR& result) {
  const app::SharedGraphics& graphics = app_.Graphics();
  scale_ = win::Scale(static_cast<int>(dpi));
  // The window's own size and look first: its children are placed in it.
  skin_.Rescale(hwnd());
  PlaceTexts();
  buttons_.TakeFonts(graphics);
  buttons_.Place(hwnd(), graphics);
  systemMenu_.Rescale();
  tooltips_.SetDpi(scale_.dpi());
  const POINT ribbonAt = scale_.Px(kRibbonPosition);
  const POINT startPageAt = scale_.Px(kStartPagePosition);
  constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (ribbon_.hwnd()) ::SetWindowPos(ribbon_.hwnd(), nullptr, ribbonAt.x, ribbonAt.y, 0, 0, kMoveOnly);
  if (startPage_.hwnd())
    ::SetWindowPos(startPage_.hwnd(), nullptr, startPageAt.x, startPageAt.y, 0, 0, kMoveOnly);
  // The fonts of the new scale, before each part lays itself out again with them.
  ribbon_.SetCaptionFont(graphics.Font(app::SharedFont::kTahoma12Bold));
  startPage_.SetFonts(StartPageFonts(graphics));
  if (lists_) {
    lists_->TakeLooks(graphics);
    lists_->Place(scale_.Px(kPanelPosition));
  }
  panels_.SetScale(scale_);
  htmlPages_.SetScale(scale_);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  result = 0;
  return true;
}

bool CStartdeckDlg::OnAfterFirstPaint(WPARAM, LPARAM, INT_PTR& result) {
  // Posted messages come before paints: the window and every child paint first, so that nothing
  // shows half drawn while the rest is made.
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  app::MarkStartup(L"window fully painted");
  MakeHiddenPanels();
  // The tips show on hovering, which comes after this.
  CreateTooltips();
  // Whole now: files dropped onto it are taken (a drop that came sooner made the panels first).
  ::DragAcceptFiles(hwnd(), TRUE);
  // The keyboard starts on the view's first control (the dialog manager chose the first tab stop the
  // window made, whatever its place).
  if (const HWND focus = ::GetFocus(); focus == nullptr || focus == hwnd() || ::IsChild(hwnd(), focus))
    ::SetFocus(FocusFallback());
  FillLaunchList();
  app::MarkStartup(L"after the first paint: launch list");
  webService_.OnFirstPaint();
  // Before any task can use it, unless a task asked for it sooner.
  (void)app_.MenuUtils();
  app::MarkStartup(L"after the first paint: plug-in table");
  htmlPages_.Create();
  app::MarkStartup(L"after the first paint: HTML pages");
  result = 0;
  return true;
}

void CStartdeckDlg::CreateTooltips() {
  if (!tooltips_.Create(
          hwnd(), {buttons_.close.hwnd(), buttons_.minimize.hwnd(), buttons_.exit.hwnd(),
                   buttons_.about.hwnd(), buttons_.help.hwnd(), buttons_.home.hwnd(), buttons_.back.hwnd(),
                   buttons_.launchInstall.hwnd(), buttons_.showAll, buttons_.dictionaryUpdates}))
    LogFailure(L"the tooltips");
  if (scale_.dpi() != win::SystemDpi()) tooltips_.SetDpi(scale_.dpi());
  app::MarkStartup(L"after the first paint: tooltips");
}

void CStartdeckDlg::RebuildMenus(bool launchListLater) {
  for (const ui::TabRow& tab : ui::kTabs)
    startPage_.SetButtonState(tab.startButtonId, MenuButtonState::kNormal, false);
  if (ribbon_.hwnd()) ribbon_.Clear(true);
  lists_->Rebuild(buttons_.ShowAllChecked(), launchListLater);
  for (const ui::TabRow& tab : ui::kTabs)
    if (ui::ShowsList(tab)) ApplyListState(tab, false);
  if (startPage_.hwnd()) ::InvalidateRect(startPage_.hwnd(), nullptr, TRUE);
}

void CStartdeckDlg::ApplyListState(const ui::TabRow& tab, bool repaint) {
  // A list tab without rows (or without its list) cannot be opened.
  const bool hasRows = lists_->HasRows(static_cast<int>(tab.tab));
  const MenuButtonState state = hasRows ? MenuButtonState::kNormal : MenuButtonState::kDisabled;
  if (const CMenuButton* button = startPage_.Button(tab.startButtonId); button && button->State() != state)
    startPage_.SetButtonState(tab.startButtonId, state, repaint);
  if (ribbon_.hwnd()) ribbon_.EnableTab(tab.ribbonId, hasRows);
}

void CStartdeckDlg::FillLaunchList() {
  if (lists_->FillLaunchList()) ApplyListState(*ui::FindTab(kLaunchTab), true);
}

bool CStartdeckDlg::OnListRowChosen(WPARAM row, LPARAM listId, INT_PTR&) {
  dispatcher_->OnRowChosen(static_cast<int>(listId), static_cast<size_t>(row));
  return true;
}

bool CStartdeckDlg::OnDropFiles(WPARAM drop, LPARAM, INT_PTR& result) {
  drop_->Take(hwnd(), reinterpret_cast<HDROP>(drop));
  result = 0;
  return true;
}

void CStartdeckDlg::ShowTab(int tab, bool show) {
  const ui::TabRow* row = ui::FindTab(tab);
  if (row == nullptr) return;
  if (show && row->content == ui::TabContent::kLaunchList) FillLaunchList();
  // What the web-service page offers depends on the web service's answer.
  if (show && row->button == ui::TabButton::kLaunchWebService) webService_.WaitForSettings();
  if (show && row->content == ui::TabContent::kHtmlPage) htmlPages_.Create();
  if (HWND panel = lists_->Panel(tab)) ::ShowWindow(panel, show ? SW_SHOW : SW_HIDE);
  htmlPages_.Show(tab, show);
}

void CStartdeckDlg::HideTask(int taskCode) {
  panels_.Hide(taskCode);
}

bool CStartdeckDlg::OffersDictionaryUpdates() const {
  return webService_.OffersDictionaryUpdates();
}

bool CStartdeckDlg::OnCommand(WPARAM wParam, LPARAM, INT_PTR&) {
  const int id = LOWORD(wParam);
  switch (id) {
    case IDC_MINIMIZE: ::SendMessageW(hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case IDC_CLOSE:
    case IDC_EXIT: ::SendMessageW(hwnd(), WM_CLOSE, 0, 0); break;
    case IDC_ABOUT: app_.Kernel().ShowAbout(hwnd()); break;
    case IDC_HELP_BUTTON: help_.Show(hwnd(), navigator_->View()); break;
    case IDC_HOME: navigator_->GoHome(); break;
    case IDC_BACK: navigator_->GoBack(); break;
    case IDC_LAUNCH_INSTALL:
      if (const ui::TabRow* tab = ui::FindTab(navigator_->View())) {
        if (tab->button == ui::TabButton::kInstallDictionaries) suite::InstallDictionaries(app_);
        if (tab->button == ui::TabButton::kLaunchWebService) webService_.Launch(buttons_.launchInstall);
      }
      break;
    case IDC_DICTIONARY_UPDATES: webService_.StoreUpdateFlag(); break;
    case IDC_SHOW_ALL_FEATURES:
      app_.SetShowAllFeatures(buttons_.ShowAllChecked());
      RebuildMenus();
      navigator_->GoHome();
      break;
    default:
      if (const ui::TabRow* tab = ui::TabOfStartButton(id)) navigator_->OpenTab(static_cast<int>(tab->tab));
      break;
  }
  return true;
}

bool CStartdeckDlg::OnTabLeft(WPARAM ribbonId, LPARAM, INT_PTR&) {
  navigator_->LeaveTab(static_cast<int>(ribbonId));
  return true;
}

bool CStartdeckDlg::OnTabEntered(WPARAM ribbonId, LPARAM, INT_PTR&) {
  navigator_->EnterTab(static_cast<int>(ribbonId));
  return true;
}

bool CStartdeckDlg::OnBack(WPARAM, LPARAM, INT_PTR&) {
  navigator_->GoBack();
  return true;
}

bool CStartdeckDlg::OnPluginsManager(WPARAM, LPARAM, INT_PTR&) {
  FillLaunchList();
  if (suite::LaunchList* launch = lists_->Launch()) launch->ActivateByAppId(L"VantoEM");
  return true;
}

bool CStartdeckDlg::OnPluginsSwitched(WPARAM, LPARAM, INT_PTR& result) {
  if (CTranslateMenuUtils* handOff = app_.MenuUtils()) handOff->LoadPlugins();
  panels_.OnPluginsSwitched();
  result = 0;
  return true;
}

bool CStartdeckDlg::OnMemoriesChanged(WPARAM, LPARAM, INT_PTR& result) {
  panels_.OnMemoriesChanged();
  result = 0;
  return true;
}

bool CStartdeckDlg::OnAllowGoHome(WPARAM, LPARAM, INT_PTR& result) {
  ::SetForegroundWindow(hwnd());
  ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
  result = 0;
  return true;
}

bool CStartdeckDlg::OnNotify(WPARAM, LPARAM header, INT_PTR&) {
  auto& notification = *reinterpret_cast<NMHDR*>(header);
  // The dictionary-updates box's tip names the update the web service installed last.
  if (notification.code == TTN_GETDISPINFOW && tooltips_.hwnd() &&
      notification.hwndFrom == tooltips_.hwnd() &&
      ::GetDlgCtrlID(reinterpret_cast<HWND>(notification.idFrom)) == IDC_DICTIONARY_UPDATES &&
      webService_.SupplyUpdateTip(notification))
    return true;
  return tooltips_.OnNotify(notification);
}

bool CStartdeckDlg::OnWebServiceEnded(WPARAM which, LPARAM end, INT_PTR& result) {
  webService_.OnEnded(which, end, buttons_.launchInstall);
  result = 0;
  return true;
}

bool CStartdeckDlg::OnSysCommand(WPARAM command, LPARAM, INT_PTR&) {
  systemMenu_.OnSysCommand(static_cast<UINT>(command & 0xFFF0));
  return false;  // default processing follows
}

bool CStartdeckDlg::OnEnterIdle(WPARAM, LPARAM, INT_PTR&) {
  systemMenu_.OnEnterIdle();
  return false;
}

bool CStartdeckDlg::OnContextMenu(WPARAM, LPARAM point, INT_PTR&) {
  systemMenu_.OnContextMenu({static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))});
  return true;
}

bool CStartdeckDlg::OnClose(WPARAM, LPARAM, INT_PTR&) {
  // Quitting while the updater installs could leave the suite half updated: the user decides.
  if (app_.UpdatesInstalling() &&
      app_.ShowMessage(IDS_UPDATES_INSTALLING, {}, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return true;
  // The open panel hands over what it shows while the window is whole: once it is being destroyed it
  // is hidden, and the drop-down lists it owns are gone.
  panels_.SaveSettings();
  EndModal(IDOK);
  return true;
}

bool CStartdeckDlg::OnDestroy(WPARAM, LPARAM, INT_PTR&) {
  webService_.End();
  win::ForgetKeyboardCues(hwnd());
  app_.SetMainWindow(nullptr);
  return true;
}

bool CStartdeckDlg::OnEraseBackground(WPARAM, LPARAM, INT_PTR& result) {
  result = 1;  // the background bitmap covers the window
  return true;
}

bool CStartdeckDlg::OnPaint(WPARAM, LPARAM, INT_PTR&) {
  {
    const win::PaintScope paint(hwnd());
    skin_.Paint(paint.dc());
  }
  app::MarkStartup(L"first WM_PAINT");
  return true;
}

bool CStartdeckDlg::OnPrintClient(WPARAM dc, LPARAM, INT_PTR&) {
  skin_.Paint(reinterpret_cast<HDC>(dc));
  return true;
}

bool CStartdeckDlg::OnControlColour(WPARAM dc, LPARAM, INT_PTR& result) {
  const auto context = reinterpret_cast<HDC>(dc);
  if (win::HighContrastOn()) {
    // White on the skin's blue is not what the user chose: the system's text on its window colour.
    ::SetBkMode(context, OPAQUE);
    ::SetBkColor(context, ::GetSysColor(COLOR_WINDOW));
    ::SetTextColor(context, ::GetSysColor(COLOR_WINDOWTEXT));
    result = reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
    return true;
  }
  // Every control shows the skin through its background; static texts are white.
  ::SetBkMode(context, TRANSPARENT);
  ::SetTextColor(context, RGB(255, 255, 255));
  result = reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
  return true;
}

bool CStartdeckDlg::OnSystemLookChanged(WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  // Colours or high contrast changed: only top-level windows are told, so every control is told
  // too, and all of the window is drawn again.
  struct Change {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  } change{currentMessage_, wParam, lParam};
  ::EnumChildWindows(
      hwnd(),
      [](HWND child, LPARAM data) -> BOOL {
        const auto* c = reinterpret_cast<const Change*>(data);
        ::SendMessageW(child, c->message, c->wParam, c->lParam);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&change));
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  result = 0;
  return true;
}

bool CStartdeckDlg::OnLeftButtonDown(WPARAM, LPARAM, INT_PTR&) {
  // The whole surface is the window's title bar.
  ::ReleaseCapture();
  ::SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  return true;
}

bool CStartdeckDlg::OnQueryDragIcon(WPARAM, LPARAM, INT_PTR& result) {
  result = reinterpret_cast<INT_PTR>(skin_.LargeIcon());
  return true;
}

bool CStartdeckDlg::OnMove(WPARAM wParam, LPARAM lParam, INT_PTR&) {
  // Popups that children keep in place (drop-down lists, tips) follow the window.
  struct Forward {
    WPARAM wParam;
    LPARAM lParam;
  } forward{wParam, lParam};
  // EnumChildWindows visits grandchildren too.
  ::EnumChildWindows(
      hwnd(),
      [](HWND child, LPARAM data) -> BOOL {
        const auto* f = reinterpret_cast<const Forward*>(data);
        ::SendMessageW(child, WM_MOVE, f->wParam, f->lParam);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&forward));
  return false;
}
