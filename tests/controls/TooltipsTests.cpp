// The main window's tooltips on real buttons: the texts they ask for, and that the buttons keep their
// own window procedure, so the tips see each mouse message once, through the window's relay.
#include <gtest/gtest.h>

#include "ControlsHost.h"
#include "controls/MenuButton.h"
#include "window/Tooltips.h"

namespace controls {
namespace {

class TooltipsTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    const struct {
      int id;
      UINT captionId;
    } buttons[] = {{319, 0}, {310, 0}, {327, 0}, {324, 240}};
    for (size_t i = 0; i < std::size(buttons_); ++i)
      ASSERT_TRUE(buttons_[i].Create(10 + 60 * static_cast<int>(i), 10, nullptr, nullptr, nullptr,
                                     MenuButtonStyle::kPush, buttons[i].captionId, 0, host_.hwnd(),
                                     buttons[i].id));
    ASSERT_TRUE(tips_.Create(
        host_.hwnd(), {buttons_[0].hwnd(), buttons_[1].hwnd(), buttons_[2].hwnd(), buttons_[3].hwnd()}));
  }

  // What the tip of `control` shows, asked as the tooltip control asks its owner.
  std::wstring TipText(HWND control) {
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = tips_.hwnd();
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(control);
    info.hdr.code = TTN_GETDISPINFOW;
    if (!tips_.OnNotify(info.hdr) || info.lpszText == nullptr) return L"<none>";
    return info.lpszText;
  }

  CMenuButton buttons_[4];
  ui::Tooltips tips_;
};

TEST_F(TooltipsTest, NameEachButtonPlainly) {
  EXPECT_EQ(::SendMessageW(tips_.hwnd(), TTM_GETTOOLCOUNT, 0, 0), 4);
  // The window buttons borrow the system menu's texts without indent and shortcut.
  EXPECT_EQ(TipText(buttons_[0].hwnd()), L"Close");
  EXPECT_EQ(TipText(buttons_[1].hwnd()), L"Minimize");
  EXPECT_EQ(TipText(buttons_[2].hwnd()), L"Help");
  // A captioned button is named by its caption, as it reads now.
  EXPECT_EQ(TipText(buttons_[3].hwnd()), L"About");
  buttons_[3].SetCaption(L"Launch");
  EXPECT_EQ(TipText(buttons_[3].hwnd()), L"Launch");
}

TEST_F(TooltipsTest, LeaveTheButtonsTheirOwnWindowProcedure) {
  // A tip that subclassed its tool would see every mouse message a second time beside the relay.
  for (const CMenuButton& button : buttons_)
    EXPECT_EQ(::GetWindowLongPtrW(button.hwnd(), GWLP_WNDPROC),
              ::GetClassLongPtrW(button.hwnd(), GCLP_WNDPROC));
}

}  // namespace
}  // namespace controls
