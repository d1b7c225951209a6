// The "Translate in:" list over a standard list box or combo box (without CBS_SORT/LBS_SORT, so
// entries stay where they are put).
#pragma once

#include <windows.h>

#include "tasks/AppListControl.h"

namespace tasks {

class WindowAppList final : public AppListControl {
 public:
  // `control` is a LISTBOX or a COMBOBOX; which one is asked from its class name.
  explicit WindowAppList(HWND control);

  [[nodiscard]] int Count() const override;
  void Clear() override;
  void Append(const std::wstring& text) override;
  void InsertAt(int index, const std::wstring& text) override;
  [[nodiscard]] std::wstring Text(int index) const override;

 private:
  HWND control_;
  bool comboBox_;
};

}  // namespace tasks
