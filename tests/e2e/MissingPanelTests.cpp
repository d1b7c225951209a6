// A language library whose list panel cannot be created: the window still opens and works, the tabs
// whose lists could not be made cannot be opened, and the diagnostic log says why.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "support/ProgramLog.h"
#include "support/TestPaths.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;

using MissingPanelTest = test::DeckTest;

TEST_F(MissingPanelTest, AListPanelThatCannotBeCreatedLeavesAWorkingWindow) {
  std::filesystem::copy_file(test::BinFolder() / L"TestLangUncreatableList.dll",
                             installation_.Folder() / L"StartdeckResENU.dll",
                             std::filesystem::copy_options::overwrite_existing);
  test::ProgramLog log(L"StartdeckMissingPanel.log");

  StartDeck();
  HWND ribbon = FindDescendant(window_, IDC_RIBBON);
  ASSERT_NE(ribbon, nullptr);

  // The translation, launch and documentation tabs have no list to show: their buttons lead nowhere.
  for (int startButton : {test::kStartButtonTab1, test::kStartButtonTab4, test::kStartButtonTab5}) {
    test::Click(FindDescendant(window_, startButton));
    ::Sleep(500);
    EXPECT_FALSE(::IsWindowVisible(ribbon)) << startButton;
  }
  // A panel's request for the plug-ins manager finds no launch list and is dropped.
  ::SendMessageW(window_, app::kPluginsManagerMessage, 0, 0);
  // The dictionaries page needs no list and opens as usual.
  test::Click(FindDescendant(window_, test::kStartButtonTab3));
  EXPECT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(ribbon) != FALSE; }, 5s));
  EXPECT_TRUE(deck_.Running());

  EXPECT_TRUE(CloseDeck());
  // The switches log what they detect as well; the window's own lines:
  std::vector<std::wstring> windowLines;
  for (const std::wstring& line : log.Lines())
    if (line.starts_with(L"Main window:")) windowLines.push_back(line);
  EXPECT_EQ(windowLines, (std::vector<std::wstring>{L"Main window: the list of tab 1 could not be created",
                                                    L"Main window: the list of tab 2 could not be created",
                                                    L"Main window: the list of tab 4 could not be created",
                                                    L"Main window: the list of tab 6 could not be created",
                                                    L"Main window: the list of tab 5 could not be created"}));
}

}  // namespace
