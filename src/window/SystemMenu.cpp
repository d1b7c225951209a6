#include "window/SystemMenu.h"

#include <string>

#include "SkinIds.h"
#include "StringIds.h"
#include "controls/Paint.h"
#include "win/Resources.h"

namespace ui {
namespace {

// A right-click on the window icon (this client rectangle) opens the menu.
constexpr RECT kIconArea = {5, 5, 40, 40};
// Positions after the rework: Move, Restore, Minimize, separator, Close.
constexpr UINT kRestorePosition = 1;
constexpr UINT kMinimizePosition = 2;

}  // namespace

void SystemMenu::Rework(HWND window) {
  window_ = window;
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

  // One picture serves both states of an item.
  constexpr struct {
    int bitmap;
    UINT command;
  } kPictures[] = {
      {IDB_SYSMENU_RESTORE, SC_RESTORE}, {IDB_SYSMENU_MINIMIZE, SC_MINIMIZE}, {IDB_SYSMENU_CLOSE, SC_CLOSE}};
  static_assert(std::size(kPictures) == std::tuple_size_v<decltype(bitmaps_)>);
  for (size_t i = 0; i < std::size(kPictures); ++i) {
    bitmaps_[i].reset(ui::LoadSkinBitmap(kPictures[i].bitmap));
    const HBITMAP bitmap = bitmaps_[i].get();
    ::SetMenuItemBitmaps(menu, kPictures[i].command, MF_BYCOMMAND, bitmap, bitmap);
  }
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
  if (!::PtInRect(&kIconArea, client)) return;
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
  if (!menu) return;
  ::EnableMenuItem(menu, kMinimizePosition, MF_BYPOSITION | (minimized ? MF_GRAYED : MF_ENABLED));
  ::EnableMenuItem(menu, kRestorePosition, MF_BYPOSITION | (minimized ? MF_ENABLED : MF_GRAYED));
}

}  // namespace ui
