#include "Dialog.h"

#include <commctrl.h>

#include <mutex>

#include "Module.h"

namespace vanto {
namespace {

// The manifest resource (ID 2) names common controls 6; its context is made once and kept.
class ControlsContext {
 public:
  ControlsContext() {
    const std::wstring path = ModulePath();
    ACTCTXW context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = ThisModule();
    context.lpSource = path.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(2);
    handle_ = ::CreateActCtxW(&context);
  }
  ~ControlsContext() {
    if (handle_ != INVALID_HANDLE_VALUE) ::ReleaseActCtx(handle_);
  }
  ControlsContext(const ControlsContext&) = delete;
  ControlsContext& operator=(const ControlsContext&) = delete;
  [[nodiscard]] HANDLE get() const noexcept { return handle_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

class ActivationScope {
 public:
  explicit ActivationScope(HANDLE context) noexcept {
    if (context != INVALID_HANDLE_VALUE && !::ActivateActCtx(context, &cookie_)) cookie_ = 0;
  }
  ~ActivationScope() {
    if (cookie_) ::DeactivateActCtx(0, cookie_);
  }
  ActivationScope(const ActivationScope&) = delete;
  ActivationScope& operator=(const ActivationScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
};

HANDLE Context() {
  static ControlsContext context;
  return context.get();
}

}  // namespace

INT_PTR ModalDialog::Run(HWND owner, int templateId) noexcept {
  try {
    ActivationScope scope(Context());
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    return ::DialogBoxParamW(ThisModule(), MAKEINTRESOURCEW(templateId), owner, &ModalDialog::Proc,
                             reinterpret_cast<LPARAM>(this));
  } catch (...) {
    return -1;
  }
}

INT_PTR CALLBACK ModalDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_INITDIALOG) {
      auto* self = reinterpret_cast<ModalDialog*>(lParam);
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      self->OnInit(dialog);
      return TRUE;
    }
    auto* self = reinterpret_cast<ModalDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
      return FALSE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      if (self->OnOk(dialog)) ::EndDialog(dialog, IDOK);
      return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      self->OnCancel(dialog);
      ::EndDialog(dialog, IDCANCEL);
      return TRUE;
    }
    return self->OnMessage(dialog, message, wParam, lParam);
  } catch (...) {
    // Nothing may leave a dialog procedure; a dialog that cannot go on closes as cancelled.
    ::EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
}

HWND OwnerWindow(LONGLONG value) noexcept {
  HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(value));
  return window && ::IsWindow(window) ? window : nullptr;
}

std::wstring ItemText(HWND dialog, int id) {
  HWND item = ::GetDlgItem(dialog, id);
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring LoadText(UINT id, std::initializer_list<std::wstring_view> arguments) {
  const wchar_t* data = nullptr;
  const int length = ::LoadStringW(ThisModule(), id, reinterpret_cast<LPWSTR>(&data), 0);
  std::wstring text = length > 0 ? std::wstring(data, static_cast<size_t>(length)) : std::wstring();
  int n = 1;
  for (std::wstring_view argument : arguments) {
    const std::wstring marker = L"%" + std::to_wstring(n++);
    for (size_t at = text.find(marker); at != std::wstring::npos;
         at = text.find(marker, at + argument.size()))
      text.replace(at, marker.size(), argument);
  }
  return text;
}

std::wstring Trimmed(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t\r\n");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}

}  // namespace vanto
