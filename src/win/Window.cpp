#include "win/Window.h"

#include "win/FailureReport.h"

namespace win {

Window::~Window() {
  // The derived object, which is usually the source, is gone already.
  accessible_.Disconnect();
  if (hwnd_ && ::IsWindow(hwnd_)) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    const HWND gone = hwnd_;
    hwnd_ = nullptr;
    ::DestroyWindow(gone);
  }
}

HWND Window::CreateWindowOf(const wchar_t* className, DWORD style, int x, int y, int width, int height,
                            HWND parent, int id) noexcept {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW info{};
  if (!::GetClassInfoExW(instance, className, &info)) {
    info = {};
    info.cbSize = sizeof(info);
    info.style = CS_DBLCLKS;
    info.lpfnWndProc = &Window::Procedure;
    info.hInstance = instance;
    info.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    info.lpszClassName = className;
    if (!::RegisterClassExW(&info) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  }
  const HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
  return ::CreateWindowExW(0, className, L"", style, x, y, width, height, parent, menu, instance, this);
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);

  LRESULT result = 0;
  if (message == WM_GETOBJECT && self->accessible_.Answer(hwnd, self->Accessible(), wParam, lParam, result))
    return result;
  if (message == WM_NCDESTROY) self->accessible_.Disconnect();
  try {
    result = self->OnMessage(message, wParam, lParam);
  } catch (...) {
    // A failure inside a handler must not unwind through the system's dispatch code.
    ReportCaughtException(L"window procedure", hwnd, message);
    result = ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace win
