#include "window/MainButtons.h"

#include <string>

#include "ResourceIds.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "core/SharedGraphics.h"
#include "controls/Paint.h"
#include "win/Resources.h"

namespace ui {
namespace {

// The close button sits this far from the client area's right edge; the minimise button overlaps
// it by one pixel on its left.
constexpr int kCloseRightMargin = 9;
constexpr int kTopButtonY = 6;
constexpr int kBottomButtonMargin = 12;
constexpr int kBottomButtonGap = 8;
constexpr int kCheckBoxX = 100;

void MoveTo(const CMenuButton& button, int x, int y) {
  ::SetWindowPos(button.hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

HWND MakeChild(const wchar_t* className, UINT textId, DWORD style, RECT place, HWND parent, int id,
               HFONT font) {
  const std::wstring text = win::LoadString(textId);
  HWND child = ::CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left,
                                 place.top, place.right - place.left, place.bottom - place.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 ::GetModuleHandleW(nullptr), nullptr);
  if (child) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace

void MainButtons::Create(HWND window, const app::SharedGraphics& graphics) {
  const HFONT captionFont = graphics.Font(app::SharedFont::kTahoma12Bold);
  const auto make = [&](CMenuButton& button, int id, std::array<int, 3> faces, UINT captionId,
                        MenuButtonStyle style = MenuButtonStyle::kPush) {
    button.CreateWithSkinFaces(0, 0, {faces[0], faces[1], faces[2], 0}, style, captionId, 0, window, id);
    button.SetCaptionFont(captionFont, RGB(255, 255, 255));
  };
  RECT client{};
  ::GetClientRect(window, &client);

  make(close, IDC_CLOSE, {IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED}, 0);
  const int closeX = client.right - kCloseRightMargin - close.Size().cx;
  MoveTo(close, closeX, kTopButtonY);
  make(minimize, IDC_MINIMIZE, {IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_HOVER, IDB_MINIMIZE_PRESSED}, 0);
  MoveTo(minimize, closeX - minimize.Size().cx + 1, kTopButtonY);

  make(exit, IDC_EXIT, {IDB_EXIT_NORMAL, IDB_EXIT_HOVER, IDB_EXIT_PRESSED}, IDS_EXIT);
  const int exitX = client.right - kBottomButtonMargin - exit.Size().cx;
  const int bottomY = client.bottom - kBottomButtonMargin - exit.Size().cy;
  MoveTo(exit, exitX, bottomY);
  make(about, IDC_ABOUT, {IDB_ABOUT_NORMAL, IDB_ABOUT_HOVER, IDB_ABOUT_PRESSED}, IDS_ABOUT);
  const int aboutX = exitX - kBottomButtonGap - about.Size().cx;
  MoveTo(about, aboutX, bottomY);

  // Back and Launch/Install take About's place, Home sits left of them; all hidden until a tab opens.
  // Their faces carry a glyph left of x = 19: the caption keeps to the rest.
  make(home, IDC_HOME, {IDB_HOME_NORMAL, IDB_HOME_HOVER, IDB_HOME_PRESSED}, IDS_HOME,
       MenuButtonStyle::kGlyph);
  make(back, IDC_BACK, {IDB_BACK_NORMAL, IDB_BACK_HOVER, IDB_BACK_PRESSED}, IDS_BACK,
       MenuButtonStyle::kGlyph);
  make(launchInstall, IDC_LAUNCH_INSTALL, {IDB_LAUNCH_NORMAL, IDB_LAUNCH_HOVER, IDB_LAUNCH_PRESSED},
       IDS_INSTALL);
  MoveTo(back, aboutX, bottomY);
  MoveTo(launchInstall, aboutX, bottomY);
  MoveTo(home, aboutX - kBottomButtonGap - home.Size().cx, bottomY);
  for (const CMenuButton* hidden : {&home, &back, &launchInstall}) ::ShowWindow(hidden->hwnd(), SW_HIDE);

  // The Help picture button with its label to the right, from (30, bottom - 33) to (75, bottom - 17).
  make(help, IDC_HELP_BUTTON, {IDB_HELP_NORMAL, IDB_HELP_HOVER, IDB_HELP_PRESSED}, 0);
  MoveTo(help, 30 - help.Size().cx - 2, client.bottom - 25 - help.Size().cy / 2);
  const HFONT textFont = graphics.Font(app::SharedFont::kTahoma12);
  helpLabel = MakeChild(L"STATIC", IDS_HELP, SS_NOPREFIX, {30, client.bottom - 33, 75, client.bottom - 17},
                        window, -1, textFont);
  // The two check boxes share one place: "show all features" on the start page, the dictionary
  // updates on tab 7. Their box is centred on the Help label's line.
  ui::skin::CheckboxSkin box{graphics.Bitmap(IDB_CHECK_OFF_NORMAL),
                             graphics.Bitmap(IDB_CHECK_OFF_HOVER),
                             graphics.Bitmap(IDB_CHECK_OFF_PRESSED),
                             graphics.Bitmap(IDB_CHECK_ON_NORMAL),
                             graphics.Bitmap(IDB_CHECK_ON_HOVER),
                             graphics.Bitmap(IDB_CHECK_ON_PRESSED),
                             textFont,
                             RGB(255, 255, 255)};
  box.ownTooltip = false;  // the window's own tips cover them
  const int boxHeight = ui::BitmapSize(box.offNormal).cy;
  const int boxY = client.bottom - 25 - boxHeight / 2;
  showAll = showAllBox.Create(kCheckBoxX, boxY, IDS_SHOW_ALL_FEATURES, window, IDC_SHOW_ALL_FEATURES, box)
                ? showAllBox.hwnd()
                : nullptr;
  dictionaryUpdates = dictionaryUpdatesBox.Create(kCheckBoxX, boxY, IDS_DICTIONARY_UPDATES, window,
                                                  IDC_DICTIONARY_UPDATES, box)
                          ? dictionaryUpdatesBox.hwnd()
                          : nullptr;
  if (dictionaryUpdates) ::ShowWindow(dictionaryUpdates, SW_HIDE);
}

bool MainButtons::ShowAllChecked() const noexcept {
  return ::SendMessageW(showAll, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool MainButtons::DictionaryUpdatesChecked() const noexcept {
  return ::SendMessageW(dictionaryUpdates, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace ui
