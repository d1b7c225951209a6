// The skinned combo box in a real window: its entries, what it tells its parent, its popup list
// opened and chosen from with clicks, where that list sits, and its frame on the screen.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsHost.h"
#include "ResourceIds.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "support/RemoteControls.h"
#include "controls/Paint.h"
#include "controls/CustomComboBox.h"

namespace controls {
namespace {

using namespace std::chrono_literals;

constexpr POINT kComboAt{40, 300};
constexpr int kWidth = 220;
constexpr int kComboId = 1052;
constexpr Note kComboDropDown{WM_COMMAND, MAKEWPARAM(kComboId, CBN_DROPDOWN)};
constexpr Note kComboSelChange{WM_COMMAND, MAKEWPARAM(kComboId, CBN_SELCHANGE)};

class ComboBoxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ui::skin::ComboLook look;
    look.font = graphics_->Font(app::SharedFont::kTahoma12);
    look.dropFaces = {graphics_->Bitmap(IDB_COMBO_DROP_NORMAL), graphics_->Bitmap(IDB_COMBO_DROP_HOVER),
                      graphics_->Bitmap(IDB_COMBO_DROP_PRESSED), graphics_->Bitmap(IDB_COMBO_DROP_DISABLED)};
    ASSERT_TRUE(combo_.Create(kComboAt.x, kComboAt.y, kWidth, host_.hwnd(), kComboId, look));
  }

  void Add(const std::vector<std::wstring>& texts) {
    for (const auto& text : texts) combo_.AddString(text);
  }

  [[nodiscard]] static RECT ScreenRect(HWND window) {
    RECT rc{};
    ::GetWindowRect(window, &rc);
    return rc;
  }

  void ExpectPopupBelowCombo() const {
    const RECT combo = ScreenRect(combo_.hwnd()), popup = ScreenRect(combo_.Popup());
    EXPECT_EQ(popup.left, combo.left);
    EXPECT_EQ(popup.top, combo.bottom);
    EXPECT_EQ(popup.right, combo.right);
  }

  ui::skin::CCustomComboBox combo_;
};

TEST_F(ComboBoxTest, EntriesAreAddedInsertedAndFoundByTheirWholeTextIgnoringCase) {
  EXPECT_EQ(combo_.AddString(L"English-German"), 0);
  EXPECT_EQ(combo_.AddString(L"German-English"), 1);
  EXPECT_EQ(combo_.InsertString(1, L"French-English"), 1);
  EXPECT_EQ(combo_.InsertString(99, L"Russian-English"), 3);
  ASSERT_EQ(combo_.GetCount(), 4);

  const struct {
    const wchar_t* text;
    int index;
  } cases[] = {{L"English-German", 0},
               {L"german-english", 2},
               {L"FRENCH-ENGLISH", 1},
               {L"Russian-English", 3},
               {L"English", -1},
               {L"English-German ", -1},
               {L"", -1}};
  for (const auto& c : cases)
    EXPECT_EQ(combo_.FindStringExact(c.text), c.index) << std::wstring(c.text).size();

  combo_.ResetContent();
  EXPECT_EQ(combo_.GetCount(), 0);
  EXPECT_EQ(combo_.GetCurSel(), 0);
  EXPECT_EQ(combo_.FindStringExact(L"English-German"), -1);
}

TEST_F(ComboBoxTest, SettingTheSelectionFromCodeKeepsItInRangeAndAlwaysNotifies) {
  const struct {
    int entries;
    int requested;
    int current;
    const wchar_t* text;
  } cases[] = {{0, 0, 0, L""},      {0, 3, 0, L""},       {3, 2, 2, L"Third"},
               {3, 3, 0, L"First"}, {3, -1, 0, L"First"}, {3, 1, 1, L"Second"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.requested);
    combo_.ResetContent();
    const std::vector<std::wstring> texts{L"First", L"Second", L"Third"};
    Add({texts.begin(), texts.begin() + c.entries});
    combo_.SetCurSel(1 - c.current);  // start elsewhere when there is an elsewhere
    host_.Forget();
    combo_.SetCurSel(c.requested);
    EXPECT_EQ(combo_.GetCurSel(), c.current);
    EXPECT_EQ(combo_.GetText(), c.text);
    EXPECT_EQ(host_.Notes(), (std::vector<Note>{kComboSelChange}));
  }
}

TEST_F(ComboBoxTest, AClickOpensTheListAndASecondClickClosesItWithoutTellingTheParent) {
  Add({L"First", L"Second"});
  const HWND button = ::GetDlgItem(combo_.hwnd(), ui::skin::CCustomComboBox::kDropButtonId);
  ASSERT_NE(button, nullptr);
  // The box itself and its drop button both open and close the list.
  for (const HWND target : {combo_.hwnd(), button}) {
    host_.Forget();
    test::Click(target);
    host_.Settle();
    EXPECT_TRUE(combo_.IsDroppedDown());
    EXPECT_EQ(host_.Notes(), (std::vector<Note>{kComboDropDown}));
    test::Click(target);
    host_.Settle();
    EXPECT_FALSE(combo_.IsDroppedDown());
    EXPECT_EQ(host_.Notes(), (std::vector<Note>{kComboDropDown}));
  }
}

