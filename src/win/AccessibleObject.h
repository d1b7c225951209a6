// The IAccessible object that a window of ours hands to screen readers (WM_GETOBJECT, OBJID_CLIENT):
// it asks the window's AccessibleSource about the control and its items, and leaves the rest of the
// tree (parent, siblings, child windows) to the standard object of the window.
#pragma once

#include <windows.h>

#include <oleacc.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <utility>

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

// A view or a panel as screen readers meet it: a pane, named by `name` when asked (the title or
// heading the panel shows at that moment).
class PaneSource final : public AccessibleSource {
 public:
  explicit PaneSource(std::function<std::wstring()> name) : name_(std::move(name)) {}
  [[nodiscard]] std::wstring AccName(long) const override { return name_ ? name_() : std::wstring(); }
  [[nodiscard]] long AccRole(long) const override { return ROLE_SYSTEM_PANE; }

 private:
  std::function<std::wstring()> name_;
};

// A caption as it is read out: without the '&' that marks its access key ("&&" stands for '&').
[[nodiscard]] std::wstring WithoutAccessKey(const std::wstring& caption);
// The text of `window` (a static's caption, a title), empty for none.
[[nodiscard]] std::wstring WindowTextOf(HWND window);

}  // namespace win
