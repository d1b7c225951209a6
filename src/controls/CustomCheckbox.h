// CCustomCheckbox: the panels' check box, an image button that shows a ticked or an unticked face
// (normal, hover, pressed) and a label beside it. A click on either toggles it and tells the parent
// with WM_COMMAND (identifier, BN_CLICKED). Both parts show the label as their tooltip. It answers
// BM_GETCHECK, BM_SETCHECK and BM_CLICK as a system check box does, for its host and for tools.
#pragma once

#include <windows.h>

#include <string>

#include "controls/MenuButton.h"
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

class CCustomCheckbox : public win::Window {
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
  [[nodiscard]] const std::wstring& Text() const noexcept { return text_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

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

  CheckboxSkin skin_;
  win::Scale scale_;
  CMenuButton button_;
  HWND label_ = nullptr;    // destroyed with the check box
  HWND tooltip_ = nullptr;  // owned by the check box, destroyed with it
  std::wstring text_;
  int id_ = 0;
  bool ticked_ = false;
  bool pressing_ = false;
};

}  // namespace ui::skin
