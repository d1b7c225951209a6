// The "Translate in:" list of a task dialog, as the hand-off object fills and reads it. The dialogs
// implement it over their own combo box; WindowAppList.h over a standard list or combo box.
#pragma once

#include <string>

namespace tasks {

class AppListControl {
 public:
  virtual ~AppListControl() = default;

  [[nodiscard]] virtual int Count() const = 0;
  virtual void Clear() = 0;
  virtual void Append(const std::wstring& text) = 0;
  // At `index` (0 puts it at the top); the entries from there on move down one.
  virtual void InsertAt(int index, const std::wstring& text) = 0;
  // Empty outside 0..Count()-1.
  [[nodiscard]] virtual std::wstring Text(int index) const = 0;
};

}  // namespace tasks
