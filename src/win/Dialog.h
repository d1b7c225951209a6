// Base of every dialog: one static procedure keeps the object in DWLP_USER from WM_INITDIALOG until
// WM_NCDESTROY and forwards messages to OnMessage. No exception leaves a dialog procedure: it is caught
// and handed to the failure reporter (win/FailureReport.h).
#pragma once

#include <windows.h>

#include <functional>

#include "win/Accessible.h"
#include "win/AccessibleObject.h"

namespace win {

class Dialog {
 public:
  Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  // Destroys a window that is still alive; by then the derived object is gone, so the window is
  // detached first and its last messages go to the default dialog processing.
  virtual ~Dialog();

  // Runs the dialog modally from `templateId` of `module` with our own message loop, so that
  // PreTranslateMessage sees every message first; returns EndModal's result, or -1.
  INT_PTR DoModal(HINSTANCE module, int templateId, HWND owner = nullptr);
  // Ends a modal run: the loop stops and the window is destroyed.
  void EndModal(INT_PTR result) noexcept;
  // Creates the dialog modeless (as a child when the template says so).
  HWND Create(HINSTANCE module, int templateId, HWND parent);

  [[nodiscard]] HWND hwnd() const noexcept { return hwnd_; }

  // While the modal loop runs it also waits for `handle`: `done(true)` once it is signalled (an
  // auto-reset event is then reset), `done(false)` when `deadline` (GetTickCount64) passes first.
  // One handle at a time; the watch ends before `done` runs.
  void WatchHandle(HANDLE handle, ULONGLONG deadline, std::function<void(bool signalled)> done);
  void StopWatching() noexcept;

  // Moves the focus to FocusFallback() when it is inside the dialog on a control that cannot take
  // keys. The modal loop does this before each key; views that hide controls call it at once.
  void KeepFocusReachable();

 protected:
  // Return true when the message was handled; `result` is then the dialog procedure's answer (for
  // messages that return a value, it goes through DWLP_MSGRESULT).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) = 0;
  // The window is gone; the object may be released or reused.
  virtual void OnFinalMessage() {}
  // What a screen reader is told about the dialog (a view or a panel: a named pane), or null for
  // the standard object. The base answers WM_GETOBJECT with it.
  [[nodiscard]] virtual AccessibleSource* Accessible() noexcept { return nullptr; }
  // Offered every message of the modal loop before dialog processing; true swallows it.
  virtual bool PreTranslateMessage(MSG& message) {
    (void)message;
    return false;
  }
  // Where the keyboard's focus goes when the control that has it cannot take keys any more (it, or a
  // panel around it, was hidden or disabled): the dialog's first tab stop that shows, or the dialog.
  [[nodiscard]] virtual HWND FocusFallback();

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  // The next message of the modal loop, waiting for the watched handle meanwhile; false for WM_QUIT
  // or a failed read.
  bool NextMessage(MSG& message, bool& quit);
  // A key for a control of the dialog goes to where the focus can be; false when it still cannot go
  // to the dialog manager (it was sent to a control that cannot take keys), only to the control.
  bool RouteKey(MSG& message);
  // Escape while a control of the dialog holds the mouse: the control is told to give it up; true
  // when the key was used so.
  bool CancelsHeldMouse(const MSG& message) const;

  HWND hwnd_ = nullptr;
  AccessibleOwner accessible_;
  HANDLE watched_ = nullptr;
  ULONGLONG watchDeadline_ = 0;
  std::function<void(bool)> watchDone_;
  bool modalRunning_ = false;
  INT_PTR modalResult_ = -1;
};

}  // namespace win
