// CMainMenuDialog: the start page, with one large button and six smaller ones, one per tab. A click
// reaches the main window as WM_COMMAND with the button's ID; the main window decides which buttons
// are disabled (tabs without entries). The arrow keys move the focus between the enabled buttons
// as they lie on the page.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "controls/MenuButton.h"
#include "menu/TabTable.h"
#include "win/AccessibleObject.h"
#include "win/Dialog.h"
#include "win/Handle.h"
#include "win/Scale.h"

struct MainMenuFonts {
  HFONT large = nullptr;        // the large button's caption
  HFONT caption = nullptr;      // the smaller buttons' captions
  HFONT description = nullptr;  // the smaller buttons' descriptions
  HFONT text = nullptr;         // the page's static text
};

class CMainMenuDialog : public win::Dialog {
 public:
  // One per tab; their IDs, faces and places are the tab table's.
  static constexpr size_t kButtonCount = ui::kTabCount;
  static constexpr COLORREF kBlue = RGB(0x00, 0x4D, 0xAB);  // 0xAB4D00: descriptions and the text

  CMainMenuDialog() = default;

  // The pictures the page shows first, in the order it decodes them: its background when it is
  // made, then each button's normal face as it is first painted.
  [[nodiscard]] static std::vector<int> FirstPictures();

  // Creates the page from its template as a hidden child of `parent` at (x, y).
  bool Create(HWND parent, int x, int y, const MainMenuFonts& fonts);
  // The scale the page is laid out at: before Create, the one it is made at; afterwards its
  // background and its buttons' faces are those of the new scale, and the page and its buttons take
  // their sizes and places again. Its parent places it; app::kApplyScaleMessage does the same.
  void SetScale(win::Scale scale);
  [[nodiscard]] win::Scale GetScale() const noexcept { return scale_; }
  // Other fonts (the same ones at another scale), shown at once.
  void SetFonts(const MainMenuFonts& fonts);

  // The button with `id`, or null.
  [[nodiscard]] CMenuButton* Button(int id) noexcept;
  void SetButtonState(int id, MenuButtonState state, bool repaint) noexcept;
  // The page's one static text.
  void SetText(const std::wstring& text);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnFinalMessage() override;
  // A screen reader meets the page as a pane named by the welcome line above it.
  win::AccessibleSource* Accessible() noexcept override { return &pane_; }

 private:
  void OnInitDialog();
  // Sizes the page by its background, places the buttons and the text.
  void Layout();
  void PaintBackground(HDC dc, int x, int y) const;
  void DrawStaticText(const DRAWITEMSTRUCT& item) const;
  // The enabled button nearest to `from` in the direction of arrow `key`, or null for none.
  [[nodiscard]] HWND NextButton(HWND from, WPARAM key) const;

  MainMenuFonts fonts_;
  win::Scale scale_;
  std::wstring text_;
  win::UniqueBitmap background_;
  std::array<CMenuButton, kButtonCount> buttons_;
  win::PaneSource pane_{[this] { return AccessibleName(); }};
  [[nodiscard]] std::wstring AccessibleName() const;
};
