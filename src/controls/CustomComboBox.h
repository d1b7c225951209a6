// CCustomComboBox: a skinned drop-down list. A white box framed in the skin's border colour shows the
// current entry beside a bitmap drop button; the entries live in a popup list (CListDialog) that the
// box or its button opens and closes. The parent hears WM_COMMAND with CBN_DROPDOWN as the list is
// about to open (it may fill it then; a list still empty stays closed) and CBN_SELCHANGE whenever the
// current entry is set, by the user or by code alike, so that a dialog's reaction to a choice also
// runs when it preselects an entry. The window's text is the current entry's.
// From the keyboard the box is a tab stop: Up and Down (Home, End) choose the previous or next entry as
// the list would, F4 and Alt+Down open the list, Alt+Up, Enter and Escape close it again; the focus
// cue frames the text while the box has the focus and the window shows focus cues. A screen reader
// sees a combo box named by the label before it (or a name the panel gives), its value the entry.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "controls/MenuButton.h"
#include "controls/CustomComboPopup.h"
#include "win/Accessible.h"
#include "win/Scale.h"
#include "win/Window.h"

namespace ui::skin {

// What the box draws with, from the program's shared graphics; nothing here is owned.
struct ComboLook {
  HFONT font = nullptr;
  // The drop button's faces: normal, hover, pressed, disabled.
  std::array<HBITMAP, 4> dropFaces{};
};

class CCustomComboBox : public win::Window, public win::AccessibleSource {
 public:
  static constexpr int kDropButtonId = 361;

  CCustomComboBox() = default;

  // A visible child of `parent` at (x, y), `width` wide and as tall as the drop button plus 4, with
  // its popup list hidden below it. False when a part could not be made (a missing button face too).
  bool Create(int x, int y, int width, HWND parent, int id, const ComboLook& look);
  // The scale the box is laid out at: before Create, the one it is made at; afterwards it keeps the
  // width its parent gives it and takes the height, the text's place, the drop button and the list's
  // entries and frame of that scale. An open list stays open below it, and the entries, the current
  // one and the focus stay. app::kApplyScaleMessage does the same with the scale it carries.
  void SetScale(win::Scale scale);
  [[nodiscard]] win::Scale GetScale() const noexcept { return scale_; }
  // Another font and other button faces (those of another scale), laid out and shown at once.
  void SetLook(const ComboLook& look);

  int AddString(const std::wstring& text);
  // Inserts at `index` (the end when out of range); the new entry's index, or -1.
  int InsertString(int index, const std::wstring& text);
  // The first entry whose whole text equals `text`, ignoring letter case; -1 when none does.
  [[nodiscard]] int FindStringExact(const std::wstring& text) const;
  // Removes every entry; entry 0 becomes current.
  void ResetContent();
  [[nodiscard]] int GetCount() const noexcept;
  [[nodiscard]] int GetCurSel() const noexcept { return current_; }
  // Makes `index` current (0 when out of range, even in an empty box) and tells the parent.
  void SetCurSel(int index);
  // The current entry's text; empty when there is none.
  [[nodiscard]] std::wstring GetText() const;
  // Entry `index`'s text; empty outside the entries.
  [[nodiscard]] std::wstring TextAt(int index) const;

  [[nodiscard]] HWND Popup() const noexcept { return popup_.hwnd(); }
  [[nodiscard]] bool IsDroppedDown() const noexcept;
  [[nodiscard]] RECT TextRect() const noexcept { return textRect_; }
  [[nodiscard]] HWND DropButton() const noexcept { return drop_.hwnd(); }

  // What a screen reader calls the box; by default the text of the label before it.
  void SetAccessibleName(std::wstring name);
  // The label's text without its access-key mark: the nearest STATIC window before the box among its
  // siblings, empty for none.
  [[nodiscard]] std::wstring LabelText() const;

  // win::AccessibleSource: the box itself; its list is a window of its own.
  [[nodiscard]] std::wstring AccName(long child) const override;
  [[nodiscard]] std::wstring AccValue(long child) const override;
  [[nodiscard]] long AccRole(long child) const override;
  [[nodiscard]] long AccState(long child) const override;
  [[nodiscard]] std::wstring AccDefaultAction(long child) const override;
  bool AccDoDefaultAction(long child) override;
  [[nodiscard]] std::wstring AccKeyboardShortcut(long child) const override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] win::AccessibleSource* Accessible() noexcept override { return this; }

 private:
  void TogglePopup();
  // Sizes the box by its drop button at `width`, places the button, the text and the list.
  void Layout(int width);
  void PlacePopup();
  void OnRowChosen(int index);
  // Makes `index` current as a choice in the list does, when it is an entry and not current already.
  void Choose(int index);
  // The keys of the closed box; false for one it does not take.
  bool OnKey(WPARAM key);
  bool OnSystemKey(WPARAM key);
  [[nodiscard]] bool OnDropButton(POINT at) const noexcept;
  void Notify(WORD code) const;
  void Draw(HDC dc) const;
  void Repaint() const noexcept;

  ComboLook look_;
  win::Scale scale_;
  int id_ = 0;
  int current_ = 0;
  bool closingClick_ = false;
  bool named_ = false;  // accName_ was given
  std::wstring accName_;
  SIZE size_{};
  RECT textRect_{};
  CMenuButton drop_;
  CListDialog popup_;
};

}  // namespace ui::skin
