// CCustomList: the panels' row list. Each row shows an icon, a bold title and a second line on a
// slice of the skin's row strip; the hovered row takes its slice from the highlighted strip, and
// marked (dimmed) rows draw their texts grey and keep their plain slice under the pointer, as rows
// that cannot be run do. A text cut short with "…" shows in full as the row's tooltip. A click on a
// row sends app::kListRowChosenMessage (row
// index, the list's identifier) to the notify window; entering another row sends
// app::kListRowHoveredMessage (row index). Rows beyond the visible ones scroll with the wheel and the
// list's own skinned scroll bar.
// From the keyboard the list is a tab stop with a keyboard row: the arrows, Home, End, Page Up and
// Page Down move it (scrolling it into view), Enter and Space choose it as a click does. It is drawn
// lit and with the focus cue while the list has the focus and the window shows focus cues, so a list
// used with the mouse looks as it always has. Screen readers see a list whose rows are list items.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/PrivateMessages.h"
#include "suite/LaunchList.h"
#include "controls/ListScrollBar.h"
#include "controls/RowListAccess.h"
#include "win/Accessible.h"
#include "win/Handle.h"
#include "win/Scale.h"
#include "win/Window.h"

namespace ui::skin {

// The bitmaps and fonts a list draws with; none owned (the application's shared graphics, the
// bitmaps decoded when the list is first drawn).
struct ListSkin {
  app::SkinBitmap rows;       // the row strip: one slice per visible row
  app::SkinBitmap hot;        // the hovered row, scroll bar hidden
  app::SkinBitmap hotScroll;  // the hovered row, scroll bar shown
  HFONT titleFont = nullptr;
  HFONT secondFont = nullptr;
  ScrollBarBitmaps scrollBar;
};

// ITEM_INFO: one row. The icon is drawn, never destroyed, unless the row owns it (ownedIcon). A row
// may name its icon instead (iconId: a resource of the executable), loaded shared when it is drawn,
// or have a routine that makes it (iconSource), called when the row is first drawn; the row then
// owns the icon.
struct ITEM_INFO {
  HICON icon = nullptr;
  int iconId = 0;
  mutable win::UniqueIcon ownedIcon;
  mutable int ownedIconDpi = 0;  // a named icon's scale, when ownedIcon holds it
  mutable std::function<win::UniqueIcon()> iconSource;
  std::wstring title;
  std::wstring second;
  unsigned char reserved = 0;
  bool marked = false;  // drawn dimmed; still clickable
  bool hover = false;
  int data = 0;  // the caller's
};

class CCustomList : public win::Window,
                    public suite::LaunchListSink,
                    public RowListAccess,
                    private ListScrollTarget {
 public:
  // Design pixels, laid out at the list's scale.
  static constexpr int kRowHeight = 48;
  static constexpr int kIconX = 20;
  static constexpr int kTextX = 64;
  static constexpr COLORREF kDefaultMarkedColor = RGB(150, 150, 150);
  static constexpr COLORREF kTitleColor = RGB(0, 0, 0);
  static constexpr COLORREF kSecondColor = RGB(0x00, 0x4D, 0xAB);

  CCustomList() = default;

  // A visible child of `parent` at (x, y), as large as the row strip; clicks and hovers go to the
  // parent until SetNotifyWindow says otherwise.
  bool Create(int x, int y, const ListSkin& skin, HWND parent, int id);
  void SetNotifyWindow(HWND window) noexcept { notify_ = window; }
  // The scale the list is laid out at: before Create, the one it is made at; afterwards the rows, the
  // icons, the texts and the scroll bar take their places again, the list as large as its row strip
  // at that scale. The rows, the first one shown and the hovered one stay. Its parent places it;
  // app::kApplyScaleMessage does the same with the scale it carries.
  void SetScale(win::Scale scale);
  [[nodiscard]] win::Scale GetScale() const noexcept { return scale_; }
  // Other pictures and fonts (those of another scale), laid out and shown at once.
  void SetSkin(const ListSkin& skin);
  [[nodiscard]] int RowHeight() const noexcept { return scale_.Px(kRowHeight); }

  // Adds a row whose icon stays the caller's; returns its index.
  size_t AddItem(HICON icon, std::wstring title, std::wstring second, bool marked = false, int data = 0);
  // Adds a row that owns its icon and destroys it with the row.
  size_t AddItem(win::UniqueIcon icon, std::wstring title, std::wstring second, bool marked = false,
                 int data = 0);
  // Adds a row whose icon `source` makes when the row is first drawn (or asked for by IconOf).
  size_t AddItemWithIconSource(std::function<win::UniqueIcon()> source, std::wstring title,
                               std::wstring second, bool marked = false, int data = 0);
  // The icon row `index` draws, made now if it was left for its first drawing; null for none.
  [[nodiscard]] HICON IconOf(size_t index) const;
  // Adds a row with icon resource `iconId` of the executable, loaded when the row is first drawn.
  size_t AddItemWithIconId(int iconId, std::wstring title, std::wstring second, bool marked = false,
                           int data = 0);
  void DeleteAllItems() noexcept;

  // suite::LaunchListSink: the launch list's rows, icons borrowed, unavailable rows marked.
  void Clear() override { DeleteAllItems(); }
  void AddRow(HICON icon, const std::wstring& name, const std::wstring& description, bool available) override;
  void AddRowWithIconId(int iconId, const std::wstring& name, const std::wstring& description,
                        bool available) override;

  // Moves the first visible row by `steps`, within the rows that exist.
  void Scroll(int steps) noexcept;

  [[nodiscard]] size_t Count() const noexcept { return items_.size(); }
  [[nodiscard]] const ITEM_INFO& Item(size_t index) const { return items_.at(index); }
  [[nodiscard]] int ItemData(size_t index) const { return items_.at(index).data; }
  void SetItemData(size_t index, int data) { items_.at(index).data = data; }
  [[nodiscard]] int VisibleRows() const noexcept { return visibleRows_; }
  [[nodiscard]] int FirstVisible() const noexcept { return first_; }
  [[nodiscard]] int Hovered() const noexcept { return hovered_; }
  [[nodiscard]] bool ScrollBarShown() const noexcept;
  [[nodiscard]] const CSkinVerticleScrollbar& ScrollBar() const noexcept { return scrollBar_; }
  [[nodiscard]] HWND ScrollBarWindow() const noexcept { return scrollBar_.hwnd(); }
  void SetMarkedColor(COLORREF color) noexcept { markedColor_ = color; }
  // The rectangle of visible row `row` (0 = the top one) in the list's client area.
  [[nodiscard]] RECT RowRect(int row) const noexcept;
  // What the tooltip of row `index` says: its title and second line in full where the row shows them
  // cut short ("…"), one to a line; empty when both fit, and then no tip shows.
  [[nodiscard]] std::wstring TipText(size_t index) const;
  [[nodiscard]] HWND TipWindow() const noexcept { return tip_; }

  // The keyboard row (an index into the rows), -1 for none.
  [[nodiscard]] int KeyRow() const noexcept override { return keyRow_; }
  // Makes row `index` the keyboard row (clamped to the rows) and scrolls it into view.
  void SetKeyRow(int index) override;
  // Scrolls as little as needed for row `index` to show.
  void EnsureVisible(int index) noexcept;
  // What a screen reader calls the list (its panel's heading).
  void SetAccessibleName(std::wstring name) { accName_ = std::move(name); }

  // win::AccessibleSource: the list and its rows (child = row + 1).
  [[nodiscard]] long AccItemCount() const override { return static_cast<long>(items_.size()); }
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
  [[nodiscard]] HWND ListWindow() const noexcept override { return hwnd(); }
  void ScrollBy(int steps) override { Scroll(steps); }
  void ScrollTo(int position) override { Scroll(position - first_); }

  size_t Add(ITEM_INFO item);
  // Sizes the list by its row strip and places the scroll bar and the rows' tips.
  void Layout();
  void AddTipTools();
  [[nodiscard]] int MaximumFirst() const noexcept;
  [[nodiscard]] int RowAt(int y) const noexcept;  // visible row under y, or -1
  void SetHovered(int index);
  void InvalidateItem(int index) noexcept;
  void UpdateScrollBar() noexcept;
  void OnMouseMove(int y);
  void OnClick(int y);
  // Tells the notify window that row `index` was chosen, as a click on it does.
  void Choose(int index);
  // The keys of the keyboard row; false for a key the list does not take.
  bool OnKey(WPARAM key);
  // Whether the keyboard row is drawn: the list has the focus and the window shows focus cues.
  [[nodiscard]] bool KeyRowShown() const noexcept;
  void Paint(HDC dc) const;
  void DrawRow(HDC dc, int row) const;
  // Where the texts of a row end on the right: short of the scroll bar when it shows.
  [[nodiscard]] int TextRight() const noexcept;
  void CreateTip();
  void RelayToTip(UINT message, WPARAM wParam, LPARAM lParam) const noexcept;
  bool OnTipNeedsText(NMHDR& header);

  ListSkin skin_;
  win::Scale scale_;
  SIZE size_{};
  HWND notify_ = nullptr;
  int id_ = 0;
  int visibleRows_ = 0;
  int first_ = 0;
  // The first row the user scrolled to: a layout that shows more rows for a while (a new strip before
  // its scale) may move first_ up, and the next one brings it back.
  int scrolledTo_ = 0;
  int hovered_ = -1;
  int keyRow_ = -1;
  std::wstring accName_;
  bool tracking_ = false;
  COLORREF markedColor_ = kDefaultMarkedColor;
  std::vector<ITEM_INFO> items_;
  HWND tip_ = nullptr;                // the rows' tooltip; destroyed with the list
  std::wstring tipText_;              // the tip's answer must outlive the notification
  CSkinVerticleScrollbar scrollBar_;  // destroyed before the rows it scrolls
};

}  // namespace ui::skin
