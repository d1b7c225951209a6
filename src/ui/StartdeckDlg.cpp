#include "ui/StartdeckDlg.h"

#include "app/RegisteredMessages.h"
#include "app/StartdeckApp.h"
#include "ResourceIds.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "ui/Paint.h"
#include "win/Resources.h"

namespace {

// The close button sits this far from the client area's right edge; the minimise button overlaps
// it by one pixel on its left.
constexpr int kCloseRightMargin = 9;
constexpr int kTopButtonY = 6;
constexpr int kBottomButtonMargin = 12;

}  // namespace

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
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      for (const ui::SkinButton* button : {&close_, &minimize_, &exit_})
        if (item->hwndItem == button->hwnd()) button->Draw(*item);
      result = TRUE;
      return true;
    }
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
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return true;
    case WM_CLOSE:
      OnClose();
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    default:
      break;
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

  ::SetWindowLongPtrW(hwnd(), GWL_STYLE, ::GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_MINIMIZEBOX);
  app_.Kernel().EndStartUp();
}

void CStartdeckDlg::CreateButtons() {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  close_.Create(hwnd(), IDC_CLOSE, 0, kTopButtonY, IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED);
  const SIZE closeSize = close_.Size();
  ::SetWindowPos(close_.hwnd(), nullptr, client.right - kCloseRightMargin - closeSize.cx, kTopButtonY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  minimize_.Create(hwnd(), IDC_MINIMIZE, 0, kTopButtonY, IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_HOVER,
                   IDB_MINIMIZE_PRESSED);
  ::SetWindowPos(minimize_.hwnd(), nullptr, client.right - kCloseRightMargin - closeSize.cx - minimize_.Size().cx + 1,
                 kTopButtonY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  exit_.Create(hwnd(), IDC_EXIT, 0, 0, IDB_EXIT_NORMAL, IDB_EXIT_HOVER, IDB_EXIT_PRESSED,
               win::LoadString(IDS_EXIT), app_.Graphics().Font(app::SharedFont::kTahoma12Bold));
  const SIZE exitSize = exit_.Size();
  ::SetWindowPos(exit_.hwnd(), nullptr, client.right - kBottomButtonMargin - exitSize.cx,
                 client.bottom - kBottomButtonMargin - exitSize.cy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
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
    default:
      break;
  }
}

void CStartdeckDlg::OnClose() { EndModal(IDOK); }

void CStartdeckDlg::OnDestroy() { app_.SetMainWindow(nullptr); }
