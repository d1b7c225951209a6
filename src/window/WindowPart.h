// One part of the main window: the messages the window's route table gives it, the queued messages
// it sees before they are dispatched, its layout at a new scale and its share of the work after the
// first paint. The window makes its parts, chains them, and keeps no feature of its own: a new
// window-wide capability is a new part and its rows in the route table.
#pragma once

#include <windows.h>

namespace app {
class SharedGraphics;
}

namespace ui {

class WindowPart {
 public:
  WindowPart() = default;
  WindowPart(const WindowPart&) = delete;
  WindowPart& operator=(const WindowPart&) = delete;
  virtual ~WindowPart() = default;

  // A message routed to this part; true when it was handled, with the answer in `result`.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    (void)message, (void)wParam, (void)lParam, (void)result;
    return false;
  }
  // A message of the window's loop before it is dispatched; true when it was used up.
  virtual bool PreTranslate(MSG& message) {
    (void)message;
    return false;
  }
  // Lays the part out again at the graphics' (new) scale; the window has its new size by then.
  virtual void ApplyScale(const app::SharedGraphics& graphics) { (void)graphics; }
  // Once the window has been painted whole: what the user may reach at once (the hidden panels,
  // the tips, the keyboard's focus), part after part.
  virtual void AfterFirstPaint() {}
  // Then: what takes longer and is needed only when used (the launch list's files, the plug-in
  // table, the HTML pages).
  virtual void AfterFirstPaintLater() {}
};

}  // namespace ui
