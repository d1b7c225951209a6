#include "ui/StartdeckDlg.h"

#include <commctrl.h>

#include <string>

#include "app/RegisteredMessages.h"
#include "switches/Switch.h"
#include "tasks/TranslateMenuUtils.h"
#include "app/StartdeckApp.h"
#include "ResourceIds.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "suite/DictionaryInstall.h"
#include "suite/LaunchList.h"
#include "suite/Launcher.h"
#include "ui/Paint.h"
#include "win/Resources.h"

namespace {

// The close button sits this far from the client area's right edge; the minimise button overlaps
// it by one pixel on its left.
constexpr int kCloseRightMargin = 9;
constexpr int kTopButtonY = 6;
constexpr int kBottomButtonMargin = 12;
constexpr int kBottomButtonGap = 8;

// A right-click on the window icon (this client rectangle) opens the system menu.
constexpr RECT kIconArea = {5, 5, 40, 40};

// HtmlHelpW's command for a context-sensitive topic, and the topics' base.
constexpr UINT kHelpContextCommand = 15;  // HH_HELP_CONTEXT
constexpr DWORD kHelpContextBase = 0x20000;

// Where the ribbon and the start page sit.
constexpr POINT kRibbonPosition = {9, 52};
constexpr POINT kStartPagePosition = {9, 107};

// Tab N's start-page button and ribbon tab, for N = 1..7.
constexpr int kStartButtonOfTab[8] = {0, 316, 291, 294, 297, 307, 301, 304};
constexpr int kRibbonIdOfTab[8] = {0, 335, 338, 348, 353, 355, 342, 345};

// System-menu positions after the rework: Move, Restore, Minimize, separator, Close.
constexpr UINT kRestorePosition = 1;
constexpr UINT kListRowChosenMessage = WM_USER + 13;  // wParam: row, lParam: the list's identifier
constexpr int kShowAllFeatures = 378;
constexpr POINT kPanelPosition = {9, 146};
constexpr UINT kMinimizePosition = 2;

}  // namespace

int CStartdeckDlg::TabOfStartButton(int id) noexcept {
  for (int tab = 1; tab <= 7; ++tab)
    if (kStartButtonOfTab[tab] == id) return tab;
  return 0;
}

int CStartdeckDlg::TabOfRibbonId(int id) noexcept {
  for (int tab = 1; tab <= 7; ++tab)
    if (kRibbonIdOfTab[tab] == id) return tab;
  return 0;
}

int CStartdeckDlg::RibbonIdOfTab(int tab) noexcept { return tab >= 1 && tab <= 7 ? kRibbonIdOfTab[tab] : 0; }

INT_PTR CStartdeckDlg::DoModal() { return Dialog::DoModal(win::ResourceModule(), IDD_STARTDECK, nullptr); }

