#include "win/Scale.h"

#include "win/Dc.h"

namespace win {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();

template <class Fn>
Fn User32Function(const char* name) noexcept {
  const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): how GetProcAddress is typed
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

int ScreenDpi() noexcept {
  const WindowDc screen(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : skinscale::kDesignDpi;
}

}  // namespace

int SystemDpi() noexcept {
  static const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
  if (getDpiForSystem) {
    const UINT dpi = getDpiForSystem();
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

int DpiOfWindow(HWND window) noexcept {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (window && getDpiForWindow) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

}  // namespace win
