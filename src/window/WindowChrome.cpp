#include "window/WindowChrome.h"

#include "core/StartupTrace.h"
#include "win/Dc.h"
#include "win/KeyboardCues.h"

namespace ui {

void WindowChrome::Create(HWND window, const app::SharedGraphics& graphics) {
  window_ = window;
  skin_.Apply(window, graphics);
}

void WindowChrome::ApplyScale(const app::SharedGraphics&) {
  skin_.Rescale(window_);
}

bool WindowChrome::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;  // the background bitmap covers the window
      return true;
    case WM_PAINT: {
      {
        const win::PaintScope paint(window_);
        skin_.Paint(paint.dc());
      }
      app::MarkStartup(L"first WM_PAINT");
      return true;
    }
    case WM_PRINTCLIENT: skin_.Paint(reinterpret_cast<HDC>(wParam)); return true;
    case WM_CTLCOLORSTATIC: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      if (win::HighContrastOn()) {
        // White on the skin's blue is not what the user chose: the system's text on its window colour.
        result = reinterpret_cast<INT_PTR>(win::HighContrastStaticColours(dc));
        return true;
      }
      // Every control shows the skin through its background; static texts are white.
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, RGB(255, 255, 255));
      result = reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
      return true;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      // Colours or high contrast changed: only top-level windows are told, so every control is told
      // too, and all of the window is drawn again.
      TellChildren(message, wParam, lParam);
      ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
      // The whole surface is the window's title bar.
      ::ReleaseCapture();
      ::SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return true;
    case WM_QUERYDRAGICON: result = reinterpret_cast<INT_PTR>(skin_.LargeIcon()); return true;
    case WM_MOVE:
      // Popups that children keep in place (drop-down lists, tips) follow the window.
      TellChildren(WM_MOVE, wParam, lParam);
      return false;
    default: return false;
  }
}

void WindowChrome::TellChildren(UINT message, WPARAM wParam, LPARAM lParam) const {
  MSG told{nullptr, message, wParam, lParam, 0, {}};
  // EnumChildWindows visits grandchildren too.
  ::EnumChildWindows(
      window_,
      [](HWND child, LPARAM data) -> BOOL {
        const auto* m = reinterpret_cast<const MSG*>(data);
        ::SendMessageW(child, m->message, m->wParam, m->lParam);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&told));
}

}  // namespace ui