bool CStartdeckDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      result = TRUE;
      return true;
    case WM_ERASEBKGND:
      result = 1;  // the background bitmap covers the window
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd(), &ps);
      Paint(dc);
      ::EndPaint(hwnd(), &ps);
      return true;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return true;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, RGB(255, 255, 255));
      result = reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
      return true;
    }
    case WM_LBUTTONDOWN:
      // The whole surface is the window's title bar.
      ::ReleaseCapture();
      ::SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(largeIcon_.get());
      return true;
    case WM_MOVE:
      // Popups that children keep in place (drop-down lists, tips) follow the window.
      ForwardToDescendants(message, wParam, lParam);
      return false;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return true;
    case WM_SYSCOMMAND:
      OnSysCommand(static_cast<UINT>(wParam & 0xFFF0));
      return false;  // default processing follows
    case WM_ENTERIDLE:
      UpdateSystemMenu(::IsIconic(hwnd()) != FALSE);
      return false;
    case WM_CONTEXTMENU: {
      POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      POINT client = screen;
      ::ScreenToClient(hwnd(), &client);
      if (::PtInRect(&kIconArea, client)) ShowSystemMenuAt(screen);
      return true;
    }
    case WM_CLOSE:
      OnClose();
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    default:
      break;
  }
  if (message == kTabLeftMessage) {
    OnTabLeft(static_cast<int>(wParam));
    return true;
  }
  if (message == kTabEnteredMessage) {
    OnTabEntered(static_cast<int>(wParam));
    return true;
  }
  if (message == kListRowChosenMessage) {
    OnListRowChosen(static_cast<int>(wParam), static_cast<int>(lParam));
    return true;
  }
  if (message == WM_USER + 19) {  // a panel asks for the plug-ins manager
    lists_->LaunchList().ActivateByAppId(L"VantoEM");
    return true;
  }
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom == tooltip_ && header->code == TTN_GETDISPINFOW) {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(info->hdr.idFrom));
      static std::wstring text;  // must outlive this notification
      text = TooltipText(id);
      info->lpszText = text.data();
      return true;
    }
  }
  if (message == WM_USER + 18) {  // a child asks for Back
    GoBack();
    return true;
  }
  if (message == app::kPluginSwitchedMessage) {  // another program switched add-ins
    if (app_.HasMenuUtils()) app_.MenuUtils().LoadPlugins();
    result = 0;
    return true;
  }
  if (message == app::kAllowGoHomeMessage) {
    ::SetForegroundWindow(hwnd());
    ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    result = 0;
    return true;
  }
  return false;
}

bool CStartdeckDlg::PreTranslateMessage(MSG& message) {
  // The tooltip sees every message first.
  if (tooltip_ && message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST)
    ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
  // No keyboard navigation: Enter and Escape never close the window.
  if (message.message == WM_KEYDOWN) {
    switch (message.wParam) {
      case VK_TAB:
      case VK_RETURN:
      case VK_ESCAPE:
      case VK_SPACE:
        return true;
      default:
        break;
    }
  }
  return false;
}

