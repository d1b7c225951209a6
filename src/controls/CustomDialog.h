// CCustomDialog: the skinned base of the task panels. A child dialog shaped and painted by the panel
// background, with a title and numbered steps in the help column, and two label statics that the
// panels use (IDC_PANEL_LABEL1 and IDC_PANEL_LABEL2 of their templates): the first follows the title.
#pragma once

#include <windows.h>

#include <string>

#include "win/AccessibleObject.h"
#include "win/Dialog.h"
#include "win/Handle.h"
#include "win/Scale.h"

namespace ui::skin {

struct PanelLook {
  HBITMAP background = nullptr;              // the panel's surface and shape; not owned
  HFONT titleFont = nullptr;                 // not owned
  HFONT bodyFont = nullptr;                  // the steps and the labels; not owned
  COLORREF textColor = RGB(255, 255, 255);   // in the help column
  COLORREF contentTextColor = RGB(0, 0, 0);  // right of it, on the paper
  int helpColumnWidth = 236;                 // design pixels
};

class CCustomDialog : public win::Dialog {
 public:
  // Design pixels, laid out at the panel's scale.
  static constexpr POINT kTitleAt{18, 14};
  static constexpr int kTextWidth = 198;
  static constexpr int kStepsInitialWidth = 216;
  static constexpr int kInitialHeight = 28;
  static constexpr int kGap = 14;  // between the title, the first label and the steps

  CCustomDialog() = default;

  // Creates the panel from template `templateId` as a hidden child of `parent` with its top left
  // corner at `at`, as large as the background and shaped by its non-magenta pixels. False when
  // the panel cannot be made.
  bool Create(HWND parent, POINT at, int templateId, const PanelLook& look);
  // The scale the panel is laid out at: before Create, the one it is made at; afterwards it takes the
  // size and shape of its background, and the title, the steps and the first label their places
  // again, texts kept. A derived panel places its own controls. Its parent places the panel;
  // app::kApplyScaleMessage does the same with the scale it carries, after the derived panel's own
  // answer (which passes the message on here).
  void SetScale(win::Scale scale);
  [[nodiscard]] win::Scale GetScale() const noexcept { return scale_; }
  // Another background and other fonts (those of another scale), laid out and shown at once.
  void SetLook(const PanelLook& look);

  // Sets both texts; each static takes the height its text needs in the help column's width.
  void SetTitleAndSteps(const std::wstring& title, const std::wstring& steps);
  void SetSteps(const std::wstring& steps);

  [[nodiscard]] HWND Title() const noexcept { return title_; }
  [[nodiscard]] HWND Steps() const noexcept { return steps_; }
  [[nodiscard]] const PanelLook& Look() const noexcept { return look_; }

 protected:
  // The panel's own messages; a derived panel answers its own first and passes the rest here.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  // The derived panel's initialisation, after the base's; false ends the panel's creation.
  virtual bool OnInitPanel() { return true; }
  // A screen reader meets the panel as a pane named by its title.
  win::AccessibleSource* Accessible() noexcept override { return &pane_; }

 private:
  bool OnInitDialog();
  // Size, shape and brush from the background; the fonts to the texts; the texts placed.
  void Layout();
  [[nodiscard]] std::wstring CurrentText(HWND control) const;
  // The height `text` takes in the help column's width with `font`.
  [[nodiscard]] int MeasuredHeight(HFONT font, const std::wstring& text) const;
  // Moves `control` to `top` at the help column's left edge, keeping its width unless `width` is given.
  void Place(HWND control, int top, int width, int height) const;
  [[nodiscard]] RECT RectOf(HWND control) const;

  PanelLook look_;
  win::Scale scale_;
  win::UniqueBrush backgroundBrush_;  // the background as a brush, so statics show it behind their text
  HWND title_ = nullptr;
  HWND steps_ = nullptr;
  win::PaneSource pane_{[this] { return win::WithoutAccessKey(win::WindowTextOf(title_)); }};
};

}  // namespace ui::skin
