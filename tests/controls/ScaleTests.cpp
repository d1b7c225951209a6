// The skinned controls at the display scales: made at 144 and 192 DPI they take the scaled sizes and
// places of the design (their pictures' sizes where a picture gives one), and a change of scale from
// 96 to 192 and back, told by app::kApplyScaleMessage as the main window tells it, keeps their state
// and leaves them exactly as they were.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ControlsHost.h"
#include "ResourceIds.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "controls/CustomCheckbox.h"
#include "controls/CustomComboBox.h"
#include "controls/CustomDialog.h"
#include "controls/LBRichEdit.h"
#include "controls/MainMenuDialog.h"
#include "controls/MenuRibbon.h"
#include "controls/Paint.h"
#include "menu/TabTable.h"
#include "support/Driver.h"
#include "support/ScaledSkin.h"

namespace controls {
namespace {

using Edges = std::array<LONG, 4>;

using test::EdgesOf;

Edges In(HWND child, HWND ancestor) {
  return test::EdgesWithin(child, ancestor);
}

class ScaleTest : public ControlsTest {
 protected:
  // Skin picture `id` at `dpi`: the shared one at 96, a picture of the scaled size otherwise.
  HBITMAP Picture(int id, int dpi) {
    if (dpi == 96) return graphics_->Bitmap(id);
    win::UniqueBitmap& picture = pictures_[{id, dpi}];
    if (!picture) picture = test::ScaledPicture(graphics_->Bitmap(id), win::Scale(dpi));
    return picture.get();
  }
  // Tahoma of design height `height` at `dpi`.
  HFONT Font(int height, int weight, int dpi) {
    win::UniqueFont& font = fonts_[{height * 10000 + weight, dpi}];
    if (!font) font = test::ScaledFont(height, weight, win::Scale(dpi));
    return font.get();
  }
  ui::skin::ComboLook ComboLook(int dpi) {
    return {Font(12, FW_NORMAL, dpi),
            {Picture(IDB_COMBO_DROP_NORMAL, dpi), Picture(IDB_COMBO_DROP_HOVER, dpi),
             Picture(IDB_COMBO_DROP_PRESSED, dpi), Picture(IDB_COMBO_DROP_DISABLED, dpi)}};
  }
  ui::skin::CheckboxSkin CheckSkin(int dpi) {
    return {Picture(IDB_CHECK_OFF_NORMAL, dpi),
            Picture(IDB_CHECK_OFF_HOVER, dpi),
            Picture(IDB_CHECK_OFF_PRESSED, dpi),
            Picture(IDB_CHECK_ON_NORMAL, dpi),
            Picture(IDB_CHECK_ON_HOVER, dpi),
            Picture(IDB_CHECK_ON_PRESSED, dpi),
            Font(12, FW_NORMAL, dpi),
            RGB(255, 255, 255)};
  }
  ui::skin::PanelLook PanelLook(int dpi) {
    ui::skin::PanelLook look;
    look.background = Picture(IDB_PANEL_BACKGROUND, dpi);
    look.titleFont = Font(14, FW_BOLD, dpi);
    look.bodyFont = Font(12, FW_NORMAL, dpi);
    return look;
  }

