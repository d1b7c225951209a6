// CRecentList: a short list of entries drawn straight onto its parent's background (a panel's blue
// column): a heading, then a row an entry with a small icon and a name. An entry may be dimmed (its
// document is gone); it can still be chosen, and whoever chose it is told why it cannot be used. Each
// row's tooltip gives its details. The list asks its owner for what to do with
// app::kRecentListMessage (a RecentListAction, and the row): a click, Enter or Space chooses a row,
// Delete removes it, and the context menu (right click, Shift+F10, the menu key) offers the three
// with "clear the list".
// From the keyboard it is a tab stop with a keyboard row moved by the arrows, Home and End; screen
// readers see a list whose rows are list items, the dimmed ones unavailable.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/RowListAccess.h"
#include "win/Handle.h"
#include "win/Scale.h"
#include "win/Window.h"

namespace ui::skin {

enum class RecentListAction : WPARAM { kChoose, kRemove, kClear };

struct RecentRow {
  win::UniqueIcon icon;  // small; may be null
  std::wstring name;
  std::wstring tip;
  bool dimmed = false;
};

struct RecentListLook {
  HFONT headingFont = nullptr;  // not owned
  HFONT rowFont = nullptr;      // not owned
};

// The texts of the list's heading and its context menu; the menu's access keys marked with "&".
struct RecentListTexts {
  std::wstring heading;
  std::wstring choose;
  std::wstring remove;
  std::wstring clear;
};

class CRecentList : public win::Window, public RowListAccess {
 public:
  // Design pixels, laid out at the list's scale.
  static constexpr int kWidth = 208;
  static constexpr int kHeadingHeight = 24;
  static constexpr int kRowHeight = 20;
  static constexpr int kIconSize = 16;
  static constexpr int kTextX = 22;
  static constexpr int kRowsShown = 10;
  static constexpr COLORREF kTextColor = RGB(0xE8, 0xF0, 0xFF);
  static constexpr COLORREF kHotColor = RGB(0xFF, 0xFF, 0xFF);
  static constexpr COLORREF kDimmedColor = RGB(0x8C, 0xA6, 0xC8);

  CRecentList() = default;

  // A hidden child of `parent` with its top left corner at `designAt` (design pixels) at `scale`;
  // it tells `notify` what the user does with it.
  bool Create(HWND parent, int id, POINT designAt, win::Scale scale, const RecentListLook& look,
              RecentListTexts texts, HWND notify);
  // Its place and size at another scale, with that scale's fonts.
  void SetScale(win::Scale scale, const RecentListLook& look);

  // The rows anew, newest first; the list shows only while it has some. The keyboard row stays at its
  // place where it still can.
  void SetRows(std::vector<RecentRow> rows);
  [[nodiscard]] size_t Count() const noexcept { return rows_.size(); }
  [[nodiscard]] const RecentRow& Row(size_t index) const { return rows_.at(index); }
  [[nodiscard]] int KeyRow() const noexcept override { return keyRow_; }
  [[nodiscard]] HWND TipWindow() const noexcept { return tip_; }

  // win::AccessibleSource: the list and its rows (child = row + 1).
  [[nodiscard]] long AccItemCount() const override { return static_cast<long>(rows_.size()); }
  [[nodiscard]] std::wstring AccName(long child) const override;
  [[nodiscard]] std::wstring AccDescription(long child) const override;
  [[nodiscard]] long AccState(long child) const override;
  [[nodiscard]] std::wstring AccDefaultAction(long child) const override;
  bool AccDoDefaultAction(long child) override;
  [[nodiscard]] RECT AccItemRect(long child) const override;
  [[nodiscard]] long AccItemAt(POINT client) const override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] win::AccessibleSource* Accessible() noexcept override { return this; }

 private:
  void Layout();
  [[nodiscard]] RECT RowRect(int index) const noexcept;
  [[nodiscard]] int RowAt(POINT client) const noexcept;
  [[nodiscard]] HWND ListWindow() const noexcept override { return hwnd(); }
  void SetKeyRow(int index) override;
  void SetHovered(int index);
  // Posts `action` for `row` to the owner, so that what it does runs outside this list's messages.
  void Tell(RecentListAction action, int row) const noexcept;
  bool OnKey(WPARAM key);
  void ShowMenu(POINT screen, int row);
  void UpdateTipTools();
  bool OnTipNeedsText(NMHDR& header);
  void Paint(HDC target) const;

  win::Scale scale_;
  POINT designAt_{};
  RecentListLook look_;
  RecentListTexts texts_;
  HWND notify_ = nullptr;
  std::vector<RecentRow> rows_;
  int keyRow_ = -1;
  int hovered_ = -1;
  bool tracking_ = false;
  HWND tip_ = nullptr;  // destroyed with the list
  size_t tipTools_ = 0;
  std::wstring tipText_;  // the tip's answer must outlive the notification
};

}  // namespace ui::skin
