#include "window/StartdeckDlg.h"

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/PrivateMessages.h"
#include "core/RegisteredMessages.h"
#include "core/StartupTrace.h"
#include "window/MainWindowContext.h"
#include "win/DpiChange.h"
#include "win/KeyboardCues.h"
#include "win/Resources.h"
#include "controls/Paint.h"

struct CStartdeckDlg::Route {
  UINT message;            // a message of the system or of our own, or
  const UINT* registered;  // one registered by name, known only at run time
  Part part;
  // Its handling may hide the control that has the keyboard's focus.
  bool changesView;
  // It can open a tab, choose a row or take a dropped file, or it is a screen reader's look at the
  // window's children: the ribbon and the lists' panels are made first. Input comes after the
  // message posted at the end of WM_INITDIALOG, which makes them; these may be sent before it.
  bool needsHiddenPanels;
};

// NOLINTNEXTLINE(cppcoreguidelines-interfaces-global-init): takes addresses; read after start-up
const CStartdeckDlg::Route CStartdeckDlg::kRoutes[] = {
    {WM_ERASEBKGND, nullptr, Part::kChrome, false, false},
    {WM_PAINT, nullptr, Part::kChrome, false, false},
    {WM_PRINTCLIENT, nullptr, Part::kChrome, false, false},
    {WM_CTLCOLORSTATIC, nullptr, Part::kChrome, false, false},
    {WM_SYSCOLORCHANGE, nullptr, Part::kChrome, false, false},
    {WM_SETTINGCHANGE, nullptr, Part::kChrome, false, false},
    {WM_LBUTTONDOWN, nullptr, Part::kChrome, false, false},
    {WM_QUERYDRAGICON, nullptr, Part::kChrome, false, false},
    {WM_MOVE, nullptr, Part::kChrome, false, false},
    {win::kDpiChangedMessage, nullptr, Part::kLayout, false, false},
    {app::kApplyScaleMessage, nullptr, Part::kLayout, false, false},
    {WM_COMMAND, nullptr, Part::kCommands, true, true},
    {WM_NOTIFY, nullptr, Part::kCommands, false, false},
    {WM_CLOSE, nullptr, Part::kCommands, false, false},
    {app::kWebServiceEndedMessage, nullptr, Part::kCommands, false, false},
    {0, &app::kAllowGoHomeMessage, Part::kCommands, false, false},
    {WM_SYSCOMMAND, nullptr, Part::kSystemMenu, false, false},
    {WM_ENTERIDLE, nullptr, Part::kSystemMenu, false, false},
    {WM_CONTEXTMENU, nullptr, Part::kSystemMenu, false, false},
    {WM_DROPFILES, nullptr, Part::kViews, true, true},
    {app::kListRowChosenMessage, nullptr, Part::kViews, true, true},
    {app::kTabLeftMessage, nullptr, Part::kViews, true, true},
    {app::kTabEnteredMessage, nullptr, Part::kViews, true, true},
    {app::kBackMessage, nullptr, Part::kViews, true, true},
    {app::kPluginsManagerMessage, nullptr, Part::kViews, false, true},
    {0, &app::kPluginSwitchedMessage, Part::kViews, false, false},
    {0, &app::kTmdChangedMessage, Part::kViews, false, false},
    {WM_GETOBJECT, nullptr, Part::kNone, false, true},
    {WM_ACTIVATE, nullptr, Part::kKeyboard, false, false},
    {WM_ENABLE, nullptr, Part::kKeyboard, false, false},
    {WM_CANCELMODE, nullptr, Part::kKeyboard, false, false},
    {app::kCheckFocusMessage, nullptr, Part::kKeyboard, false, false},
    {WM_COPYDATA, nullptr, Part::kRequests, false, true},
    {app::kStartRequestMessage, nullptr, Part::kRequests, true, true},
    {app::kRecentListMessage, nullptr, Part::kRecent, true, true},
    {app::kRecentDocumentsChangedMessage, nullptr, Part::kRecent, false, false},
};

CStartdeckDlg::CStartdeckDlg(ui::MainWindowContext& app)
    : app_(app),
      help_(app, app.HelpPath()),
      webService_(app),
      views_(app, buttons_, webService_),
      commands_(app, *this, buttons_, views_, webService_, help_),
      keyboard_(*this, views_, buttons_, help_),
      requests_(app, views_),
      recent_(app, views_),
      chain_{&chrome_, &layout_, &systemMenu_, &views_, &commands_, &keyboard_, &requests_, &recent_},
      layout_(app, chrome_.Skin(), buttons_, chain_) {}

CStartdeckDlg::~CStartdeckDlg() = default;

INT_PTR CStartdeckDlg::DoModal() {
  return Dialog::DoModal(win::ResourceModule(), IDD_STARTDECK, nullptr);
}