  std::map<std::pair<int, int>, win::UniqueBitmap> pictures_;
  std::map<std::pair<int, int>, win::UniqueFont> fonts_;
};

// The design lengths of the controls at each scale, as skinscale::Px rounds them.
struct Lengths {
  int dpi;
  int one;   // 1: frames, the label's top
  int two;   // 2: the combo's button inset
  int five;  // 5: the combo's text, the check box's gap
  int ten;   // 10: the card's margins
  int x74;   // 74: the card's text column
  int x300;  // 300: the check box label's right edge
  int x305;  // 305: the check box beyond its image
};
constexpr Lengths kLengths[] = {
    {96, 1, 2, 5, 10, 74, 300, 305},
    {144, 2, 3, 8, 15, 111, 450, 458},
    {192, 2, 4, 10, 20, 148, 600, 610},
};

TEST_F(ScaleTest, AComboBoxMadeAtAScaleHasTheScaledBoxButtonTextAndList) {
  for (const Lengths& at : kLengths) {
    SCOPED_TRACE(at.dpi);
    const ui::skin::ComboLook look = ComboLook(at.dpi);
    const SIZE face = ui::BitmapSize(look.dropFaces[0]);
    ASSERT_EQ(face.cx, win::Scale(at.dpi).Px(ui::BitmapSize(graphics_->Bitmap(IDB_COMBO_DROP_NORMAL)).cx));
    ui::skin::CCustomComboBox combo;
    combo.SetScale(win::Scale(at.dpi));
    const int width = win::Scale(at.dpi).Px(220);
    ASSERT_TRUE(combo.Create(40, 300, width, host_.hwnd(), 1052, look));
    const int height = face.cy + 2 * at.two;
    EXPECT_EQ(In(combo.hwnd(), host_.hwnd()), (Edges{40, 300, 40 + width, 300 + height}));
    EXPECT_EQ(EdgesOf(combo.TextRect()), (Edges{at.five, at.two, width - face.cx - at.two, height - at.two}));
    EXPECT_EQ(In(combo.DropButton(), combo.hwnd()),
              (Edges{width - face.cx - at.two, at.two, width - at.two, at.two + face.cy}));
    EXPECT_EQ(test::FontOf(combo.hwnd()), look.font);

    for (const wchar_t* entry : {L"English-German", L"German-English", L"French-English"})
      combo.AddString(entry);
    ::SendMessageW(combo.hwnd(), WM_COMMAND, MAKEWPARAM(ui::skin::CCustomComboBox::kDropButtonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(combo.DropButton()));
    ASSERT_TRUE(combo.IsDroppedDown());
    RECT box{}, popup{};
    ::GetWindowRect(combo.hwnd(), &box);
    ::GetWindowRect(combo.Popup(), &popup);
    EXPECT_EQ(EdgesOf(popup)[0], box.left);
    EXPECT_EQ(EdgesOf(popup)[1], box.bottom);
    EXPECT_EQ(EdgesOf(popup)[2], box.right);
    // The entries inside a frame of the scale, each as high as the scaled font needs.
    const HWND list = ::GetDlgItem(combo.Popup(), IDC_COMBO_POPUP_LIST);
    EXPECT_EQ(In(list, combo.Popup()),
              (Edges{at.one, at.one, popup.right - popup.left - at.one, popup.bottom - popup.top - at.one}));
    EXPECT_EQ(test::FontOf(combo.Popup()), look.font);
    TEXTMETRICW metrics{};
    {
      const win::WindowDc dc(list);
      win::SelectScope select(dc.get(), look.font);
      ::GetTextMetricsW(dc.get(), &metrics);
    }
    RECT first{LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const int entry = first.bottom - first.top;
    EXPECT_GE(entry, metrics.tmHeight);
    EXPECT_EQ(popup.bottom - popup.top, 3 * entry + 2 * at.one);
  }
}

TEST_F(ScaleTest, AComboBoxKeepsItsEntriesItsOpenListAndTheFocusFrom96To192AndBack) {
  ui::skin::CCustomComboBox combo;
  ASSERT_TRUE(combo.Create(40, 300, 220, host_.hwnd(), 1052, ComboLook(96)));
  for (const wchar_t* entry : {L"English-German", L"German-English", L"French-English"})
    combo.AddString(entry);
  combo.SetCurSel(1);
  ::SendMessageW(combo.hwnd(), WM_COMMAND, MAKEWPARAM(ui::skin::CCustomComboBox::kDropButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(combo.DropButton()));
  ASSERT_TRUE(combo.IsDroppedDown());
  const HWND focus = ::GetFocus();
  ASSERT_EQ(focus, ::GetDlgItem(combo.Popup(), IDC_COMBO_POPUP_LIST));
  const Edges box = In(combo.hwnd(), host_.hwnd()), button = In(combo.DropButton(), combo.hwnd()),
              popup = In(combo.Popup(), host_.hwnd()), text = EdgesOf(combo.TextRect());

  for (const int dpi : {192, 96}) {
    SCOPED_TRACE(dpi);
    combo.SetLook(ComboLook(dpi));
    test::ApplyScale(host_.hwnd(), dpi);
    EXPECT_TRUE(combo.IsDroppedDown());
    EXPECT_EQ(::GetFocus(), focus);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.GetText(), L"German-English");
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(test::FontOf(combo.hwnd()), ComboLook(dpi).font);
    const Edges placed = In(combo.Popup(), host_.hwnd()), now = In(combo.hwnd(), host_.hwnd());
    EXPECT_EQ(placed[1], now[3]) << "the open list stays right below the box";
    if (dpi == 192) {
      EXPECT_EQ(now[3] - now[1], ui::BitmapSize(ComboLook(192).dropFaces[0]).cy + 2 * 4);
      EXPECT_GT(placed[3] - placed[1], popup[3] - popup[1]);
    }
  }
  EXPECT_EQ(In(combo.hwnd(), host_.hwnd()), box);
  EXPECT_EQ(In(combo.DropButton(), combo.hwnd()), button);
  EXPECT_EQ(In(combo.Popup(), host_.hwnd()), popup);
  EXPECT_EQ(EdgesOf(combo.TextRect()), text);
}

TEST_F(ScaleTest, ACheckBoxMadeAtAScaleHasItsImageLabelAndWidthOfThatScale) {
  for (const Lengths& at : kLengths) {
    SCOPED_TRACE(at.dpi);
    const ui::skin::CheckboxSkin skin = CheckSkin(at.dpi);
    const SIZE image = ui::BitmapSize(skin.offNormal);
    ui::skin::CCustomCheckbox box;
    box.SetScale(win::Scale(at.dpi));
    ASSERT_TRUE(box.Create(100, 200, IDS_SHOW_ALL_FEATURES, host_.hwnd(), 4711, skin));
    EXPECT_EQ(In(box.hwnd(), host_.hwnd()), (Edges{100, 200, 100 + image.cx + at.x305, 200 + image.cy}));
    EXPECT_EQ(In(box.ImageButton(), box.hwnd()), (Edges{0, 0, image.cx, image.cy}));
    EXPECT_EQ(In(box.Label(), box.hwnd()), (Edges{image.cx + at.five, at.one, at.x300, image.cy}));
    EXPECT_EQ(test::FontOf(box.hwnd()), skin.labelFont);
    EXPECT_EQ(test::FontHeightOf(test::FontOf(box.hwnd())), win::Scale(at.dpi).Px(12));
  }
}

TEST_F(ScaleTest, ACheckBoxKeepsItsTickAndLabelFrom96To192AndBack) {
  ui::skin::CCustomCheckbox box;
  ASSERT_TRUE(box.Create(100, 200, IDS_SHOW_ALL_FEATURES, host_.hwnd(), 4711, CheckSkin(96)));
  ::SendMessageW(box.hwnd(), BM_SETCHECK, BST_CHECKED, 0);
  const Edges whole = In(box.hwnd(), host_.hwnd()), image = In(box.ImageButton(), box.hwnd()),
              label = In(box.Label(), box.hwnd());
  for (const int dpi : {192, 96}) {
    SCOPED_TRACE(dpi);
    box.SetSkin(CheckSkin(dpi));
    test::ApplyScale(host_.hwnd(), dpi);
    EXPECT_TRUE(box.Ticked());
    EXPECT_EQ(test::ShownText(box.Label()), L"Show all features of VANTO translators");
    const SIZE face = ui::BitmapSize(CheckSkin(dpi).onNormal);
    EXPECT_EQ(In(box.ImageButton(), box.hwnd()), (Edges{0, 0, face.cx, face.cy}));
    EXPECT_EQ(test::FontHeightOf(test::FontOf(box.hwnd())), win::Scale(dpi).Px(12));
  }
  EXPECT_EQ(In(box.hwnd(), host_.hwnd()), whole);
  EXPECT_EQ(In(box.ImageButton(), box.hwnd()), image);
  EXPECT_EQ(In(box.Label(), box.hwnd()), label);
}

TEST_F(ScaleTest, AButtonIsAsLargeAsItsFaceAndPlacesItsTextsAtItsScale) {
  const std::array<int, 3> faces = {IDB_PUSH_NORMAL, IDB_PUSH_HOVER, IDB_PUSH_PRESSED};
  for (const Lengths& at : kLengths) {
    SCOPED_TRACE(at.dpi);
    CMenuButton button;
    button.SetScale(win::Scale(at.dpi));
    ASSERT_TRUE(button.Create(10, 10, Picture(faces[0], at.dpi), Picture(faces[1], at.dpi),
                              Picture(faces[2], at.dpi), MenuButtonStyle::kCard, 0, 0, host_.hwnd(), 77));
    const SIZE face = ui::BitmapSize(Picture(faces[0], at.dpi));
    EXPECT_EQ(button.Size().cx, face.cx);
    EXPECT_EQ(button.Size().cy, face.cy);
    EXPECT_EQ(In(button.hwnd(), host_.hwnd()), (Edges{10, 10, 10 + face.cx, 10 + face.cy}));
    EXPECT_EQ(EdgesOf(button.CaptionRect()), (Edges{at.x74, at.ten, face.cx - at.ten, face.cy / 2 - at.one}));
    EXPECT_EQ(EdgesOf(button.DescriptionRect()),
              (Edges{at.x74, face.cy / 2 + at.one, face.cx - at.ten, face.cy - at.ten}));
    button.SetCaptionFont(Font(14, FW_BOLD, at.dpi), RGB(0, 0, 0));
    EXPECT_EQ(test::FontOf(button.hwnd()), Font(14, FW_BOLD, at.dpi));
  }
}

TEST_F(ScaleTest, AButtonWithFacesOfItsOwnTakesThePicturesOfTheScaleItIsMovedTo) {
  const std::array<int, 4>& faces = ui::TabInStartSlot(1)->startFaces;
  CMenuButton button;
  ASSERT_TRUE(button.CreateWithSkinFaces(10, 10, faces, MenuButtonStyle::kCard, 0, 0, host_.hwnd(), 77));
  const Edges before = In(button.hwnd(), host_.hwnd());
  const RECT caption = button.CaptionRect();
  for (const int dpi : {144, 192, 96}) {
    SCOPED_TRACE(dpi);
    test::ApplyScale(host_.hwnd(), dpi);
    EXPECT_EQ(button.GetScale().dpi(), dpi);
    const SIZE picture = ui::SkinBitmapSize(faces[0], win::Scale(dpi));
    ASSERT_GT(picture.cx, 0);
    EXPECT_EQ(button.Size().cx, picture.cx);
    EXPECT_EQ(button.Size().cy, picture.cy);
    EXPECT_EQ(button.CaptionRect().left, win::Scale(dpi).Px(74));
  }
  EXPECT_EQ(In(button.hwnd(), host_.hwnd()), before);
  EXPECT_EQ(EdgesOf(button.CaptionRect()), EdgesOf(caption));
}

TEST_F(ScaleTest, TheStartPageAndTheRibbonLayOutAt192AndComeBackTo96AsTheyWere) {
  const MainMenuFonts fonts{
      graphics_->Font(app::SharedFont::kTahoma18Bold), graphics_->Font(app::SharedFont::kTahoma14Bold),
      graphics_->Font(app::SharedFont::kTahoma12), graphics_->Font(app::SharedFont::kTahoma12Bold)};
  CMainMenuDialog page;
  ASSERT_TRUE(page.Create(host_.hwnd(), 5, 140, fonts));
  CMenuRibbon ribbon;
  ASSERT_TRUE(ribbon.Create(5, 5, host_.hwnd(), 900, graphics_->Font(app::SharedFont::kTahoma12Bold)));
  page.SetText(L"Welcome");
  std::vector<HWND> windows{page.hwnd(), ::GetDlgItem(page.hwnd(), IDC_START_TEXT), ribbon.hwnd()};
  std::vector<std::wstring> captions;
  for (const ui::TabRow& row : ui::kTabs) {
    windows.push_back(page.Button(row.startButtonId)->hwnd());
    windows.push_back(ribbon.Tab(row.ribbonId)->hwnd());
    captions.push_back(ribbon.Tab(row.ribbonId)->Caption());
  }
  std::vector<Edges> before;
  for (const HWND window : windows) before.push_back(In(window, host_.hwnd()));
  ribbon.Select(ui::kTabs[2].ribbonId);

  test::ApplyScale(host_.hwnd(), 192);
  const win::Scale scale(192);
  // The large button at (20, 15) of the design; the cards below it in two columns of three.
  const SIZE large = ui::SkinBitmapSize(ui::TabInStartSlot(0)->startFaces[1], scale);
  const SIZE card = ui::SkinBitmapSize(ui::TabInStartSlot(1)->startFaces[1], scale);
  const Edges largeAt = In(page.Button(ui::TabInStartSlot(0)->startButtonId)->hwnd(), page.hwnd());
  EXPECT_EQ(largeAt[0], 40);
  EXPECT_EQ(largeAt[1], 30);
  for (size_t slot = 1; slot < CMainMenuDialog::kButtonCount; ++slot) {
    SCOPED_TRACE(slot);
    const CMenuButton& button = *page.Button(ui::TabInStartSlot(slot)->startButtonId);
    const int column = static_cast<int>(slot - 1) / 3, line = static_cast<int>(slot - 1) % 3;
    const Edges at = In(button.hwnd(), page.hwnd());
    EXPECT_EQ(at[0], 2 + column * card.cx);
    EXPECT_EQ(at[1], large.cy + 58 + line * (card.cy + 2));
    const SIZE face = ui::SkinBitmapSize(ui::TabInStartSlot(slot)->startFaces[0], scale);
    EXPECT_EQ(at[2] - at[0], face.cx);
    EXPECT_EQ(at[3] - at[1], face.cy);
  }
  const Edges text = In(::GetDlgItem(page.hwnd(), IDC_START_TEXT), page.hwnd());
  EXPECT_EQ(text[0], 48);
  EXPECT_EQ(text[1], 30 + large.cy);
  EXPECT_EQ(test::FontOf(page.hwnd()), fonts.text);
  // The tabs side by side, each as large as its face at the scale, the selection kept.
  int left = 0;
  for (size_t slot = 0; slot < CMenuRibbon::kTabCount; ++slot) {
    const CMenuButton& tab = *ribbon.Tab(ui::TabInRibbonSlot(slot)->ribbonId);
    const Edges at = In(tab.hwnd(), ribbon.hwnd());
    EXPECT_EQ(at[0], left);
    EXPECT_EQ(at[2] - at[0], ui::SkinBitmapSize(ui::TabInRibbonSlot(slot)->ribbonFaces[0], scale).cx);
    left = at[2];
  }
  EXPECT_EQ(In(ribbon.hwnd(), host_.hwnd())[2] - 5, left);
  EXPECT_EQ(ribbon.SelectedId(), ui::kTabs[2].ribbonId);

  test::ApplyScale(host_.hwnd(), 96);
  for (size_t i = 0; i < windows.size(); ++i) EXPECT_EQ(In(windows[i], host_.hwnd()), before[i]) << i;
  for (size_t i = 0; i < ui::kTabCount; ++i)
    EXPECT_EQ(ribbon.Tab(ui::kTabs[i].ribbonId)->Caption(), captions[i]) << i;
  EXPECT_EQ(ribbon.SelectedId(), ui::kTabs[2].ribbonId);
  EXPECT_EQ(ribbon.Tab(ui::kTabs[2].ribbonId)->State(), MenuButtonState::kPressed);
}

TEST_F(ScaleTest, APanelTakesItsBackgroundAndPlacesItsTextsAtTheScaleKeepingThem) {
  ui::skin::CCustomDialog panel;
  ASSERT_TRUE(panel.Create(host_.hwnd(), {9, 146}, IDD_TASK_PANEL, PanelLook(96)));
  panel.SetTitleAndSteps(L"Translate a document", L"1. Choose the document.\n2. Choose the direction.");
  const Edges whole = In(panel.hwnd(), host_.hwnd()), title = In(panel.Title(), panel.hwnd()),
              steps = In(panel.Steps(), panel.hwnd());

  panel.SetLook(PanelLook(192));
  test::ApplyScale(host_.hwnd(), 192);
  const SIZE background = ui::BitmapSize(PanelLook(192).background);
  const Edges scaled = In(panel.hwnd(), host_.hwnd());
  EXPECT_EQ(scaled[2] - scaled[0], background.cx);
  EXPECT_EQ(scaled[3] - scaled[1], background.cy);
  RECT shape{};
  win::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(panel.hwnd(), region.get()), ERROR);
  ::GetRgnBox(region.get(), &shape);
  EXPECT_GT(shape.right, background.cx * 9 / 10) << "the shape is the scaled background's";
  const Edges titleAt = In(panel.Title(), panel.hwnd());
  EXPECT_EQ(titleAt[0], 36);
  EXPECT_EQ(titleAt[1], 28);
  EXPECT_EQ(titleAt[2] - titleAt[0], 396);
  EXPECT_GT(In(panel.Steps(), panel.hwnd())[1], titleAt[3]);
  EXPECT_EQ(test::WindowText(panel.Title()), L"Translate a document");
  EXPECT_EQ(test::FontOf(panel.hwnd()), PanelLook(192).bodyFont);
  EXPECT_EQ(test::FontOf(panel.Title()), PanelLook(192).titleFont);

  panel.SetLook(PanelLook(96));
  test::ApplyScale(host_.hwnd(), 96);
  EXPECT_EQ(In(panel.hwnd(), host_.hwnd()), whole);
  EXPECT_EQ(In(panel.Title(), panel.hwnd()), title);
  EXPECT_EQ(In(panel.Steps(), panel.hwnd()), steps);
  EXPECT_EQ(test::WindowText(panel.Steps()), L"1. Choose the document.\n2. Choose the direction.");
}

TEST_F(ScaleTest, ATextFieldKeepsItsTextAndSelectionAndTakesTheMarginsAndFontOfTheScale) {
  ui::skin::CLBRichEdit field;
  ASSERT_TRUE(field.Create(host_.hwnd(), 1201, {20, 20, 300, 120}, Font(12, FW_NORMAL, 96)));
  field.SetText(L"Der Hund schläft.\r\nDie Katze nicht.");
  CHARRANGE selection{4, 8};
  ::SendMessageW(field.hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  EXPECT_EQ(test::FontOf(field.hwnd()), Font(12, FW_NORMAL, 96));

  for (const int dpi : {192, 96}) {
    SCOPED_TRACE(dpi);
    field.SetFont(Font(12, FW_NORMAL, dpi));
    test::ApplyScale(host_.hwnd(), dpi);
    // The message reached the field through its subclass. (Wine's control keeps its text at the
    // frame whatever margins it is given, so where the text starts cannot be read back here.)
    EXPECT_EQ(field.GetScale().dpi(), dpi);
    EXPECT_EQ(field.Margin(), dpi == 192 ? 6 : 3);
    EXPECT_EQ(test::FontOf(field.hwnd()), Font(12, FW_NORMAL, dpi));
    EXPECT_EQ(field.Text(), L"Der Hund schläft.\r\nDie Katze nicht.");
    CHARRANGE now{};
    ::SendMessageW(field.hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
    EXPECT_EQ(now.cpMin, 4);
    EXPECT_EQ(now.cpMax, 8);
  }
}

}  // namespace
}  // namespace controls
