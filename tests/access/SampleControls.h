// Small windows of our own that tell screen readers about themselves, for the accessible object's
// tests: a list with three rows, a pane made from a dialog template, and a top-level window holding
// both. Built into the target program (AccessTarget.exe, read from the test process as a screen
// reader reads another program) and into the tests themselves (read in the same process).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "win/Accessible.h"
#include "win/Dialog.h"
#include "win/Window.h"

namespace sample {

inline constexpr wchar_t kTargetTitle[] = L"Access target";
inline constexpr wchar_t kListName[] = L"Samples";
inline constexpr wchar_t kPaneName[] = L"Settings";
inline constexpr int kRowHeight = 20;
// Posted to the top-level window: the list goes (window and object).
inline constexpr UINT kDropList = WM_APP + 1;
// Posted to the list by its default action: row wParam was opened.
inline constexpr UINT kOpenRow = WM_APP + 2;
inline constexpr int kListId = 100, kPaneDialog = 200, kPaneButton = 201, kPaneLabel = 202;

struct Row {
  const wchar_t* name;
  const wchar_t* description;
};
inline constexpr Row kRows[] = {{L"Alpha", L"The first row"}, {L"Beta", L"The second row"}, {L"Gamma", L""}};

// A list whose rows are items, not windows. Opening a row titles the top-level window "Opened NAME".
class SampleList final : public win::Window, public win::AccessibleSource {
 public:
  HWND Create(HWND parent, int x, int y);

  long AccItemCount() const override;
  std::wstring AccName(long child) const override;
  std::wstring AccDescription(long child) const override;
  std::wstring AccValue(long child) const override;
  bool AccSetValue(long child, const std::wstring& value) override;
  long AccRole(long child) const override;
  long AccState(long child) const override;
  std::wstring AccDefaultAction(long child) const override;
  bool AccDoDefaultAction(long child) override;
  std::wstring AccKeyboardShortcut(long child) const override;
  RECT AccItemRect(long child) const override;
  long AccItemAt(POINT client) const override;
  long AccFocusedItem() const override { return focused_; }
  std::vector<long> AccSelectedItems() const override;
  bool AccSelectItem(long child, long flags) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  win::AccessibleSource* Accessible() noexcept override { return this; }

 private:
  std::wstring value_ = L"three rows";
  long selected_ = 0;
  long focused_ = 1;
};

// A pane from a dialog template with a button and a label (standard windows).
class SamplePane final : public win::Dialog, public win::AccessibleSource {
 public:
  std::wstring AccName(long) const override { return kPaneName; }
  long AccRole(long) const override { return ROLE_SYSTEM_PANE; }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  win::AccessibleSource* Accessible() noexcept override { return this; }
};

// The top-level window: a pane named kTargetTitle with the list and the pane in it.
class SampleTarget final : public win::Window, public win::AccessibleSource {
 public:
  // `module` holds the pane's dialog template.
  HWND Create(HINSTANCE module);
  [[nodiscard]] HWND List() const { return list_ ? list_->hwnd() : nullptr; }

  std::wstring AccName(long) const override { return kTargetTitle; }
  long AccRole(long) const override { return ROLE_SYSTEM_PANE; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  win::AccessibleSource* Accessible() noexcept override { return this; }

 private:
  std::unique_ptr<SampleList> list_;
  SamplePane pane_;
};

}  // namespace sample
