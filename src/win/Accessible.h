// Screen readers reach the controls we draw ourselves through MSAA: such a control answers
// WM_GETOBJECT (OBJID_CLIENT) with an IAccessible object of ours that asks the control itself for
// its name, role, states, items and default action. UI Automation clients see the same through
// Windows' MSAA proxy. Parents, siblings and child windows are navigated by the standard object of
// the window, so a source only tells about itself and its items that are not windows.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

namespace win {

// What a control tells about itself. Child 0 (CHILDID_SELF) is the control; 1 ... AccItemCount()
// are its items that are not windows (list rows, ...).
class AccessibleSource {
 public:
  [[nodiscard]] virtual long AccItemCount() const { return 0; }
  [[nodiscard]] virtual std::wstring AccName(long child) const = 0;
  [[nodiscard]] virtual std::wstring AccDescription(long /*child*/) const { return {}; }
  [[nodiscard]] virtual std::wstring AccValue(long /*child*/) const { return {}; }
  virtual bool AccSetValue(long /*child*/, const std::wstring& /*value*/) { return false; }
  // ROLE_SYSTEM_...
  [[nodiscard]] virtual long AccRole(long child) const = 0;
  // STATE_SYSTEM_... bits of the control's own (checked, selected, pressed ...). For child 0 the
  // object adds what the window says: invisible, unavailable, focusable (a tab stop), focused.
  // For an item the source gives every bit itself.
  [[nodiscard]] virtual long AccState(long /*child*/) const { return 0; }
  // The default action's name ("Press", "Open", "Check" ...), empty for none.
  [[nodiscard]] virtual std::wstring AccDefaultAction(long /*child*/) const { return {}; }
  // Does the default action. It never runs a modal loop inside the call (the client waits for the
  // answer): what may open a message box or a panel is posted to the control's thread.
  virtual bool AccDoDefaultAction(long /*child*/) { return false; }
  // "Alt+T" for an access key, empty for none.
  [[nodiscard]] virtual std::wstring AccKeyboardShortcut(long /*child*/) const { return {}; }
  // An item's rectangle in the control's client coordinates (child 0: the object uses the window's).
  [[nodiscard]] virtual RECT AccItemRect(long /*child*/) const { return {}; }
  // The item at a point in client coordinates, CHILDID_SELF for the control itself.
  [[nodiscard]] virtual long AccItemAt(POINT /*client*/) const { return CHILDID_SELF; }
  // The item that has the keyboard's focus while the control has it, CHILDID_SELF for none.
  [[nodiscard]] virtual long AccFocusedItem() const { return CHILDID_SELF; }
  [[nodiscard]] virtual std::vector<long> AccSelectedItems() const { return {}; }
  // accSelect with SELFLAG_... flags on an item; false when the control cannot do it.
  virtual bool AccSelectItem(long /*child*/, long /*flags*/) { return false; }

 protected:
  AccessibleSource() = default;
  AccessibleSource(const AccessibleSource&) = default;
  AccessibleSource& operator=(const AccessibleSource&) = default;
  ~AccessibleSource() = default;
};

// Raises an MSAA event for the client area of `window` (child: an item, or CHILDID_SELF).
// EVENT_OBJECT_FOCUS when the focused item changes within a control, EVENT_OBJECT_SELECTION when the
// selected item or tab changes, EVENT_OBJECT_STATECHANGE when a state bit changes (checked,
// unavailable, selected), EVENT_OBJECT_NAMECHANGE when a caption changes.
void RaiseAccessEvent(DWORD event, HWND window, long child = CHILDID_SELF) noexcept;

}  // namespace win
