// Base of our own child window classes (custom controls): one static procedure keeps the object in
// GWLP_USERDATA from WM_NCCREATE until WM_NCDESTROY and forwards messages to OnMessage. No exception
// leaves the window procedure: it is caught and handed to the failure reporter (win/FailureReport.h).
#pragma once

#include <windows.h>

#include "win/Accessible.h"
#include "win/AccessibleObject.h"

namespace win {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // Destroys a window that is still alive; by then the derived object is gone, so the window is
  // detached first and its last messages go to the default procedure.
  virtual ~Window();

  [[nodiscard]] HWND hwnd() const noexcept { return hwnd_; }

 protected:
  // Registers `className` once per process (double clicks on, no background brush) and creates
  // the window with this object attached. Null on failure.
  HWND CreateWindowOf(const wchar_t* className, DWORD style, int x, int y, int width, int height, HWND parent,
                      int id) noexcept;
  // The answer to `message`; the default is DefWindowProc.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // What a screen reader is told about the window, or null for the standard object. The base answers
  // WM_GETOBJECT with it.
  [[nodiscard]] virtual AccessibleSource* Accessible() noexcept { return nullptr; }
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  HWND hwnd_ = nullptr;
  AccessibleOwner accessible_;
};

}  // namespace win
