// CCustomListDialog: a list panel of the main window: the panel background, a heading in the help
// column and a CCustomList in the content area. The list's clicks and hovers go straight to the
// panel's parent (the main window), with the list identifier the panel was created with.
#pragma once

#include <windows.h>

#include <string>

#include "controls/CustomList.h"
#include "win/AccessibleObject.h"
#include "win/Dialog.h"
#include "win/Scale.h"

namespace ui::skin {

struct ListPanelLook {
  app::SkinBitmap background;   // the panel background, decoded when first drawn; not owned
  HFONT headingFont = nullptr;  // not owned
  COLORREF headingColor = RGB(255, 255, 255);
};

class CCustomListDialog : public win::Dialog {
 public:
  // Design pixels, laid out at the panel's scale.
  static constexpr POINT kHeadingAt{18, 14};
  static constexpr int kHeadingWidth = 198;
  // Room for a heading of a few lines; the help column below it is free for more.
  static constexpr int kHeadingHeight = 80;
  static constexpr POINT kListAt{244, 10};

  CCustomListDialog() = default;

  // Creates the panel from its template as a hidden child of `parent` at (x, y), with its list as
  // control `listId`. False when the panel or its list could not be made.
  bool Create(HWND parent, int x, int y, const ListPanelLook& look, const ListSkin& skin, int listId);
  // The scale the panel is laid out at: before Create, the one it is made at; afterwards the panel
  // takes its background's size, and the heading and the list their places and sizes of that scale,
  // the rows kept. Its parent places it; app::kApplyScaleMessage does the same with its scale.
  void SetScale(win::Scale scale);
  [[nodiscard]] win::Scale GetScale() const noexcept { return scale_; }
  // Another background, heading font and list skin (those of another scale), shown at once.
  void SetLook(const ListPanelLook& look, const ListSkin& skin);

  void SetHeading(std::wstring text);
  [[nodiscard]] const std::wstring& Heading() const noexcept { return heading_; }
  [[nodiscard]] CCustomList& List() noexcept { return list_; }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  // A screen reader meets the panel as a pane named by its heading.
  win::AccessibleSource* Accessible() noexcept override { return &pane_; }

 private:
  bool OnInitDialog();
  // The panel by its background, the heading, and the list.
  void Layout();
  void PaintBackground(HDC dc, int x, int y) const;
  void DrawHeading(const DRAWITEMSTRUCT& item) const;

  ListPanelLook look_;
  ListSkin skin_;
  win::Scale scale_;
  int listId_ = 0;
  bool listCreated_ = false;
  std::wstring heading_;
  CCustomList list_;
  win::PaneSource pane_{[this] { return win::WithoutAccessKey(heading_); }};
};

}  // namespace ui::skin
