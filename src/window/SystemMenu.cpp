#include "window/SystemMenu.h"

#include <string>
#include <utility>

#include "SkinIds.h"
#include "StringIds.h"
#include "controls/Paint.h"
#include "core/SharedGraphics.h"
#include "win/Resources.h"
#include "window/WindowSkin.h"

namespace ui {
namespace {

// A right-click on the window icon (this client rectangle) opens the menu.
constexpr RECT kIconArea = {5, 5, 40, 40};
// Positions after the rework: Move, Restore, Minimize, separator, Close.
constexpr UINT kRestorePosition = 1;
constexpr UINT kMinimizePosition = 2;

// One picture serves both states of an item.
constexpr struct {
  int bitmap;
  UINT command;
} kPictures[] = {
    {IDB_SYSMENU_RESTORE, SC_RESTORE}, {IDB_SYSMENU_MINIMIZE, SC_MINIMIZE}, {IDB_SYSMENU_CLOSE, SC_CLOSE}};

}  // namespace

void SystemMenu::Create(HWND window, const app::SharedGraphics& graphics) noexcept {
  window_ = window;
  graphics_ = &graphics;
}

void SystemMenu::AfterFirstPaint() {
  Rework();
}

void SystemMenu::Rework() {
  reworked_ = true;
  HMENU menu = ::GetSystemMenu(window_, FALSE);
  if (!menu) return;
  // Empty the window's own menu and lay it out anew, by position.
  while (::GetMenuItemCount(menu) > 0) ::DeleteMenu(menu, 0, MF_BYPOSITION);
  const std::wstring move = win::LoadString(IDS_SYSMENU_MOVE);
  const std::wstring restore = win::LoadString(IDS_SYSMENU_RESTORE);
  const std::wstring minimize = win::LoadString(IDS_SYSMENU_MINIMIZE);
  const std::wstring close = win::LoadString(IDS_SYSMENU_CLOSE);
  ::AppendMenuW(menu, MF_STRING, SC_MOVE, move.c_str());
  ::AppendMenuW(menu, MF_STRING | MF_GRAYED, SC_RESTORE, restore.c_str());
  ::AppendMenuW(menu, MF_STRING, SC_MINIMIZE, minimize.c_str());
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, SC_CLOSE, close.c_str());

  Rescale();
}

void SystemMenu::Rescale() {
  static_assert(std::size(kPictures) == std::tuple_size_v<decltype(bitmaps_)>);
  HMENU menu = ::GetSystemMenu(window_, FALSE);
  if (!menu || !graphics_ || !reworked_) return;
  scale_ = graphics_->Scale();
  for (size_t i = 0; i < std::size(kPictures); ++i) {
    // The item shows the new picture before the old one goes.
    win::UniqueBitmap own;
    const HBITMAP bitmap = SkinPicture(*graphics_, kPictures[i].bitmap, own);
    ::SetMenuItemBitmaps(menu, kPictures[i].command, MF_BYCOMMAND, bitmap, bitmap);
    bitmaps_[i] = std::move(own);
  }
}

bool SystemMenu::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR&) {
  switch (message) {
    case WM_SYSCOMMAND:
      OnSysCommand(static_cast<UINT>(wParam & 0xFFF0));
      return false;  // default processing follows
    case WM_ENTERIDLE: OnEnterIdle(); return false;
    case WM_CONTEXTMENU:
      OnContextMenu({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return true;
    default: return false;
  }
}

void SystemMenu::ApplyScale(const app::SharedGraphics&) {
  Rescale();
}

void SystemMenu::OnSysCommand(UINT command) {
  if (command == SC_MINIMIZE) Update(true);
  if (command == SC_RESTORE) Update(false);
}

void SystemMenu::OnEnterIdle() {
  Update(::IsIconic(window_) != FALSE);
}

void SystemMenu::OnContextMenu(POINT screen) {
  POINT client = screen;
  ::ScreenToClient(window_, &client);
  const RECT iconArea = scale_.Px(kIconArea);
  if (!::PtInRect(&iconArea, client)) return;
  HMENU menu = ::GetSystemMenu(window_, FALSE);
  if (!menu) return;
  // NOLINTNEXTLINE(misc-redundant-expression): both alignments are 0, named for the reader
  constexpr UINT kFlags = TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN;
  const UINT command =
      static_cast<UINT>(::TrackPopupMenu(menu, kFlags, screen.x, screen.y, 0, window_, nullptr));
  if (command != 0) ::PostMessageW(window_, WM_SYSCOMMAND, command, 0);
}

void SystemMenu::Update(bool minimized) {
  HMENU menu = ::GetSystemMenu(window_, FALSE);
  if (!menu || !reworked_) return;
  ::EnableMenuItem(menu, kMinimizePosition, MF_BYPOSITION | (minimized ? MF_GRAYED : MF_ENABLED));
  ::EnableMenuItem(menu, kRestorePosition, MF_BYPOSITION | (minimized ? MF_ENABLED : MF_GRAYED));
}

}  // namespace ui
