// What a screen reader is told of a list of rows whose keyboard row is its selection: a list whose
// items are its rows (child = row + 1), the keyboard row focused while the list has the focus, and
// selecting an item (with or without the focus) making it the keyboard row.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <vector>

#include "win/Accessible.h"

namespace ui::skin {

class RowListAccess : public win::AccessibleSource {
 public:
  [[nodiscard]] long AccRole(long child) const override {
    return IsRow(child) ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_LIST;
  }
  [[nodiscard]] long AccFocusedItem() const override {
    const HWND list = ListWindow();
    return KeyRow() >= 0 && list && ::GetFocus() == list ? KeyRow() + 1 : CHILDID_SELF;
  }
  [[nodiscard]] std::vector<long> AccSelectedItems() const override {
    if (KeyRow() < 0) return {};
    return {KeyRow() + 1};
  }
  bool AccSelectItem(long child, long flags) override {
    const HWND list = ListWindow();
    if (!IsRow(child) || !list) return false;
    if (flags & SELFLAG_TAKEFOCUS) ::SetFocus(list);
    if (flags & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)) SetKeyRow(static_cast<int>(child - 1));
    return true;
  }

 protected:
  [[nodiscard]] bool IsRow(long child) const noexcept { return child >= 1 && child <= AccItemCount(); }
  // The state bits every row has: selectable, focusable, selected and focused as the keyboard row,
  // invisible while the list is.
  [[nodiscard]] long RowState(int index) const {
    const HWND list = ListWindow();
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (!list || !::IsWindowVisible(list)) state |= STATE_SYSTEM_INVISIBLE;
    if (index == KeyRow()) {
      state |= STATE_SYSTEM_SELECTED;
      if (list && ::GetFocus() == list) state |= STATE_SYSTEM_FOCUSED;
    }
    return state;
  }

 private:
  [[nodiscard]] virtual HWND ListWindow() const noexcept = 0;
  [[nodiscard]] virtual int KeyRow() const noexcept = 0;
  virtual void SetKeyRow(int index) = 0;
};

}  // namespace ui::skin
