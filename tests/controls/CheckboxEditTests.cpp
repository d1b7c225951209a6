// The panels' check box and bordered edit in a real window: the check box's layout, its clicks on
// either part, its faces and tip; the edit's frame on the screen while it still edits.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ControlsHost.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "support/Driver.h"
#include "controls/Paint.h"
#include "controls/CustomCheckbox.h"
#include "controls/CustomEdit.h"

namespace controls {
namespace {

using namespace std::chrono_literals;

constexpr POINT kCheckboxAt{100, 200};
constexpr int kCheckboxId = 4711;
constexpr COLORREF kTextColor = RGB(255, 255, 255);
constexpr wchar_t kLabel[] = L"Show all features of VANTO translators";

std::array<LONG, 4> EdgesOfRect(const RECT& rc) {
  return {rc.left, rc.top, rc.right, rc.bottom};
}

class CustomCheckboxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    skin_ = {graphics_->Bitmap(IDB_CHECK_OFF_NORMAL),     graphics_->Bitmap(IDB_CHECK_OFF_HOVER),
             graphics_->Bitmap(IDB_CHECK_OFF_PRESSED),    graphics_->Bitmap(IDB_CHECK_ON_NORMAL),
             graphics_->Bitmap(IDB_CHECK_ON_HOVER),       graphics_->Bitmap(IDB_CHECK_ON_PRESSED),
             graphics_->Font(app::SharedFont::kTahoma12), kTextColor};
    ASSERT_NE(skin_.offNormal, nullptr);
    image_ = ui::BitmapSize(skin_.offNormal);
  }

  bool Create() {
    return box_.Create(kCheckboxAt.x, kCheckboxAt.y, IDS_SHOW_ALL_FEATURES, host_.hwnd(), kCheckboxId, skin_);
  }

  // Whether the screen shows face `shown` (rather than `other`) at the box's image.
  bool Showing(int shown, int other) {
    const Pixels face = SkinPixels(shown), rest = SkinPixels(other);
    return test::WaitUntil(
        [&] { return ShareShowing(Grab(host_.hwnd()), kCheckboxAt, face, rest, {}) > 0.95; }, 5s);
  }

  ui::skin::CheckboxSkin skin_;
  SIZE image_{};
  ui::skin::CCustomCheckbox box_;
};

TEST_F(CustomCheckboxTest, PlacesTheImageAndATransparentLabelBesideIt) {
  host_.Settle();
  const Pixels before = Grab(host_.hwnd());
  ASSERT_TRUE(Create());
  EXPECT_EQ(EdgesOfRect(RectIn(box_.hwnd(), host_.hwnd())),
            EdgesOfRect(
                {kCheckboxAt.x, kCheckboxAt.y, kCheckboxAt.x + image_.cx + 305, kCheckboxAt.y + image_.cy}));
  EXPECT_EQ(EdgesOfRect(RectIn(box_.ImageButton(), box_.hwnd())), EdgesOfRect({0, 0, image_.cx, image_.cy}));
  const RECT label = RectIn(box_.Label(), box_.hwnd());
  EXPECT_EQ(EdgesOfRect(label), EdgesOfRect({image_.cx + 5, 1, 300, image_.cy}));
  EXPECT_EQ(test::ShownText(box_.Label()), kLabel);
  EXPECT_FALSE(box_.Ticked());
  EXPECT_TRUE(Showing(IDB_CHECK_OFF_NORMAL, IDB_CHECK_ON_NORMAL));

  // The label's text is drawn in the box's colour straight on what the window shows behind it.
  int text = 0, other = 0, background = 0;
  const Pixels after = Grab(host_.hwnd());
  for (int y = kCheckboxAt.y + label.top; y < kCheckboxAt.y + label.bottom; ++y)
    for (int x = kCheckboxAt.x + label.left; x < kCheckboxAt.x + label.right; ++x) {
      if (after.At(x, y) == kTextColor)
        ++text;
      else if (after.At(x, y) == before.At(x, y))
        ++background;
      else
        ++other;
    }
  EXPECT_GT(text, 20);
  // Smoothed glyph edges blend the two; an opaque label would leave hardly any background.
  EXPECT_GT(background, 3 * (text + other)) << text << " text, " << other << " other, " << background;
}

TEST_F(CustomCheckboxTest, AClickOnEitherPartTogglesAndTellsTheParentOnce) {
  ASSERT_TRUE(Create());
  const struct {
    const char* part;
    bool label;
    bool ticked;
  } clicks[] = {
      {"label", true, true}, {"label", true, false}, {"image", false, true}, {"image", false, false}};
  for (const auto& click : clicks) {
    SCOPED_TRACE(click.part);
    host_.Forget();
    test::Click(click.label ? box_.Label() : box_.ImageButton());
    host_.Settle();
    EXPECT_EQ(host_.Notes(), (std::vector<Note>{{WM_COMMAND, MAKEWPARAM(kCheckboxId, BN_CLICKED)}}));
    EXPECT_EQ(box_.Ticked(), click.ticked);
    // The image keeps its normal face while the label is clicked; a click on the image leaves the
    // pointer over it: the hover face of the new state.
    const int hover[2] = {IDB_CHECK_OFF_HOVER, IDB_CHECK_ON_HOVER};
    const int normal[2] = {IDB_CHECK_OFF_NORMAL, IDB_CHECK_ON_NORMAL};
    const int* faces = click.label ? normal : hover;
    EXPECT_TRUE(Showing(faces[click.ticked], faces[!click.ticked]));
  }
}

