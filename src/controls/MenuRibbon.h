// CMenuRibbon: the row of seven tabs above the panels. Exactly one tab is selected while a tab is
// open; the ribbon tells its parent which tab is left (app::kTabLeftMessage) and which is entered
// (app::kTabEnteredMessage). A caption too long for its tab (a translated one) is never cut: it wraps at its
// blanks or at the soft hyphens the translator put into long words, and where that is not enough it takes a
// smaller face of the same font. A caption that fits keeps its font and its lines.
// From the keyboard the ribbon is one tab stop, as a tab control is: the arrows, Home and End select
// another tab as a click does, Space and Enter click the tab it stands on. Screen readers see a page
// tab list whose tabs are its buttons.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/PrivateMessages.h"
#include "controls/MenuButton.h"
#include "menu/TabTable.h"
#include "win/Accessible.h"
#include "win/Handle.h"
#include "win/Scale.h"
#include "win/Window.h"

class CMenuRibbon : public win::Window, public win::AccessibleSource {
 public:
  // One per tab; their IDs and places are the tab table's.
  static constexpr size_t kTabCount = ui::kTabCount;

  CMenuRibbon() = default;

  // Creates the ribbon at (x, y): seven tabs wide, as tall as a tab. `font` is the captions' font
  // (the stock GUI font when null). `visible` false: it stays hidden until shown, drawing nothing.
  bool Create(int x, int y, HWND parent, int controlId, HFONT font = nullptr, bool visible = true);
  // The scale the ribbon is laid out at: before Create, the one it is made at; afterwards the tabs
  // take their faces of that scale and their places, and the captions are fitted again. Its parent
  // places it; app::kApplyScaleMessage does the same with the scale it carries.
  void SetScale(win::Scale scale);
  [[nodiscard]] win::Scale GetScale() const noexcept { return scale_; }
  // Another font for the captions (the same font at another scale): every caption is fitted anew.
  void SetCaptionFont(HFONT font);

  // A tab click ends here: the old tab is left and the new one entered, each told to the parent.
  void Select(int id);
  // Selects `id` without telling anyone.
  void Mark(int id);
  // No tab selected; disabled tabs come back to normal only when `force` is set.
  void Clear(bool force);
  void EnableTab(int id, bool enable);
  // Selects the next enabled tab after the selected one (the first with none), or the one before,
  // round the row, as a click on it does (Ctrl+Tab and Ctrl+Shift+Tab in the window).
  void SelectNext(bool backwards);

  [[nodiscard]] int SelectedId() const noexcept { return selected_; }
  // The tab with `id`, or null.
  [[nodiscard]] CMenuButton* Tab(int id) noexcept;
  // The font tab `id` draws its caption in: the ribbon's own, or a smaller face of it.
  [[nodiscard]] HFONT CaptionFont(int id) const noexcept;

  // Clear of the tab's edges: the caption's ink keeps this far (design pixels) inside its rectangle on
  // each side.
  static constexpr int kCaptionMargin = 3;

  [[nodiscard]] std::wstring AccName(long child) const override;
  [[nodiscard]] long AccRole(long child) const override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] win::AccessibleSource* Accessible() noexcept override { return this; }

 private:
  void Paint(HDC dc) const;
  void Leave(int id) noexcept;
  [[nodiscard]] bool Enabled(size_t slot) const noexcept;
  // The keys of the focused ribbon; true when the key was ours.
  bool OnKey(UINT message, WPARAM key, LPARAM lParam);
  // Stands on tab `slot` and selects it as a click does (the selected one stays as it is).
  void MoveTo(size_t slot);
  // The focus cue on the tab the ribbon stands on while it has the focus.
  void ShowCue();
  // The tabs side by side, the ribbon as wide as all of them, each caption fitted anew.
  void Layout();
  [[nodiscard]] HFONT Font() const noexcept;
  // Lays out tab `index`'s caption so that it fits (see above).
  void FitCaption(size_t index, HFONT font);
  // `font` at `height` pixels (kept by the ribbon); null when it cannot be made.
  HFONT SmallerFace(HFONT font, int height);

  std::array<CMenuButton, kTabCount> tabs_;
  // The captions as the string table has them (soft hyphens kept), to fit again at another scale.
  std::array<std::wstring, kTabCount> captions_;
  HFONT font_ = nullptr;
  win::Scale scale_;
  std::array<HFONT, kTabCount> captionFonts_{};
  // The smaller faces by height, for as long as the tabs use them.
  std::vector<std::pair<int, win::UniqueFont>> faces_;
  int selected_ = 0;
  // The tab the keyboard stands on: the selected one, or where the arrows left it.
  size_t focusSlot_ = 0;
  bool spacePressing_ = false;
};
