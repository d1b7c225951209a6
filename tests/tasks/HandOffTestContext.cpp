#include "HandOffTestContext.h"

#include <gtest/gtest.h>

#include "app/ComError.h"
#include "app/PrivateMessages.h"

namespace tasktest {
namespace {

constexpr wchar_t kWindowClass[] = L"HandOffTestMainWindow";

void RegisterWindowClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    return ::RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

Entries Keys(std::initializer_list<const wchar_t*> keys) {
  Entries entries;
  for (const wchar_t* key : keys) entries.emplace_back(key, L"1");
  return entries;
}

HandOffTestContext::HandOffTestContext(const Sections& sections)
    : launch_({}), configuration_(MakeConfiguration(sections)) {
  RegisterWindowClass(&WindowProc);
  window_ = ::CreateWindowExW(0, kWindowClass, L"Startdeck (hand-off test)", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
  EXPECT_NE(window_, nullptr);
}

HandOffTestContext::~HandOffTestContext() {
  if (window_) ::DestroyWindow(window_);
}

std::wstring HandOffTestContext::KernelServerName() const {
  if (failServerName_) throw app::ComError(RPC_E_DISCONNECTED);
  return launch_.KernelServerName();
}

LRESULT CALLBACK HandOffTestContext::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<HandOffTestContext*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (message == app::kPluginsManagerMessage && self) {
    ++self->pluginRequests_;
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tasktest
