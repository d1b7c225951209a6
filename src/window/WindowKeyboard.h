// The main window used with the keyboard: its keys before dialog processing (MainWindowKeys), Tab's
// walk through the view on show, Ctrl+Tab through the tabs, F1, where the focus goes when its
// control is hidden, and the buttons' hover ended whenever another window takes over.
#pragma once

#include <windows.h>

#include <vector>

#include "window/WindowPart.h"

namespace win {
class Dialog;
}

namespace ui {

class ContextHelp;
class MainViews;
struct MainButtons;

class WindowKeyboard : public WindowPart {
 public:
  WindowKeyboard(win::Dialog& window, MainViews& views, const MainButtons& buttons,
                 ContextHelp& help) noexcept
      : window_(window), views_(views), buttons_(buttons), help_(help) {}

  // Used with the mouse the window looks as it always has: no focus cue and no underlined access
  // key until the first navigation key.
  void Create();
  // The open task panel's first field, else the view's first control past the ribbon (a start-page
  // button, a tab's list), else the window itself; never a control that a stray Enter would make
  // leave the view or the window.
  [[nodiscard]] HWND FocusFallback();

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool PreTranslate(MSG& message) override;
  // The keyboard starts on the view's first control.
  void AfterFirstPaint() override;

 private:
  // A key for the window's own keyboard rules (after the drop-downs and the open panel had it); true
  // when it was used up.
  bool OnWindowKey(MSG& message);
  // The controls Tab reaches in the view on show, in their order.
  [[nodiscard]] std::vector<HWND> TabOrder();
  // Ctrl+Tab: the next tab of the ribbon (the previous one `backwards`); from the start page the
  // first tab that can be opened (the last one).
  void SwitchTab(bool backwards);

  win::Dialog& window_;
  MainViews& views_;
  const MainButtons& buttons_;
  ContextHelp& help_;
};

}  // namespace ui
