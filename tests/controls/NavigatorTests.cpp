// The main window's navigation over real windows: a user's journey through the start page, tabs and
// task panels, with what each step leaves visible and which tab or task content shows.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/Driver.h"
#include "ControlsHost.h"
#include "controls/MenuButton.h"
#include "controls/MenuRibbon.h"
#include "window/Navigator.h"

namespace controls {
namespace {

// The panel area as the navigator sees it: which tab's content shows and which task panels it hid.
class Content final : public ui::ViewContent {
 public:
  void ShowTab(int tab, bool show) override {
    if (show)
      shown_.insert(tab);
    else
      shown_.erase(tab);
  }
  void HideTask(int taskCode) override { hiddenTasks_.push_back(taskCode); }

  std::set<int> shown_;
  std::vector<int> hiddenTasks_;
};

class NavigatorTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_TRUE(ribbon_.Create(9, 52, host_.hwnd(), 1234));
    ::ShowWindow(ribbon_.hwnd(), SW_HIDE);
    ASSERT_TRUE(launchInstall_.Create(400, 500, nullptr, nullptr, nullptr, MenuButtonStyle::kPush, 0, 0,
                                      host_.hwnd(), 396));
    ::ShowWindow(launchInstall_.hwnd(), SW_HIDE);
    for (const wchar_t* name : {L"S", L"W", L"A", L"F", L"H", L"B"}) {
      const bool startsVisible = std::wstring(L"SWAF").find(name) != std::wstring::npos;
      parts_.push_back(::CreateWindowExW(0, L"STATIC", name, WS_CHILD | (startsVisible ? WS_VISIBLE : 0), 0,
                                         0, 10, 10, host_.hwnd(), nullptr, nullptr, nullptr));
    }
  }

  // The letters of the visible parts: Start page, Welcome, About, show-all Features, Home, Back,
  // Ribbon, Launch/Install.
  std::wstring Visible() const {
    std::wstring letters;
    for (HWND part : parts_) {
      wchar_t letter[2] = {};
      ::GetWindowTextW(part, letter, 2);
      if (::IsWindowVisible(part)) letters += letter;
    }
    if (::IsWindowVisible(ribbon_.hwnd())) letters += L'R';
    if (::IsWindowVisible(launchInstall_.hwnd())) letters += L'L';
    return letters;
  }

  CMenuRibbon ribbon_;
  CMenuButton launchInstall_;
  std::vector<HWND> parts_;
  Content content_;
};

TEST_F(NavigatorTest, AJourneyThroughTabsAndTaskPanels) {
  ui::Navigator navigator(
      {parts_[0], parts_[1], parts_[2], parts_[3], parts_[4], parts_[5], &ribbon_, &launchInstall_},
      content_);
  enum Step { kOpenTab, kShowTask, kBack, kRibbonTo, kHome };
  const struct {
    Step step;
    int argument;
    int view;
    const wchar_t* visible;
    std::set<int> shown;
    std::vector<int> hiddenTasks;
    const wchar_t* launchCaption;  // when Launch/Install shows
  } steps[] = {
      {kBack, 0, 0, L"SWAF", {}, {}, nullptr},  // nothing to go back to on the start page
      {kShowTask, 11, 0, L"SWAF", {}, {}, nullptr},
      {kOpenTab, 1, 1, L"HR", {1}, {}, nullptr},
      {kShowTask, 11, 11, L"HBR", {}, {}, nullptr},
      {kBack, 0, 1, L"HR", {1}, {11}, nullptr},
      {kShowTask, 9, 9, L"HBR", {}, {11}, nullptr},
      {kRibbonTo, 348, 3, L"HRL", {3}, {11, 9}, L"Install"},
      {kRibbonTo, 345, 7, L"HRL", {7}, {11, 9}, L"Launch"},
      {kRibbonTo, 338, 2, L"HR", {2}, {11, 9}, nullptr},
      {kShowTask, 23, 23, L"HBR", {}, {11, 9}, nullptr},
      {kHome, 0, 0, L"SWAF", {}, {11, 9, 23}, nullptr},
      {kOpenTab, 3, 3, L"HRL", {3}, {11, 9, 23}, L"Install"},
      {kHome, 0, 0, L"SWAF", {}, {11, 9, 23}, nullptr},
  };
  int number = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE(++number);
    switch (s.step) {
      case kOpenTab: navigator.OpenTab(s.argument); break;
      case kShowTask: navigator.ShowTask(s.argument); break;
      case kBack: navigator.GoBack(); break;
      case kHome: navigator.GoHome(); break;
      case kRibbonTo:
        // The ribbon's protocol: the tab left, then the tab entered.
        navigator.LeaveTab(ui::FindTab(navigator.Tab())->ribbonId);
        navigator.EnterTab(s.argument);
        break;
    }
    EXPECT_EQ(navigator.View(), s.view);
    EXPECT_EQ(Visible(), s.visible);
    EXPECT_EQ(content_.shown_, s.shown);
    EXPECT_EQ(content_.hiddenTasks_, s.hiddenTasks);
    if (s.launchCaption) {
      EXPECT_EQ(test::ShownText(launchInstall_.hwnd()), s.launchCaption);
    }
  }
}

}  // namespace
}  // namespace controls