TEST_F(CustomCheckboxTest, SettingTheStateFromCodeShowsItWithoutTellingTheParent) {
  ASSERT_TRUE(Create());
  host_.Forget();
  box_.SetTicked(true);
  host_.Settle();
  EXPECT_TRUE(box_.Ticked());
  EXPECT_TRUE(Showing(IDB_CHECK_ON_NORMAL, IDB_CHECK_OFF_NORMAL));
  box_.SetTicked(false);
  host_.Settle();
  EXPECT_FALSE(box_.Ticked());
  EXPECT_TRUE(Showing(IDB_CHECK_OFF_NORMAL, IDB_CHECK_ON_NORMAL));
  EXPECT_TRUE(host_.Notes().empty());
}

TEST_F(CustomCheckboxTest, BothPartsShowTheLabelAsTheirTip) {
  ASSERT_TRUE(Create());
  ASSERT_NE(box_.Tooltip(), nullptr);
  EXPECT_EQ(::SendMessageW(box_.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 2);
  for (HWND part : {box_.ImageButton(), box_.Label()}) {
    wchar_t buffer[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = box_.hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(part);
    tool.lpszText = buffer;
    ::SendMessageW(box_.Tooltip(), TTM_GETTEXTW, std::size(buffer), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(buffer, kLabel);
  }
}

TEST_F(CustomCheckboxTest, AnswersTheSystemCheckBoxMessages) {
  ASSERT_TRUE(Create());
  host_.Forget();
  EXPECT_EQ(::SendMessageW(box_.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ::SendMessageW(box_.hwnd(), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(box_.Ticked());
  EXPECT_EQ(::SendMessageW(box_.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  host_.Settle();
  EXPECT_TRUE(host_.Notes().empty()) << "set from code: the parent is not told";
  ::SendMessageW(box_.hwnd(), BM_CLICK, 0, 0);
  host_.Settle();
  EXPECT_FALSE(box_.Ticked());
  EXPECT_EQ(host_.Notes(), (std::vector<Note>{{WM_COMMAND, MAKEWPARAM(kCheckboxId, BN_CLICKED)}}));
}

TEST_F(CustomCheckboxTest, AClickOnTheBoxBesideItsPartsTogglesOnlyWhenPressedAndReleasedOnIt) {
  ASSERT_TRUE(Create());
  // Right of the label: the box's own surface.
  const POINT on{image_.cx + 303, image_.cy / 2}, off{-40, image_.cy / 2};
  const struct {
    const char* what;
    bool press;
    POINT release;
    bool toggles;
  } clicks[] = {{"press and release on it", true, on, true},
                {"release off it", true, off, false},
                {"release without a press", false, on, false}};
  for (const auto& click : clicks) {
    SCOPED_TRACE(click.what);
    const bool before = box_.Ticked();
    host_.Forget();
    if (click.press) ::PostMessageW(box_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on.x, on.y));
    ::PostMessageW(box_.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(click.release.x, click.release.y));
    host_.Settle();
    EXPECT_EQ(box_.Ticked(), click.toggles ? !before : before);
    EXPECT_EQ(host_.Notes().size(), click.toggles ? 1u : 0u);
    EXPECT_NE(::GetCapture(), box_.hwnd());
  }
}

TEST_F(CustomCheckboxTest, AHostWithItsOwnTipsGetsABoxWithoutOne) {
  skin_.ownTooltip = false;
  ASSERT_TRUE(Create());
  EXPECT_EQ(box_.Tooltip(), nullptr);
  EXPECT_EQ(test::ShownText(box_.hwnd()), kLabel);  // where the host's tips read the text
}

class CustomEditTest : public ControlsTest {};

TEST_F(CustomEditTest, FramesTheWholeWindowInTheBorderColourAndStillEdits) {
  const HWND edit =
      ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 100, 300, 200,
                        24, host_.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  ui::skin::CCustomEdit framed;
  ASSERT_TRUE(framed.Attach(edit));
  EXPECT_FALSE(framed.Attach(edit));

  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Hello"));
  ::SendMessageW(edit, EM_SETSEL, 5, 5);
  ::PostMessageW(edit, WM_CHAR, L'!', 1);
  host_.Settle();
  EXPECT_EQ(test::WindowText(edit), L"Hello!");

  const RECT rc = RectIn(edit, host_.hwnd());
  int off = 0;
  const auto frameOff = [&] {
    const Pixels screen = Grab(host_.hwnd());
    off = 0;
    for (int x = rc.left; x < rc.right; ++x)
      off += (screen.At(x, rc.top) != RGB(59, 168, 225)) + (screen.At(x, rc.bottom - 1) != RGB(59, 168, 225));
    for (int y = rc.top; y < rc.bottom; ++y)
      off += (screen.At(rc.left, y) != RGB(59, 168, 225)) + (screen.At(rc.right - 1, y) != RGB(59, 168, 225));
    return off == 0;
  };
  EXPECT_TRUE(test::WaitUntil(frameOff, 5s)) << off << " frame pixels in another colour";
  ::DestroyWindow(edit);
  EXPECT_EQ(framed.hwnd(), nullptr);
}

}  // namespace
}  // namespace controls
