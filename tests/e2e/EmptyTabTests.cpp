// A product whose configuration leaves tabs without tasks: their start-page buttons and ribbon tabs
// are disabled and lead nowhere, while the configured tab opens as usual.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "DeckTest.h"
#include "ResourceIds.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;

// Only quick translation and the translator: no setup tasks, no documents, no network tools.
constexpr char kSmallProduct[] = R"({
  "settings": {"FileName": "Startdeck", "ClientName": "Startdeck", "ProductName": "VANTO Translator Pocket"},
  "_menu1": {"item0": "QuickTranslate"},
  "apps": {"Vnto": ""},
  "allapps": {"Vnto": ""}
})";

class EmptyTabTest : public test::DeckTest {
 protected:
  EmptyTabTest()
      : DeckTest({.product = L"VANTO Translator Pocket", .title = L"Startdeck", .writeInf = false}) {}
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(PackProduct(kSmallProduct));
    StartDeck();
  }
};

TEST_F(EmptyTabTest, TabsWithoutTasksCannotBeOpened) {
  HWND ribbon = FindDescendant(window_, IDC_RIBBON);
  ASSERT_NE(ribbon, nullptr);
  test::Screenshot(L"start-page-empty-tabs", 300ms);

  for (int button : {test::kStartButtonTab2, test::kStartButtonTab5, test::kStartButtonTab6}) {
    HWND start = FindDescendant(window_, button);
    ASSERT_NE(start, nullptr) << button;
    test::Click(start);
    ::Sleep(500);
    EXPECT_FALSE(::IsWindowVisible(ribbon)) << "button " << button << " opened its tab";
    EXPECT_TRUE(::IsWindowVisible(start)) << "the start page stays";
  }
  EXPECT_FALSE(::IsWindowVisible(FindDescendant(window_, test::kListOfTab2)));
  EXPECT_FALSE(::IsWindowVisible(FindDescendant(window_, test::kListOfTab5)));
  EXPECT_FALSE(::IsWindowVisible(FindDescendant(window_, test::kListOfTab6)));

  // The configured tab opens; from there the ribbon's empty tab does not.
  HWND list1 = test::OpenTab(window_, test::kStartButtonTab1, test::kListOfTab1);
  ASSERT_NE(list1, nullptr);
  EXPECT_TRUE(::IsWindowVisible(ribbon));
  test::Click(FindDescendant(window_, test::kRibbonTab2));
  ::Sleep(500);
  EXPECT_TRUE(::IsWindowVisible(list1));
  EXPECT_FALSE(::IsWindowVisible(FindDescendant(window_, test::kListOfTab2)));
}

}  // namespace