std::vector<app::SkinPicture> CStartdeckDlg::FirstPaintPictures(win::Scale scale) {
  // The background when the window is made, the check boxes' pictures when they are, the start
  // page's background when it is; then the faces as the buttons paint. (The system menu's come
  // after the paint.)
  std::vector<int> ids{ui::WindowSkin::kBackground};
  ids.insert(ids.end(), ui::MainButtons::kCheckBoxPictures.begin(), ui::MainButtons::kCheckBoxPictures.end());
  const std::vector<int> page = CMainMenuDialog::FirstPictures();
  ids.push_back(page.front());
  for (const int id : ui::MainButtons::FirstFaces()) ids.push_back(id);
  ids.insert(ids.end(), page.begin() + 1, page.end());
  std::vector<app::SkinPicture> pictures;
  pictures.reserve(ids.size());
  for (const int id : ids) pictures.push_back(ui::SkinPictureOf(id, scale));
  return pictures;
}

ui::WindowPart* CStartdeckDlg::PartOf(Part part) noexcept {
  switch (part) {
    case Part::kNone: return nullptr;
    case Part::kChrome: return &chrome_;
    case Part::kLayout: return &layout_;
    case Part::kCommands: return &commands_;
    case Part::kSystemMenu: return &systemMenu_;
    case Part::kViews: return &views_;
    case Part::kKeyboard: return &keyboard_;
    case Part::kRequests: return &requests_;
    case Part::kRecent: return &recent_;
  }
  return nullptr;
}

bool CStartdeckDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG:
      Compose();
      result = TRUE;
      return true;
    case app::kAfterFirstPaintMessage:
      AfterFirstPaint();
      result = 0;
      return true;
    case WM_DESTROY: Decompose(); return true;
    default: break;
  }
  for (const Route& route : kRoutes) {
    const bool matches =
        route.registered ? *route.registered != 0 && *route.registered == message : route.message == message;
    if (!matches) continue;
    if (route.needsHiddenPanels) views_.MakeHidden();
    ui::WindowPart* part = PartOf(route.part);
    const bool handled = part && part->OnMessage(message, wParam, lParam, result);
    if (route.changesView) KeepFocusReachable();
    return handled;
  }
  return false;
}

bool CStartdeckDlg::PreTranslateMessage(MSG& message) {
  for (ui::WindowPart* part : chain_)
    if (part->PreTranslate(message)) return true;
  return false;
}

HWND CStartdeckDlg::FocusFallback() {
  return keyboard_.FocusFallback();
}

void CStartdeckDlg::Compose() {
  app::MarkStartup(L"window and its template's controls");
  app_.SetMainWindow(hwnd());
  // Before the children are made: each starts without the cues, and none has to be told.
  keyboard_.Create();
  chrome_.Create(hwnd(), app_.Graphics());
  app::MarkStartup(L"icons and background");
  buttons_.Create(hwnd(), app_.Graphics());
  app::MarkStartup(L"main buttons");
  ::SetWindowTextW(hwnd(), app_.ProductName().c_str());
  ::SetDlgItemTextW(hwnd(), IDC_PRODUCT_CAPTION, app_.ProductName().c_str());
  ::SetDlgItemTextW(hwnd(), IDC_WELCOME_TEXT, win::LoadString(IDS_WELCOME).c_str());
  layout_.Create(hwnd());
  // The component may look for the window by its title, which it has by now.
  webService_.Start(*this, buttons_.dictionaryUpdates);
  app::MarkStartup(L"web-service exchange started");
  systemMenu_.Create(hwnd(), app_.Graphics());
  views_.Create(hwnd());
  ::SetWindowLongPtrW(hwnd(), GWL_STYLE, ::GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_MINIMIZEBOX);
  requests_.Create(hwnd(), ::GetCommandLineW());
  layout_.FollowMonitor();
  app::MarkStartup(L"end of WM_INITDIALOG");
  // The window shows when this returns; the message is taken up by the first round of its loop.
  ::PostMessageW(hwnd(), app::kAfterFirstPaintMessage, 0, 0);
}

void CStartdeckDlg::AfterFirstPaint() {
  // Posted messages come before paints: the window and every child paint first, so that nothing
  // shows half drawn while the rest is made.
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  app::MarkStartup(L"window fully painted");
  app_.WindowPainted();
  for (ui::WindowPart* part : chain_) part->AfterFirstPaint();
  for (ui::WindowPart* part : chain_) part->AfterFirstPaintLater();
}

void CStartdeckDlg::Decompose() {
  webService_.End();
  win::ForgetKeyboardCues(hwnd());
  app_.SetMainWindow(nullptr);
}