// A press of the real mouse button at the centre of `window`: the input goes through the system, so
// activation moves as it does for the user.
void RealClick(HWND window) {
  RECT rc{};
  ::GetWindowRect(window, &rc);
  ::SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, inputs, sizeof(INPUT));
}

TEST_F(ComboBoxTest, ARealClickOnTheBoxOrItsButtonClosesTheOpenListInsteadOfOpeningItAgain) {
  Add({L"First", L"Second"});
  const HWND button = ::GetDlgItem(combo_.hwnd(), ui::skin::CCustomComboBox::kDropButtonId);
  ASSERT_NE(button, nullptr);
  for (const HWND target : {combo_.hwnd(), button}) {
    SCOPED_TRACE(target == button ? "button" : "box");
    RealClick(target);
    EXPECT_TRUE(test::WaitUntil([&] { return ::GetForegroundWindow() == combo_.Popup(); }, 5s));
    host_.Settle();
    EXPECT_TRUE(combo_.IsDroppedDown());
    host_.Forget();
    RealClick(target);
    EXPECT_TRUE(test::WaitUntil([&] { return ::GetForegroundWindow() == host_.hwnd(); }, 5s));
    host_.Settle();
    EXPECT_FALSE(combo_.IsDroppedDown());
    EXPECT_TRUE(host_.Notes().empty());
  }
}

// Opens the list with a real click on the box, as a person does: the list takes the activation and
// the keyboard.
::testing::AssertionResult OpenForKeys(const ui::skin::CCustomComboBox& combo, TestHost& host) {
  RealClick(combo.hwnd());
  const HWND list = ::GetDlgItem(combo.Popup(), IDC_COMBO_POPUP_LIST);
  if (!test::WaitUntil([&] { return ::GetForegroundWindow() == combo.Popup() && ::GetFocus() == list; }, 5s))
    return ::testing::AssertionFailure() << "the list did not take the keyboard";
  host.Settle();
  return ::testing::AssertionSuccess();
}

