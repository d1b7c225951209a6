// The IAccessible object that a window of ours hands to screen readers (WM_GETOBJECT, OBJID_CLIENT):
// it asks the window's AccessibleSource about the control and its items, and leaves the rest of the
// tree (parent, siblings, child windows) to the standard object of the window.
#pragma once

#include <windows.h>

#include <oleacc.h>
#include <wrl/client.h>

#include "win/Accessible.h"

namespace win {

// Kept by each window that answers WM_GETOBJECT: makes the object on the first request and hands the
// same one out afterwards; cuts it off from its source when the window goes (a client that still
// holds it then gets CO_E_OBJNOTCONNECTED, never a call into a freed control).
class AccessibleOwner {
 public:
  AccessibleOwner() = default;
  AccessibleOwner(const AccessibleOwner&) = delete;
  AccessibleOwner& operator=(const AccessibleOwner&) = delete;
  ~AccessibleOwner();

  // The answer to WM_GETOBJECT for `window`: LresultFromObject of our object for OBJID_CLIENT when
  // there is a source; otherwise false (the message goes on to the default processing).
  bool Answer(HWND window, AccessibleSource* source, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;
  // The window is being destroyed, or its source is going away.
  void Disconnect() noexcept;

 private:
  // Always one of ours (win::AccessibleObject, which only the .cpp knows).
  Microsoft::WRL::ComPtr<IAccessible> object_;
};

}  // namespace win
