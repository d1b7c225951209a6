// The dictionaries tab and the web-service tab of the real window: each shows its HTML page, with
// the WebBrowser control embedded in it, beside its Install or Launch button; the other tab's page
// goes. (Without Wine's Gecko the control shows no page content.)
#include <gtest/gtest.h>

#include <windows.h>

#include "DeckTest.h"
#include "ResourceIds.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;

using InformationTabTest = test::DeckTest;

using test::Visible;

TEST_F(InformationTabTest, EachInformationTabShowsItsPageWithTheBrowserAndItsButton) {
  StartDeck();
  // The pages are made after the window's first paint, without their tab being opened.
  HWND dictionaries = nullptr;
  HWND myVanto = nullptr;
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        dictionaries = FindDescendant(window_, IDR_HTML_DICTIONARIES);
        myVanto = FindDescendant(window_, IDR_HTML_MY_VANTO);
        return dictionaries && myVanto && ::GetWindow(dictionaries, GW_CHILD) &&
               ::GetWindow(myVanto, GW_CHILD);
      },
      5s));
  ASSERT_NE(dictionaries, nullptr);
  ASSERT_NE(myVanto, nullptr);
  EXPECT_FALSE(Visible(dictionaries));
  EXPECT_FALSE(Visible(myVanto));
  // The control's own window fills each page.
  EXPECT_NE(::GetWindow(dictionaries, GW_CHILD), nullptr);
  EXPECT_NE(::GetWindow(myVanto, GW_CHILD), nullptr);

  HWND button = ::GetDlgItem(window_, IDC_LAUNCH_INSTALL);
  test::Click(FindDescendant(window_, test::kStartButtonTab3));
  ASSERT_TRUE(test::WaitUntil([&] { return Visible(dictionaries) && Visible(button); }, 5s));
  EXPECT_FALSE(Visible(myVanto));
  EXPECT_EQ(test::ShownText(button), L"Install");
  test::Screenshot(L"view-tab3-page");

  test::Click(FindDescendant(FindDescendant(window_, IDC_RIBBON), 345));  // the web-service tab
  ASSERT_TRUE(test::WaitUntil([&] { return Visible(myVanto) && !Visible(dictionaries); }, 5s));
  // The page shows first; its button follows once the web service has said what the tab offers.
  EXPECT_TRUE(test::WaitUntil([&] { return Visible(button) && test::ShownText(button) == L"Launch"; }, 10s))
      << "the button reads \"" << test::ShownText(button) << "\"";
  test::Screenshot(L"view-tab7-page");

  test::Click(::GetDlgItem(window_, IDC_HOME));
  EXPECT_TRUE(test::WaitUntil([&] { return !Visible(myVanto) && !Visible(dictionaries); }, 5s));
  EXPECT_TRUE(deck_.Running());
}

}  // namespace
