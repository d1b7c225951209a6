// The main window's tooltips: one tip for each of its buttons and check boxes, whose text is asked
// for when the tip shows, so that it follows the buttons' current captions.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "win/Handle.h"

namespace ui {

class Tooltips {
 public:
  Tooltips() = default;
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  // The tooltip control of `owner`, with one tool for each of `controls`. False when the control
  // cannot be made; the window then has no tips.
  bool Create(HWND owner, std::initializer_list<HWND> controls);
  // Every mouse message of the window's thread passes the control on its way, once.
  void Relay(MSG& message) const;
  // WM_NOTIFY: answers the tip's request for its text; false for any other notification.
  bool OnNotify(NMHDR& header);

  // The tips are written in the system's status font as it is at `dpi`: set when the window is laid
  // out at a DPI other than the one the control took its font at.
  void SetDpi(int dpi);

  [[nodiscard]] HWND hwnd() const noexcept { return tooltip_; }

 private:
  [[nodiscard]] std::wstring TextOf(HWND control) const;
  // The control's caption, with the marker of its access key where it has one.
  [[nodiscard]] std::wstring CaptionOf(HWND control) const;

  HWND owner_ = nullptr;
  std::vector<HWND> controls_;  // the controls with a tip
  HWND tooltip_ = nullptr;      // destroyed with its owner
  std::wstring text_;           // the answer must outlive the notification
  win::UniqueFont font_;        // null while the control keeps its own
};

}  // namespace ui
