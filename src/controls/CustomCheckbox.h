// CCustomCheckbox: the panels' check box, an image button that shows a ticked or an unticked face
// (normal, hover, pressed) and a label beside it. A click on either toggles it and tells the parent
// with WM_COMMAND (identifier, BN_CLICKED). Both parts show the label as their tooltip. It answers
// BM_GETCHECK, BM_SETCHECK and BM_CLICK as a system check box does, for its host and for tools. It
// is a tab stop: Space (pressed on the key's down, toggled on its up) and Enter toggle it as a click
// does, its label may mark an access key with '&', and screen readers see a check button.
#pragma once

#include <windows.h>

#include <string>

#include "controls/MenuButton.h"
#include "win/Accessible.h"
#include "win/Scale.h"
#include "win/Window.h"

namespace ui::skin {

// What a check box draws with; nothing owned (the application's shared bitmaps and fonts).
struct CheckboxSkin {
  HBITMAP offNormal = nullptr;
  HBITMAP offHover = nullptr;
  HBITMAP offPressed = nullptr;
  HBITMAP onNormal = nullptr;
  HBITMAP onHover = nullptr;
  HBITMAP onPressed = nullptr;
  HFONT labelFont = nullptr;
  COLORREF textColor = RGB(0, 0, 0);
  // The box shows its label as its own tip; a window whose tooltip control covers the box already
  // (the main window's, whose tips name more than the label) sets this to false.
  bool ownTooltip = true;
};

class CCustomCheckbox : public win::Window, public win::AccessibleSource {
 public:
  // Design pixels.
  static constexpr int kLabelGap = 5;  // between the image and the label
  static constexpr int kLabelRight = 300;
  static constexpr int kExtraWidth = 305;  // beyond the image

  CCustomCheckbox() = default;

  // A visible, unticked child of `parent` at (x, y), labelled with string `labelId`.
  bool Create(int x, int y, UINT labelId, HWND parent, int id, const CheckboxSkin& skin);
  // The scale the box is laid out at: before Create, the one it is made at; afterwards the image, the
  // label and the box itself take the sizes and places of that scale, the box as high as its image.
  // The tick and the label stay. Its parent places it; app::kApplyScaleMessage does the same.
  void SetScale(win::Scale scale);
  [[nodiscard]] win::Scale GetScale() const noexcept { return scale_; }
  // Other faces and another font (those of another scale), laid out and shown at once.
  void SetSkin(const CheckboxSkin& skin);

  [[nodiscard]] bool Ticked() const noexcept { return ticked_; }
  // Sets the state from code: the parent is not told.
  void SetTicked(bool ticked) noexcept;

  [[nodiscard]] HWND ImageButton() const noexcept { return button_.hwnd(); }
  [[nodiscard]] HWND Label() const noexcept { return label_; }
  [[nodiscard]] HWND Tooltip() const noexcept { return tooltip_; }
  // The label as shown, without its access-key marker.
  [[nodiscard]] const std::wstring& Text() const noexcept { return shownText_; }
  // The label's access key as written, 0 for none.
  [[nodiscard]] wchar_t AccessKey() const noexcept;

  [[nodiscard]] std::wstring AccName(long child) const override;
  [[nodiscard]] long AccRole(long child) const override;
  [[nodiscard]] long AccState(long child) const override;
  [[nodiscard]] std::wstring AccDefaultAction(long child) const override;
  bool AccDoDefaultAction(long child) override;
  [[nodiscard]] std::wstring AccKeyboardShortcut(long child) const override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] win::AccessibleSource* Accessible() noexcept override { return this; }

 private:
  void Toggle();
  // A click on the box's own surface between and beside its parts: a press and a release on it.
  void OnButton(bool down, LPARAM lParam);
  void ShowFaces() noexcept;
  // Sizes the box by its image and places the image and the label.
  void Layout();
  void AddTip(HWND part) noexcept;
  void PaintBackground(HDC dc) const noexcept;
  HBRUSH LabelColors(HDC dc) const noexcept;
  // The label, drawn by the box: its access key, and high contrast.
  void DrawLabel(const DRAWITEMSTRUCT& item) const;
  // Space presses on its down and toggles on its up, Enter toggles; true when the key was ours.
  bool OnKey(UINT message, WPARAM key, LPARAM lParam);
  void ShowFocus() noexcept;

  CheckboxSkin skin_;
  win::Scale scale_;
  CMenuButton button_;
  HWND label_ = nullptr;    // destroyed with the check box
  HWND tooltip_ = nullptr;  // owned by the check box, destroyed with it
  std::wstring text_;       // with its access-key marker
  std::wstring shownText_;
  int id_ = 0;
  bool ticked_ = false;
  bool pressing_ = false;
  bool spacePressing_ = false;
};

}  // namespace ui::skin
