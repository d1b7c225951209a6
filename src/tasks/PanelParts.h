// What the task panels are built from: their look from the shared graphics, labels and push buttons
// on the paper side, and the "Translate in:" list over a skinned combo box.
#pragma once

#include <windows.h>

#include <string>

#include "tasks/AppListControl.h"
#include "controls/MenuButton.h"
#include "controls/CustomComboBox.h"
#include "controls/CustomDialog.h"

namespace app {
class SharedGraphics;
}

namespace tasks {

// The paper side of a panel, right of the help column.
inline constexpr int kContentLeft = 256;
inline constexpr int kContentRight = 652;
inline constexpr int kContentWidth = kContentRight - kContentLeft;
inline constexpr int kLabelHeight = 16;
inline constexpr int kLabelGap = 2;  // between a label and its control

[[nodiscard]] ui::skin::PanelLook PanelLookOf(const app::SharedGraphics& graphics);
[[nodiscard]] ui::skin::ComboLook ComboLookOf(const app::SharedGraphics& graphics);

// A static of `panel` at `place` (left, top, width, height) with string `textId` (0: empty).
HWND MakeLabel(HWND panel, int id, RECT place, UINT textId, HFONT font);
// A skinned push button of `panel` with a white caption; false when it could not be made.
bool MakePushButton(CMenuButton& button, HWND panel, POINT at, int id, UINT captionId,
                    const app::SharedGraphics& graphics);
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
