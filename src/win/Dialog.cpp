#include "win/Dialog.h"

#include <utility>

#include "win/DpiChange.h"
#include "win/FailureReport.h"
#include "win/Focus.h"

namespace win {
namespace {

// Messages whose answer is the dialog procedure's return value itself, not DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG: return true;
    default: return false;
  }
}

}  // namespace

Dialog::~Dialog() {
  // The derived object, which is usually the source, is gone already.
  accessible_.Disconnect();
  if (hwnd_ && ::IsWindow(hwnd_)) {
    ::SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    const HWND gone = hwnd_;
    hwnd_ = nullptr;
    ::DestroyWindow(gone);
  }
}

INT_PTR Dialog::DoModal(HINSTANCE module, int templateId, HWND owner) {
  modalResult_ = -1;
  modalRunning_ = true;
  if (!Create(module, templateId, owner)) {
    modalRunning_ = false;
    return -1;
  }
  const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
  if (ownerWasEnabled) ::EnableWindow(owner, FALSE);

  MSG message{};
  while (modalRunning_ && hwnd_ != nullptr) {
    bool quit = false;
    if (!NextMessage(message, quit)) {
      if (quit) ::PostQuitMessage(static_cast<int>(message.wParam));  // leave the quit for the outer loop
      break;
    }
    if (message.hwnd == nullptr && message.message == WM_NULL) continue;  // the watch ended
    if (CancelsHeldMouse(message)) continue;
    const bool dialogKeys = !IsKeyboardMessage(message.message) || RouteKey(message);
    if (PreTranslateMessage(message)) continue;
    if (hwnd_ && dialogKeys && ::IsDialogMessageW(hwnd_, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  modalRunning_ = false;
  if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
  if (hwnd_) ::DestroyWindow(hwnd_);
  return modalResult_;
}

bool Dialog::CancelsHeldMouse(const MSG& message) const {
  // Escape while a control of the dialog holds the mouse (a button pressed and not yet released)
  // gives the press up, as it does on system buttons.
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE || hwnd_ == nullptr) return false;
  const HWND held = ::GetCapture();
  if (held == nullptr || !::IsChild(hwnd_, held)) return false;
  ::SendMessageW(held, WM_CANCELMODE, 0, 0);
  return true;
}

HWND Dialog::FocusFallback() {
  const HWND first = FirstTabStop(hwnd_);
  return first ? first : hwnd_;
}

void Dialog::KeepFocusReachable() {
  if (hwnd_ == nullptr || ::IsIconic(hwnd_)) return;
  const HWND focus = ::GetFocus();
  if (focus == nullptr || (focus != hwnd_ && !::IsChild(hwnd_, focus)) || TakesKeys(hwnd_, focus)) return;
  const HWND fallback = FocusFallback();
  if (fallback && fallback != focus) ::SetFocus(fallback);
}

bool Dialog::RouteKey(MSG& message) {
  if (hwnd_ == nullptr || message.hwnd == nullptr ||
      (message.hwnd != hwnd_ && !::IsChild(hwnd_, message.hwnd)))
    return true;  // not the dialog's: the dialog manager leaves it alone
  if (message.hwnd == ::GetFocus()) {
    KeepFocusReachable();
    // The key was meant for whatever has the focus: now the control that took it over.
    if (const HWND focus = ::GetFocus(); focus && (focus == hwnd_ || ::IsChild(hwnd_, focus)))
      message.hwnd = focus;
  }
  return TakesKeys(hwnd_, message.hwnd);
}

void Dialog::WatchHandle(HANDLE handle, ULONGLONG deadline, std::function<void(bool)> done) {
  watched_ = handle;
  watchDeadline_ = deadline;
  watchDone_ = std::move(done);
}

void Dialog::StopWatching() noexcept {
  watched_ = nullptr;
  watchDone_ = nullptr;
}

bool Dialog::NextMessage(MSG& message, bool& quit) {
  if (!watched_) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    quit = got == 0;
    return got > 0;
  }
  // Peeking, not GetMessage: a sent message wakes the wait too, and GetMessage would then go on
  // waiting for a posted one without looking at the handle.
  for (;;) {
    if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      quit = message.message == WM_QUIT;
      return !quit;
    }
    const ULONGLONG now = ::GetTickCount64();
    const DWORD wait = now >= watchDeadline_ ? 0 : static_cast<DWORD>(watchDeadline_ - now);
    const DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &watched_, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_OBJECT_0 || woke == WAIT_TIMEOUT || woke == WAIT_FAILED) {
      std::function<void(bool)> done = std::move(watchDone_);
      StopWatching();
      if (done) done(woke == WAIT_OBJECT_0);
      message = MSG{};
      return true;  // an empty message: the loop looks at its state again
    }
  }
}

void Dialog::EndModal(INT_PTR result) noexcept {
  modalResult_ = result;
  modalRunning_ = false;
  // Wake the loop, which may be waiting in GetMessage.
  if (hwnd_) ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

HWND Dialog::Create(HINSTANCE module, int templateId, HWND parent) {
  return ::CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), parent, &Dialog::Procedure,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    // Our dialogs lay themselves out at a new DPI; the dialog manager's own rescaling would fight it.
    KeepOwnLayoutOnDpiChange(hwnd);
  } else {
    self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (self == nullptr) return FALSE;

  INT_PTR result = 0;
  bool handled = false;
  if (message == WM_GETOBJECT) {
    LRESULT object = 0;
    if (self->accessible_.Answer(hwnd, self->Accessible(), wParam, lParam, object)) {
      ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, object);
      return TRUE;
    }
  }
  if (message == WM_NCDESTROY) self->accessible_.Disconnect();
  try {
    handled = self->OnMessage(message, wParam, lParam, result);
  } catch (...) {
    // A failure inside a handler must not unwind through the system's dispatch code.
    ReportCaughtException(L"dialog procedure", hwnd, message);
    handled = false;
  }

  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnFinalMessage();
    return FALSE;
  }
  if (!handled) return message == WM_INITDIALOG ? TRUE : FALSE;
  if (ReturnsDirectly(message)) return result;
  ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace win