int Highlighted(const ui::skin::CCustomComboBox& combo) {
  const HWND list = ::GetDlgItem(combo.Popup(), IDC_COMBO_POPUP_LIST);
  return static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

TEST_F(ComboBoxTest, TheListOpensWithTheCurrentEntryHighlighted) {
  Add({L"First", L"Second", L"Third", L"Fourth"});
  for (int current : {2, 0, 3}) {
    SCOPED_TRACE(current);
    combo_.SetCurSel(current);
    ASSERT_TRUE(OpenForKeys(combo_, host_));
    EXPECT_EQ(Highlighted(combo_), current);
    test::PressKey(VK_ESCAPE);
    EXPECT_TRUE(test::WaitUntil([&] { return !combo_.IsDroppedDown(); }, 5s));
  }
}

// Keys in the open list: the arrows move on from the current entry, Enter takes the highlighted
// entry and Escape keeps the current one; both close the list.
TEST_F(ComboBoxTest, EnterTakesTheHighlightedEntryAndEscapeKeepsTheCurrentOne) {
  Add({L"First", L"Second", L"Third", L"Fourth"});
  const struct {
    const char* what;
    std::vector<WORD> keys;
    int current;
    const wchar_t* text;
    bool notified;
  } cases[] = {
      {"Down, Enter", {VK_DOWN, VK_RETURN}, 2, L"Third", true},
      {"Down, Down, Escape", {VK_DOWN, VK_DOWN, VK_ESCAPE}, 1, L"Second", false},
      {"Up, Enter", {VK_UP, VK_RETURN}, 0, L"First", true},
      {"Enter at once", {VK_RETURN}, 1, L"Second", true},
      {"End, Enter", {VK_END, VK_RETURN}, 3, L"Fourth", true},
      {"Escape at once", {VK_ESCAPE}, 1, L"Second", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    combo_.SetCurSel(1);
    ASSERT_TRUE(OpenForKeys(combo_, host_));
    host_.Forget();
    for (WORD key : c.keys) test::PressKey(key);
    EXPECT_TRUE(test::WaitUntil([&] { return !combo_.IsDroppedDown(); }, 5s));
    host_.Settle();
    EXPECT_EQ(combo_.GetCurSel(), c.current);
    EXPECT_EQ(combo_.GetText(), c.text);
    EXPECT_EQ(test::WindowText(combo_.hwnd()), c.text);  // what a screen reader reads
    EXPECT_EQ(host_.Notes(), c.notified ? std::vector<Note>{kComboSelChange} : std::vector<Note>{});
    EXPECT_TRUE(::IsWindow(host_.hwnd()));
  }
}

// With nothing to choose the list does not open as an empty frame; the parent still hears that it
// was asked for, and fills it then (the quick-translation panel fills its profiles so).
TEST_F(ComboBoxTest, AnEmptyListStaysClosedAndAListFilledOnRequestOpens) {
  for (const HWND target :
       {combo_.hwnd(), ::GetDlgItem(combo_.hwnd(), ui::skin::CCustomComboBox::kDropButtonId)}) {
    host_.Forget();
    test::Click(target);
    host_.Settle();
    EXPECT_FALSE(combo_.IsDroppedDown());
    EXPECT_FALSE(::IsWindowVisible(combo_.Popup()));
    EXPECT_EQ(host_.Notes(), (std::vector<Note>{kComboDropDown}));
    EXPECT_EQ(test::WindowText(combo_.hwnd()), L"");
  }
  host_.OnCommand([this](WPARAM wParam) {
    if (HIWORD(wParam) == CBN_DROPDOWN && combo_.GetCount() == 0)
      for (const wchar_t* text : {L"Filled", L"On request"}) combo_.AddString(text);
  });
  host_.Forget();
  test::Click(combo_.hwnd());
  host_.Settle();
  EXPECT_TRUE(combo_.IsDroppedDown());
  EXPECT_EQ(combo_.GetCount(), 2);
  ExpectPopupBelowCombo();
  RECT popup{};
  ::GetWindowRect(combo_.Popup(), &popup);
  EXPECT_GT(popup.bottom - popup.top, 2 * 10) << "two rows tall";
}

TEST_F(ComboBoxTest, AClickOnAnEntryOfTheListMakesItCurrentAndClosesTheList) {
  Add({L"First", L"Second", L"Third"});
  test::Click(combo_.hwnd());
  host_.Settle();
  ASSERT_TRUE(combo_.IsDroppedDown());
  host_.Forget();

  const HWND list = ::GetDlgItem(combo_.Popup(), IDC_COMBO_POPUP_LIST);
  ASSERT_NE(list, nullptr);
  RECT entry{LVIR_BOUNDS, 0, 0, 0};
  ASSERT_TRUE(::SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&entry)));
  test::ClickAt(list, {(entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2});
  host_.Settle();
  EXPECT_TRUE(test::WaitUntil([&] { return !combo_.IsDroppedDown(); }, 5s));
  EXPECT_EQ(combo_.GetCurSel(), 2);
  EXPECT_EQ(combo_.GetText(), L"Third");
  EXPECT_EQ(host_.Notes(), (std::vector<Note>{kComboSelChange}));
}

TEST_F(ComboBoxTest, TheListShowsEveryEntryBelowTheBoxAndFollowsTheBoxWhenItMoves) {
  const HWND list = ::GetDlgItem(combo_.Popup(), IDC_COMBO_POPUP_LIST);
  ASSERT_NE(list, nullptr);
  for (const wchar_t* text : {L"First", L"Second", L"Third", L"Fourth", L"Fifth", L"Sixth"}) {
    combo_.AddString(text);
    RECT last{LVIR_BOUNDS, 0, 0, 0}, client{};
    ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(combo_.GetCount() - 1),
                   reinterpret_cast<LPARAM>(&last));
    ::GetClientRect(list, &client);
    EXPECT_LE(last.bottom, client.bottom) << combo_.GetCount() << " entries";
    EXPECT_GT(last.bottom, client.bottom - (last.bottom - last.top)) << "no room left over";
  }
  ExpectPopupBelowCombo();

  // The box moved inside its window.
  ::SetWindowPos(combo_.hwnd(), nullptr, kComboAt.x + 30, kComboAt.y - 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ExpectPopupBelowCombo();
  // The whole window moved: the main window hands the move on to its descendants.
  ::SetWindowPos(host_.hwnd(), nullptr, 25, 15, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(combo_.hwnd(), WM_MOVE, 0, 0);
  ExpectPopupBelowCombo();
}

TEST_F(ComboBoxTest, TheBoxAndItsListAreWhiteInsideAFrameOfTheBorderColour) {
  constexpr COLORREF kBorder = RGB(59, 168, 225), kWhite = RGB(255, 255, 255);
  Add({L"First", L"Second"});
  RECT rc{};
  ::GetClientRect(combo_.hwnd(), &rc);
  EXPECT_EQ(rc.bottom, ui::BitmapSize(graphics_->Bitmap(IDB_COMBO_DROP_NORMAL)).cy + 4);
  const auto framed = [&](HWND window) {
    const Pixels p = Grab(window);
    if (p.width < 4 || p.height < 4) return false;
    const int midY = p.height / 2;
    return p.At(0, midY) == kBorder && p.At(p.width - 1, midY) == kBorder &&
           p.At(p.width / 4, 0) == kBorder && p.At(p.width / 4, p.height - 1) == kBorder &&
           p.At(2, midY) == kWhite;
  };
  EXPECT_TRUE(test::WaitUntil([&] { return framed(combo_.hwnd()); }, 5s));
  test::Click(combo_.hwnd());
  host_.Settle();
  ASSERT_TRUE(combo_.IsDroppedDown());
  EXPECT_TRUE(test::WaitUntil([&] { return framed(combo_.Popup()); }, 5s));
}

}  // namespace
}  // namespace controls
