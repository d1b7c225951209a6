// Modal dialogs from the DLL's own templates, with version 6 of the common controls (the message
// window's SysLink needs it) whatever the host program's manifest says.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace vanto {

class ModalDialog {
 public:
  ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog() = default;

  // IDOK or IDCANCEL; -1 when the dialog could not be created.
  [[nodiscard]] INT_PTR Run(HWND owner, int templateId) noexcept;

 protected:
  virtual void OnInit(HWND dialog) = 0;
  // OK pressed: true lets the dialog close.
  virtual bool OnOk(HWND) { return true; }
  virtual void OnCancel(HWND) {}
  // Any other message; TRUE when handled.
  virtual INT_PTR OnMessage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

 private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
};

// An owner window passed as a 64-bit number; null when it is not a window (any more).
[[nodiscard]] HWND OwnerWindow(LONGLONG value) noexcept;
[[nodiscard]] std::wstring ItemText(HWND dialog, int id);
// A string of the DLL's string table, with "%1", "%2"... replaced by the arguments.
[[nodiscard]] std::wstring LoadText(UINT id, std::initializer_list<std::wstring_view> arguments = {});
// Without blanks at either end.
[[nodiscard]] std::wstring Trimmed(const std::wstring& text);

}  // namespace vanto
