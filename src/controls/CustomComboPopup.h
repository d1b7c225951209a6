// CListDialog: the drop-down part of a CCustomComboBox. A borderless popup whose one list view holds
// the combo box's entries; it grows with every entry so that all of them show without scrolling.
// A click on an entry goes to the combo box as a chosen row; losing activation hides the popup. While
// it is open the keys are the list's: the arrows move the highlight, which starts on the current entry;
// Enter chooses the highlighted entry, Escape closes the list and keeps the current one; Alt+Up, Alt+Down
// and F4 close it too. A list closed by a key hands the keyboard back to the combo box. A screen
// reader sees a list named as the combo box, its entries list items.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/Accessible.h"
#include "win/AccessibleObject.h"
#include "win/Dialog.h"
#include "win/Scale.h"

namespace ui::skin {

// The frame colour of the skinned controls.
inline constexpr COLORREF kBorderColor = RGB(59, 168, 225);

class CListDialog : public win::Dialog, public win::AccessibleSource {
 public:
  CListDialog() = default;

  // Creates the popup hidden, owned by `combo`'s window, with its entries drawn in `font` (not owned).
  bool Create(HWND combo, HFONT font);
  // The scale of the frame around the entries (the entries' height follows the font); the combo box
  // places the list again after it.
  void SetScale(win::Scale scale);
  // Another font for the entries (the same one at another scale); their height follows it.
  void SetFont(HFONT font);
  [[nodiscard]] HFONT Font() const noexcept { return font_; }
  // The height of one entry as the list shows it; 0 while it is empty.
  [[nodiscard]] int EntryHeight() const noexcept;

  [[nodiscard]] HWND List() const noexcept;
  [[nodiscard]] int Count() const noexcept;
  // Inserts at `index` (the end when it is out of range); the new entry's index, or -1.
  int Insert(int index, const std::wstring& text);
  // The first entry whose whole text equals `text`, ignoring letter case; -1 when none does.
  [[nodiscard]] int FindExact(const std::wstring& text) const;
  [[nodiscard]] std::wstring Text(int index) const;
  void Clear();
  // Puts the popup under `comboScreen` (screen coordinates), as wide as it, tall enough for every entry.
  void PlaceBelow(const RECT& comboScreen);
  // Highlights entry `index` (the current one, as the list opens) and gives the list the keyboard, so
  // that the first arrow key moves on from there.
  void MarkCurrent(int index);
  // The highlighted entry, or -1.
  [[nodiscard]] int Highlighted() const noexcept;

  // Where the list takes its name from (the combo box); not owned.
  void SetOwnerSource(const win::AccessibleSource* owner) noexcept { owner_ = owner; }

  // win::AccessibleSource: the list and its entries (child = entry + 1), answered by the list view
  // window (rectangles and points in its client coordinates).
  [[nodiscard]] long AccItemCount() const override { return Count(); }
  [[nodiscard]] std::wstring AccName(long child) const override;
  [[nodiscard]] long AccRole(long child) const override;
  [[nodiscard]] long AccState(long child) const override;
  [[nodiscard]] std::wstring AccDefaultAction(long child) const override;
  bool AccDoDefaultAction(long child) override;
  [[nodiscard]] RECT AccItemRect(long child) const override;
  [[nodiscard]] long AccItemAt(POINT client) const override;
  [[nodiscard]] long AccFocusedItem() const override;
  [[nodiscard]] std::vector<long> AccSelectedItems() const override;

  // A key message of the window's loop meant for an open drop-down list goes straight to it, past the
  // owner window's own keyboard rules (which may give Enter and Escape another meaning). True when
  // the message was the list's and has been handled.
  static bool RouteKey(MSG& message);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void OnInitDialog();
  void FitList(int width, int height);
  [[nodiscard]] int EntriesHeight() const noexcept;
  void Resize();
  void OnListKey(WORD key);
  // Hides the list; one closed from the keyboard gives the keyboard back to the combo box.
  void Close(bool byKey);
  // Chooses entry `index` for the combo box and closes the list.
  void ChooseEntry(int index, bool byKey);
  void ApplyColours() const noexcept;
  [[nodiscard]] bool IsEntry(long child) const noexcept { return child >= 1 && child <= Count(); }
  static LRESULT CALLBACK ListProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self) noexcept;

  [[nodiscard]] int Frame() const noexcept { return scale_.Px(1); }  // around the entries

  HWND combo_ = nullptr;
  const win::AccessibleSource* owner_ = nullptr;
  win::AccessibleOwner listAccessible_;  // what the list view hands to screen readers
  HFONT font_ = nullptr;
  win::Scale scale_;
};

}  // namespace ui::skin
