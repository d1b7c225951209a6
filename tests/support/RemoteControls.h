// Reading and driving the controls of another program, as a person at the keyboard and the mouse
// would. Messages whose parameter points to memory (list view rows, dropped files) are read by the
// receiver in its own address space, so what they point to is put there first.
#pragma once

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "win/Handle.h"

namespace test {

using namespace std::chrono_literals;

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
// GetWindowText with the caption it keeps, which an edit or a rich edit does not update.
// "<no answer>" when the control's thread does not answer.
[[nodiscard]] std::wstring ControlText(HWND control);
// Replaces what a control holds with WM_SETTEXT.
void SetControlText(HWND control, const std::wstring& text);

// The child of `parent` with `id` and window class `className` (controls may share an ID).
[[nodiscard]] HWND FindChild(HWND parent, int id, const wchar_t* className);
// The control that has the keyboard focus in the thread of `window`.
[[nodiscard]] HWND FocusIn(HWND window);
// Clicks `field` near its top left corner and waits until it has the focus.
bool ClickToFocus(HWND field);

// The texts of a list view's rows, and the centre of a row in its client area.
[[nodiscard]] std::vector<std::wstring> ListViewRows(HWND list);
[[nodiscard]] POINT ListViewRowCentre(HWND list, int row);

// A skinned combo box keeps its entries in the list view of a popup of its own, which lies hidden
// right under the box until it drops down. The popup's list; null when there is none.
[[nodiscard]] HWND ComboPopupList(HWND combo);
// The combo box's entries, read without dropping it down.
[[nodiscard]] std::vector<std::wstring> ComboEntries(HWND combo);
// Clicks `combo` and waits for its dropped-down list, which it returns (null when none shows). A
// drop-down closes when it loses the activation, and one opened while the activation still settles
// (the window just appeared, another list just closed) can lose it at once: the click is then
// repeated, as a person would.
[[nodiscard]] HWND DropDown(HWND combo);
// Clicks row `row` of a dropped-down list; true when the drop-down closed with it.
bool ClickDropDownRow(HWND list, int row);
// The rows the combo box offers when dropped down; the drop-down is closed again with a second click.
[[nodiscard]] std::vector<std::wstring> DropDownRows(HWND combo);

// Keys as the system delivers them to the window that has the focus: `key` pressed with the
// `modifiers` held, then `settle` for the window to take it before whatever the caller does next.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {}, std::chrono::milliseconds settle = 50ms);
// Types `text` key by key; a line feed is the Enter key.
void TypeKeys(const std::wstring& text);
// Types `text` into `field`, which must have the focus, and waits until the field holds it all:
// a click posted afterwards would otherwise overtake the keys still on their way. Enter makes a
// line break of two characters.
bool TypeKeysInto(HWND field, const std::wstring& text);
// Types `text` into `field` over what it holds, one posted character message at a time, and
// waits until the field holds exactly `text`.
bool PostCharacters(HWND field, const std::wstring& text);

// One format of what is put on the clipboard.
struct ClipboardData {
  UINT format;
  const void* bytes;
  size_t size;
};
// Empties the clipboard and puts `data` on it, as a program copying would; false when any failed.
bool FillClipboard(std::initializer_list<ClipboardData> data);

// Posts WM_DROPFILES for `file` to `window`, with the HDROP (DROPFILES and a double-NUL-ended
// list) made in the window's process, where the shell makes it; a global handle of this program
// would name memory of the receiver. Keep the block until the drop has been handled.
[[nodiscard]] std::unique_ptr<RemoteBlock> DropFile(HWND window, const std::wstring& file);

// A hidden top-level window of this program that counts the registered message `name` reaching
// it: a broadcast of another program. Messages arrive while this thread pumps (WaitUntil does).
class MessageCounter {
 public:
  explicit MessageCounter(const wchar_t* name);
  ~MessageCounter();
  MessageCounter(const MessageCounter&) = delete;
  MessageCounter& operator=(const MessageCounter&) = delete;

  [[nodiscard]] bool Listening() const noexcept { return window_ != nullptr && message_ != 0; }
  [[nodiscard]] int Count() const noexcept { return count_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  UINT message_;
  HWND window_ = nullptr;
  int count_ = 0;
};

// The start centre's main window: the start-page buttons that open the tabs, the ribbon's tabs,
// and the tabs' lists of tasks, whose rows are of one height.
inline constexpr int kStartButtonTab1 = 316;
inline constexpr int kStartButtonTab2 = 291;
inline constexpr int kStartButtonTab3 = 294;
inline constexpr int kStartButtonTab4 = 297;
inline constexpr int kStartButtonTab5 = 307;
inline constexpr int kStartButtonTab6 = 301;
inline constexpr int kStartButtonTab7 = 304;
inline constexpr int kRibbonTab1 = 335;
inline constexpr int kRibbonTab2 = 338;
inline constexpr int kListOfTab1 = 1101;
inline constexpr int kListOfTab2 = 1102;
inline constexpr int kListOfTab4 = 1104;
inline constexpr int kListOfTab5 = 1105;
inline constexpr int kListOfTab6 = 1106;
inline constexpr int kListRowHeight = 48;  // at 96 DPI
// The list's row height on this screen: the design's at the display scale the window is drawn at.
[[nodiscard]] int ListRowHeight();

// Clicks `opener` (a start-page button or a ribbon tab) below `window` and waits until the list
// `listId` shows; the list, or null when it does not show within `timeout`.
[[nodiscard]] HWND OpenTab(HWND window, int opener, int listId, std::chrono::milliseconds timeout = 5s);
// Clicks row `row` of a tab's list, wheeling a row below the list's end into view. The list keeps
// its place between visits: it is wheeled back to its top first.
void ClickListRow(HWND list, int row);

}  // namespace test
