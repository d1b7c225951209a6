#include "window/MainButtons.h"

#include <string>

#include "ResourceIds.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "core/SharedGraphics.h"
#include "controls/AccessKeyLabel.h"
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
// The Help label's edges: left and right from the window's left, top and bottom above its bottom.
constexpr RECT kHelpLabel = {30, 33, 75, 17};
constexpr int kHelpLineAboveBottom = 25;

void MoveTo(const CMenuButton& button, int x, int y) {
  if (button.hwnd()) ::SetWindowPos(button.hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
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

// A system menu's text without its indent and shortcut: what screen readers call a window button.
std::wstring MenuItemName(UINT id) {
  std::wstring text = win::LoadString(id);
  text.erase(0, text.find_first_not_of(L' '));
  if (const size_t tab = text.find(L'\t'); tab != std::wstring::npos) text.resize(tab);
  return text;
}

// The check boxes' pictures and font at the graphics' scale.
ui::skin::CheckboxSkin CheckboxSkinOf(const app::SharedGraphics& graphics) {
  const auto& ids = MainButtons::kCheckBoxPictures;
  ui::skin::CheckboxSkin box{graphics.Bitmap(ids[0]),
                             graphics.Bitmap(ids[1]),
                             graphics.Bitmap(ids[2]),
                             graphics.Bitmap(ids[3]),
                             graphics.Bitmap(ids[4]),
                             graphics.Bitmap(ids[5]),
                             graphics.Font(app::SharedFont::kTahoma12),
                             RGB(255, 255, 255)};
  box.ownTooltip = false;  // the window's own tips cover them
  return box;
}

// The picture buttons, in the order they are made; Home, Back and Launch/Install start hidden.
struct ButtonRow {
  CMenuButton MainButtons::*button;
  int id;
  std::array<int, 3> faces;  // normal, hover, pressed
  UINT captionId;
  MenuButtonStyle style;
  bool shownAtStart;
};

constexpr ButtonRow kButtons[] = {
    {&MainButtons::close,
     IDC_CLOSE,
     {IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED},
     0,
     MenuButtonStyle::kPush,
     true},
    {&MainButtons::minimize,
     IDC_MINIMIZE,
     {IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_HOVER, IDB_MINIMIZE_PRESSED},
     0,
     MenuButtonStyle::kPush,
     true},
    {&MainButtons::exit,
     IDC_EXIT,
     {IDB_EXIT_NORMAL, IDB_EXIT_HOVER, IDB_EXIT_PRESSED},
     IDS_EXIT,
     MenuButtonStyle::kPush,
     true},
    {&MainButtons::about,
     IDC_ABOUT,
     {IDB_ABOUT_NORMAL, IDB_ABOUT_HOVER, IDB_ABOUT_PRESSED},
     IDS_ABOUT,
     MenuButtonStyle::kPush,
     true},
    // Back and Launch/Install take About's place, Home sits left of them. Their faces carry a glyph
    // left of x = 19: the caption keeps to the rest.
    {&MainButtons::home,
     IDC_HOME,
     {IDB_HOME_NORMAL, IDB_HOME_HOVER, IDB_HOME_PRESSED},
     IDS_HOME,
     MenuButtonStyle::kGlyph,
     false},
    {&MainButtons::back,
     IDC_BACK,
     {IDB_BACK_NORMAL, IDB_BACK_HOVER, IDB_BACK_PRESSED},
     IDS_BACK,
     MenuButtonStyle::kGlyph,
     false},
    {&MainButtons::launchInstall,
     IDC_LAUNCH_INSTALL,
     {IDB_LAUNCH_NORMAL, IDB_LAUNCH_HOVER, IDB_LAUNCH_PRESSED},
     IDS_INSTALL,
     MenuButtonStyle::kPush,
     false},
    {&MainButtons::help,
     IDC_HELP_BUTTON,
     {IDB_HELP_NORMAL, IDB_HELP_HOVER, IDB_HELP_PRESSED},
     0,
     MenuButtonStyle::kPush,
     true},
};

}  // namespace

std::vector<int> MainButtons::FirstFaces() {
  std::vector<int> ids;
  for (const ButtonRow& row : kButtons)
    if (row.shownAtStart) ids.push_back(row.faces[0]);
  return ids;
}

void MainButtons::Create(HWND window, const app::SharedGraphics& graphics) {
  const win::Scale scale = graphics.Scale();
  for (const ButtonRow& row : kButtons) {
    CMenuButton& button = this->*row.button;
    button.CreateWithSkinFaces(0, 0, {row.faces[0], row.faces[1], row.faces[2], 0}, row.style, row.captionId,
                               0, window, row.id);
    button.SetScale(scale);
    if (!row.shownAtStart) ::ShowWindow(button.hwnd(), SW_HIDE);
  }
  // The label carries the Help button's access key: right before the button, the dialog manager
  // moves the focus from it to the button.
  helpLabel = MakeChild(L"STATIC", IDS_HELP, SS_LEFT, {}, window, -1, nullptr);
  (void)ui::DrawAsAccessKeyLabel(helpLabel);
  ui::PutLabelBefore(helpLabel, help.hwnd());
  // Alt+F4 and the system menu stand for the window's own two buttons on the keyboard.
  for (CMenuButton* windowButton : {&close, &minimize}) windowButton->SetTabStop(false);
  // The picture buttons are named as their tips name them.
  close.SetAccessibleName(MenuItemName(IDS_SYSMENU_CLOSE));
  minimize.SetAccessibleName(MenuItemName(IDS_SYSMENU_MINIMIZE));
  help.SetAccessibleName(ui::WithoutAccessMarkers(win::LoadString(IDS_HELP)));

  // The two check boxes share one place: "show all features" on the start page, the dictionary
  // updates on tab 7.
  const ui::skin::CheckboxSkin box = CheckboxSkinOf(graphics);
  showAll = showAllBox.Create(0, 0, IDS_SHOW_ALL_FEATURES, window, IDC_SHOW_ALL_FEATURES, box)
                ? showAllBox.hwnd()
                : nullptr;
  dictionaryUpdates =
      dictionaryUpdatesBox.Create(0, 0, IDS_DICTIONARY_UPDATES, window, IDC_DICTIONARY_UPDATES, box)
          ? dictionaryUpdatesBox.hwnd()
          : nullptr;
  if (showAll) showAllBox.SetScale(scale);
  if (dictionaryUpdates) {
    dictionaryUpdatesBox.SetScale(scale);
    ::ShowWindow(dictionaryUpdates, SW_HIDE);
  }
  TakeFonts(graphics);
  Place(window, graphics);
}

void MainButtons::TakeFonts(const app::SharedGraphics& graphics) {
  const HFONT captionFont = graphics.Font(app::SharedFont::kTahoma12Bold);
  for (CMenuButton* button : {&close, &minimize, &exit, &about, &home, &back, &launchInstall, &help})
    if (button->hwnd()) button->SetCaptionFont(captionFont, RGB(255, 255, 255));
  if (helpLabel)
    ::SendMessageW(helpLabel, WM_SETFONT, reinterpret_cast<WPARAM>(graphics.Font(app::SharedFont::kTahoma12)),
                   FALSE);
  // The check boxes draw the pictures they were handed: those of the new scale replace the old.
  const ui::skin::CheckboxSkin box = CheckboxSkinOf(graphics);
  for (ui::skin::CCustomCheckbox* checkbox : {&showAllBox, &dictionaryUpdatesBox})
    if (checkbox->hwnd()) checkbox->SetSkin(box);
}

void MainButtons::Place(HWND window, const app::SharedGraphics& graphics) const {
  const win::Scale scale = graphics.Scale();
  RECT client{};
  ::GetClientRect(window, &client);

  const int closeX = client.right - scale.Px(kCloseRightMargin) - close.Size().cx;
  MoveTo(close, closeX, scale.Px(kTopButtonY));
  MoveTo(minimize, closeX - minimize.Size().cx + scale.Px(1), scale.Px(kTopButtonY));

  const int exitX = client.right - scale.Px(kBottomButtonMargin) - exit.Size().cx;
  const int bottomY = client.bottom - scale.Px(kBottomButtonMargin) - exit.Size().cy;
  MoveTo(exit, exitX, bottomY);
  const int aboutX = exitX - scale.Px(kBottomButtonGap) - about.Size().cx;
  MoveTo(about, aboutX, bottomY);
  MoveTo(back, aboutX, bottomY);
  MoveTo(launchInstall, aboutX, bottomY);
  MoveTo(home, aboutX - scale.Px(kBottomButtonGap) - home.Size().cx, bottomY);

  // The Help picture button with its label to the right, from (30, bottom - 33) to (75, bottom - 17);
  // the picture and the check boxes are centred on the label's line, 25 above the bottom.
  const int lineY = client.bottom - scale.Px(kHelpLineAboveBottom);
  MoveTo(help, scale.Px(kHelpLabel.left) - help.Size().cx - scale.Px(2), lineY - help.Size().cy / 2);
  if (helpLabel)
    ::SetWindowPos(helpLabel, nullptr, scale.Px(kHelpLabel.left), client.bottom - scale.Px(kHelpLabel.top),
                   scale.Px(kHelpLabel.right) - scale.Px(kHelpLabel.left),
                   scale.Px(kHelpLabel.top) - scale.Px(kHelpLabel.bottom), SWP_NOZORDER | SWP_NOACTIVATE);
  const int boxY = lineY - graphics.BitmapSize(IDB_CHECK_OFF_NORMAL).cy / 2;
  for (HWND box : {showAll, dictionaryUpdates})
    if (box)
      ::SetWindowPos(box, nullptr, scale.Px(kCheckBoxX), boxY, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainButtons::ShowAllChecked() const noexcept {
  return ::SendMessageW(showAll, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool MainButtons::DictionaryUpdatesChecked() const noexcept {
  return ::SendMessageW(dictionaryUpdates, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace ui