void CStartdeckDlg::OnInitDialog() {
  app_.SetMainWindow(hwnd());
  switches::SetMessageOwner(hwnd());
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  largeIcon_.reset(static_cast<HICON>(::LoadImageW(self, MAKEINTRESOURCEW(IDI_STARTDECK), IMAGE_ICON,
                                                   ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
  smallIcon_.reset(static_cast<HICON>(::LoadImageW(self, MAKEINTRESOURCEW(IDI_STARTDECK), IMAGE_ICON,
                                                   ::GetSystemMetrics(SM_CXSMICON),
                                                   ::GetSystemMetrics(SM_CYSMICON), 0)));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

  background_.reset(::LoadImageW(self, MAKEINTRESOURCEW(IDB_MAIN_BACKGROUND), IMAGE_BITMAP, 0, 0,
                                 LR_CREATEDIBSECTION));
  const SIZE size = ui::BitmapSize(static_cast<HBITMAP>(background_.get()));
  const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - size.cx / 2;
  const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2 - size.cy / 2;
  ::SetWindowPos(hwnd(), nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

  CreateButtons();

  ::SetWindowTextW(hwnd(), app_.ProductName().c_str());
  ::SetDlgItemTextW(hwnd(), IDC_PRODUCT_CAPTION, app_.ProductName().c_str());
  const HFONT captionFont = app_.Graphics().Font(app::SharedFont::kTahoma14Bold);
  ::SendDlgItemMessageW(hwnd(), IDC_PRODUCT_CAPTION, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont), FALSE);

  const std::wstring welcome = win::LoadString(IDS_WELCOME);
  ::SetDlgItemTextW(hwnd(), IDC_WELCOME_TEXT, welcome.c_str());
  ::SendDlgItemMessageW(hwnd(), IDC_WELCOME_TEXT, WM_SETFONT,
                        reinterpret_cast<WPARAM>(app_.Graphics().Font(app::SharedFont::kTahoma16Bold)), FALSE);
  ReworkSystemMenu();
  CreateNavigation();
  // The remembered task settings; the update exchange that names the product key comes first once
  // it exists.
  app_.Settings().Load();

  ::SetWindowLongPtrW(hwnd(), GWL_STYLE, ::GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_MINIMIZEBOX);
  app_.Kernel().EndStartUp();
}

void CStartdeckDlg::CreateButtons() {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  CreateSkinButton(close_, IDC_CLOSE, IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED, MenuButtonStyle::kPush, 0);
  const SIZE closeSize = close_.Size();
  ::SetWindowPos(close_.hwnd(), nullptr, client.right - kCloseRightMargin - closeSize.cx, kTopButtonY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  CreateSkinButton(minimize_, IDC_MINIMIZE, IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_HOVER, IDB_MINIMIZE_PRESSED,
                   MenuButtonStyle::kPush, 0);
  ::SetWindowPos(minimize_.hwnd(), nullptr, client.right - kCloseRightMargin - closeSize.cx - minimize_.Size().cx + 1,
                 kTopButtonY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  CreateSkinButton(exit_, IDC_EXIT, IDB_EXIT_NORMAL, IDB_EXIT_HOVER, IDB_EXIT_PRESSED, MenuButtonStyle::kPush,
                   IDS_EXIT);
  const SIZE exitSize = exit_.Size();
  const int bottomY = client.bottom - kBottomButtonMargin - exitSize.cy;
  ::SetWindowPos(exit_.hwnd(), nullptr, client.right - kBottomButtonMargin - exitSize.cx, bottomY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  CreateSkinButton(about_, IDC_ABOUT, IDB_ABOUT_NORMAL, IDB_ABOUT_HOVER, IDB_ABOUT_PRESSED, MenuButtonStyle::kPush,
                   IDS_ABOUT);
  ::SetWindowPos(about_.hwnd(), nullptr, client.right - kBottomButtonMargin - exitSize.cx - kBottomButtonGap -
                 about_.Size().cx, bottomY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  // The Help picture button with its label to the right, from (30, bottom - 33) to (75, bottom - 17).
  CreateSkinButton(help_, IDC_HELP_BUTTON, IDB_HELP_NORMAL, IDB_HELP_HOVER, IDB_HELP_PRESSED, MenuButtonStyle::kPush,
                   0);
  ::SetWindowPos(help_.hwnd(), nullptr, 30 - help_.Size().cx - 2, client.bottom - 25 - help_.Size().cy / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  const std::wstring helpText = win::LoadString(IDS_HELP);
  helpLabel_ = ::CreateWindowExW(0, L"STATIC", helpText.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 30,
                                 client.bottom - 33, 45, 16, hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(helpLabel_, WM_SETFONT, reinterpret_cast<WPARAM>(app_.Graphics().Font(app::SharedFont::kTahoma12)),
                 FALSE);
}

void CStartdeckDlg::CreateNavigation() {
  const app::SharedGraphics& graphics = app_.Graphics();
  ribbon_.Create(kRibbonPosition.x, kRibbonPosition.y, hwnd(), IDC_RIBBON,
                 graphics.Font(app::SharedFont::kTahoma12Bold));
  ::ShowWindow(ribbon_.hwnd(), SW_HIDE);
  startPage_.Create(hwnd(), kStartPagePosition.x, kStartPagePosition.y,
                    {graphics.Font(app::SharedFont::kTahoma18Bold), graphics.Font(app::SharedFont::kTahoma14Bold),
                     graphics.Font(app::SharedFont::kTahoma12), graphics.Font(app::SharedFont::kTahoma12)});
  ::ShowWindow(startPage_.hwnd(), SW_SHOW);

  // Home and Back sit where About and Exit's neighbour would be, hidden until a tab opens.
  RECT about{};
  ::GetWindowRect(about_.hwnd(), &about);
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&about), 2);
  CreateSkinButton(home_, IDC_HOME, IDB_HOME_NORMAL, IDB_HOME_HOVER, IDB_HOME_PRESSED, MenuButtonStyle::kPush,
                   IDS_HOME);
  CreateSkinButton(back_, IDC_BACK, IDB_BACK_NORMAL, IDB_BACK_HOVER, IDB_BACK_PRESSED, MenuButtonStyle::kPush,
                   IDS_BACK);
  ::SetWindowPos(back_.hwnd(), nullptr, about.left, about.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::SetWindowPos(home_.hwnd(), nullptr, about.left - kBottomButtonGap - home_.Size().cx, about.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  CreateSkinButton(launchInstall_, IDC_LAUNCH_INSTALL, IDB_LAUNCH_NORMAL, IDB_LAUNCH_HOVER, IDB_LAUNCH_PRESSED,
                   MenuButtonStyle::kPush, IDS_INSTALL);
  ::SetWindowPos(launchInstall_.hwnd(), nullptr, about.left, about.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::ShowWindow(home_.hwnd(), SW_HIDE);
  ::ShowWindow(back_.hwnd(), SW_HIDE);
  ::ShowWindow(launchInstall_.hwnd(), SW_HIDE);

  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const std::wstring showAllText = win::LoadString(IDS_SHOW_ALL_FEATURES);
  showAll_ = ::CreateWindowExW(0, L"BUTTON", showAllText.c_str(), WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 100,
                               client.bottom - 34, 300, 18, hwnd(), reinterpret_cast<HMENU>(kShowAllFeatures),
                               ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(showAll_, WM_SETFONT, reinterpret_cast<WPARAM>(graphics.Font(app::SharedFont::kTahoma12)), FALSE);

  lists_ = std::make_unique<ui::TabLists>(app_.Profile(), app_);
  lists_->Create(hwnd(), kPanelPosition, graphics);
  RebuildMenus();
  CreateTooltips();
}

void CStartdeckDlg::CreateTooltips() {
  tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  if (!tooltip_) return;
  // The text is asked for when a tip shows, so it follows the buttons' current captions.
  for (HWND control : {close_.hwnd(), minimize_.hwnd(), exit_.hwnd(), about_.hwnd(), help_.hwnd(), home_.hwnd(),
                       back_.hwnd(), launchInstall_.hwnd(), showAll_}) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the control
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

std::wstring CStartdeckDlg::TooltipText(int controlId) const {
  // The system menu's texts, without their indent and shortcut, name the window buttons.
  const auto menuText = [](UINT id) {
    std::wstring text = win::LoadString(id);
    text.erase(0, text.find_first_not_of(L' '));
    if (const size_t tab = text.find(L'\t'); tab != std::wstring::npos) text.resize(tab);
    return text;
  };
  switch (controlId) {
    case IDC_CLOSE: return menuText(IDS_SYSMENU_CLOSE);
    case IDC_MINIMIZE: return menuText(IDS_SYSMENU_MINIMIZE);
    case IDC_HELP_BUTTON: return win::LoadString(IDS_HELP);
    case kShowAllFeatures: return win::LoadString(IDS_SHOW_ALL_FEATURES);
    default: {
      HWND control = ::GetDlgItem(hwnd(), controlId);
      const int length = control ? ::GetWindowTextLengthW(control) : 0;
      std::wstring text(static_cast<size_t>(length) + 1, L'\0');
      if (control) text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), length + 1)));
      return text;
    }
  }
}

void CStartdeckDlg::RebuildMenus() {
  const bool showAll = ::SendMessageW(showAll_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  for (int id : CMainMenuDialog::kButtonIds) startPage_.SetButtonState(id, MenuButtonState::kNormal, false);
  ribbon_.Clear(true);
  const ui::TabLists::Filled filled = lists_->Rebuild(showAll);
  const std::pair<int, bool> tabs[] = {{1, filled.tab1}, {2, filled.tab2}, {4, filled.tab4}, {6, filled.tab6}};
  for (const auto& [tab, hasRows] : tabs) {
    startPage_.SetButtonState(kStartButtonOfTab[tab], hasRows ? MenuButtonState::kNormal : MenuButtonState::kDisabled,
                              false);
    ribbon_.EnableTab(kRibbonIdOfTab[tab], hasRows);
  }
  ::InvalidateRect(startPage_.hwnd(), nullptr, TRUE);
}

void CStartdeckDlg::OpenTab(int tab) {
  const int ribbonId = RibbonIdOfTab(tab);
  if (ribbonId == 0) return;
  ::ShowWindow(startPage_.hwnd(), SW_HIDE);
  ::ShowWindow(showAll_, SW_HIDE);
  if (HWND panel = lists_->Panel(tab)) ::ShowWindow(panel, SW_SHOW);
  ribbon_.Mark(ribbonId);
  ::ShowWindow(ribbon_.hwnd(), SW_SHOW);
  currentTabId_ = ribbonId;
  view_ = tab;
  ::ShowWindow(::GetDlgItem(hwnd(), IDC_WELCOME_TEXT), SW_HIDE);
  ::ShowWindow(about_.hwnd(), SW_HIDE);
  ::ShowWindow(home_.hwnd(), SW_SHOW);
  ::ShowWindow(back_.hwnd(), SW_HIDE);
  ShowLaunchInstallFor(tab);
}

void CStartdeckDlg::GoHome() {
  if (currentTabId_ != 0) OnTabLeft(currentTabId_);
  ribbon_.Clear(false);
  ::ShowWindow(ribbon_.hwnd(), SW_HIDE);
  ::ShowWindow(home_.hwnd(), SW_HIDE);
  ::ShowWindow(back_.hwnd(), SW_HIDE);
  ::ShowWindow(launchInstall_.hwnd(), SW_HIDE);
  ::ShowWindow(about_.hwnd(), SW_SHOW);
  ::ShowWindow(::GetDlgItem(hwnd(), IDC_WELCOME_TEXT), SW_SHOW);
  ::ShowWindow(showAll_, SW_SHOW);
  ::ShowWindow(startPage_.hwnd(), SW_SHOW);
  currentTabId_ = 0;
  view_ = 0;
}

void CStartdeckDlg::GoBack() {
  if (currentTabId_ == 0) return;
  OnTabLeft(currentTabId_);
  OnTabEntered(currentTabId_);
}

void CStartdeckDlg::OnTabLeft(int ribbonId) {
  // The tab's own panels go with it; remember which tab it was.
  if (HWND panel = lists_->Panel(TabOfRibbonId(ribbonId))) ::ShowWindow(panel, SW_HIDE);
  ::ShowWindow(launchInstall_.hwnd(), SW_HIDE);
  currentTabId_ = ribbonId;
}

void CStartdeckDlg::OnTabEntered(int ribbonId) {
  const int tab = TabOfRibbonId(ribbonId);
  if (tab == 0) return;
  currentTabId_ = ribbonId;
  view_ = tab;
  if (HWND panel = lists_->Panel(tab)) ::ShowWindow(panel, SW_SHOW);
  ::ShowWindow(back_.hwnd(), SW_HIDE);
  ShowLaunchInstallFor(tab);
}

void CStartdeckDlg::ShowLaunchInstallFor(int tab) {
  if (tab != 3 && tab != 7) {
    ::ShowWindow(launchInstall_.hwnd(), SW_HIDE);
    return;
  }
  launchInstall_.SetCaption(win::LoadString(tab == 3 ? IDS_INSTALL : IDS_LAUNCH));
  ::ShowWindow(launchInstall_.hwnd(), SW_SHOW);
}

void CStartdeckDlg::OnListRowChosen(int row, int listId) {
  const int tab = ui::TabLists::TabOfListId(listId);
  suite::Launcher launcher(app_);
  if (tab == 4) return lists_->LaunchList().LaunchItem(static_cast<size_t>(row));
  const ui::MenuItem* item = lists_->Model().ItemAt(static_cast<ui::MenuTab>(tab), static_cast<size_t>(row));
  if (item == nullptr) return;
  if (tab == 6) return launcher.LaunchCommandApps(item->appId);
  if (item->extra) {
    app_.ShowMessage(IDS_OTHER_PRODUCTS, {}, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // Commands that start an application leave the list where it is.
  const bool startsApplication = (tab == 1 && item->commandIndex == 9) || (tab == 2 && item->commandIndex >= 3);
  if (startsApplication) return launcher.LaunchCommandApps(item->appId);
  // The task panels themselves are still to come: the task's place is kept with Back.
  // Views of the tasks: 9 to 17 for the translation tasks (quick translation first), 22 profiles,
  // 20 dictionaries, 23 translation memories.
  constexpr int kSetupViews[] = {22, 20, 23};
  OpenTaskPlaceholder(tab == 1 ? 9 + item->commandIndex : kSetupViews[item->commandIndex]);
}

void CStartdeckDlg::OpenTaskPlaceholder(int view) {
  if (HWND panel = lists_->Panel(view_)) ::ShowWindow(panel, SW_HIDE);
  ::ShowWindow(back_.hwnd(), SW_SHOW);
  view_ = view;
}

void CStartdeckDlg::ReworkSystemMenu() {
  HMENU menu = ::GetSystemMenu(hwnd(), FALSE);
  if (!menu) return;
  // Empty the window's own menu and lay it out anew, by position.
  while (::GetMenuItemCount(menu) > 0) ::DeleteMenu(menu, 0, MF_BYPOSITION);
  const std::wstring move = win::LoadString(IDS_SYSMENU_MOVE);
  const std::wstring restore = win::LoadString(IDS_SYSMENU_RESTORE);
  const std::wstring minimize = win::LoadString(IDS_SYSMENU_MINIMIZE);
  const std::wstring close = win::LoadString(IDS_SYSMENU_CLOSE);
  ::AppendMenuW(menu, MF_STRING, SC_MOVE, move.c_str());
  ::AppendMenuW(menu, MF_STRING | MF_GRAYED, SC_RESTORE, restore.c_str());
  ::AppendMenuW(menu, MF_STRING, SC_MINIMIZE, minimize.c_str());
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, SC_CLOSE, close.c_str());

  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  const int bitmapIds[3] = {IDB_SYSMENU_RESTORE, IDB_SYSMENU_MINIMIZE, IDB_SYSMENU_CLOSE};
  const UINT commands[3] = {SC_RESTORE, SC_MINIMIZE, SC_CLOSE};
  for (int i = 0; i < 3; ++i) {
    menuBitmaps_[i].reset(::LoadImageW(self, MAKEINTRESOURCEW(bitmapIds[i]), IMAGE_BITMAP, 0, 0, 0));
    const HBITMAP bitmap = static_cast<HBITMAP>(menuBitmaps_[i].get());
    ::SetMenuItemBitmaps(menu, commands[i], MF_BYCOMMAND, bitmap, bitmap);
  }
}

void CStartdeckDlg::OnSysCommand(UINT command) {
  if (command == SC_MINIMIZE) UpdateSystemMenu(true);
  if (command == SC_RESTORE) UpdateSystemMenu(false);
}

void CStartdeckDlg::UpdateSystemMenu(bool minimized) {
  HMENU menu = ::GetSystemMenu(hwnd(), FALSE);
  if (!menu) return;
  ::EnableMenuItem(menu, kMinimizePosition, MF_BYPOSITION | (minimized ? MF_GRAYED : MF_ENABLED));
  ::EnableMenuItem(menu, kRestorePosition, MF_BYPOSITION | (minimized ? MF_ENABLED : MF_GRAYED));
}

void CStartdeckDlg::ShowSystemMenuAt(POINT screen) {
  HMENU menu = ::GetSystemMenu(hwnd(), FALSE);
  if (!menu) return;
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, hwnd(), nullptr));
  if (command != 0) ::PostMessageW(hwnd(), WM_SYSCOMMAND, command, 0);
}

void CStartdeckDlg::ShowHelp() {
  // The help engine is loaded on first use; without it Help does nothing.
  if (!htmlHelpTried_) {
    htmlHelpTried_ = true;
    htmlHelp_.reset(::LoadLibraryW(L"hhctrl.ocx"));
  }
  if (!htmlHelp_) return;
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(htmlHelp_.get(), "HtmlHelpW")));
  if (!htmlHelp) return;
  DWORD context = kHelpContextBase;
  if (view_ >= 1 && view_ <= 8 &&
      app_.Profile().SectionEntryCount(L"_menu" + std::to_wstring(view_)) > 0)
    context += static_cast<DWORD>(view_);
  htmlHelp(hwnd(), app_.HelpPath().c_str(), kHelpContextCommand, context);
}

void CStartdeckDlg::Paint(HDC dc) const {
  if (!background_) return;
  win::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  ui::SelectGuard select(memory.get(), background_.get());
  const SIZE size = ui::BitmapSize(static_cast<HBITMAP>(background_.get()));
  ::BitBlt(dc, 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}

void CStartdeckDlg::OnCommand(int id) {
  switch (id) {
    case IDC_MINIMIZE:
      ::SendMessageW(hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      break;
    case IDC_CLOSE:
    case IDC_EXIT:
      ::SendMessageW(hwnd(), WM_CLOSE, 0, 0);
      break;
    case IDC_ABOUT:
      app_.Kernel().ShowAbout(hwnd());
      break;
    case IDC_HELP_BUTTON:
      ShowHelp();
      break;
    case IDC_HOME:
      GoHome();
      break;
    case IDC_BACK:
      GoBack();
      break;
    case IDC_LAUNCH_INSTALL:
      // The dictionaries tab installs; the web-service tab's launch comes with the update exchange.
      if (view_ == 3) suite::InstallDictionaries(app_);
      break;
    case kShowAllFeatures:
      app_.SetShowAllFeatures(::SendMessageW(showAll_, BM_GETCHECK, 0, 0) == BST_CHECKED);
      RebuildMenus();
      GoHome();
      break;
    default:
      if (const int tab = TabOfStartButton(id)) OpenTab(tab);
      break;
  }
}

void CStartdeckDlg::OnClose() {
  // Quitting while the updater installs could leave the suite half updated: the user decides.
  if (app_.UpdatesInstalling() && app_.ShowMessage(IDS_UPDATES_INSTALLING, {}, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  EndModal(IDOK);
}

void CStartdeckDlg::OnDestroy() {
  app_.Settings().Save();
  app_.SetMainWindow(nullptr);
  switches::SetMessageOwner(nullptr);
}

void CStartdeckDlg::ForwardToDescendants(UINT message, WPARAM wParam, LPARAM lParam) const {
  struct Forward {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  } forward{message, wParam, lParam};
  // EnumChildWindows visits grandchildren too.
  ::EnumChildWindows(
      hwnd(),
      [](HWND child, LPARAM data) -> BOOL {
        const auto* f = reinterpret_cast<const Forward*>(data);
        ::SendMessageW(child, f->message, f->wParam, f->lParam);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&forward));
}

void CStartdeckDlg::CreateSkinButton(CMenuButton& button, int id, int normal, int hover, int pressed,
                                     MenuButtonStyle style, UINT captionId) {
  button.CreateWithSkinFaces(0, 0, {normal, hover, pressed, 0}, style, captionId, 0, hwnd(), id);
  button.SetCaptionFont(app_.Graphics().Font(app::SharedFont::kTahoma12Bold), RGB(255, 255, 255));
}
