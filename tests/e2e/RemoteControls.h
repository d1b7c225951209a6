// Reading and driving the controls of another program. Messages whose parameter points to memory
// (list view rows, dropped files) are read by the receiver in its own address space, so what they
// point to is put there first.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "win/Handle.h"

namespace test {

// A block of memory in the process of a window, freed with the object.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, size_t size);
  ~RemoteBlock();
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  // The address in the other process; null when the block could not be made.
  [[nodiscard]] char* At(size_t offset) const noexcept {
    return at_ ? static_cast<char*>(at_) + offset : nullptr;
  }
  bool Write(size_t offset, const void* data, size_t size) const;
  bool Read(size_t offset, void* data, size_t size) const;

 private:
  win::UniqueHandle process_;
  void* at_ = nullptr;
};

// What a control holds, asked with WM_GETTEXT: for another program's window the system answers
// GetWindowText with the caption it keeps, which an edit control does not update.
[[nodiscard]] std::wstring ControlText(HWND control);
// The child of `parent` with `id` and window class `className` (controls may share an ID).
[[nodiscard]] HWND FindChild(HWND parent, int id, const wchar_t* className);

// The texts of a list view's rows, and the centre of a row in its client area.
[[nodiscard]] std::vector<std::wstring> ListViewRows(HWND list);
[[nodiscard]] POINT ListViewRowCentre(HWND list, int row);

// Posts WM_DROPFILES for `file` to `window`, with the HDROP (DROPFILES and a double-NUL-ended
// list) made in the window's process, where the shell makes it; a global handle of this program
// would name memory of the receiver. Keep the block until the drop has been handled.
[[nodiscard]] std::unique_ptr<RemoteBlock> DropFile(HWND window, const std::wstring& file);

}  // namespace test
