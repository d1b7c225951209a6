// What the task panels are built from: their look from the shared graphics, labels and push buttons
// on the paper side, the places of their controls in the 96-DPI design, and the "Translate in:" list
// over a skinned combo box.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "core/SharedGraphics.h"
#include "tasks/AppListControl.h"
#include "controls/MenuButton.h"
#include "controls/CustomComboBox.h"
#include "controls/CustomDialog.h"
#include "win/Scale.h"

namespace tasks {

// The paper side of a panel, right of the help column.
inline constexpr int kContentLeft = 256;
inline constexpr int kContentRight = 652;
inline constexpr int kContentWidth = kContentRight - kContentLeft;
inline constexpr int kLabelHeight = 16;
inline constexpr int kLabelGap = 2;       // between a label and its control
inline constexpr int kButtonWidth = 104;  // the push buttons' face
inline constexpr int kButtonHeight = 24;
inline constexpr int kButtonLeft = kContentRight - kButtonWidth;
inline constexpr int kFieldButtonGap = 8;  // between a field and the button right of it
inline constexpr int kFieldMargin = 3;     // inside an edit field, left and right of its text

// Where a control of a panel goes in the 96-DPI design, and the shared font it writes with. A panel
// makes each control at its place and places them all again at a new scale. (Controls of one panel
// may share an ID, as the Translate button and the "Translate in:" list do, so a place is handed
// over with its control's window.)
struct ControlPlace {
  int id = 0;
  // Left, top, width and height. A height of 0 keeps the control's own (a combo box is as tall as its
  // drop button); a width of 0 as well keeps its size (a push button is as large as its face).
  RECT box{};
  // kCount: the panel gives the control no font of its own.
  app::SharedFont font = app::SharedFont::kCount;
};

// A control of a panel and its place.
struct PlacedControl {
  HWND control;
  const ControlPlace& place;
};
// The place's edges in pixels at `scale`; a kept width or height is 0.
[[nodiscard]] RECT ScaledEdges(const ControlPlace& place, win::Scale scale) noexcept;
// Moves each control to its place at the graphics' scale, and gives those with a font the graphics'
// font of that scale.
void PlaceControls(std::initializer_list<PlacedControl> controls, const app::SharedGraphics& graphics);
// The margins of an edit field at `scale`; given again after each font, which may reset them.
void SetFieldMargins(HWND edit, win::Scale scale) noexcept;

[[nodiscard]] ui::skin::PanelLook PanelLookOf(const app::SharedGraphics& graphics);
[[nodiscard]] ui::skin::ComboLook ComboLookOf(const app::SharedGraphics& graphics);

// A static of `panel` at `place` with string `textId` (0: empty) in the place's font.
HWND MakeLabel(HWND panel, const ControlPlace& place, UINT textId, const app::SharedGraphics& graphics);
// The same for the label of a field: its text carries the field's access key ("&x"), underlined
// while the window shows access keys. Put it before its field with ui::PutLabelBefore.
HWND MakeFieldLabel(HWND panel, const ControlPlace& place, UINT textId, const app::SharedGraphics& graphics);
// A skinned push button of `panel` at `place` with a white caption; false when it could not be made.
bool MakePushButton(CMenuButton& button, HWND panel, const ControlPlace& place, UINT captionId,
                    const app::SharedGraphics& graphics);
// A skinned combo box of `panel` at `place`; false when it could not be made.
bool MakeComboBox(ui::skin::CCustomComboBox& combo, HWND panel, const ControlPlace& place,
                  const app::SharedGraphics& graphics);
// Gives a push button made by MakePushButton, or a combo box, the graphics' faces and font anew.
void RestyleControl(CMenuButton& button, const app::SharedGraphics& graphics);
void RestyleControl(ui::skin::CCustomComboBox& combo, const app::SharedGraphics& graphics);

// Shows or hides each of `controls` (nulls skipped).
void ShowControls(std::initializer_list<HWND> controls, bool show) noexcept;
// The window's text.
[[nodiscard]] std::wstring TextOf(HWND window);

// The "Translate in:" list as the hand-off object fills it, over a panel's combo box.
class ComboAppList final : public AppListControl {
 public:
  explicit ComboAppList(ui::skin::CCustomComboBox& combo) : combo_(combo) {}

  [[nodiscard]] int Count() const override { return combo_.GetCount(); }
  void Clear() override { combo_.ResetContent(); }
  void Append(const std::wstring& text) override { combo_.AddString(text); }
  void InsertAt(int index, const std::wstring& text) override { combo_.InsertString(index, text); }
  [[nodiscard]] std::wstring Text(int index) const override;

 private:
  ui::skin::CCustomComboBox& combo_;
};

}  // namespace tasks
