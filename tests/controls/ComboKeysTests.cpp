// The skinned combo box from the keyboard and for screen readers, in a real window: the keys of the
// closed box change its choice as the list would, F4 and Alt+Down open the list, Alt+Up, F4, Enter and
// Escape close it and give the keyboard back to the box; its name comes from the label before it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsHost.h"
#include "ResourceIds.h"
#include "SkinIds.h"
#include "support/Accessibility.h"
#include "support/Driver.h"
#include "support/RemoteControls.h"
#include "controls/CustomComboBox.h"

namespace controls {
namespace {

using namespace std::chrono_literals;

constexpr int kComboKeysId = 1053;
constexpr Note kKeysSelChange{WM_COMMAND, MAKEWPARAM(kComboKeysId, CBN_SELCHANGE)};
constexpr Note kKeysDropDown{WM_COMMAND, MAKEWPARAM(kComboKeysId, CBN_DROPDOWN)};
constexpr LPARAM kAltHeld = LPARAM{1} << 29;

class ComboKeysTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    // The label first: it stands before the box among the host's children.
    label_ = ::CreateWindowExW(0, L"Static", L"&Language pair:", WS_CHILD | WS_VISIBLE, 40, 280, 200, 16,
                               host_.hwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(label_, nullptr);
    ui::skin::ComboLook look;
    look.font = graphics_->Font(app::SharedFont::kTahoma12);
    look.dropFaces = {graphics_->Bitmap(IDB_COMBO_DROP_NORMAL), graphics_->Bitmap(IDB_COMBO_DROP_HOVER),
                      graphics_->Bitmap(IDB_COMBO_DROP_PRESSED), graphics_->Bitmap(IDB_COMBO_DROP_DISABLED)};
    ASSERT_TRUE(combo_.Create(40, 300, 220, host_.hwnd(), kComboKeysId, look));
    for (const wchar_t* text : {L"First", L"Second", L"Third", L"Fourth"}) combo_.AddString(text);
  }
  void TearDown() override {
    if (label_) ::DestroyWindow(label_);
  }

  // The box with the keyboard's focus, entry `current` chosen, the host's notes forgotten.
  void Focus(int current) {
    combo_.SetCurSel(current);
    ::SetForegroundWindow(host_.hwnd());
    ::SetFocus(combo_.hwnd());
    host_.Settle();
    host_.Forget();
  }
  void Post(UINT message, WPARAM key, LPARAM flags = 0) {
    ::PostMessageW(combo_.hwnd(), message, key, 1 | flags);
    host_.Settle();
  }
  [[nodiscard]] HWND List() const { return ::GetDlgItem(combo_.Popup(), IDC_COMBO_POPUP_LIST); }
  [[nodiscard]] bool OpenWithKeyboard() const {
    return test::WaitUntil([&] { return combo_.IsDroppedDown() && ::GetFocus() == List(); }, 5s);
  }
  [[nodiscard]] bool ClosedWithKeyboardBack() const {
    return test::WaitUntil([&] { return !combo_.IsDroppedDown() && ::GetFocus() == combo_.hwnd(); }, 5s);
  }

