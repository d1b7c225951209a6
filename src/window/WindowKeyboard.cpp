#include "window/WindowKeyboard.h"

#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "controls/CustomComboPopup.h"
#include "window/ContextHelp.h"
#include "window/MainButtons.h"
#include "window/MainViews.h"
#include "window/MainWindowKeys.h"
#include "win/Dialog.h"
#include "win/Focus.h"
#include "win/KeyboardCues.h"

namespace ui {

void WindowKeyboard::Create() {
  win::HideKeyboardCues(window_.hwnd());
}

HWND WindowKeyboard::FocusFallback() {
  if (const tasks::TaskPanel* panel = views_.OpenTaskPanel(); panel && ::IsWindowVisible(panel->Window()))
    return FirstFieldOf(panel->Window());
  for (HWND stop : TabOrder())
    if (stop != views_.Ribbon().hwnd()) return stop;
  return window_.hwnd();
}

bool WindowKeyboard::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  HWND window = window_.hwnd();
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE)
        CMenuButton::EndHoverIn(window);
      else
        ::PostMessageW(window, app::kCheckFocusMessage, 0, 0);  // after the system has put the focus back
      return false;  // the dialog's own handling saves and restores the focus
    case WM_ENABLE:
      // A modal box of ours or of the kernel takes over: no button stays lit under it.
      if (!wParam) CMenuButton::EndHoverIn(window);
      return false;
    case WM_CANCELMODE: CMenuButton::EndHoverIn(window); return false;
    case app::kCheckFocusMessage:
      window_.KeepFocusReachable();
      result = 0;
      return true;
    default: return false;
  }
}

bool WindowKeyboard::PreTranslate(MSG& message) {
  HWND window = window_.hwnd();
  const bool ours =
      win::IsKeyboardMessage(message.message) && (message.hwnd == window || ::IsChild(window, message.hwnd));
  // The window is used with the keyboard from its first navigation key on: focus cues and access
  // keys show.
  if (ours && ShowsKeyboardCues(message)) win::ShowKeyboardCues(window);
  // F1 anywhere in the window is the Help button, whatever has the focus.
  if (ours && WindowKeyOf(message) == WindowKey::kHelp) {
    help_.Show(window, views_.View());
    return true;
  }
  if (skin::CListDialog::RouteKey(message)) return true;  // an open drop-down list's keys
  if (tasks::TaskPanel* panel = views_.OpenTaskPanel()) {
    const tasks::MessageRoute route = panel->RouteMessage(message);
    if (route != tasks::MessageRoute::kUnhandled) return route == tasks::MessageRoute::kConsumed;
  }
  return ours && OnWindowKey(message);
}

bool WindowKeyboard::OnWindowKey(MSG& message) {
  HWND window = window_.hwnd();
  switch (WindowKeyOf(message)) {
    case WindowKey::kPass: return false;
    case WindowKey::kNextControl:
    case WindowKey::kPreviousControl: {
      const bool backwards = WindowKeyOf(message) == WindowKey::kPreviousControl;
      if (const HWND next = win::NextStop(TabOrder(), ::GetFocus(), backwards)) ::SetFocus(next);
      return true;
    }
    case WindowKey::kNextTab:
    case WindowKey::kPreviousTab: SwitchTab(WindowKeyOf(message) == WindowKey::kPreviousTab); return true;
    case WindowKey::kToControl:
      // The control that has the focus acts on Enter itself (a button or a list row); the dialog
      // manager would make a default command of it.
      if (message.hwnd != window) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
      return true;
    case WindowKey::kBack:
      // In a task panel exactly as the Back button; elsewhere nothing.
      if (views_.ShowsTask() && win::TakesKeys(window, buttons_.back.hwnd()))
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_BACK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(buttons_.back.hwnd()));
      return true;
    case WindowKey::kSwallow:
    case WindowKey::kHelp: return true;
  }
  return true;
}

std::vector<HWND> WindowKeyboard::TabOrder() {
  CMainMenuDialog& startPage = views_.StartPage();
  return win::TabOrder(window_.hwnd(), [&startPage](HWND window) {
    // A start-page button of a tab that cannot be opened is passed over.
    if (startPage.hwnd() && ::GetParent(window) == startPage.hwnd())
      if (const CMenuButton* button = startPage.Button(::GetDlgCtrlID(window));
          button && button->State() == MenuButtonState::kDisabled)
        return win::TabRole::kSkip;
    return TabRoleOf(window);
  });
}

void WindowKeyboard::SwitchTab(bool backwards) {
  if (views_.Navigation() == nullptr) return;
  if (views_.View() == Navigator::kStartPage) {
    // From the start page: the ribbon's first tab that can be opened (its last one backwards), as
    // its start-page button opens it.
    const TabRow* chosen = nullptr;
    for (const TabRow& tab : kTabs) {
      const CMenuButton* button = views_.StartPage().Button(tab.startButtonId);
      if (button == nullptr || button->State() == MenuButtonState::kDisabled) continue;
      if (chosen == nullptr ||
          (backwards ? tab.ribbonSlot > chosen->ribbonSlot : tab.ribbonSlot < chosen->ribbonSlot))
        chosen = &tab;
    }
    if (chosen) ::SendMessageW(window_.hwnd(), WM_COMMAND, MAKEWPARAM(chosen->startButtonId, BN_CLICKED), 0);
    return;
  }
  if (CMenuRibbon& ribbon = views_.Ribbon(); ribbon.hwnd() && ::IsWindowVisible(ribbon.hwnd())) {
    ribbon.SelectNext(backwards);
    window_.KeepFocusReachable();
  }
}

void WindowKeyboard::AfterFirstPaint() {
  // The dialog manager chose the first tab stop the window made, whatever its place.
  if (const HWND focus = ::GetFocus();
      focus == nullptr || focus == window_.hwnd() || ::IsChild(window_.hwnd(), focus))
    ::SetFocus(FocusFallback());
}

}  // namespace ui
