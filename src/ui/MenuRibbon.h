// CMenuRibbon: the row of seven tabs above the panels. Exactly one tab is selected while a tab is
// open; the ribbon tells its parent which tab is left (app::kTabLeftMessage) and which is entered (app::kTabEnteredMessage).
#pragma once

#include <windows.h>

#include <array>

#include "app/PrivateMessages.h"
#include "ui/MenuButton.h"
#include "win/Handle.h"
#include "win/Window.h"


class CMenuRibbon : public win::Window {
 public:
  static constexpr size_t kTabCount = 7;
  // Tab IDs left to right.
  static constexpr std::array<int, kTabCount> kTabIds = {335, 338, 348, 353, 342, 345, 355};

  CMenuRibbon() = default;

  // Creates the ribbon at (x, y): seven tabs wide, as tall as a tab. `font` is the captions' font
  // (the stock GUI font when null).
  bool Create(int x, int y, HWND parent, int controlId, HFONT font = nullptr);

  // A tab click ends here: the old tab is left and the new one entered, each told to the parent.
  void Select(int id);
  // Selects `id` without telling anyone.
  void Mark(int id);
  // No tab selected; disabled tabs come back to normal only when `force` is set.
  void Clear(bool force);
  void EnableTab(int id, bool enable);

  [[nodiscard]] int SelectedId() const noexcept { return selected_; }
  // The tab with `id`, or null.
  [[nodiscard]] CMenuButton* Tab(int id) noexcept;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc) const;
  void Leave(int id) noexcept;

  std::array<CMenuButton, kTabCount> tabs_;
  int selected_ = 0;
};
