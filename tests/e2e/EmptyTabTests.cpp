// A product whose configuration leaves tabs without tasks: their start-page buttons and ribbon tabs
// are disabled and lead nowhere, while the configured tab opens as usual.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iostream>
#include <string>

#include "support/Driver.h"
#include "support/Installation.h"
#include "support/TestPaths.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;

constexpr int kRibbon = 1234;
constexpr int kStartButtonTab1 = 316;
constexpr int kStartButtonTab2 = 291;
constexpr int kStartButtonTab6 = 301;
constexpr int kRibbonTab2 = 338;
constexpr int kListOfTab1 = 1101;
constexpr int kListOfTab2 = 1102;
constexpr int kListOfTab6 = 1106;

// Only quick translation and the translator: no setup tasks, no network tools.
constexpr char kSmallProduct[] = R"({
  "settings": {"FileName": "Startdeck", "ClientName": "Startdeck", "ProductName": "VANTO Translator Pocket"},
  "_menu1": {"item0": "QuickTranslate"},
  "apps": {"Vnto": ""},
  "allapps": {"Vnto": ""}
})";

class EmptyTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation_.Ok());
    const auto json = installation_.Folder() / L"Pocket.json";
    std::ofstream(json, std::ios::binary) << kSmallProduct;
    test::Process pack;
    ASSERT_TRUE(pack.Start(test::BinFolder() / L"infpack.exe",
                           L"pack \"" + json.wstring() + L"\" \"" + installation_.Inf().wstring() + L"\""));
    ASSERT_TRUE(pack.WaitForExit(20s));
    ASSERT_EQ(pack.ExitCode(), 0u);

    ASSERT_TRUE(deck_.Start(installation_.Program())) << "error " << deck_.LastError();
    window_ = test::WaitForWindow(deck_.Id(), L"VANTO Translator Pocket", L"#32770", 20s);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    if (deck_.Running()) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    deck_.WaitForExit(10s);
  }

  test::Installation installation_{{.product = L"VANTO Translator Pocket", .title = L"Startdeck", .writeInf = false}};
  test::Process deck_;
  HWND window_ = nullptr;
};

TEST_F(EmptyTabTest, TabsWithoutTasksCannotBeOpened) {
  HWND ribbon = FindDescendant(window_, kRibbon);
  ASSERT_NE(ribbon, nullptr);
  ::Sleep(300);
  std::wcout << L"screenshot: " << test::SaveScreenshot(L"start-page-empty-tabs").wstring() << L"\n";

  for (int button : {kStartButtonTab2, kStartButtonTab6}) {
    HWND start = FindDescendant(window_, button);
    ASSERT_NE(start, nullptr) << button;
    test::Click(start);
    ::Sleep(500);
    EXPECT_FALSE(::IsWindowVisible(ribbon)) << "button " << button << " opened its tab";
    EXPECT_TRUE(::IsWindowVisible(start)) << "the start page stays";
  }
  EXPECT_FALSE(::IsWindowVisible(FindDescendant(window_, kListOfTab2)));
  EXPECT_FALSE(::IsWindowVisible(FindDescendant(window_, kListOfTab6)));

  // The configured tab opens; from there the ribbon's empty tab does not.
  test::Click(FindDescendant(window_, kStartButtonTab1));
  HWND list1 = FindDescendant(window_, kListOfTab1);
  ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(list1) != FALSE; }, 5s));
  EXPECT_TRUE(::IsWindowVisible(ribbon));
  test::Click(FindDescendant(window_, kRibbonTab2));
  ::Sleep(500);
  EXPECT_TRUE(::IsWindowVisible(list1));
  EXPECT_FALSE(::IsWindowVisible(FindDescendant(window_, kListOfTab2)));
}

}  // namespace
