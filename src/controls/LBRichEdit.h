// CLBRichEdit: a text field of a panel on the system's rich-edit control (RichEdit20W), framed in the
// skin's border colour, with keys of its own and its own context menu. Key messages meant for it are
// first offered to accelerator table IDR_RICHEDIT_ACCELERATORS: Copy and Cut it carries out itself;
// the plain-text paste (Ctrl+V, Shift+Insert) goes to the parent as WM_COMMAND IDM_PASTE_PLAIN or
// IDM_PASTE_PLAIN_INSERT, so the parent pastes into whichever field has the focus. The context menu
// is the popup of menu "RButtonMenu" of the resource module, with a separator before Select All and
// its commands enabled by the selection.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "controls/CustomEdit.h"
#include "win/Handle.h"
#include "win/Scale.h"

namespace ui::skin {

using UniqueMenu = win::UniqueMenu;

struct AcceleratorDestroyer {
  void operator()(HACCEL table) const noexcept { ::DestroyAcceleratorTable(table); }
};
using UniqueAccelerators = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDestroyer>;

class CLBRichEdit {
 public:
  CLBRichEdit() = default;
  CLBRichEdit(const CLBRichEdit&) = delete;
  CLBRichEdit& operator=(const CLBRichEdit&) = delete;
  ~CLBRichEdit();

  // Loads the rich-edit library from the system folder, once for the whole run: the first field
  // does it, so a start that shows none does not pay for it. False when the system has none.
  static bool LoadLibraryOnce() noexcept;

  // A visible multi-line field of `parent` at `place` (left, top, width, height), in `font`, that
  // takes any length of text. False when the control cannot be made.
  bool Create(HWND parent, int id, RECT place, HFONT font);
  // The scale of the field's inner margins: before Create, the one it is made at. Its parent places
  // it; app::kApplyScaleMessage does the same with the scale it carries. Text and selection stay.
  void SetScale(win::Scale scale) noexcept;
  [[nodiscard]] win::Scale GetScale() const noexcept { return scale_; }
  // Another font (the same one at another scale) for the whole text, which stays as it is.
  void SetFont(HFONT font) noexcept;
  // The left and right margins the control keeps inside its frame.
  [[nodiscard]] int Margin() const noexcept { return scale_.Px(kMargin); }

  // Offers `message`, a key message meant for this field, to the field's accelerators; true when it
  // became one of their commands, which has then been carried out (and the message is done).
  bool TranslateAccelerator(MSG& message) const noexcept;

  [[nodiscard]] HWND hwnd() const noexcept { return edit_; }
  // What a screen reader calls the field (editable text), instead of the label before it.
  void SetAccessibleName(std::wstring name) { frame_.SetAccessibleName(std::move(name)); }
  // The whole text, lines ending in CR LF.
  [[nodiscard]] std::wstring Text() const;
  // Replaces the whole text with `text` as plain text (a text that looks like RTF stays text).
  void SetText(const std::wstring& text) const;
  // Pastes the clipboard's text over the selection without its formatting.
  void PastePlainText() const noexcept;

  // The context menu as it would open now; null when the resource module has no "RButtonMenu".
  [[nodiscard]] UniqueMenu ContextMenu() const;
  // Carries out command `command` of the context menu (IDM_EDIT_*).
  void RunCommand(UINT command) const noexcept;
  // Whether the context menu is open.
  [[nodiscard]] bool MenuActive() const noexcept { return menuActive_; }

 private:
  static constexpr int kMargin = 3;  // design pixels

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self) noexcept;
  void ShowContextMenu(LPARAM where);
  // Where a menu opened from the keyboard goes: at the caret, the end of the selection.
  [[nodiscard]] POINT CaretPoint() const noexcept;
  [[nodiscard]] CHARRANGE Selection() const noexcept;
  // Characters as the selection counts them (a paragraph break is one).
  [[nodiscard]] LONG Length() const noexcept;
  void Detach() noexcept;

  HWND edit_ = nullptr;
  HFONT font_ = nullptr;
  win::Scale scale_;
  UniqueAccelerators accelerators_;
  CCustomEdit frame_;
  bool menuActive_ = false;
};

}  // namespace ui::skin
