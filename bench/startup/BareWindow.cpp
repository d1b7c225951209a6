// The yardstick: the smallest Win32 program that shows one window and paints it. Built a second time
// (BareWindowWithLibraries) loading the system libraries Startdeck loads, imported or at run time, to
// tell their cost from Startdeck's own. Both mark their entry point and their first paint the way
// Startdeck does, so that the benchmark can set Startdeck's own work beside theirs.
#include <windows.h>

#include "core/StartupTrace.h"

#ifdef BARE_WINDOW_WITH_LIBRARIES
#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shlwapi.h>
#endif

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      ::FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
      ::EndPaint(hwnd, &ps);
      app::MarkStartup(L"window fully painted");
      return 0;
    }
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  app::OpenStartupTrace();
  app::MarkStartup(L"process start to wWinMain");
#ifdef BARE_WINDOW_WITH_LIBRARIES
  // One call into each, so that each stays imported: the libraries load before the entry point.
  INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
  ::InitCommonControlsEx(&controls);
  ::CoTaskMemFree(nullptr);
  ::SysFreeString(nullptr);
  (void)::PathFindFileNameW(L"bare");
  (void)::AlphaBlend(nullptr, 0, 0, 0, 0, nullptr, 0, 0, 0, 0, BLENDFUNCTION{});
  const HMODULE richEdit = ::LoadLibraryW(L"riched20.dll");
#endif
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"BareWindow";
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  ::RegisterClassW(&wc);
  HWND hwnd = ::CreateWindowExW(0, L"BareWindow", L"Bare window", WS_POPUP | WS_VISIBLE, 100, 100, 690, 526,
                                nullptr, nullptr, instance, nullptr);
  ::ShowWindow(hwnd, show);
#ifdef BARE_WINDOW_WITH_LIBRARIES
  ::DragAcceptFiles(hwnd, TRUE);
#endif
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
#ifdef BARE_WINDOW_WITH_LIBRARIES
  if (richEdit) ::FreeLibrary(richEdit);
#endif
  return 0;
}