  HWND label_ = nullptr;
  ui::skin::CCustomComboBox combo_;
};

TEST_F(ComboKeysTest, TheBoxIsATabStopThatAsksForTheArrows) {
  EXPECT_NE(::GetWindowLongPtrW(combo_.hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(::SendMessageW(combo_.hwnd(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(ComboKeysTest, KeysOfTheClosedBoxChangeTheChoiceAsTheListDoes) {
  const struct {
    const char* what;
    int from;
    std::vector<WPARAM> keys;
    int current;
    const wchar_t* text;
    size_t notified;
  } cases[] = {
      {"Down", 1, {VK_DOWN}, 2, L"Third", 1},
      {"Up", 1, {VK_UP}, 0, L"First", 1},
      {"Up on the first", 0, {VK_UP}, 0, L"First", 0},
      {"Down five times", 1, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}, 3, L"Fourth", 2},
      {"Home", 2, {VK_HOME}, 0, L"First", 1},
      {"End", 0, {VK_END}, 3, L"Fourth", 1},
      {"End on the last", 3, {VK_END}, 3, L"Fourth", 0},
      {"Left and Right are not the box's", 1, {VK_LEFT, VK_RIGHT}, 1, L"Second", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Focus(c.from);
    for (WPARAM key : c.keys) Post(WM_KEYDOWN, key);
    EXPECT_EQ(combo_.GetCurSel(), c.current);
    EXPECT_EQ(combo_.GetText(), c.text);
    EXPECT_EQ(combo_.AccValue(CHILDID_SELF), c.text);
    EXPECT_EQ(host_.Notes(), std::vector<Note>(c.notified, kKeysSelChange));
    EXPECT_FALSE(combo_.IsDroppedDown());
  }
}

TEST_F(ComboKeysTest, F4AndAltDownOpenTheListAndAltUpF4EnterAndEscapeCloseIt) {
  const struct {
    const char* what;
    UINT openMessage;
    WPARAM openKey;
    LPARAM openFlags;
    WORD closeKey;
    bool alt;
    int current;  // from 1, after Down in the list and the closing key
  } cases[] = {
      {"F4, Escape", WM_KEYDOWN, VK_F4, 0, VK_ESCAPE, false, 1},
      {"F4, F4", WM_KEYDOWN, VK_F4, 0, VK_F4, false, 1},
      {"Alt+Down, Alt+Up", WM_SYSKEYDOWN, VK_DOWN, kAltHeld, VK_UP, true, 1},
      {"Alt+Down, Alt+Down", WM_SYSKEYDOWN, VK_DOWN, kAltHeld, VK_DOWN, true, 1},
      {"F4, Enter", WM_KEYDOWN, VK_F4, 0, VK_RETURN, false, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Focus(1);
    Post(c.openMessage, c.openKey, c.openFlags);
    ASSERT_TRUE(OpenWithKeyboard());
    EXPECT_EQ(host_.Notes(), std::vector<Note>{kKeysDropDown});
    test::PressKey(VK_DOWN);
    EXPECT_TRUE(test::WaitUntil(
        [&] { return ::SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == 2; },
        5s));
    if (c.alt)
      test::PressKey(c.closeKey, {VK_MENU});
    else
      test::PressKey(c.closeKey);
    EXPECT_TRUE(ClosedWithKeyboardBack());
    host_.Settle();
    EXPECT_EQ(combo_.GetCurSel(), c.current);
  }
}

TEST_F(ComboKeysTest, TheBoxIsNamedByTheLabelBeforeItOrByTheNameItIsGiven) {
  EXPECT_EQ(combo_.LabelText(), L"&Language pair:");
  EXPECT_EQ(combo_.AccName(CHILDID_SELF), L"Language pair:");
  EXPECT_EQ(combo_.AccKeyboardShortcut(CHILDID_SELF), L"Alt+L");
  EXPECT_EQ(combo_.AccRole(CHILDID_SELF), ROLE_SYSTEM_COMBOBOX);
  EXPECT_EQ(combo_.AccDefaultAction(CHILDID_SELF), L"Open");
  combo_.SetAccessibleName(L"Profile");
  EXPECT_EQ(combo_.AccName(CHILDID_SELF), L"Profile");
  EXPECT_EQ(combo_.AccKeyboardShortcut(CHILDID_SELF), L"");
}

TEST_F(ComboKeysTest, ScreenReadersFindTheBoxItsValueAndItsOpenListThroughOleacc) {
  combo_.SetCurSel(2);
  const test::AccNode box = test::Describe({test::AccessibleOf(combo_.hwnd())});
  EXPECT_EQ(box.role, ROLE_SYSTEM_COMBOBOX);
  EXPECT_EQ(box.name, L"Language pair:");
  EXPECT_EQ(box.value, L"Third");
  EXPECT_EQ(box.defaultAction, L"Open");
  EXPECT_NE(box.state & STATE_SYSTEM_COLLAPSED, 0);

  // The default action opens the list, after the call.
  ASSERT_EQ(test::DoDefaultAction({test::AccessibleOf(combo_.hwnd())}), S_OK);
  EXPECT_TRUE(test::WaitUntil([&] { return combo_.IsDroppedDown(); }, 5s));
  host_.Settle();
  const auto list = test::Walk({test::AccessibleOf(List())});
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list[0].role, ROLE_SYSTEM_LIST);
  EXPECT_EQ(list[0].name, L"Language pair:");
  std::vector<std::wstring> names;
  for (const auto& node : list)
    if (node.role == ROLE_SYSTEM_LISTITEM) names.push_back(node.name);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"First", L"Second", L"Third", L"Fourth"}));
  const test::AccNode* third = test::Find(list, ROLE_SYSTEM_LISTITEM, L"Third");
  ASSERT_NE(third, nullptr);
  EXPECT_NE(third->state & STATE_SYSTEM_SELECTED, 0);
  EXPECT_EQ(third->defaultAction, L"Choose");

  // Choosing an entry there makes it current and closes the list.
  const test::AccNode* first = test::Find(list, ROLE_SYSTEM_LISTITEM, L"First");
  ASSERT_NE(first, nullptr);
  host_.Forget();
  ASSERT_EQ(test::DoDefaultAction(first->element), S_OK);
  EXPECT_TRUE(test::WaitUntil([&] { return !combo_.IsDroppedDown(); }, 5s));
  host_.Settle();
  EXPECT_EQ(combo_.GetText(), L"First");
  EXPECT_EQ(host_.Notes(), std::vector<Note>{kKeysSelChange});
  EXPECT_EQ(test::Describe({test::AccessibleOf(combo_.hwnd())}).value, L"First");
}

}  // namespace
}  // namespace controls
